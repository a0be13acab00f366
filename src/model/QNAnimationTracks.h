#pragma once
// The keyframe curves of an animatable attribute, one per track (state). Saved as an array of
// {"state", "animation"} dictionaries.

#include <map>

#include "presentation/QNAnimationCurve.h"

namespace cocos2d {
class CCArray;
class CCObject;
} // namespace cocos2d

class QNAnimationTracks {
public:
    bool empty() const { return m_curves.empty(); }
    /// The curve of `state`, or nullptr.
    QNAnimationCurve* curve(int state);
    /// The curve of `state`, created empty when missing.
    QNAnimationCurve& curveCreating(int state);
    /// The track's value at `time`; 0 when the track has no curve.
    float valueAt(float time, int state) const;
    /// Replaces every track with the ones stored in `stored` (an array; anything else reads as none).
    void load(cocos2d::CCObject* stored);
    /// The stored form, autoreleased.
    cocos2d::CCArray* save() const;
    /// Replaces the curve of `state` with a copy of `curve`.
    void setCurve(int state, const QNAnimationCurve& curve) { m_curves[state] = curve; }

private:
    std::map<int, QNAnimationCurve> m_curves;
};
