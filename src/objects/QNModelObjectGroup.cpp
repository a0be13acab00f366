#include "objects/QNModelObjectGroup.h"

#include <algorithm>

#include "framework/CCArray.h"
#include "framework/CCDictionary.h"
#include "framework/CCString.h"
#include "model/QNModelController.h"
#include "model/QNPAttributeBoolean.h"
#include "model/QNPAttributeEnum.h"

using namespace cocos2d;

QNModelObjectGroup::QNModelObjectGroup() : QNModelObject("QNModelObjectGroup", "Untitled") {
    m_autoSort =
        static_cast<QNPAttributeBoolean*>(addAttribute("Auto Depth Sorting", QNPAttribute::kTypeBoolean));
    m_direction = static_cast<QNPAttributeEnum*>(addAttribute("Sort Direction", QNPAttribute::kTypeEnum));
    m_direction->choices() = {{"gAxisX", "X Axis"}, {"gAxisY", "Y Axis"}};
    m_direction->setDefault("gAxisX");
    m_order = static_cast<QNPAttributeEnum*>(addAttribute("Sort Order", QNPAttribute::kTypeEnum));
    m_order->choices() = {{"gSortAsc", "Ascending"}, {"gSortDesc", "Descending"}};
    m_order->setDefault("gSortAsc");
    static_cast<QNPAttributeBoolean*>(addAttribute("Is Group Expanded", QNPAttribute::kTypeBoolean))
        ->setDefault(true);
}

void QNModelObjectGroup::readIds(CCDictionary* dict) {
    auto* list = dict ? dynamic_cast<CCArray*>(dict->objectForKey("objects")) : nullptr;
    if (!list) return;
    m_ids.clear();
    for (CCObject* element : list->data()) {
        auto* text = dynamic_cast<CCString*>(element);
        if (text) m_ids.push_back(text->uintValue());
    }
    m_resolved = false;
}

bool QNModelObjectGroup::initWithDictionary(CCDictionary* dict) {
    if (!QNModelObject::initWithDictionary(dict)) return false;
    readIds(dict);
    return true;
}

void QNModelObjectGroup::initConnections(CCDictionary* dict) {
    QNModelObject::initConnections(dict);
    readIds(dict);
}

CCDictionary* QNModelObjectGroup::attributesDictionary() {
    CCDictionary* dict = QNModelObject::attributesDictionary();
    CCArray* list = CCArray::create();
    for (unsigned int id : m_ids) list->addObject(CCString::createWithFormat("%u", id));
    dict->setObject(list, "objects");
    return dict;
}

void QNModelObjectGroup::copyFrom(QNModel* other) {
    QNModelObject::copyFrom(other);
    auto* that = dynamic_cast<QNModelObjectGroup*>(other);
    if (!that || that == this) return;
    m_ids = that->m_ids;
    m_resolved = false;
}

bool QNModelObjectGroup::autoDepthSorting() const {
    return m_autoSort->value();
}
bool QNModelObjectGroup::sortsAlongY() const {
    return m_direction->isSelected("gAxisY");
}
bool QNModelObjectGroup::sortsAscending() const {
    return !m_order->isSelected("gSortDesc");
}

void QNModelObjectGroup::resolve() const {
    if (m_resolved) return;
    m_resolved = true;
    m_members.clear();
    m_memberSet.clear();
    m_memberIds.clear();
    m_containsCharacter = false;
    QNModelController* controller = QNModelController::sharedModelController();
    for (unsigned int id : m_ids) {
        QNModel* model = controller->modelById(id);
        if (!model || model == this) continue;
        if (!m_memberSet.insert(model).second) continue;
        m_members.push_back(model);
        m_memberIds.insert(model->id());
        if (model->hasClassName("QNModelObjectAssetCharacter")) m_containsCharacter = true;
    }
}

const std::vector<QNModel*>& QNModelObjectGroup::members() const {
    resolve();
    return m_members;
}

bool QNModelObjectGroup::isMember(const QNModel* model) const {
    resolve();
    return model && m_memberSet.count(model) != 0;
}

bool QNModelObjectGroup::containsCharacter() const {
    resolve();
    return m_containsCharacter;
}

void QNModelObjectGroup::addMember(QNModel* model) {
    if (!model) return;
    m_ids.push_back(model->id());
    m_resolved = false;
}

bool QNModelObjectGroup::hasMemberId(unsigned int id) const {
    resolve();
    return m_memberIds.count(id) != 0;
}
