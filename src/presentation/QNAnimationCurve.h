#pragma once
// A keyframe curve: keys ordered by time, evaluated linearly or as cubic Bézier segments. Animatable
// attributes keep one curve per track (state) and ask it for the offset at a time.

#include <vector>

namespace cocos2d {
class CCDictionary;
}

class QNAnimationCurve {
public:
    /// How the segments between keys are evaluated.
    enum Mode { kLinear = 1, kBezier = 2 };

    /// One key: a time, its value and the two Bézier handles around it.
    struct Key {
        float inHandle = 0.0f;
        float time = 0.0f;
        float value = 0.0f;
        float outHandle = 0.0f;
    };

    QNAnimationCurve() = default;
    virtual ~QNAnimationCurve() = default;
    QNAnimationCurve(const QNAnimationCurve&) = default;
    QNAnimationCurve& operator=(const QNAnimationCurve&) = default;

    /// The curve's value at `t` seconds: 0 without keys, the end values outside the keys.
    float valueAt(float t) const;
    /// Adds (or replaces) the key at `t` and recomputes the handles of the inner keys.
    void addKey(float value, float t);
    /// Appends a key exactly as given (handles included), as loading does.
    void appendKey(const Key& key) { m_keys.push_back(key); }
    /// Each key's time in frames of 1/30 s, rounded, in key order.
    std::vector<int> keyFrames() const;
    /// A new curve (mode Bézier, preset 4) with the same keys added one by one, so its handles are
    /// recomputed.
    QNAnimationCurve copy() const;

    /// Appends the keys of a saved curve ("points" pairs of "{time,value}" and "{in,out}") and takes
    /// its "preset". Malformed elements are skipped. `dict` may be nullptr.
    virtual void load(cocos2d::CCDictionary* dict);
    /// The saved form of this curve, autoreleased.
    virtual cocos2d::CCDictionary* save() const;

    const std::vector<Key>& keys() const { return m_keys; }
    int mode() const { return m_mode; }
    void setMode(int mode) { m_mode = mode; }
    int preset() const { return m_preset; }
    void setPreset(int preset) { m_preset = preset; }

private:
    int m_mode = kBezier;
    std::vector<Key> m_keys;
    int m_preset = 4;
};
