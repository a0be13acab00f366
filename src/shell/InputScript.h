#pragma once
// The scripted-input file: one event a line ("<frame> <event> <arguments>"), read once before the
// first frame and handed out frame by frame by the run loop.

#include <OISKeyboard.h>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Window.h"

namespace qn {

enum class ScriptEventType {
    Key,
    PadButton,
    PadAxis,
    PadPov,
    Touch,
    Keypad,
    Accel,
    Dump,
    /// A window-manager action; `Resize` carries width and height.
    Window,
    Post,
    Quit,
};

enum class ScriptTouchPhase { Down, Move, Up };
enum class ScriptKeypad { Back, Menu };

/// One scripted event. Only the fields of its type are meaningful.
struct ScriptEvent {
    ScriptEventType type = ScriptEventType::Key;
    std::int64_t frame = 0;
    /// Line of the file it came from (1-based).
    int line = 0;
    /// Key and pad button: pressed (true) or released.
    bool down = false;
    OIS::KeyCode key = OIS::KC_UNASSIGNED;
    /// Pad button or axis number.
    int index = 0;
    /// Pad axis value (-32768..32767) or POV direction (OIS::Pov bits).
    int value = 0;
    ScriptTouchPhase touchPhase = ScriptTouchPhase::Down;
    ScriptKeypad keypad = ScriptKeypad::Back;
    WindowAction windowAction = WindowAction::Minimize;
    /// Touch point (design points, origin bottom-left) or acceleration (x, y, z).
    float x = 0.0f, y = 0.0f, z = 0.0f;
    /// Resize: client width and height.
    int width = 0, height = 0;
    /// Post: message number and parameters.
    std::uint32_t message = 0;
    std::int64_t wParam = 0, lParam = 0;
    /// Dump: absolute path of the snapshot file.
    std::string file;
};

/// Receives the scripted events of a frame, in file order.
class InputScriptSink {
public:
    virtual ~InputScriptSink() = default;
    virtual void onScriptEvent(const ScriptEvent& event) = 0;
};

/// The parsed script: events sorted by frame, file order kept within a frame.
class InputScript {
public:
    /// Parses `text`; dump paths are made absolute against `baseDir`. On a malformed line returns
    /// false with `error` = "input:<line>: <reason>" and keeps no events.
    bool parse(const std::string& text, const std::string& baseDir, std::string& error);
    /// Reads and parses the file at `path`; an unreadable file is an error too.
    bool load(const std::string& path, const std::string& baseDir, std::string& error);

    /// Hands every event of `frame` except dumps to `sink`.
    void deliver(std::int64_t frame, InputScriptSink& sink) const;
    /// Calls `write` with each dump file of `frame`.
    void forEachDump(std::int64_t frame, const std::function<void(const std::string&)>& write) const;

    const std::vector<ScriptEvent>& events() const { return m_events; }
    bool empty() const { return m_events.empty(); }

private:
    std::pair<size_t, size_t> rangeOf(std::int64_t frame) const;
    std::vector<ScriptEvent> m_events;
};

} // namespace qn
