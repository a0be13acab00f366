#include "platform/SdlInput.h"

#include <SDL.h>

#include <array>
#include <cstdlib>
#include <string>

#include "platform/DebugLog.h"

namespace qn {
namespace {

using ScancodeTable = std::array<OIS::KeyCode, SDL_NUM_SCANCODES>;

/// SDL scan codes (USB usages) to OIS key codes (PC keyboard scan codes).
ScancodeTable buildScancodeTable() {
    using namespace OIS;
    ScancodeTable t;
    t.fill(KC_UNASSIGNED);
    const KeyCode letters[26] = {KC_A, KC_B, KC_C, KC_D, KC_E, KC_F, KC_G, KC_H, KC_I,
                                 KC_J, KC_K, KC_L, KC_M, KC_N, KC_O, KC_P, KC_Q, KC_R,
                                 KC_S, KC_T, KC_U, KC_V, KC_W, KC_X, KC_Y, KC_Z};
    for (int i = 0; i < 26; ++i) t[SDL_SCANCODE_A + i] = letters[i];
    const KeyCode digits[10] = {KC_1, KC_2, KC_3, KC_4, KC_5, KC_6, KC_7, KC_8, KC_9, KC_0};
    for (int i = 0; i < 10; ++i) t[SDL_SCANCODE_1 + i] = digits[i];
    const KeyCode pad[10] = {KC_NUMPAD1, KC_NUMPAD2, KC_NUMPAD3, KC_NUMPAD4, KC_NUMPAD5,
                             KC_NUMPAD6, KC_NUMPAD7, KC_NUMPAD8, KC_NUMPAD9, KC_NUMPAD0};
    for (int i = 0; i < 10; ++i) t[SDL_SCANCODE_KP_1 + i] = pad[i];
    const KeyCode fkeys[12] = {KC_F1, KC_F2, KC_F3, KC_F4,  KC_F5,  KC_F6,
                               KC_F7, KC_F8, KC_F9, KC_F10, KC_F11, KC_F12};
    for (int i = 0; i < 12; ++i) t[SDL_SCANCODE_F1 + i] = fkeys[i];
    t[SDL_SCANCODE_F13] = KC_F13;
    t[SDL_SCANCODE_F14] = KC_F14;
    t[SDL_SCANCODE_F15] = KC_F15;

    t[SDL_SCANCODE_RETURN] = KC_RETURN;
    t[SDL_SCANCODE_ESCAPE] = KC_ESCAPE;
    t[SDL_SCANCODE_BACKSPACE] = KC_BACK;
    t[SDL_SCANCODE_TAB] = KC_TAB;
    t[SDL_SCANCODE_SPACE] = KC_SPACE;
    t[SDL_SCANCODE_MINUS] = KC_MINUS;
    t[SDL_SCANCODE_EQUALS] = KC_EQUALS;
    t[SDL_SCANCODE_LEFTBRACKET] = KC_LBRACKET;
    t[SDL_SCANCODE_RIGHTBRACKET] = KC_RBRACKET;
    t[SDL_SCANCODE_BACKSLASH] = KC_BACKSLASH;
    t[SDL_SCANCODE_NONUSHASH] = KC_BACKSLASH; // the ISO key beside Return shares the scan code
    t[SDL_SCANCODE_SEMICOLON] = KC_SEMICOLON;
    t[SDL_SCANCODE_APOSTROPHE] = KC_APOSTROPHE;
    t[SDL_SCANCODE_GRAVE] = KC_GRAVE;
    t[SDL_SCANCODE_COMMA] = KC_COMMA;
    t[SDL_SCANCODE_PERIOD] = KC_PERIOD;
    t[SDL_SCANCODE_SLASH] = KC_SLASH;
    t[SDL_SCANCODE_CAPSLOCK] = KC_CAPITAL;
    t[SDL_SCANCODE_NONUSBACKSLASH] = KC_OEM_102;

    t[SDL_SCANCODE_PRINTSCREEN] = KC_SYSRQ;
    t[SDL_SCANCODE_SCROLLLOCK] = KC_SCROLL;
    t[SDL_SCANCODE_PAUSE] = KC_PAUSE;
    t[SDL_SCANCODE_INSERT] = KC_INSERT;
    t[SDL_SCANCODE_HOME] = KC_HOME;
    t[SDL_SCANCODE_PAGEUP] = KC_PGUP;
    t[SDL_SCANCODE_DELETE] = KC_DELETE;
    t[SDL_SCANCODE_END] = KC_END;
    t[SDL_SCANCODE_PAGEDOWN] = KC_PGDOWN;
    t[SDL_SCANCODE_RIGHT] = KC_RIGHT;
    t[SDL_SCANCODE_LEFT] = KC_LEFT;
    t[SDL_SCANCODE_DOWN] = KC_DOWN;
    t[SDL_SCANCODE_UP] = KC_UP;

    t[SDL_SCANCODE_NUMLOCKCLEAR] = KC_NUMLOCK;
    t[SDL_SCANCODE_KP_DIVIDE] = KC_DIVIDE;
    t[SDL_SCANCODE_KP_MULTIPLY] = KC_MULTIPLY;
    t[SDL_SCANCODE_KP_MINUS] = KC_SUBTRACT;
    t[SDL_SCANCODE_KP_PLUS] = KC_ADD;
    t[SDL_SCANCODE_KP_ENTER] = KC_NUMPADENTER;
    t[SDL_SCANCODE_KP_PERIOD] = KC_DECIMAL;
    t[SDL_SCANCODE_KP_EQUALS] = KC_NUMPADEQUALS;
    t[SDL_SCANCODE_KP_COMMA] = KC_NUMPADCOMMA;

    t[SDL_SCANCODE_LCTRL] = KC_LCONTROL;
    t[SDL_SCANCODE_LSHIFT] = KC_LSHIFT;
    t[SDL_SCANCODE_LALT] = KC_LMENU;
    t[SDL_SCANCODE_LGUI] = KC_LWIN;
    t[SDL_SCANCODE_RCTRL] = KC_RCONTROL;
    t[SDL_SCANCODE_RSHIFT] = KC_RSHIFT;
    t[SDL_SCANCODE_RALT] = KC_RMENU;
    t[SDL_SCANCODE_RGUI] = KC_RWIN;
    t[SDL_SCANCODE_APPLICATION] = KC_APPS;
    t[SDL_SCANCODE_POWER] = KC_POWER;
    t[SDL_SCANCODE_SLEEP] = KC_SLEEP;
    t[SDL_SCANCODE_STOP] = KC_STOP;

    t[SDL_SCANCODE_INTERNATIONAL1] = KC_ABNT_C1; // Ro / Brazilian slash
    t[SDL_SCANCODE_INTERNATIONAL2] = KC_KANA;
    t[SDL_SCANCODE_INTERNATIONAL3] = KC_YEN;
    t[SDL_SCANCODE_INTERNATIONAL4] = KC_CONVERT;
    t[SDL_SCANCODE_INTERNATIONAL5] = KC_NOCONVERT;

    t[SDL_SCANCODE_MUTE] = KC_MUTE;
    t[SDL_SCANCODE_AUDIOMUTE] = KC_MUTE;
    t[SDL_SCANCODE_VOLUMEUP] = KC_VOLUMEUP;
    t[SDL_SCANCODE_VOLUMEDOWN] = KC_VOLUMEDOWN;
    t[SDL_SCANCODE_AUDIONEXT] = KC_NEXTTRACK;
    t[SDL_SCANCODE_AUDIOPREV] = KC_PREVTRACK;
    t[SDL_SCANCODE_AUDIOSTOP] = KC_MEDIASTOP;
    t[SDL_SCANCODE_AUDIOPLAY] = KC_PLAYPAUSE;
    t[SDL_SCANCODE_MEDIASELECT] = KC_MEDIASELECT;
    t[SDL_SCANCODE_MAIL] = KC_MAIL;
    t[SDL_SCANCODE_CALCULATOR] = KC_CALCULATOR;
    t[SDL_SCANCODE_COMPUTER] = KC_MYCOMPUTER;
    t[SDL_SCANCODE_AC_SEARCH] = KC_WEBSEARCH;
    t[SDL_SCANCODE_AC_HOME] = KC_WEBHOME;
    t[SDL_SCANCODE_AC_BACK] = KC_WEBBACK;
    t[SDL_SCANCODE_AC_FORWARD] = KC_WEBFORWARD;
    t[SDL_SCANCODE_AC_STOP] = KC_WEBSTOP;
    t[SDL_SCANCODE_AC_REFRESH] = KC_WEBREFRESH;
    t[SDL_SCANCODE_AC_BOOKMARKS] = KC_WEBFAVORITES;
    return t;
}

/// The first code point of a UTF-8 string (0 for an empty or broken one).
unsigned firstCodePoint(const char* text) {
    const unsigned char* s = reinterpret_cast<const unsigned char*>(text);
    if (s[0] < 0x80) return s[0];
    int extra = s[0] >= 0xF0 ? 3 : s[0] >= 0xE0 ? 2 : s[0] >= 0xC0 ? 1 : -1;
    if (extra < 0) return 0;
    unsigned cp = s[0] & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        if ((s[i] & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (s[i] & 0x3F);
    }
    return cp;
}

/// The OIS::Pov bit of a d-pad button, 0 for other buttons.
int povBit(int sdlButton) {
    switch (sdlButton) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return OIS::Pov::North;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return OIS::Pov::South;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return OIS::Pov::East;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return OIS::Pov::West;
    default:
        return 0;
    }
}

} // namespace

OIS::KeyCode oisKeyFromSdlScancode(int scancode) {
    static const ScancodeTable table = buildScancodeTable();
    if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) return OIS::KC_UNASSIGNED;
    return table[scancode];
}

