#pragma once
// A switch with per-track keyframe curves.

#include "model/QNAnimationTracks.h"
#include "model/QNPAttribute.h"

class QNPAttributeBoolean : public QNPAttribute {
public:
    QNPAttributeBoolean() : QNPAttribute(kTypeBoolean) {}

    /// Sets value and default together.
    void setDefault(bool value) { m_value = m_defaultValue = value; }
    /// Sets the value; notifies unless `silent`.
    void set(bool value, bool silent = false);
    bool value() const { return m_value; }
    bool defaultValue() const { return m_defaultValue; }
    /// The track's curve at `time` (0 without a curve).
    float valueAt(float time, int state) const { return m_animations.valueAt(time, state); }

    void loadAttributes(cocos2d::CCDictionary* value) override;
    void copyFrom(QNPAttribute* other) override;
    std::vector<QNAnimationCurve::Key> keyframes(int state) override;
    std::vector<QNAnimationCurve*> curves(int state) override;

protected:
    void writeAttributes(cocos2d::CCDictionary* dict) override;

private:
    bool m_value = false;
    bool m_defaultValue = false;
    QNAnimationTracks m_animations;
};
