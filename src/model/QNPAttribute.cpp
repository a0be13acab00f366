#include "model/QNPAttribute.h"

#include "framework/CCDictionary.h"
#include "model/QNDataText.h"
#include "model/QNModel.h"
#include "model/QNPAttributeAction.h"
#include "model/QNPAttributeBoolean.h"
#include "model/QNPAttributeColor.h"
#include "model/QNPAttributeEnum.h"
#include "model/QNPAttributeFloat.h"
#include "model/QNPAttributeGroup.h"
#include "model/QNPAttributeKey.h"
#include "model/QNPAttributeParticlesEmitters.h"
#include "model/QNPAttributePoint.h"
#include "model/QNPAttributeReference.h"
#include "model/QNPAttributeShape.h"
#include "model/QNPAttributeString.h"

using namespace cocos2d;

QNPAttribute* QNPAttribute::createAttribute(QNModel* owner, int type, int flags) {
    QNPAttribute* attribute = newAttribute(owner, type, flags);
    if (attribute) attribute->autorelease();
    return attribute;
}

QNPAttribute* QNPAttribute::newAttribute(QNModel* owner, int type, int flags) {
    QNPAttribute* attribute = nullptr;
    switch (type) {
    case kTypeFloat:
        attribute = new QNPAttributeFloat();
        break;
    case kTypePoint:
        attribute = new QNPAttributePoint();
        break;
    case kTypeSprite:
        attribute = new QNPAttributeSprite();
        break;
    case kTypeAction:
        attribute = new QNPAttributeAction();
        break;
    case kTypeString:
        attribute = new QNPAttributeString();
        break;
    case kTypeEnum:
        attribute = new QNPAttributeEnum();
        break;
    case kTypeShape:
        attribute = new QNPAttributeShape();
        break;
    case kTypeAnimation:
        attribute = new QNPAttributeAnimation();
        break;
    case kTypePath:
        attribute = new QNPAttributePath();
        break;
    case kTypeAsset:
        attribute = new QNPAttributeAsset();
        break;
    case kTypeGroup:
        attribute = new QNPAttributeGroup();
        break;
    case kTypeColor:
        attribute = new QNPAttributeColor();
        break;
    case kTypeBoolean:
        attribute = new QNPAttributeBoolean();
        break;
    case kTypeSound:
        attribute = new QNPAttributeSound();
        break;
    case kTypeKey:
        attribute = new QNPAttributeKey();
        break;
    case kTypeGradient:
        attribute = new QNPAttributeGradient();
        break;
    case kTypeParticlesEmitters:
        attribute = new QNPAttributeParticlesEmitters();
        break;
    default:
        return nullptr;
    }
    attribute->m_owner = owner;
    attribute->m_flags = flags;
    return attribute;
}

QNPAttribute::QNPAttribute(int type) : m_type(type) {}

QNPAttribute::~QNPAttribute() = default;

void QNPAttribute::update(float dt) {
    (void)dt;
}

void QNPAttribute::loadAttributes(CCDictionary* value) {
    m_visible = qn::isPresent(value, "visible") ? qn::textToBool(qn::textFor(value, "visible")) : true;
}

void QNPAttribute::loadConnections(CCDictionary* value) {
    (void)value;
}

CCDictionary* QNPAttribute::attributesDictionary() {
    CCDictionary* dict = CCDictionary::create();
    if (!m_persistent) return dict;
    if (!m_visible) qn::setText(dict, "visible", "%d", 0);
    writeAttributes(dict);
    return dict;
}

CCDictionary* QNPAttribute::connectionsDictionary() {
    if (!m_persistent) return nullptr;
    CCDictionary* dict = CCDictionary::create();
    writeConnections(dict);
    return dict;
}

void QNPAttribute::writeAttributes(CCDictionary* dict) {
    (void)dict;
}

void QNPAttribute::writeConnections(CCDictionary* dict) {
    (void)dict;
}

void QNPAttribute::detach() {}

void QNPAttribute::changed() {}

void QNPAttribute::notifyOwner() {
    if (m_owner) m_owner->attributeNotice(this);
}

void QNPAttribute::notifyOwnerAgain() {
    if (m_owner) m_owner->attributeNoticeAgain(this);
}

void QNPAttribute::copyFrom(QNPAttribute* other) {
    if (!other) return;
    // The type code stays: it names this attribute's own class.
    m_flags = other->m_flags;
    m_visible = other->m_visible;
    m_persistent = other->m_persistent;
}

void QNPAttribute::show() {
    m_visible = true;
}

void QNPAttribute::hide() {
    m_visible = false;
}

void QNPAttribute::debugPrint() {}

std::vector<QNAnimationCurve::Key> QNPAttribute::keyframes(int state) {
    (void)state;
    return {};
}

std::vector<QNAnimationCurve*> QNPAttribute::curves(int state) {
    (void)state;
    return {};
}

void QNPAttribute::setCurves(const std::vector<QNAnimationCurve*>& curves, int state) {
    (void)curves;
    (void)state;
}
