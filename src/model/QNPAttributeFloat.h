#pragma once
// A number with a range, a random spread ("variable") and per-track keyframe curves.

#include <cfloat>

#include "model/QNAnimationTracks.h"
#include "model/QNPAttribute.h"

class QNPAttributeFloat : public QNPAttribute {
public:
    QNPAttributeFloat() : QNPAttribute(kTypeFloat) {}

    /// Sets value and default together, clamped to the range.
    void setDefault(float value);
    /// Sets the value, clamped; notifies unless `silent`.
    void set(float value, bool silent = false);
    /// Sets the value from an integer, clamped, and notifies.
    void setInt(int value);
    /// Sets variable and default variable together (notifies).
    void setDefaultVariable(float variable);
    void setVariable(float variable) { m_variable = variable; }
    void setMinimum(float minimum) { m_minimum = minimum; }
    void setMaximum(float maximum) { m_maximum = maximum; }
    void setUseDefault(bool useDefault) { m_useDefault = useDefault; }
    void setUseDefaultVariable(bool useDefault) { m_useDefaultVariable = useDefault; }
    void setEmpty(bool empty) { m_isEmpty = empty; }

    float value() const { return m_value; }
    float variable() const { return m_variable; }
    float defaultValue() const { return m_defaultValue; }
    float defaultVariable() const { return m_defaultVariable; }
    float minimum() const { return m_minimum; }
    float maximum() const { return m_maximum; }
    bool useDefault() const { return m_useDefault; }
    bool useDefaultVariable() const { return m_useDefaultVariable; }
    bool isEmpty() const { return m_isEmpty; }
    /// value + variable × a uniform draw in [-1, 1].
    float randomValue() const;
    /// The track's curve at `time`; 0 when the track has none.
    float valueAt(float time, int state) const { return m_animations.valueAt(time, state); }
    /// Adds a key to the track's curve, creating it.
    void addKey(int state, float time, float value);

    void loadAttributes(cocos2d::CCDictionary* value) override;
    void copyFrom(QNPAttribute* other) override;
    void debugPrint() override;
    std::vector<QNAnimationCurve::Key> keyframes(int state) override;
    std::vector<QNAnimationCurve*> curves(int state) override;
    void setCurves(const std::vector<QNAnimationCurve*>& curves, int state) override;

protected:
    void writeAttributes(cocos2d::CCDictionary* dict) override;

private:
    float clamp(float value) const;

    float m_minimum = -FLT_MAX;
    float m_maximum = FLT_MAX;
    bool m_isEmpty = false;
    bool m_useDefault = true;
    bool m_useDefaultVariable = true;
    float m_defaultValue = 0.0f;
    float m_defaultVariable = 0.0f;
    float m_variable = 0.0f;
    float m_value = 0.0f;
    QNAnimationTracks m_animations;
};
