#pragma once
// The SDL input back-end: keyboard events from the SDL window's pump become OIS key events (scan
// code -> OIS key code, text from SDL's text input or the key's own character), and one SDL game
// controller (hot-plugged; SDL_GameControllerDB mappings from "gamecontrollerdb.txt" in the
// project folder or $XDG_DATA_HOME/qnplayer/) becomes an OIS joystick:
//   buttons  0 A, 1 B, 2 X, 3 Y, 4 left shoulder, 5 right shoulder, 6 back, 7 start,
//            8 left stick, 9 right stick, 10 guide, 11 misc, 12 d-pad up, 13 d-pad right,
//            14 d-pad down, 15 d-pad left (the d-pad also moves POV 0);
//   axes     0 left stick Y, 1 left stick X, 2 right stick Y, 3 right stick X, 4 left trigger,
//            5 right trigger (-32768..32767, Y grows downwards).
// Events are buffered by the pump and delivered, in order, by capture().

#include <SDL_events.h>
#include <SDL_gamecontroller.h>

#include <vector>

#include "platform/Input.h"
#include "platform/SdlWindow.h"

namespace qn {

class SdlInput : public InputBackend, public SdlEventSink {
public:
    SdlInput();
    ~SdlInput() override;

    /// With an SDL window: opens the controller subsystem and takes the pump's input events.
    /// Without one (headless): only injected events occur. Always true.
    bool start(Window* window) override;
    void capture() override;
    bool hasJoystick() const override { return m_controller != nullptr; }
    const char* name() const override { return "sdl"; }
    /// Buffers one input event of the pump (delivered by the next capture()).
    void onSdlEvent(const SDL_Event& event) override;

    /// Our joystick index of an SDL controller button, -1 when it has none.
    static int buttonIndex(int sdlButton);
    /// Our joystick axis of an SDL controller axis, -1 when it has none.
    static int axisIndex(int sdlAxis);

private:
    void handle(const SDL_Event& event, const SDL_Event* next);
    void openFirstController();
    void openController(int deviceIndex);
    void closeController();
    void loadMappings();

    bool m_started = false;
    SDL_GameController* m_controller = nullptr;
    SDL_JoystickID m_instance = -1;
    int m_dpad = 0; ///< OIS::Pov bits of the held d-pad directions
    std::vector<SDL_Event> m_events;
};

} // namespace qn
