#include "model/QNAnimationTracks.h"

#include "framework/CCArray.h"
#include "framework/CCDictionary.h"
#include "model/QNDataText.h"

using namespace cocos2d;

QNAnimationCurve* QNAnimationTracks::curve(int state) {
    auto it = m_curves.find(state);
    return it == m_curves.end() ? nullptr : &it->second;
}

QNAnimationCurve& QNAnimationTracks::curveCreating(int state) {
    return m_curves[state];
}

float QNAnimationTracks::valueAt(float time, int state) const {
    auto it = m_curves.find(state);
    return it == m_curves.end() ? 0.0f : it->second.valueAt(time);
}

void QNAnimationTracks::load(CCObject* stored) {
    std::map<int, QNAnimationCurve> read;
    if (auto* array = dynamic_cast<CCArray*>(stored)) {
        for (CCObject* element : array->data()) {
            auto* entry = dynamic_cast<CCDictionary*>(element);
            if (!entry) continue;
            const int state = ccTextToInt(qn::textFor(entry, "state").c_str());
            if (auto* animation = dynamic_cast<CCDictionary*>(entry->objectForKey("animation"))) {
                QNAnimationCurve curve;
                curve.load(animation);
                read[state] = curve;
            }
        }
    }
    m_curves.swap(read);
}

CCArray* QNAnimationTracks::save() const {
    CCArray* array = CCArray::createWithCapacity((unsigned int)m_curves.size());
    for (const auto& track : m_curves) {
        CCDictionary* entry = CCDictionary::create();
        qn::setText(entry, "state", "%u", (unsigned int)track.first);
        entry->setObject(track.second.save(), "animation");
        array->addObject(entry);
    }
    return array;
}
