#pragma once
// A point with a random spread and per-track keyframe curves for x and for y.

#include "framework/CCGeometry.h"
#include "model/QNAnimationTracks.h"
#include "model/QNPAttribute.h"

class QNPAttributePoint : public QNPAttribute {
public:
    QNPAttributePoint() : QNPAttribute(kTypePoint) {}

    /// Sets value and default together.
    void setDefault(const cocos2d::CCPoint& value);
    /// Sets the value; notifies unless `silent`.
    void set(const cocos2d::CCPoint& value, bool silent = false);
    void setVariable(const cocos2d::CCPoint& variable) { m_variable = variable; }
    void setXEmpty(bool empty) { m_isXEmpty = empty; }
    void setYEmpty(bool empty) { m_isYEmpty = empty; }
    void setUseDefault(bool useDefault) { m_useDefault = useDefault; }

    const cocos2d::CCPoint& value() const { return m_value; }
    const cocos2d::CCPoint& variable() const { return m_variable; }
    const cocos2d::CCPoint& defaultValue() const { return m_defaultValue; }
    bool isXEmpty() const { return m_isXEmpty; }
    bool isYEmpty() const { return m_isYEmpty; }
    bool useDefault() const { return m_useDefault; }
    /// (value.x + variable.x × u₂, value.y + variable.y × u₁), u₁ drawn first.
    cocos2d::CCPoint randomValue() const;
    /// (x curve, y curve) of the track at `time`; a missing curve gives 0.
    cocos2d::CCPoint valueAt(float time, int state) const;
    /// Adds a key to both curves of the track.
    void addKey(int state, float x, float y, float time);

    void loadAttributes(cocos2d::CCDictionary* value) override;
    void copyFrom(QNPAttribute* other) override;
    void debugPrint() override;
    /// The x curve's keys.
    std::vector<QNAnimationCurve::Key> keyframes(int state) override;
    /// The x and y curves of the track (both or none).
    std::vector<QNAnimationCurve*> curves(int state) override;
    /// Installs copies of curves[0] (x) and curves[1] (y).
    void setCurves(const std::vector<QNAnimationCurve*>& curves, int state) override;

protected:
    void writeAttributes(cocos2d::CCDictionary* dict) override;

private:
    cocos2d::CCPoint m_variable;
    cocos2d::CCPoint m_value;
    cocos2d::CCPoint m_defaultValue;
    bool m_isXEmpty = false;
    bool m_isYEmpty = false;
    bool m_useDefault = true;
    QNAnimationTracks m_animationsX;
    QNAnimationTracks m_animationsY;
};
