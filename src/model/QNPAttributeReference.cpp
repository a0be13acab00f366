#include "model/QNPAttributeReference.h"

#include "framework/CCDictionary.h"
#include "model/QNDataText.h"
#include "model/QNModel.h"
#include "model/QNModelController.h"

using namespace cocos2d;

namespace {
const char* const kSpriteContainerClass = "QNModelSpriteContainer";
const char* const kSoundClass = "QNModelSound";
const char* const kAnimationClass = "QNModelAnimation";

QNModel* modelWithId(unsigned int id) {
    return QNModelController::sharedModelController()->modelById(id);
}

/// `model` when it is of `className`; otherwise nullptr, logged when a model was given.
QNModel* checkedClass(QNModel* model, const char* className, const char* who) {
    if (!model || model->hasClassName(className)) return model;
    CCLog("[%s] - object type id mismatch", who);
    return nullptr;
}
} // namespace

// Sprite --------------------------------------------------------------------------------------

void QNPAttributeSprite::setTarget(QNModel* container) {
    m_target = checkedClass(container, kSpriteContainerClass, "QNPAttributeSprite");
    if (m_target) m_target->setStandalone(m_containerFlag);
    if (owner()) owner()->attributeChanged(this);
    changed();
}

void QNPAttributeSprite::loadConnections(CCDictionary* value) {
    QNPAttribute::loadConnections(value);
    if (!qn::isPresent(value, "value")) return;
    m_target = checkedClass(modelWithId(ccTextToUInt(qn::textFor(value, "value").c_str())),
                            kSpriteContainerClass, "QNPAttributeSprite");
    if (m_target) m_target->setStandalone(m_containerFlag);
}

void QNPAttributeSprite::writeConnections(CCDictionary* dict) {
    if (m_target) qn::setText(dict, "value", "%d", (int)m_target->id());
}

void QNPAttributeSprite::copyFrom(QNPAttribute* other) {
    QNPAttribute::copyFrom(other);
    if (auto* that = dynamic_cast<QNPAttributeSprite*>(other)) m_target = that->m_target;
}

// Asset ---------------------------------------------------------------------------------------

void QNPAttributeAsset::loadConnections(CCDictionary* value) {
    QNPAttribute::loadConnections(value);
    if (!qn::isPresent(value, "value")) return;
    m_target = modelWithId((unsigned int)ccTextToInt(qn::textFor(value, "value").c_str()));
}

void QNPAttributeAsset::writeConnections(CCDictionary* dict) {
    if (m_target) qn::setText(dict, "value", "%d", (int)m_target->id());
}

void QNPAttributeAsset::copyFrom(QNPAttribute* other) {
    QNPAttribute::copyFrom(other);
    if (auto* that = dynamic_cast<QNPAttributeAsset*>(other)) m_target = that->m_target;
}

// Sound ---------------------------------------------------------------------------------------

void QNPAttributeSound::setTarget(QNModel* sound) {
    m_target = checkedClass(sound, kSoundClass, "QNPAttributeSound");
}

void QNPAttributeSound::loadConnections(CCDictionary* value) {
    QNPAttribute::loadConnections(value);
    if (!qn::isPresent(value, "value")) return;
    setTarget(modelWithId(ccTextToUInt(qn::textFor(value, "value").c_str())));
}

void QNPAttributeSound::writeConnections(CCDictionary* dict) {
    if (m_target) qn::setText(dict, "value", "%u", m_target->id());
}

void QNPAttributeSound::copyFrom(QNPAttribute* other) {
    QNPAttribute::copyFrom(other);
    auto* that = dynamic_cast<QNPAttributeSound*>(other);
    if (!that) return;
    m_target = that->m_target;
    changed();
}

// Animation -----------------------------------------------------------------------------------

void QNPAttributeAnimation::setTarget(QNModel* animation) {
    m_target = checkedClass(animation, kAnimationClass, "QNPAttributeAnimation");
    if (m_target) m_animationFlag = m_target->isLooped();
}

void QNPAttributeAnimation::loadConnections(CCDictionary* value) {
    QNPAttribute::loadConnections(value);
    if (!qn::isPresent(value, "value")) return;
    setTarget(modelWithId((unsigned int)ccTextToInt(qn::textFor(value, "value").c_str())));
}

void QNPAttributeAnimation::writeConnections(CCDictionary* dict) {
    if (m_target) qn::setText(dict, "value", "%d", (int)m_target->id());
}

void QNPAttributeAnimation::detach() {
    QNPAttribute::detach();
    if (m_target) m_target->remove();
}

void QNPAttributeAnimation::copyFrom(QNPAttribute* other) {
    QNPAttribute::copyFrom(other);
    auto* that = dynamic_cast<QNPAttributeAnimation*>(other);
    if (!that || that == this || !that->m_target) return;
    setTarget(that->m_target->duplicate());
}
