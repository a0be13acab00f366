#pragma once
// A reference-counted text value, and the text-to-number and text-to-geometry conversions that the
// data files rely on. Every conversion is lenient, locale-independent and total: text that does not
// hold what is asked for gives zero, never an exception or undefined behaviour.

#include <string>

#include "framework/CCGeometry.h"
#include "framework/CCObject.h"

namespace cocos2d {

class CCString : public CCObject {
public:
    CCString() = default;
    explicit CCString(const char* text) : m_sString(text ? text : "") {}
    explicit CCString(std::string text) : m_sString(std::move(text)) {}

    /// An autoreleased string holding a copy of `text`.
    static CCString* create(const std::string& text);
    /// An autoreleased string built printf-style (no length limit).
    static CCString* createWithFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
    /// An autoreleased string of `length` bytes copied from `data` (may hold any bytes).
    static CCString* createWithData(const unsigned char* data, unsigned long length);
    /// An autoreleased string holding a whole file's bytes, or nullptr when it cannot be read.
    static CCString* createWithContentsOfFile(const char* path);

    /// The text; valid while this string lives and is not changed.
    const char* getCString() const { return m_sString.c_str(); }
    const std::string& getString() const { return m_sString; }
    unsigned int length() const { return (unsigned int)m_sString.size(); }
    /// strcmp-style comparison with `text` (nullptr compares as "").
    int compare(const char* text) const;
    /// True for another CCString with the same bytes.
    bool isEqual(const CCObject* object) const override;

    /// Leading decimal integer ("12abc" is 12, "3.9" is 3), clamped to the int range; 0 when none.
    int intValue() const;
    /// Like intValue but unsigned 32-bit: "4294967295" is itself, "-1" wraps to 4294967295.
    unsigned int uintValue() const;
    /// Leading decimal number with '.' as the point in every locale; 0 when none or not finite.
    float floatValue() const;
    double doubleValue() const;
    /// "true" or "yes" (any case) or a non-zero number is true; anything else is false.
    bool boolValue() const;

    std::string m_sString;
};

/// The conversions behind CCString's value getters, for callers holding plain text.
int ccTextToInt(const char* text);
unsigned int ccTextToUInt(const char* text);
double ccTextToDouble(const char* text);
float ccTextToFloat(const char* text);
bool ccTextToBool(const char* text);
/// Shortest text that reads back as exactly `value` ("0.1", "1e+30"), in every locale.
std::string ccFloatToText(float value);
std::string ccDoubleToText(double value);

/// "{x,y}" (spaces allowed anywhere between the parts) as a point; (0, 0) for anything else.
CCPoint CCPointFromString(const char* text);
/// "{w,h}" as a size; (0, 0) for anything else.
CCSize CCSizeFromString(const char* text);
/// "{{x,y},{w,h}}" as a rectangle; all zeros for anything else.
CCRect CCRectFromString(const char* text);

} // namespace cocos2d
