#pragma once
// The playback rule that menu widgets share (buttons, images, labels): each keeps its own time
// and plays the screen's stage as its track. Every frame the time grows; rotation, scale and
// position come from the model at (time, stage); the opacity of the widget's children is the
// model's opacity there times a multiplier; an "Autohide" above 0 fades every child out over 2 s
// once the time reaches it, after which the opacity track no longer applies.

#include "framework/CCGeometry.h"

namespace cocos2d {
class CCNode;
}

class QNModel;

/// A placed-object model's transform and opacity at one time of one track.
struct QNWidgetPose {
    cocos2d::CCPoint position;
    float rotation = 0.0f;
    cocos2d::CCPoint scale{1.0f, 1.0f};
    float opacity = 1.0f;
};

/// Reads "Position", "Rotation", "Scale" and "Opacity" of `model` at (time, stage): each value plus
/// its track's curve offset. Missing attributes give (0, 0), 0, (1, 1) and 1.
QNWidgetPose widgetPoseAt(const QNModel* model, float time, int stage);

/// clamp(opacity × multiplier, 0, 1) × 255, cut to a whole number.
unsigned char widgetOpacity(float opacity, float multiplier);

class QNWidgetPlayback {
public:
    /// Maps an authored position to the screen-anchored one ("Stick To Edge"); installed by the
    /// object layer. Without one, positions are used as they are.
    using EdgeAnchor = cocos2d::CCPoint (*)(const QNModel* model, const cocos2d::CCPoint& position);
    static void setEdgeAnchor(EdgeAnchor anchor);

    /// The model played (not retained; nullptr plays nothing).
    void setModel(const QNModel* model) { m_model = model; }
    /// Time back to 0 (a new stage, or the screen restarting its animations).
    void reset() { m_time = 0.0f; }
    void setStage(int stage) { m_stage = stage; }
    /// Seconds until the fade ("Autohide"); 0 never fades.
    void setAutohide(float seconds) { m_autohide = seconds; }
    /// Whether the position is screen-anchored ("Stick To Edge").
    void setStickToEdge(bool stick) { m_stickToEdge = stick; }

    /// One frame on `node`: time += dt, the autohide fade when due (only while the node is
    /// visible), then rotation, scale and position, and unless faded the opacity of every child.
    void step(cocos2d::CCNode* node, float dt, float opacityMultiplier = 1.0f);
    /// Sets rotation, scale and position of `node` from the model at the current (time, stage).
    void applyTransform(cocos2d::CCNode* node) const;

    float time() const { return m_time; }
    int stage() const { return m_stage; }
    bool faded() const { return m_faded; }

private:
    void applyPose(cocos2d::CCNode* node, const QNWidgetPose& pose) const;

    const QNModel* m_model = nullptr;
    float m_time = 0.0f;
    int m_stage = 0;
    float m_autohide = 0.0f;
    bool m_stickToEdge = false;
    bool m_faded = false;
};
