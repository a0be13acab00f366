#include "framework/CCString.h"

#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "framework/CCFileUtils.h"

namespace cocos2d {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

const char* skipSpaces(const char* p, const char* end) {
    while (p < end && isSpace(*p)) ++p;
    return p;
}

/// Reads a decimal number at `p` (no leading spaces). Returns the end of the number, or nullptr when
/// there is none or it is not a finite double. std::from_chars ignores the locale.
template <typename T> const char* readNumber(const char* p, const char* end, T* out) {
    if (p < end && *p == '+') {
        ++p;
        if (p >= end || !(isDigit(*p) || *p == '.')) return nullptr;
    }
    if (p >= end) return nullptr;
    // from_chars would accept "inf" and "nan"; the data files never mean those.
    const char* q = (*p == '-') ? p + 1 : p;
    if (q >= end || !(isDigit(*q) || *q == '.')) return nullptr;
    T value = 0;
    auto result = std::from_chars(p, end, value, std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(value)) return nullptr;
    *out = value;
    return result.ptr;
}

/// Leading integer of `text` as a sign and a magnitude saturated at ULLONG_MAX / 2.
bool readInteger(const char* text, bool* negative, unsigned long long* magnitude) {
    *negative = false;
    *magnitude = 0;
    if (!text) return false;
    const char* p = text;
    while (isSpace(*p)) ++p;
    if (*p == '-' || *p == '+') {
        *negative = (*p == '-');
        ++p;
    }
    if (!isDigit(*p)) return false;
    const unsigned long long cap = ULLONG_MAX / 2;
    for (; isDigit(*p); ++p) {
        unsigned long long digit = (unsigned long long)(*p - '0');
        *magnitude = (*magnitude > (cap - digit) / 10) ? cap : *magnitude * 10 + digit;
    }
    return true;
}

/// Cursor over a braced geometry text such as "{{1, 2}, {3, 4}}".
struct BraceReader {
    const char* p;
    const char* end;
    bool ok = true;

    void expect(char c) {
        p = skipSpaces(p, end);
        if (ok && p < end && *p == c) {
            ++p;
        } else {
            ok = false;
        }
    }
    float number() {
        p = skipSpaces(p, end);
        float value = 0.0f;
        const char* next = ok ? readNumber(p, end, &value) : nullptr;
        if (!next) {
            ok = false;
            return 0.0f;
        }
        p = next;
        return value;
    }
    void pair(float* a, float* b) {
        expect('{');
        *a = number();
        expect(',');
        *b = number();
        expect('}');
    }
    bool finished() {
        p = skipSpaces(p, end);
        return ok && p == end;
    }
};

BraceReader readerFor(const char* text) {
    const char* begin = text ? text : "";
    return BraceReader{begin, begin + std::strlen(begin)};
}

} // namespace

CCString* CCString::create(const std::string& text) {
    CCString* s = new CCString(text);
    s->autorelease();
    return s;
}

CCString* CCString::createWithFormat(const char* format, ...) {
    if (!format) return create("");
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int needed = vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (needed > 0) {
        std::vector<char> buffer((size_t)needed + 1);
        vsnprintf(buffer.data(), buffer.size(), format, args);
        text.assign(buffer.data(), (size_t)needed);
    }
    va_end(args);
    return create(text);
}

CCString* CCString::createWithData(const unsigned char* data, unsigned long length) {
    if (!data) return create("");
    return create(std::string(reinterpret_cast<const char*>(data), length));
}

CCString* CCString::createWithContentsOfFile(const char* path) {
    bool ok = false;
    std::vector<unsigned char> bytes = CCFileUtils::sharedFileUtils()->getDataFromFile(path ? path : "", &ok);
    if (!ok) return nullptr;
    return create(std::string(bytes.begin(), bytes.end()));
}

int CCString::compare(const char* text) const {
    return std::strcmp(m_sString.c_str(), text ? text : "");
}

bool CCString::isEqual(const CCObject* object) const {
    const CCString* other = dynamic_cast<const CCString*>(object);
    return other && other->m_sString == m_sString;
}

int CCString::intValue() const {
    return ccTextToInt(m_sString.c_str());
}
unsigned int CCString::uintValue() const {
    return ccTextToUInt(m_sString.c_str());
}
float CCString::floatValue() const {
    return ccTextToFloat(m_sString.c_str());
}
double CCString::doubleValue() const {
    return ccTextToDouble(m_sString.c_str());
}
bool CCString::boolValue() const {
    return ccTextToBool(m_sString.c_str());
}

int ccTextToInt(const char* text) {
    bool negative = false;
    unsigned long long magnitude = 0;
    if (!readInteger(text, &negative, &magnitude)) return 0;
    if (negative) return magnitude >= (unsigned long long)INT_MAX + 1 ? INT_MIN : -(int)magnitude;
    return magnitude > (unsigned long long)INT_MAX ? INT_MAX : (int)magnitude;
}

unsigned int ccTextToUInt(const char* text) {
    bool negative = false;
    unsigned long long magnitude = 0;
    if (!readInteger(text, &negative, &magnitude)) return 0;
    // A negative id wraps the way the 32-bit writers produced it ("-1" is 0xFFFFFFFF).
    if (negative) return (unsigned int)ccTextToInt(text);
    return magnitude > (unsigned long long)UINT_MAX ? UINT_MAX : (unsigned int)magnitude;
}

double ccTextToDouble(const char* text) {
    if (!text) return 0.0;
    const char* end = text + std::strlen(text);
    double value = 0.0;
    return readNumber(skipSpaces(text, end), end, &value) ? value : 0.0;
}

float ccTextToFloat(const char* text) {
    // Read as a float directly: going through a double could round twice.
    if (!text) return 0.0f;
    const char* end = text + std::strlen(text);
    float value = 0.0f;
    return readNumber(skipSpaces(text, end), end, &value) ? value : 0.0f;
}

bool ccTextToBool(const char* text) {
    if (!text) return false;
    const char* end = text + std::strlen(text);
    const char* p = skipSpaces(text, end);
    while (end > p && isSpace(end[-1])) --end;
    std::string word(p, end);
    for (char& c : word) c = (char)((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c);
    if (word == "true" || word == "yes") return true;
    double value = 0.0;
    return readNumber(p, end, &value) && value != 0.0;
}

std::string ccFloatToText(float value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string ccDoubleToText(double value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

CCPoint CCPointFromString(const char* text) {
    BraceReader r = readerFor(text);
    float x = 0, y = 0;
    r.pair(&x, &y);
    return r.finished() ? CCPoint(x, y) : CCPoint();
}

CCSize CCSizeFromString(const char* text) {
    BraceReader r = readerFor(text);
    float w = 0, h = 0;
    r.pair(&w, &h);
    return r.finished() ? CCSize(w, h) : CCSize();
}

CCRect CCRectFromString(const char* text) {
    BraceReader r = readerFor(text);
    float x = 0, y = 0, w = 0, h = 0;
    r.expect('{');
    r.pair(&x, &y);
    r.expect(',');
    r.pair(&w, &h);
    r.expect('}');
    return r.finished() ? CCRect(x, y, w, h) : CCRect();
}

} // namespace cocos2d