SdlInput::SdlInput() {
    m_events.reserve(64);
}

SdlInput::~SdlInput() {
    closeController();
    if (m_started) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

int SdlInput::buttonIndex(int sdlButton) {
    switch (sdlButton) {
    case SDL_CONTROLLER_BUTTON_A:
        return 0;
    case SDL_CONTROLLER_BUTTON_B:
        return 1;
    case SDL_CONTROLLER_BUTTON_X:
        return 2;
    case SDL_CONTROLLER_BUTTON_Y:
        return 3;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
        return 4;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
        return 5;
    case SDL_CONTROLLER_BUTTON_BACK:
        return 6;
    case SDL_CONTROLLER_BUTTON_START:
        return 7;
    case SDL_CONTROLLER_BUTTON_LEFTSTICK:
        return 8;
    case SDL_CONTROLLER_BUTTON_RIGHTSTICK:
        return 9;
    case SDL_CONTROLLER_BUTTON_GUIDE:
        return 10;
    case SDL_CONTROLLER_BUTTON_MISC1:
        return 11;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return 12;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return 13;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return 14;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return 15;
    default:
        return -1;
    }
}

int SdlInput::axisIndex(int sdlAxis) {
    switch (sdlAxis) {
    case SDL_CONTROLLER_AXIS_LEFTY:
        return 0;
    case SDL_CONTROLLER_AXIS_LEFTX:
        return 1;
    case SDL_CONTROLLER_AXIS_RIGHTY:
        return 2;
    case SDL_CONTROLLER_AXIS_RIGHTX:
        return 3;
    case SDL_CONTROLLER_AXIS_TRIGGERLEFT:
        return 4;
    case SDL_CONTROLLER_AXIS_TRIGGERRIGHT:
        return 5;
    default:
        return -1;
    }
}

bool SdlInput::start(Window* window) {
    auto* sdlWindow = dynamic_cast<SdlWindow*>(window);
    if (!sdlWindow) return true; // headless: injected events only
    // SDL drops pad events while no window has focus; with no window manager nothing ever has.
    if (!sdlWindow->isManaged()) SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        logLine("[SdlInput] no game controller support: %s", SDL_GetError());
    } else {
        m_started = true;
        loadMappings();
        openFirstController();
    }
    sdlWindow->setEventSink(this);
    return true;
}

