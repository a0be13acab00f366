#include "model/QNPAttributeColor.h"

#include <cmath>

#include "framework/CCArray.h"
#include "framework/CCDictionary.h"
#include "model/QNDataText.h"

using namespace cocos2d;

namespace {
float floatFor(CCDictionary* dict, const char* key) {
    return ccTextToFloat(qn::textFor(dict, key).c_str());
}

QNColor colorFor(CCDictionary* dict) {
    QNColor color;
    color.r = floatFor(dict, "r");
    color.g = floatFor(dict, "g");
    color.b = floatFor(dict, "b");
    color.a = floatFor(dict, "a");
    return color;
}

void writeColor(CCDictionary* dict, const QNColor& color) {
    qn::setText(dict, "r", "%f", color.r);
    qn::setText(dict, "g", "%f", color.g);
    qn::setText(dict, "b", "%f", color.b);
    qn::setText(dict, "a", "%f", color.a);
}
} // namespace

void QNPAttributeColor::setColor(const QNColor& color) {
    m_color = color;
    changed();
}

void QNPAttributeColor::loadAttributes(CCDictionary* value) {
    QNPAttribute::loadAttributes(value);
    m_color = colorFor(value);
}

void QNPAttributeColor::writeAttributes(CCDictionary* dict) {
    writeColor(dict, m_color);
}

void QNPAttributeColor::copyFrom(QNPAttribute* other) {
    QNPAttribute::copyFrom(other);
    if (auto* that = dynamic_cast<QNPAttributeColor*>(other)) m_color = that->m_color;
}

void QNPAttributeGradient::setStop(float position, const QNColor& color) {
    // A NaN key would break the ordering of the stops.
    if (std::isnan(position)) return;
    m_stops[position == 0.0f ? 0.0f : position] = color;
}

void QNPAttributeGradient::loadAttributes(CCDictionary* value) {
    QNPAttribute::loadAttributes(value);
    if (!value) return;
    auto* gradients = dynamic_cast<CCArray*>(value->objectForKey("gradients"));
    if (!gradients) return;
    for (CCObject* element : gradients->data()) {
        auto* stop = dynamic_cast<CCDictionary*>(element);
        if (stop) setStop(floatFor(stop, "pos"), colorFor(stop));
    }
}

void QNPAttributeGradient::writeAttributes(CCDictionary* dict) {
    if (m_stops.empty()) return;
    CCArray* gradients = CCArray::createWithCapacity((unsigned int)m_stops.size());
    for (const auto& stop : m_stops) {
        CCDictionary* entry = CCDictionary::create();
        qn::setText(entry, "pos", "%f", stop.first);
        writeColor(entry, stop.second);
        gradients->addObject(entry);
    }
    dict->setObject(gradients, "gradients");
}

void QNPAttributeGradient::copyFrom(QNPAttribute* other) {
    QNPAttribute::copyFrom(other);
    if (auto* that = dynamic_cast<QNPAttributeGradient*>(other)) m_stops = that->m_stops;
}
