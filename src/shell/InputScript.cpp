#include "shell/InputScript.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/Input.h"

namespace qn {
namespace {

constexpr std::int64_t kMaxFrame = std::int64_t(1) << 52;
constexpr int kMaxPadIndex = 255;
constexpr int kMaxWindowSide = 100000;

/// Thrown inside the parser only, caught per line.
struct LineError {
    std::string reason;
};

[[noreturn]] void bad(const std::string& reason) {
    throw LineError{reason};
}

/// Decimal digits with an optional sign, or 0x hex when `allowHex`.
bool toInteger(const std::string& text, bool allowHex, std::int64_t& out) {
    if (text.empty()) return false;
    size_t i = 0;
    bool negative = false;
    if (text[0] == '-' || text[0] == '+') {
        negative = text[0] == '-';
        i = 1;
    }
    int base = 10;
    if (allowHex && text.size() > i + 2 && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size()) return false;
    for (size_t k = i; k < text.size(); ++k) {
        char c = text[k];
        bool ok = base == 16 ? std::isxdigit(static_cast<unsigned char>(c)) != 0 : (c >= '0' && c <= '9');
        if (!ok) return false;
    }
    errno = 0;
    unsigned long long magnitude = std::strtoull(text.c_str() + i, nullptr, base);
    if (errno == ERANGE || magnitude > static_cast<unsigned long long>(INT64_MAX)) return false;
    out = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
}

std::int64_t integerIn(const std::string& text, std::int64_t min, std::int64_t max, const std::string& what,
                       bool allowHex = false) {
    std::int64_t value;
    if (!toInteger(text, allowHex, value) || value < min || value > max)
        bad(what + " must be a whole number " + std::to_string(min) + ".." + std::to_string(max) + ", not '" +
            text + "'");
    return value;
}

float finiteNumber(const std::string& text, const std::string& what) {
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(text.c_str(), &end);
    bool hexOrWord = text.find_first_of("xXnNiI") != std::string::npos;
    if (text.empty() || *end != '\0' || hexOrWord || !std::isfinite(value) || std::fabs(value) > 1e30)
        bad(what + " must be a number, not '" + text + "'");
    return static_cast<float>(value);
}

void needCount(const std::vector<std::string>& words, size_t count, const char* usage) {
    if (words.size() != count) bad(std::string("expected '") + usage + "'");
}

bool downOrUp(const std::string& word, const char* usage) {
    if (word == "down") return true;
    if (word == "up") return false;
    bad(std::string("expected '") + usage + "', not '" + word + "'");
}

int povDirection(const std::string& word) {
    int direction = 0;
    if (!povFromName(word, &direction)) bad("unknown pov direction '" + word + "'");
    return direction;
}

/// Parses one line's words (comment already removed) into `out`; `rest` is the raw text after
/// the event word (dump file names may hold spaces).
void parseEvent(const std::vector<std::string>& w, const std::string& restAfterEvent,
                const std::string& baseDir, std::vector<ScriptEvent>& out, int lineNumber) {
    ScriptEvent e;
    e.line = lineNumber;
    e.frame = integerIn(w[0], 1, kMaxFrame, "frame");
    if (w.size() < 2) bad("missing event after the frame number");
    const std::string& kind = w[1];

    if (kind == "key") {
        needCount(w, 4, "<frame> key down|up <KC_ name>");
        e.type = ScriptEventType::Key;
        e.down = downOrUp(w[2], "key down|up");
        if (!oisKeyFromName(w[3], &e.key)) bad("unknown key name '" + w[3] + "'");
    } else if (kind == "pad") {
        if (w.size() < 3) bad("expected 'pad button|axis|pov ...'");
        if (w[2] == "button") {
            needCount(w, 5, "<frame> pad button down|up <n>");
            e.type = ScriptEventType::PadButton;
            e.down = downOrUp(w[3], "pad button down|up");
            e.index = static_cast<int>(integerIn(w[4], 0, kMaxPadIndex, "button number"));
        } else if (w[2] == "axis") {
            needCount(w, 5, "<frame> pad axis <n> <value>");
            e.type = ScriptEventType::PadAxis;
            e.index = static_cast<int>(integerIn(w[3], 0, kMaxPadIndex, "axis number"));
            e.value = static_cast<int>(integerIn(w[4], -32768, 32767, "axis value"));
        } else if (w[2] == "pov") {
            needCount(w, 4, "<frame> pad pov <direction>");
            e.type = ScriptEventType::PadPov;
            e.value = povDirection(w[3]);
        } else {
            bad("unknown pad event '" + w[2] + "' (button, axis or pov)");
        }
    } else if (kind == "touch") {
        needCount(w, 5, "<frame> touch down|move|up <x> <y>");
        e.type = ScriptEventType::Touch;
        if (w[2] == "down")
            e.touchPhase = ScriptTouchPhase::Down;
        else if (w[2] == "move")
            e.touchPhase = ScriptTouchPhase::Move;
        else if (w[2] == "up")
            e.touchPhase = ScriptTouchPhase::Up;
        else
            bad("expected 'touch down|move|up', not '" + w[2] + "'");
        e.x = finiteNumber(w[3], "x");
        e.y = finiteNumber(w[4], "y");
    } else if (kind == "tap") {
        needCount(w, 4, "<frame> tap <x> <y>");
        e.type = ScriptEventType::Touch;
        e.x = finiteNumber(w[2], "x");
        e.y = finiteNumber(w[3], "y");
        e.touchPhase = ScriptTouchPhase::Down;
        out.push_back(e);
        e.touchPhase = ScriptTouchPhase::Up;
        e.frame += 1;
    } else if (kind == "keypad") {
        needCount(w, 3, "<frame> keypad back|menu");
        e.type = ScriptEventType::Keypad;
        if (w[2] == "back")
            e.keypad = ScriptKeypad::Back;
        else if (w[2] == "menu")
            e.keypad = ScriptKeypad::Menu;
        else
            bad("expected 'keypad back|menu', not '" + w[2] + "'");
    } else if (kind == "accel") {
        needCount(w, 5, "<frame> accel <x> <y> <z>");
        e.type = ScriptEventType::Accel;
        e.x = finiteNumber(w[2], "x");
        e.y = finiteNumber(w[3], "y");
        e.z = finiteNumber(w[4], "z");
    } else if (kind == "dump") {
        if (restAfterEvent.empty()) bad("expected '<frame> dump <file>'");
        e.type = ScriptEventType::Dump;
        std::filesystem::path p(restAfterEvent);
        if (p.is_relative()) p = std::filesystem::path(baseDir) / p;
        e.file = p.lexically_normal().string();
    } else if (kind == "window") {
        if (w.size() < 3) bad("expected 'window minimize|maximize|restore|close|resize'");
        e.type = ScriptEventType::Window;
        if (w[2] == "resize") {
            needCount(w, 5, "<frame> window resize <w> <h>");
            e.windowAction = WindowAction::Resize;
            e.width = static_cast<int>(integerIn(w[3], 1, kMaxWindowSide, "width"));
            e.height = static_cast<int>(integerIn(w[4], 1, kMaxWindowSide, "height"));
        } else {
            needCount(w, 3, "<frame> window minimize|maximize|restore|close");
            if (!parseWindowAction(w[2], &e.windowAction)) bad("unknown window action '" + w[2] + "'");
        }
    } else if (kind == "post") {
        needCount(w, 5, "<frame> post <message> <wParam> <lParam>");
        e.type = ScriptEventType::Post;
        e.message = static_cast<std::uint32_t>(integerIn(w[2], 0, 0xFFFFFFFFLL, "message", true));
        e.wParam = integerIn(w[3], INT64_MIN + 1, INT64_MAX, "wParam", true);
        e.lParam = integerIn(w[4], INT64_MIN + 1, INT64_MAX, "lParam", true);
    } else if (kind == "quit") {
        needCount(w, 2, "<frame> quit");
        e.type = ScriptEventType::Quit;
    } else {
        bad("unknown event '" + kind + "'");
    }
    out.push_back(e);
}

/// A reason fit for one line of a terminal: control characters shown as '?', at most 200 bytes.
std::string printable(const std::string& reason) {
    std::string out;
    for (unsigned char c : reason) {
        if (out.size() >= 200) {
            out += "...";
            break;
        }
        out.push_back(c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c));
    }
    return out;
}

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return "";
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

} // namespace

