#pragma once
// An RGBA colour of floats in 0..1, and the gradient: colour stops ordered by position.

#include <map>

#include "model/QNPAttribute.h"

/// One RGBA colour.
struct QNColor {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;
};

class QNPAttributeColor : public QNPAttribute {
public:
    QNPAttributeColor() : QNPAttribute(kTypeColor) {}

    const QNColor& color() const { return m_color; }
    /// Sets all four components and notifies.
    void setColor(const QNColor& color);
    void setColorSilently(const QNColor& color) { m_color = color; }

    void loadAttributes(cocos2d::CCDictionary* value) override;
    void copyFrom(QNPAttribute* other) override;

protected:
    void writeAttributes(cocos2d::CCDictionary* dict) override;

private:
    QNColor m_color;
};

class QNPAttributeGradient : public QNPAttribute {
public:
    QNPAttributeGradient() : QNPAttribute(kTypeGradient) {}

    /// The stops, by position ascending.
    const std::map<float, QNColor>& stops() const { return m_stops; }
    /// Sets the stop at `position` (replacing one at an equal position); NaN positions are refused.
    void setStop(float position, const QNColor& color);
    void clearStops() { m_stops.clear(); }

    void loadAttributes(cocos2d::CCDictionary* value) override;
    void copyFrom(QNPAttribute* other) override;

protected:
    void writeAttributes(cocos2d::CCDictionary* dict) override;

private:
    std::map<float, QNColor> m_stops;
};