void SdlInput::loadMappings() {
    std::string paths[2] = {"gamecontrollerdb.txt", ""};
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (xdg && *xdg)
        paths[1] = std::string(xdg) + "/qnplayer/gamecontrollerdb.txt";
    else if (home && *home)
        paths[1] = std::string(home) + "/.local/share/qnplayer/gamecontrollerdb.txt";
    for (const std::string& path : paths) {
        if (path.empty()) continue;
        SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
        if (!file) continue; // absent: nothing to add
        int added = SDL_GameControllerAddMappingsFromRW(file, 1);
        if (added < 0)
            logLine("[SdlInput] cannot read %s: %s", path.c_str(), SDL_GetError());
        else
            logLine("[SdlInput] %d controller mappings from %s", added, path.c_str());
    }
}

void SdlInput::openFirstController() {
    for (int i = 0; i < SDL_NumJoysticks() && !m_controller; ++i)
        if (SDL_IsGameController(i)) openController(i);
}

void SdlInput::openController(int deviceIndex) {
    if (m_controller) return; // one gamepad at a time
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller) {
        logLine("[SdlInput] cannot open gamepad %d: %s", deviceIndex, SDL_GetError());
        return;
    }
    m_controller = controller;
    m_instance = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    const char* name = SDL_GameControllerName(controller);
    logLine("[SdlInput] gamepad attached: %s", name ? name : "unnamed");
}

