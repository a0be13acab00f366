#include "model/QNDataText.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

using namespace cocos2d;

namespace qn {
namespace {
const std::string kEmpty;
} // namespace

const std::string& textFor(CCDictionary* dict, const char* key) {
    if (!dict) return kEmpty;
    auto* text = dynamic_cast<CCString*>(dict->objectForKey(key));
    return text ? text->getString() : kEmpty;
}

bool isPresent(CCDictionary* dict, const char* key) {
    return !textFor(dict, key).empty();
}

bool textToBool(const std::string& text) {
    return !(text.empty() || text == "0" || text == "false");
}

CCPoint textToPoint(const std::string& text) {
    return CCPointFromString(text.c_str());
}

void setText(CCDictionary* dict, const char* key, const char* format, ...) {
    char buffer[512];
    va_list args;
    va_start(args, format);
    int length = vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (length < 0) length = 0;
    if (length >= (int)sizeof buffer) {
        // Very large numbers printed with %f can pass the buffer; format again at full length.
        std::string big((std::size_t)length + 1, '\0');
        va_start(args, format);
        vsnprintf(&big[0], big.size(), format, args);
        va_end(args);
        big.resize((std::size_t)length);
        dict->setObject(CCString::create(big), key);
        return;
    }
    dict->setObject(CCString::create(std::string(buffer, (std::size_t)length)), key);
}

void setPoint(CCDictionary* dict, const char* key, const CCPoint& point) {
    setText(dict, key, "{%.3f,%.3f}", point.x, point.y);
}

double randomUnit() {
    return std::rand() / (double)RAND_MAX * 2.0 - 1.0;
}

} // namespace qn
