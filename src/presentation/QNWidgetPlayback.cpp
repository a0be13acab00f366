#include "presentation/QNWidgetPlayback.h"

#include <algorithm>

#include "framework/CCActionInterval.h"
#include "framework/CCArray.h"
#include "framework/CCNode.h"
#include "framework/CCNodeRGBA.h"
#include "model/QNModel.h"
#include "model/QNPAttributeFloat.h"
#include "model/QNPAttributePoint.h"
#include "objects/QNModelObject.h"

using namespace cocos2d;

namespace {

QNWidgetPlayback::EdgeAnchor g_edgeAnchor = nullptr;

/// Seconds the autohide fade lasts.
constexpr float kFadeSeconds = 2.0f;

} // namespace

QNWidgetPose widgetPoseAt(const QNModel* model, float time, int stage) {
    QNWidgetPose pose;
    if (!model) return pose;
    // Placed-object models keep their four attributes at hand: no lookups by name every frame.
    if (auto* object = dynamic_cast<const QNModelObject*>(model)) {
        pose.position = object->position(time, stage);
        pose.rotation = object->rotation(time, stage);
        pose.scale = object->scale(time, stage);
        pose.opacity = object->opacity(time, stage);
        return pose;
    }
    if (auto* p = dynamic_cast<QNPAttributePoint*>(model->attributeNamed("Position")))
        pose.position = p->value() + p->valueAt(time, stage);
    if (auto* r = dynamic_cast<QNPAttributeFloat*>(model->attributeNamed("Rotation")))
        pose.rotation = r->value() + r->valueAt(time, stage);
    if (auto* s = dynamic_cast<QNPAttributePoint*>(model->attributeNamed("Scale")))
        pose.scale = s->value() + s->valueAt(time, stage);
    if (auto* o = dynamic_cast<QNPAttributeFloat*>(model->attributeNamed("Opacity")))
        pose.opacity = o->value() + o->valueAt(time, stage);
    return pose;
}

unsigned char widgetOpacity(float opacity, float multiplier) {
    const float v = std::clamp(opacity * multiplier, 0.0f, 1.0f);
    return (unsigned char)(v * 255.0f);
}

void QNWidgetPlayback::setEdgeAnchor(EdgeAnchor anchor) {
    g_edgeAnchor = anchor;
}

void QNWidgetPlayback::applyTransform(CCNode* node) const {
    if (node && m_model) applyPose(node, widgetPoseAt(m_model, m_time, m_stage));
}

void QNWidgetPlayback::applyPose(CCNode* node, const QNWidgetPose& pose) const {
    node->setRotation(pose.rotation);
    node->setScaleX(pose.scale.x);
    node->setScaleY(pose.scale.y);
    node->setPosition(m_stickToEdge && g_edgeAnchor ? g_edgeAnchor(m_model, pose.position) : pose.position);
}

void QNWidgetPlayback::step(CCNode* node, float dt, float opacityMultiplier) {
    if (!node || !m_model) return;
    m_time += dt;
    if (m_autohide > 0.0f && node->isVisible() && !m_faded && m_time >= m_autohide) {
        CCObject* object = nullptr;
        CCARRAY_FOREACH(node->getChildren(), object) {
            if (auto* child = dynamic_cast<CCNode*>(object))
                child->runAction(CCFadeTo::create(kFadeSeconds, 0));
        }
        m_faded = true;
    }
    const QNWidgetPose pose = widgetPoseAt(m_model, m_time, m_stage);
    applyPose(node, pose);
    if (m_faded) return;
    const unsigned char opacity = widgetOpacity(pose.opacity, opacityMultiplier);
    CCObject* object = nullptr;
    CCARRAY_FOREACH(node->getChildren(), object) {
        if (auto* rgba = dynamic_cast<CCRGBAProtocol*>(object)) rgba->setOpacity(opacity);
    }
}
