#include "presentation/QNAnimationCurve.h"

#include <cmath>

#include "framework/CCArray.h"
#include "framework/CCDictionary.h"
#include "framework/CCString.h"

using namespace cocos2d;

float QNAnimationCurve::valueAt(float t) const {
    const std::size_t count = m_keys.size();
    if (count == 0) return 0.0f;
    if (count == 1) return m_keys[0].value;

    // The segment starts at the last key before the first key later than t. Scanning this way
    // keeps the segment's time span positive even when loaded keys are out of order.
    std::size_t next = 0;
    while (next < count && !(m_keys[next].time > t)) ++next;
    if (next == 0) return m_keys[0].value;
    if (next == count) return m_keys[count - 1].value;

    const Key& a = m_keys[next - 1];
    const Key& b = m_keys[next];
    const float u = (t - a.time) / (b.time - a.time);
    const float v = 1.0f - u;
    switch (m_mode) {
    case kLinear:
        return v * a.value + u * b.value;
    case kBezier:
        return v * v * v * a.value + 3.0f * u * v * v * a.outHandle + 3.0f * u * u * v * b.inHandle +
               u * u * u * b.value;
    default:
        return 0.0f;
    }
}

void QNAnimationCurve::addKey(float value, float t) {
    for (Key& key : m_keys) {
        if (key.time == t) {
            key.inHandle = key.value = key.outHandle = value;
            return;
        }
    }
    std::size_t at = 0;
    while (at < m_keys.size() && !(m_keys[at].time > t)) ++at;
    Key key;
    key.time = t;
    key.inHandle = key.value = key.outHandle = value;
    m_keys.insert(m_keys.begin() + (long)at, key);

    // Inner keys get handles halfway towards their neighbours, shifted so their mean is the value.
    for (std::size_t i = 1; i + 1 < m_keys.size(); ++i) {
        Key& k = m_keys[i];
        float in = (m_keys[i - 1].value + k.value) / 2.0f;
        float out = (m_keys[i + 1].value + k.value) / 2.0f;
        const float d = ((k.value - out) + (k.value - in)) / 2.0f;
        k.inHandle = in + d;
        k.outHandle = out + d;
    }
}

std::vector<int> QNAnimationCurve::keyFrames() const {
    std::vector<int> frames;
    frames.reserve(m_keys.size());
    for (const Key& key : m_keys) {
        const double frame = std::round(key.time / (1.0 / 30.0));
        // Out-of-range times (only from damaged files) clamp instead of overflowing.
        frames.push_back(frame >= 2147483647.0    ? 2147483647
                         : frame <= -2147483648.0 ? -2147483647 - 1
                                                  : (int)frame);
    }
    return frames;
}

QNAnimationCurve QNAnimationCurve::copy() const {
    QNAnimationCurve result;
    for (const Key& key : m_keys) result.addKey(key.value, key.time);
    return result;
}

void QNAnimationCurve::load(CCDictionary* dict) {
    if (!dict) return;
    if (auto* points = dynamic_cast<CCArray*>(dict->objectForKey("points"))) {
        const unsigned int count = points->count();
        m_keys.reserve(m_keys.size() + count / 2);
        for (unsigned int i = 0; i + 1 < count; i += 2) {
            auto* timeValue = dynamic_cast<CCString*>(points->objectAtIndex(i));
            auto* handles = dynamic_cast<CCString*>(points->objectAtIndex(i + 1));
            if (!timeValue || !handles) continue;
            const CCPoint tv = CCPointFromString(timeValue->getCString());
            const CCPoint io = CCPointFromString(handles->getCString());
            Key key;
            key.time = tv.x;
            key.value = tv.y;
            key.inHandle = io.x;
            key.outHandle = io.y;
            m_keys.push_back(key);
        }
    }
    const CCString* preset = dict->valueForKey("preset");
    if (preset->length() > 0) m_preset = preset->intValue();
}

CCDictionary* QNAnimationCurve::save() const {
    CCDictionary* dict = CCDictionary::create();
    CCArray* points = CCArray::createWithCapacity((unsigned int)m_keys.size() * 2);
    for (const Key& key : m_keys) {
        points->addObject(CCString::createWithFormat("{%.3f,%.3f}", key.time, key.value));
        points->addObject(CCString::createWithFormat("{%.3f,%.3f}", key.inHandle, key.outHandle));
    }
    dict->setObject(points, "points");
    dict->setObject(CCString::createWithFormat("%d", m_preset), "preset");
    return dict;
}