void SdlInput::closeController() {
    if (!m_controller) return;
    SDL_GameControllerClose(m_controller);
    m_controller = nullptr;
    m_instance = -1;
}

void SdlInput::onSdlEvent(const SDL_Event& event) {
    m_events.push_back(event);
}

void SdlInput::capture() {
    for (size_t i = 0; i < m_events.size(); ++i)
        handle(m_events[i], i + 1 < m_events.size() ? &m_events[i + 1] : nullptr);
    m_events.clear();
}

void SdlInput::handle(const SDL_Event& event, const SDL_Event* next) {
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        if (event.key.repeat) return; // a held key is one press, as on a buffered keyboard
        OIS::KeyCode kc = oisKeyFromSdlScancode(event.key.keysym.scancode);
        if (kc == OIS::KC_UNASSIGNED) return;
        bool down = event.type == SDL_KEYDOWN;
        unsigned text = 0;
        if (down)
            text = (next && next->type == SDL_TEXTINPUT) ? firstCodePoint(next->text.text) : oisKeyText(kc);
        deliverKey(down, kc, text);
        break;
    }
    case SDL_CONTROLLERDEVICEADDED:
        openController(event.cdevice.which);
        break;
    case SDL_CONTROLLERDEVICEREMOVED: {
        if (event.cdevice.which != m_instance) return;
        logLine("[SdlInput] gamepad detached");
        closeController();
        // Let go of whatever was held, so nothing keeps running without a pad.
        const OIS::JoyStickState& held = joystickState();
        for (size_t b = 0; b < held.mButtons.size(); ++b)
            if (held.mButtons[b]) deliverButton(false, static_cast<int>(b));
        for (size_t a = 0; a < held.mAxes.size(); ++a)
            if (held.mAxes[a].abs != 0) deliverAxis(static_cast<int>(a), 0);
        if (m_dpad != 0) deliverPov(0, m_dpad = 0);
        openFirstController();
        break;
    }
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
        if (event.cbutton.which != m_instance) return;
        int index = buttonIndex(event.cbutton.button);
        if (index < 0) return;
        bool down = event.type == SDL_CONTROLLERBUTTONDOWN;
        deliverButton(down, index);
        if (int bit = povBit(event.cbutton.button)) {
            m_dpad = down ? (m_dpad | bit) : (m_dpad & ~bit);
            deliverPov(0, m_dpad);
        }
        break;
    }
    case SDL_CONTROLLERAXISMOTION: {
        if (event.caxis.which != m_instance) return;
        int index = axisIndex(event.caxis.axis);
        if (index < 0 || joystickState().mAxes[index].abs == event.caxis.value) return;
        deliverAxis(index, event.caxis.value);
        break;
    }
    default:
        break;
    }
}

std::unique_ptr<InputBackend> createSdlInput() {
    return std::make_unique<SdlInput>();
}

} // namespace qn
