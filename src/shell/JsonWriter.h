#pragma once
// A small streaming JSON writer: objects, arrays, strings (escaped), numbers and literals, on one
// line with ", " and ": " separators. Commas are placed automatically.

#include <cstdint>
#include <string>
#include <vector>

namespace qn {

class JsonWriter {
public:
    /// Starts an object or array (as a value, or after key()).
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    /// Names the next value of the current object.
    JsonWriter& key(const std::string& name);

    JsonWriter& value(const std::string& text);
    JsonWriter& value(const char* text);
    JsonWriter& value(bool flag);
    JsonWriter& value(int number) { return value(static_cast<std::int64_t>(number)); }
    JsonWriter& value(unsigned number) { return value(static_cast<std::int64_t>(number)); }
    JsonWriter& value(std::int64_t number);
    /// NaN and infinities are written as null (JSON has no such numbers).
    JsonWriter& value(double number);
    JsonWriter& value(float number);
    JsonWriter& null();

    /// What has been written so far.
    const std::string& str() const { return m_out; }

    /// `text` as a quoted JSON string.
    static std::string quote(const std::string& text);

private:
    void beforeValue();
    std::string m_out;
    /// One entry per open container: true once it holds an element.
    std::vector<bool> m_hasElement;
    bool m_afterKey = false;
};

} // namespace qn
