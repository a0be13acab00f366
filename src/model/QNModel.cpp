#include "model/QNModel.h"

#include <algorithm>

#include "framework/CCAutoreleasePool.h"
#include "framework/CCDictionary.h"
#include "model/QNDataText.h"
#include "model/QNModelController.h"
#include "model/QNPAttributeGroup.h"
#include "model/QNPAttributeString.h"

using namespace cocos2d;

namespace {
bool isShapeClass(const std::string& className) {
    return className == "QNModelPolygon" || className == "QNModelCircle";
}

} // namespace

QNModel::QNModel(const std::string& className, const std::string& displayName)
    : m_className(className), m_id(QNModelController::sharedModelController()->nextModelNumber()) {
    m_nameAttribute = static_cast<QNPAttributeString*>(addAttribute("Name", QNPAttribute::kTypeString));
    m_nameAttribute->setDefault("");
    m_nameAttribute->set(displayName);
}

QNModel::~QNModel() {
    for (QNPAttribute* attribute : m_attributes) attribute->release();
}

void QNModel::update(float dt) {
    for (QNPAttribute* attribute : m_attributes) attribute->update(dt);
}

bool QNModel::initWithDictionary(CCDictionary* dict) {
    if (!dict) return false;
    setId(ccTextToUInt(qn::textFor(dict, "id").c_str()));
    for (auto it = m_attributes.rbegin(); it != m_attributes.rend(); ++it) {
        CCObject* entry = dict->objectForKey((*it)->name());
        if (!entry) continue;
        if (auto* value = dynamic_cast<CCDictionary*>(entry))
            (*it)->loadAttributes(value);
        else
            CCLog("[QNModel] - %s %u: attribute \"%.60s\" is not a dictionary", m_className.c_str(), m_id,
                  (*it)->name().c_str());
    }
    return true;
}

CCDictionary* QNModel::attributesDictionary() {
    CCDictionary* dict = CCDictionary::create();
    qn::setText(dict, "id", "%u", m_id);
    dict->setObject(CCString::create(m_className), "className");
    for (QNPAttribute* attribute : m_attributes) {
        CCDictionary* value = attribute->attributesDictionary();
        if (value && value->count() > 0) dict->setObject(value, attribute->name());
    }
    return dict;
}

CCDictionary* QNModel::connectionsDictionary() {
    CCDictionary* dict = CCDictionary::create();
    qn::setText(dict, "id", "%u", m_id);
    for (QNPAttribute* attribute : m_attributes) {
        CCDictionary* value = attribute->connectionsDictionary();
        if (value && value->count() > 0) dict->setObject(value, attribute->name());
    }
    return dict;
}

void QNModel::initConnections(CCDictionary* dict) {
    if (!dict) return;
    for (auto it = m_attributes.rbegin(); it != m_attributes.rend(); ++it) {
        if (auto* value = dynamic_cast<CCDictionary*>(dict->objectForKey((*it)->name())))
            (*it)->loadConnections(value);
    }
}

void QNModel::setExcluded(bool excluded) {
    m_excluded = excluded;
}

void QNModel::remove() {
    if (m_removing) return;
    m_removing = true;
    QNModelController::sharedModelController()->removeModel(this);
    // Detaching may remove other models and change nothing in this list, but iterate a copy anyway.
    std::vector<QNPAttribute*> attributes = m_attributes;
    for (QNPAttribute* attribute : attributes) attribute->retain();
    for (QNPAttribute* attribute : attributes) {
        attribute->detach();
        attribute->release();
    }
    m_removing = false;
}

QNModel* QNModel::duplicate() {
    if (m_duplicating) {
        CCLog("[QNModel] - %s %u refers to itself; not duplicated again", m_className.c_str(), m_id);
        return nullptr;
    }
    m_duplicating = true;
    QNModel* copy = createEmptyCopy();
    if (!copy) {
        m_duplicating = false;
        return nullptr;
    }
    if (isShapeClass(copy->className())) {
        // Shapes belong to their attribute and are never registered.
        copy->autorelease();
    } else {
        QNModelController::sharedModelController()->addRuntimeModel(copy);
    }
    copy->copyFrom(this);
    m_duplicating = false;
    return copy;
}

QNModel* QNModel::createEmptyCopy() const {
    return new QNModel(m_className, "");
}

void QNModel::copyFrom(QNModel* other) {
    if (!other || other == this) return;
    const std::size_t count = m_attributes.size();
    for (std::size_t i = 0; i < count; ++i) {
        QNPAttribute* theirs = other->attributeAt((int)i);
        QNPAttribute* mine = m_attributes[i];
        // A missing counterpart, or one of another type, has nothing to give.
        if (!theirs || theirs->type() != mine->type()) continue;
        mine->copyFrom(theirs);
    }
}

void QNModel::attributeChanged(QNPAttribute* attribute) {
    (void)attribute;
}

void QNModel::attributeNotice(QNPAttribute* attribute) {
    (void)attribute;
}

void QNModel::attributeNoticeAgain(QNPAttribute* attribute) {
    (void)attribute;
}

void QNModel::setStandalone(bool standalone) {
    (void)standalone;
}

bool QNModel::isLooped() const {
    return true;
}

QNPAttribute* QNModel::addAttribute(const std::string& name, int type, int flags, QNPAttributeGroup* group,
                                    int role) {
    QNPAttribute* attribute = QNPAttribute::newAttribute(this, type, flags);
    if (!attribute) return nullptr;
    attribute->setName(name);
    attribute->setRole(role);
    m_attributes.push_back(attribute); // the list keeps the reference newAttribute gave
    if (group) group->addChild(attribute);
    return attribute;
}

QNPAttribute* QNModel::attributeAt(int index) const {
    if (index < 0 || index >= (int)m_attributes.size()) return nullptr;
    return m_attributes[(std::size_t)index];
}

QNPAttribute* QNModel::attributeNamed(const std::string& name) const {
    for (QNPAttribute* attribute : m_attributes)
        if (attribute->name() == name) return attribute;
    return nullptr;
}

int QNModel::indexOfAttribute(const QNPAttribute* attribute) const {
    auto it = std::find(m_attributes.begin(), m_attributes.end(), attribute);
    return it == m_attributes.end() ? -1 : (int)(it - m_attributes.begin());
}

void QNModel::moveAttribute(QNPAttribute* attribute, int index) {
    const int from = indexOfAttribute(attribute);
    if (from < 0) return;
    m_attributes.erase(m_attributes.begin() + from);
    const int to = std::max(0, std::min(index, (int)m_attributes.size()));
    m_attributes.insert(m_attributes.begin() + to, attribute);
}

void QNModel::setId(unsigned int id) {
    if (id == m_id) return;
    const unsigned int oldId = m_id;
    m_id = id;
    QNModelController::sharedModelController()->changeModelId(this, oldId);
}

std::string QNModel::displayName() const {
    return m_nameAttribute->value();
}

void QNModel::setDisplayName(const std::string& text) {
    m_nameAttribute->set(text);
}
