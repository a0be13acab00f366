#include "objects/QNPObjectGroup.h"

#include <algorithm>

#include "objects/QNModelObjectGroup.h"

using namespace cocos2d;

QNPObjectGroup* QNPObjectGroup::create(QNModelObjectGroup* model) {
    if (!model) return nullptr;
    auto* group = new QNPObjectGroup(model);
    group->autorelease();
    return group;
}

QNPObjectGroup::QNPObjectGroup(QNModelObjectGroup* model) : m_groupModel(model) {
    CC_SAFE_RETAIN(m_groupModel);
    m_kind = kKindGroup;
}

QNPObjectGroup::~QNPObjectGroup() {
    CC_SAFE_RELEASE(m_groupModel);
}

QNModel* QNPObjectGroup::model() const {
    return m_groupModel;
}

void QNPObjectGroup::update(float dt) {
    QNPObject::update(dt);
    sortDepths();
}

void QNPObjectGroup::sortDepths() {
    if (!m_groupModel || !m_gameLayer || !m_groupModel->autoDepthSorting()) return;
    if (m_groupModel->members().size() <= 1) return;
    const bool withCharacter = m_groupModel->containsCharacter();
    m_scratch.clear();
    int lowest = 10000;
    for (CCObject* o : m_gameLayer->getChildren()->data()) {
        auto* object = dynamic_cast<QNPObject*>(o);
        if (!object || object == this) continue;
        QNModel* model = object->model();
        // Objects placed through an instance carry the instance's id as their tag.
        const bool member =
            m_groupModel->isMember(model) ||
            (object->getTag() > 0 && m_groupModel->hasMemberId((unsigned int)object->getTag())) ||
            (withCharacter && object->kind() == kKindCharacter);
        if (!member) continue;
        m_scratch.push_back(object);
        lowest = std::min(lowest, object->getZOrder());
    }
    if (m_scratch.size() <= 1) return;
    const bool alongY = m_groupModel->sortsAlongY();
    const bool ascending = m_groupModel->sortsAscending();
    // "Ascending" draws the greatest coordinate first (lowest z order).
    std::sort(m_scratch.begin(), m_scratch.end(), [alongY, ascending](QNPObject* a, QNPObject* b) {
        const float ca = alongY ? a->getPositionY() : a->getPositionX();
        const float cb = alongY ? b->getPositionY() : b->getPositionX();
        return ascending ? ca > cb : ca < cb;
    });
    for (std::size_t i = 0; i < m_scratch.size(); ++i) {
        const int z = lowest + (int)i;
        if (m_scratch[i]->getZOrder() != z) m_gameLayer->reorderChild(m_scratch[i], z);
    }
    m_scratch.clear();
}
