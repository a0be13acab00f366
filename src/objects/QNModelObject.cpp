#include "objects/QNModelObject.h"

#include <cstdlib>

#include "framework/CCDictionary.h"
#include "framework/CCDirector.h"
#include "model/QNDataText.h"
#include "model/QNModelGeneralSettings.h"
#include "model/QNPAttributeBoolean.h"
#include "model/QNPAttributeFloat.h"
#include "model/QNPAttributeGroup.h"
#include "model/QNPAttributePoint.h"
#include "presentation/QNModelSpriteContainer.h"

using namespace cocos2d;

QNModelObject::QNModelObject(const std::string& className, const std::string& displayName)
    : QNModelCompound(className, displayName) {
    auto* transform = static_cast<QNPAttributeGroup*>(addAttribute("Transform", QNPAttribute::kTypeGroup));
    m_position =
        static_cast<QNPAttributePoint*>(addAttribute("Position", QNPAttribute::kTypePoint, 0, transform));
    m_rotation =
        static_cast<QNPAttributeFloat*>(addAttribute("Rotation", QNPAttribute::kTypeFloat, 0, transform));
    m_scale = static_cast<QNPAttributePoint*>(addAttribute("Scale", QNPAttribute::kTypePoint, 0, transform));
    m_scale->setDefault(ccp(1.0f, 1.0f));
    m_hidden =
        static_cast<QNPAttributeBoolean*>(addAttribute("Hidden", QNPAttribute::kTypeBoolean, 0, transform));
    addAttribute("Locked", QNPAttribute::kTypeBoolean, 0, transform);
    m_opacity = static_cast<QNPAttributeFloat*>(addAttribute("Opacity", QNPAttribute::kTypeFloat));
    m_opacity->setDefault(1.0f);
}

bool QNModelObject::initWithDictionary(CCDictionary* dict) {
    if (!QNModelCompound::initWithDictionary(dict)) return false;
    const std::string& depth = qn::textFor(dict, "zDepth");
    if (!depth.empty()) m_depth = (int)std::strtol(depth.c_str(), nullptr, 10);
    return true;
}

CCDictionary* QNModelObject::attributesDictionary() {
    CCDictionary* dict = QNModelCompound::attributesDictionary();
    qn::setText(dict, "zDepth", "%d", m_depth);
    return dict;
}

void QNModelObject::copyFrom(QNModel* other) {
    QNModelCompound::copyFrom(other);
    if (auto* object = dynamic_cast<QNModelObject*>(other)) m_depth = object->m_depth;
}

void QNModelObject::setPosition(const CCPoint& p) {
    m_position->set(p);
}
void QNModelObject::addPositionKey(const CCPoint& p, float time, int track) {
    m_position->addKey(track, p.x, p.y, time);
}
CCPoint QNModelObject::position(float time, int track) const {
    return m_position->value() + m_position->valueAt(time, track);
}
CCPoint QNModelObject::positionOffset(float time, int track) const {
    return m_position->valueAt(time, track);
}
void QNModelObject::setScale(const CCPoint& s) {
    m_scale->set(s);
}
void QNModelObject::addScaleKey(const CCPoint& s, float time, int track) {
    m_scale->addKey(track, s.x, s.y, time);
}
CCPoint QNModelObject::scale(float time, int track) const {
    return m_scale->value() + m_scale->valueAt(time, track);
}
CCPoint QNModelObject::scaleOffset(float time, int track) const {
    return m_scale->valueAt(time, track);
}
void QNModelObject::setRotation(float degrees) {
    m_rotation->set(degrees);
}
void QNModelObject::addRotationKey(float degrees, float time, int track) {
    m_rotation->addKey(track, time, degrees);
}
float QNModelObject::rotation(float time, int track) const {
    return m_rotation->value() + m_rotation->valueAt(time, track);
}
float QNModelObject::rotationOffset(float time, int track) const {
    return m_rotation->valueAt(time, track);
}
float QNModelObject::opacity(float time, int track) const {
    return m_opacity->value() + m_opacity->valueAt(time, track);
}
void QNModelObject::setOpacity(float opacity) {
    m_opacity->set(opacity);
}
float QNModelObject::opacityOffset(float time, int track) const {
    return m_opacity->valueAt(time, track);
}

bool QNModelObject::isHidden() const {
    return m_hidden->value();
}

CCSize QNModelObject::contentSize() const {
    if (auto* container = dynamic_cast<QNModelSpriteContainer*>(displayAnimation())) {
        const CCSize size = container->frameSize();
        if (size.width > 0 || size.height > 0) return size;
    }
    return CCSize(100.0f, 100.0f);
}

namespace {

/// One coordinate kept at its distance to the near edge when in the outer 30 % of `design`.
float anchorAxis(float v, float design, float visible, float origin) {
    if (v > design * 0.7f) return visible + origin - (design - v);
    if (v < design * 0.3f) return v + origin;
    return v;
}

} // namespace

CCPoint QNModelObject::anchoredToScreen(const CCPoint& point) {
    QNModelGeneralSettings* settings = QNModelGeneralSettings::generalSettings();
    const bool portrait = !settings || settings->isPortrait();
    const CCSize design = portrait ? CCSize(640.0f, 1136.0f) : CCSize(1136.0f, 640.0f);
    CCDirector* director = CCDirector::sharedDirector();
    const CCSize visible = director->getVisibleSize();
    const CCPoint origin = director->getVisibleOrigin();
    return ccp(anchorAxis(point.x, design.width, visible.width, origin.x),
               anchorAxis(point.y, design.height, visible.height, origin.y));
}

CCPoint QNModelObject::screenAnchoredPosition(float time, int track, const CCPoint& offset) const {
    return anchoredToScreen(position(time, track) + offset);
}