bool InputScript::parse(const std::string& text, const std::string& baseDir, std::string& error) {
    std::vector<ScriptEvent> events;
    std::istringstream in(text);
    std::string raw;
    int lineNumber = 0;
    while (std::getline(in, raw)) {
        ++lineNumber;
        std::string line = raw.substr(0, raw.find('#'));
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;) w.push_back(word);
        if (w.empty()) continue;
        // The raw text after the event word, for file names.
        std::string rest;
        if (w.size() >= 2) {
            size_t at = line.find(w[1], line.find(w[0]) + w[0].size());
            rest = trim(line.substr(at + w[1].size()));
        }
        try {
            parseEvent(w, rest, baseDir, events, lineNumber);
        } catch (const LineError& e) {
            error = "input:" + std::to_string(lineNumber) + ": " + printable(e.reason);
            m_events.clear();
            return false;
        }
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.frame < b.frame; });
    m_events = std::move(events);
    return true;
}

bool InputScript::load(const std::string& path, const std::string& baseDir, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "input: cannot read '" + path + "'";
        m_events.clear();
        return false;
    }
    std::stringstream ss;
    ss << in.rdbuf();
    return parse(ss.str(), baseDir, error);
}

std::pair<size_t, size_t> InputScript::rangeOf(std::int64_t frame) const {
    auto lo = std::lower_bound(m_events.begin(), m_events.end(), frame,
                               [](const ScriptEvent& e, std::int64_t f) { return e.frame < f; });
    auto hi = std::upper_bound(lo, m_events.end(), frame,
                               [](std::int64_t f, const ScriptEvent& e) { return f < e.frame; });
    return {static_cast<size_t>(lo - m_events.begin()), static_cast<size_t>(hi - m_events.begin())};
}

void InputScript::deliver(std::int64_t frame, InputScriptSink& sink) const {
    auto range = rangeOf(frame);
    for (size_t i = range.first; i < range.second; ++i)
        if (m_events[i].type != ScriptEventType::Dump) sink.onScriptEvent(m_events[i]);
}

void InputScript::forEachDump(std::int64_t frame,
                              const std::function<void(const std::string&)>& write) const {
    auto range = rangeOf(frame);
    for (size_t i = range.first; i < range.second; ++i)
        if (m_events[i].type == ScriptEventType::Dump) write(m_events[i].file);
}

} // namespace qn
