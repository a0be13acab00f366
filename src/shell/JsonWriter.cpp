#include "shell/JsonWriter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qn {

namespace {

/// Length of the well-formed UTF-8 sequence starting at `i`, 0 when it is not one.
size_t utf8Length(const std::string& text, size_t i) {
    auto at = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = at(i);
    size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                    : lead >= 0xE0 && lead <= 0xEF ? 3
                    : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                   : 0;
    if (length == 0 || i + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k)
        if ((at(i + k) & 0xC0) != 0x80) return 0;
    unsigned char second = at(i + 1);
    // No overlong forms, no surrogates, nothing past U+10FFFF.
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

} // namespace

std::string JsonWriter::quote(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 2);
    out.push_back('"');
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else if (c < 0x80) {
                out.push_back(static_cast<char>(c));
            } else if (size_t length = utf8Length(text, i)) {
                out.append(text, i, length);
                i += length - 1;
            } else {
                // A byte that is not UTF-8 would make the whole file unreadable as JSON.
                out += "\\ufffd";
            }
        }
    }
    out.push_back('"');
    return out;
}

void JsonWriter::beforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_hasElement.empty()) {
        if (m_hasElement.back()) m_out += ", ";
        m_hasElement.back() = true;
    }
}

JsonWriter& JsonWriter::beginObject() {
    beforeValue();
    m_out.push_back('{');
    m_hasElement.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    if (!m_hasElement.empty()) m_hasElement.pop_back();
    m_out.push_back('}');
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    beforeValue();
    m_out.push_back('[');
    m_hasElement.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    if (!m_hasElement.empty()) m_hasElement.pop_back();
    m_out.push_back(']');
    return *this;
}

JsonWriter& JsonWriter::key(const std::string& name) {
    beforeValue();
    m_out += quote(name);
    m_out += ": ";
    m_afterKey = true;
    return *this;
}

JsonWriter& JsonWriter::value(const std::string& text) {
    beforeValue();
    m_out += quote(text);
    return *this;
}

JsonWriter& JsonWriter::value(const char* text) {
    if (!text) return null();
    return value(std::string(text));
}

JsonWriter& JsonWriter::value(bool flag) {
    beforeValue();
    m_out += flag ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::value(std::int64_t number) {
    beforeValue();
    m_out += std::to_string(number);
    return *this;
}

namespace {

/// The shortest decimal form that reads back as the same number at the given precision.
template <typename Number> std::string shortestDecimal(Number number, int maxDigits) {
    char buffer[40];
    // Whole numbers in the exactly representable range print as integers ("1280", not "1.28e+03").
    if (number == std::floor(number) && std::fabs(static_cast<double>(number)) < 9007199254740992.0) {
        std::snprintf(buffer, sizeof buffer, "%.0f", static_cast<double>(number));
        return std::string(buffer) == "-0" ? "0" : buffer;
    }
    for (int digits = 1; digits <= maxDigits; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*g", digits, static_cast<double>(number));
        if (static_cast<Number>(std::strtod(buffer, nullptr)) == number) break;
    }
    std::string text = buffer;
    return text == "-0" ? "0" : text;
}

} // namespace

JsonWriter& JsonWriter::value(double number) {
    if (!std::isfinite(number)) return null();
    beforeValue();
    m_out += shortestDecimal(number, 17);
    return *this;
}

JsonWriter& JsonWriter::value(float number) {
    if (!std::isfinite(number)) return null();
    beforeValue();
    m_out += shortestDecimal(number, 9);
    return *this;
}

JsonWriter& JsonWriter::null() {
    beforeValue();
    m_out += "null";
    return *this;
}

} // namespace qn
