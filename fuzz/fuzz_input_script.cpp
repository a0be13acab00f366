// The scripted-input parser under libFuzzer: any text either parses into events sorted by frame, or
// is refused with one "input:<line>: <reason>" line naming a line of the text.

#include <cstddef>
#include <cstdint>
#include <string>

#include "shell/InputScript.h"

namespace {

struct CountingSink : qn::InputScriptSink {
    void onScriptEvent(const qn::ScriptEvent& event) override {
        if (event.type == qn::ScriptEventType::Dump) __builtin_trap(); // dumps are not input
        ++count;
    }
    size_t count = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    qn::InputScript script;
    std::string error;
    if (!script.parse(text, "/base", error)) {
        if (error.rfind("input:", 0) != 0 || error.find('\n') != std::string::npos) __builtin_trap();
        if (!script.empty()) __builtin_trap();
        return 0;
    }
    const auto& events = script.events();
    size_t delivered = 0, dumps = 0;
    for (size_t i = 0; i < events.size(); ++i) {
        if (events[i].frame < 1 || (i > 0 && events[i].frame < events[i - 1].frame)) __builtin_trap();
        if (i > 0 && events[i].frame == events[i - 1].frame) continue;
        CountingSink sink;
        script.deliver(events[i].frame, sink);
        script.forEachDump(events[i].frame, [&](const std::string& file) {
            if (file.empty() || file[0] != '/') __builtin_trap();
            ++dumps;
        });
        delivered += sink.count;
    }
    if (delivered + dumps != events.size()) __builtin_trap();
    return 0;
}
