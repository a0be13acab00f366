// Property-list reader and writer under libFuzzer: whatever the reader accepts must write, read back
// into an equal tree, and write again into the same text.

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/CCAutoreleasePool.h"
#include "framework/CCPlist.h"

using namespace cocos2d;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    CCObject* first = CCPlist::parse(reinterpret_cast<const char*>(data), size, &error);
    if (!first) {
        if (error.empty()) __builtin_trap(); // a failure must say why
        return 0;
    }
    std::string text;
    if (!CCPlist::write(first, &text, &error)) __builtin_trap();
    CCObject* second = CCPlist::parse(text.data(), text.size(), &error);
    if (!second || !CCPlist::deepEqual(first, second)) __builtin_trap();
    std::string again;
    if (!CCPlist::write(second, &again, &error) || again != text) __builtin_trap();
    first->release();
    second->release();
    CCPoolManager::sharedPoolManager()->finalize();
    return 0;
}
