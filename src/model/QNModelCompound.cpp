#include "model/QNModelCompound.h"

#include <algorithm>

#include "framework/CCArray.h"
#include "framework/CCDictionary.h"
#include "model/QNModelComponent.h"
#include "model/QNModelController.h"

using namespace cocos2d;

QNModelCompound::~QNModelCompound() {
    for (QNModelComponent* component : m_components) {
        if (component->m_componentOwner == this) component->m_componentOwner = nullptr;
        component->release();
    }
}

CCDictionary* QNModelCompound::connectionsDictionary() {
    CCDictionary* dict = QNModel::connectionsDictionary();
    CCArray* ids = CCArray::createWithCapacity((unsigned int)m_components.size());
    for (QNModelComponent* component : m_components)
        ids->addObject(CCString::createWithFormat("%u", component->id()));
    dict->setObject(ids, "components");
    return dict;
}

void QNModelCompound::initConnections(CCDictionary* dict) {
    QNModel::initConnections(dict);
    if (!dict) return;
    auto* ids = dynamic_cast<CCArray*>(dict->objectForKey("components"));
    if (!ids) return;
    QNModelController* controller = QNModelController::sharedModelController();
    for (CCObject* element : ids->data()) {
        auto* text = dynamic_cast<CCString*>(element);
        if (!text) continue;
        if (QNModel* model = controller->modelById(text->uintValue())) addComponent(model);
    }
}

void QNModelCompound::attach(QNModelComponent* component, std::size_t at) {
    component->retain();
    m_components.insert(m_components.begin() + (long)std::min(at, m_components.size()), component);
    component->setComponentOwner(this);
}

void QNModelCompound::addComponent(QNModel* model) {
    if (!model) return;
    auto* component = dynamic_cast<QNModelComponent*>(model);
    if (!component) {
        CCLog("[QNModelCompound] - %s %u is not a component", model->className().c_str(), model->id());
        return;
    }
    if (std::find(m_components.begin(), m_components.end(), component) != m_components.end()) return;
    attach(component, m_components.size());
}

void QNModelCompound::insertComponent(QNModel* model, int index) {
    if (!model) return;
    auto* component = dynamic_cast<QNModelComponent*>(model);
    if (!component) {
        CCLog("[QNModelCompound] - %s %u is not a component", model->className().c_str(), model->id());
        return;
    }
    if (std::find(m_components.begin(), m_components.end(), component) != m_components.end()) return;
    const long count = (long)m_components.size();
    long at = index >= 0 ? index : count + index;
    at = std::max(0L, std::min(at, count));
    attach(component, (std::size_t)at);
}

void QNModelCompound::removeComponent(QNModel* model) {
    auto it = std::find(m_components.begin(), m_components.end(), model);
    if (it == m_components.end()) return;
    QNModelComponent* component = *it;
    m_components.erase(it);
    if (component->m_componentOwner == this) component->setComponentOwner(nullptr);
    component->release();
}

QNModelComponent* QNModelCompound::componentOfClass(const std::string& className) const {
    for (QNModelComponent* component : m_components)
        if (component->hasClassName(className)) return component;
    return nullptr;
}

void QNModelCompound::copyComponentsFrom(QNModelCompound* other) {
    if (!other || other == this) return;
    std::vector<QNModelComponent*> theirs = other->m_components;
    for (QNModelComponent* component : theirs) addComponent(component->duplicate());
}
