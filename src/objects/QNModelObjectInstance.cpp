#include "objects/QNModelObjectInstance.h"

#include <cstdlib>
#include <set>

#include "framework/CCDictionary.h"
#include "model/QNDataText.h"
#include "model/QNModelController.h"

using namespace cocos2d;

QNModelObjectInstance::QNModelObjectInstance() : QNModelObject("QNModelObjectInstance", "Untitled") {}

void QNModelObjectInstance::readReference(CCDictionary* dict) {
    const std::string& text = qn::textFor(dict, "reference");
    if (text.empty()) return;
    char* end = nullptr;
    const long long id = std::strtoll(text.c_str(), &end, 10);
    m_referenceId = (end && end != text.c_str() && id >= 0 && id <= 0xFFFFFFFFll) ? id : -1;
}

bool QNModelObjectInstance::initWithDictionary(CCDictionary* dict) {
    if (!QNModelObject::initWithDictionary(dict)) return false;
    readReference(dict);
    return true;
}

void QNModelObjectInstance::initConnections(CCDictionary* dict) {
    QNModelObject::initConnections(dict);
    readReference(dict);
}

CCDictionary* QNModelObjectInstance::attributesDictionary() {
    CCDictionary* dict = QNModelObject::attributesDictionary();
    if (m_referenceId >= 0) qn::setText(dict, "reference", "%lld", m_referenceId);
    return dict;
}

void QNModelObjectInstance::copyFrom(QNModel* other) {
    QNModelObject::copyFrom(other);
    auto* that = dynamic_cast<QNModelObjectInstance*>(other);
    if (!that || that == this) return;
    QNModel* target = that->reference();
    m_referenceId = target ? (long long)target->id() : -1;
}

QNModel* QNModelObjectInstance::reference() const {
    if (m_referenceId < 0) return nullptr;
    QNModel* target = QNModelController::sharedModelController()->modelById((unsigned int)m_referenceId);
    if (!target) return nullptr;
    // A chain of instances that comes back to an instance already seen refers to nothing.
    std::set<const QNModel*> seen{this};
    const QNModel* step = target;
    while (auto* instance = dynamic_cast<const QNModelObjectInstance*>(step)) {
        if (!seen.insert(instance).second) return nullptr;
        if (instance->m_referenceId < 0) break;
        step = QNModelController::sharedModelController()->modelById((unsigned int)instance->m_referenceId);
        if (!step) break;
    }
    return target;
}

void QNModelObjectInstance::setReference(QNModel* model) {
    m_referenceId = model ? (long long)model->id() : -1;
}

QNModel* QNModelObjectInstance::finalReference() const {
    QNModel* target = reference();
    while (auto* instance = dynamic_cast<QNModelObjectInstance*>(target)) target = instance->reference();
    return target;
}

const QNModelObject* QNModelObjectInstance::forwardTarget() const {
    return dynamic_cast<const QNModelObject*>(finalReference());
}

bool QNModelObjectInstance::hasSpawner() const {
    const QNModelObject* target = forwardTarget();
    return target && target->hasSpawner();
}

float QNModelObjectInstance::spawnInterval() const {
    const QNModelObject* target = forwardTarget();
    return target ? target->spawnInterval() : 0.0f;
}

QNModel* QNModelObjectInstance::displayAnimation() const {
    const QNModelObject* target = forwardTarget();
    return target ? target->displayAnimation() : nullptr;
}

CCSize QNModelObjectInstance::contentSize() const {
    const QNModelObject* target = forwardTarget();
    return target ? target->contentSize() : CCSize(0.0f, 0.0f);
}
