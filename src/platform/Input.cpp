#include "platform/Input.h"

#include <algorithm>
#include <cstring>

#include "platform/DebugLog.h"

namespace qn {
namespace {

/// Buttons and axes an event may name; anything outside is ignored (and logged).
constexpr int kMaxButtons = 32;
constexpr int kMaxAxes = 16;
/// A game controller's buttons and axes fill these (see SdlInput.cpp for the layout).
constexpr int kDefaultButtons = 16;
constexpr int kDefaultAxes = 6;

struct KeyName {
    OIS::KeyCode code;
    const char* name;
};

const KeyName kKeyNames[] = {
    {OIS::KC_UNASSIGNED, "KC_UNASSIGNED"},
    {OIS::KC_ESCAPE, "KC_ESCAPE"},
    {OIS::KC_1, "KC_1"},
    {OIS::KC_2, "KC_2"},
    {OIS::KC_3, "KC_3"},
    {OIS::KC_4, "KC_4"},
    {OIS::KC_5, "KC_5"},
    {OIS::KC_6, "KC_6"},
    {OIS::KC_7, "KC_7"},
    {OIS::KC_8, "KC_8"},
    {OIS::KC_9, "KC_9"},
    {OIS::KC_0, "KC_0"},
    {OIS::KC_MINUS, "KC_MINUS"},
    {OIS::KC_EQUALS, "KC_EQUALS"},
    {OIS::KC_BACK, "KC_BACK"},
    {OIS::KC_TAB, "KC_TAB"},
    {OIS::KC_Q, "KC_Q"},
    {OIS::KC_W, "KC_W"},
    {OIS::KC_E, "KC_E"},
    {OIS::KC_R, "KC_R"},
    {OIS::KC_T, "KC_T"},
    {OIS::KC_Y, "KC_Y"},
    {OIS::KC_U, "KC_U"},
    {OIS::KC_I, "KC_I"},
    {OIS::KC_O, "KC_O"},
    {OIS::KC_P, "KC_P"},
    {OIS::KC_LBRACKET, "KC_LBRACKET"},
    {OIS::KC_RBRACKET, "KC_RBRACKET"},
    {OIS::KC_RETURN, "KC_RETURN"},
    {OIS::KC_LCONTROL, "KC_LCONTROL"},
    {OIS::KC_A, "KC_A"},
    {OIS::KC_S, "KC_S"},
    {OIS::KC_D, "KC_D"},
    {OIS::KC_F, "KC_F"},
    {OIS::KC_G, "KC_G"},
    {OIS::KC_H, "KC_H"},
    {OIS::KC_J, "KC_J"},
    {OIS::KC_K, "KC_K"},
    {OIS::KC_L, "KC_L"},
    {OIS::KC_SEMICOLON, "KC_SEMICOLON"},
    {OIS::KC_APOSTROPHE, "KC_APOSTROPHE"},
    {OIS::KC_GRAVE, "KC_GRAVE"},
    {OIS::KC_LSHIFT, "KC_LSHIFT"},
    {OIS::KC_BACKSLASH, "KC_BACKSLASH"},
    {OIS::KC_Z, "KC_Z"},
    {OIS::KC_X, "KC_X"},
    {OIS::KC_C, "KC_C"},
    {OIS::KC_V, "KC_V"},
    {OIS::KC_B, "KC_B"},
    {OIS::KC_N, "KC_N"},
    {OIS::KC_M, "KC_M"},
    {OIS::KC_COMMA, "KC_COMMA"},
    {OIS::KC_PERIOD, "KC_PERIOD"},
    {OIS::KC_SLASH, "KC_SLASH"},
    {OIS::KC_RSHIFT, "KC_RSHIFT"},
    {OIS::KC_MULTIPLY, "KC_MULTIPLY"},
    {OIS::KC_LMENU, "KC_LMENU"},
    {OIS::KC_SPACE, "KC_SPACE"},
    {OIS::KC_CAPITAL, "KC_CAPITAL"},
    {OIS::KC_F1, "KC_F1"},
    {OIS::KC_F2, "KC_F2"},
    {OIS::KC_F3, "KC_F3"},
    {OIS::KC_F4, "KC_F4"},
    {OIS::KC_F5, "KC_F5"},
    {OIS::KC_F6, "KC_F6"},
    {OIS::KC_F7, "KC_F7"},
    {OIS::KC_F8, "KC_F8"},
    {OIS::KC_F9, "KC_F9"},
    {OIS::KC_F10, "KC_F10"},
    {OIS::KC_NUMLOCK, "KC_NUMLOCK"},
    {OIS::KC_SCROLL, "KC_SCROLL"},
    {OIS::KC_NUMPAD7, "KC_NUMPAD7"},
    {OIS::KC_NUMPAD8, "KC_NUMPAD8"},
    {OIS::KC_NUMPAD9, "KC_NUMPAD9"},
    {OIS::KC_SUBTRACT, "KC_SUBTRACT"},
    {OIS::KC_NUMPAD4, "KC_NUMPAD4"},
    {OIS::KC_NUMPAD5, "KC_NUMPAD5"},
    {OIS::KC_NUMPAD6, "KC_NUMPAD6"},
    {OIS::KC_ADD, "KC_ADD"},
    {OIS::KC_NUMPAD1, "KC_NUMPAD1"},
    {OIS::KC_NUMPAD2, "KC_NUMPAD2"},
    {OIS::KC_NUMPAD3, "KC_NUMPAD3"},
    {OIS::KC_NUMPAD0, "KC_NUMPAD0"},
    {OIS::KC_DECIMAL, "KC_DECIMAL"},
    {OIS::KC_OEM_102, "KC_OEM_102"},
    {OIS::KC_F11, "KC_F11"},
    {OIS::KC_F12, "KC_F12"},
    {OIS::KC_F13, "KC_F13"},
    {OIS::KC_F14, "KC_F14"},
    {OIS::KC_F15, "KC_F15"},
    {OIS::KC_KANA, "KC_KANA"},
    {OIS::KC_ABNT_C1, "KC_ABNT_C1"},
    {OIS::KC_CONVERT, "KC_CONVERT"},
    {OIS::KC_NOCONVERT, "KC_NOCONVERT"},
    {OIS::KC_YEN, "KC_YEN"},
    {OIS::KC_ABNT_C2, "KC_ABNT_C2"},
    {OIS::KC_NUMPADEQUALS, "KC_NUMPADEQUALS"},
    {OIS::KC_PREVTRACK, "KC_PREVTRACK"},
    {OIS::KC_AT, "KC_AT"},
    {OIS::KC_COLON, "KC_COLON"},
    {OIS::KC_UNDERLINE, "KC_UNDERLINE"},
    {OIS::KC_KANJI, "KC_KANJI"},
    {OIS::KC_STOP, "KC_STOP"},
    {OIS::KC_AX, "KC_AX"},
    {OIS::KC_UNLABELED, "KC_UNLABELED"},
    {OIS::KC_NEXTTRACK, "KC_NEXTTRACK"},
    {OIS::KC_NUMPADENTER, "KC_NUMPADENTER"},
    {OIS::KC_RCONTROL, "KC_RCONTROL"},
    {OIS::KC_MUTE, "KC_MUTE"},
    {OIS::KC_CALCULATOR, "KC_CALCULATOR"},
    {OIS::KC_PLAYPAUSE, "KC_PLAYPAUSE"},
    {OIS::KC_MEDIASTOP, "KC_MEDIASTOP"},
    {OIS::KC_VOLUMEDOWN, "KC_VOLUMEDOWN"},
    {OIS::KC_VOLUMEUP, "KC_VOLUMEUP"},
    {OIS::KC_WEBHOME, "KC_WEBHOME"},
    {OIS::KC_NUMPADCOMMA, "KC_NUMPADCOMMA"},
    {OIS::KC_DIVIDE, "KC_DIVIDE"},
    {OIS::KC_SYSRQ, "KC_SYSRQ"},
    {OIS::KC_RMENU, "KC_RMENU"},
    {OIS::KC_PAUSE, "KC_PAUSE"},
    {OIS::KC_HOME, "KC_HOME"},
    {OIS::KC_UP, "KC_UP"},
    {OIS::KC_PGUP, "KC_PGUP"},
    {OIS::KC_LEFT, "KC_LEFT"},
    {OIS::KC_RIGHT, "KC_RIGHT"},
    {OIS::KC_END, "KC_END"},
    {OIS::KC_DOWN, "KC_DOWN"},
    {OIS::KC_PGDOWN, "KC_PGDOWN"},
    {OIS::KC_INSERT, "KC_INSERT"},
    {OIS::KC_DELETE, "KC_DELETE"},
    {OIS::KC_LWIN, "KC_LWIN"},
    {OIS::KC_RWIN, "KC_RWIN"},
    {OIS::KC_APPS, "KC_APPS"},
    {OIS::KC_POWER, "KC_POWER"},
    {OIS::KC_SLEEP, "KC_SLEEP"},
    {OIS::KC_WAKE, "KC_WAKE"},
    {OIS::KC_WEBSEARCH, "KC_WEBSEARCH"},
    {OIS::KC_WEBFAVORITES, "KC_WEBFAVORITES"},
    {OIS::KC_WEBREFRESH, "KC_WEBREFRESH"},
    {OIS::KC_WEBSTOP, "KC_WEBSTOP"},
    {OIS::KC_WEBFORWARD, "KC_WEBFORWARD"},
    {OIS::KC_WEBBACK, "KC_WEBBACK"},
    {OIS::KC_MYCOMPUTER, "KC_MYCOMPUTER"},
    {OIS::KC_MAIL, "KC_MAIL"},
    {OIS::KC_MEDIASELECT, "KC_MEDIASELECT"},
};

} // namespace

InputBackend::InputBackend() {
    m_state.mButtons.assign(kDefaultButtons, false);
    m_state.mAxes.resize(kDefaultAxes);
    m_state.clear();
}

InputBackend::~InputBackend() = default;

void InputBackend::setListeners(OIS::KeyListener* keys, OIS::JoyStickListener* joystick) {
    m_keyListener = keys;
    m_joyListener = joystick;
}

void InputBackend::injectKey(bool down, OIS::KeyCode kc, unsigned text) {
    deliverKey(down, kc, text);
}
void InputBackend::injectButton(bool down, int button) {
    deliverButton(down, button);
}
void InputBackend::injectAxis(int axis, int value) {
    deliverAxis(axis, value);
}
void InputBackend::injectPov(int direction) {
    deliverPov(0, direction);
}

void InputBackend::deliverKey(bool down, OIS::KeyCode kc, unsigned text) {
    if (!m_keyListener) return;
    OIS::KeyEvent event(nullptr, kc, text);
    if (down)
        m_keyListener->keyPressed(event);
    else
        m_keyListener->keyReleased(event);
}

void InputBackend::deliverButton(bool down, int button) {
    if (button < 0 || button >= kMaxButtons) {
        logLine("[Input] gamepad button %d out of range, ignored", button);
        return;
    }
    if (button >= static_cast<int>(m_state.mButtons.size())) m_state.mButtons.resize(button + 1, false);
    m_state.mButtons[button] = down;
    if (!m_joyListener) return;
    OIS::JoyStickEvent event(nullptr, m_state);
    if (down)
        m_joyListener->buttonPressed(event, button);
    else
        m_joyListener->buttonReleased(event, button);
}

void InputBackend::deliverAxis(int axis, int value) {
    if (axis < 0 || axis >= kMaxAxes) {
        logLine("[Input] gamepad axis %d out of range, ignored", axis);
        return;
    }
    if (axis >= static_cast<int>(m_state.mAxes.size())) m_state.mAxes.resize(axis + 1);
    m_state.mAxes[axis].absOnly = true;
    m_state.mAxes[axis].abs = std::clamp(value, -32768, 32767);
    if (!m_joyListener) return;
    OIS::JoyStickEvent event(nullptr, m_state);
    m_joyListener->axisMoved(event, axis);
}

void InputBackend::deliverPov(int index, int direction) {
    if (index < 0 || index >= 4) return;
    m_state.mPOV[index].direction = direction;
    if (!m_joyListener) return;
    OIS::JoyStickEvent event(nullptr, m_state);
    m_joyListener->povMoved(event, index);
}

std::unique_ptr<InputBackend> startInputBackend(const std::string& name, Window* window) {
    if (name == "ois") {
        std::unique_ptr<InputBackend> ois = createOisInput();
        if (ois->start(window)) return ois;
        logLine("[Input] OIS input unavailable, using SDL input");
    } else if (name != "sdl") {
        logLine("[Input] unknown input back-end \"%s\", using SDL input", name.c_str());
    }
    std::unique_ptr<InputBackend> sdl = createSdlInput();
    sdl->start(window);
    return sdl;
}

bool oisKeyFromName(const std::string& name, OIS::KeyCode* out) {
    for (const KeyName& entry : kKeyNames) {
        if (name == entry.name) {
            *out = entry.code;
            return true;
        }
    }
    return false;
}

const char* oisKeyName(OIS::KeyCode kc) {
    for (const KeyName& entry : kKeyNames)
        if (entry.code == kc) return entry.name;
    return "KC_UNASSIGNED";
}

unsigned oisKeyText(OIS::KeyCode kc) {
    using namespace OIS;
    static const struct {
        KeyCode code;
        char text;
    } kTexts[] = {
        {KC_1, '1'},
        {KC_2, '2'},
        {KC_3, '3'},
        {KC_4, '4'},
        {KC_5, '5'},
        {KC_6, '6'},
        {KC_7, '7'},
        {KC_8, '8'},
        {KC_9, '9'},
        {KC_0, '0'},
        {KC_MINUS, '-'},
        {KC_EQUALS, '='},
        {KC_Q, 'q'},
        {KC_W, 'w'},
        {KC_E, 'e'},
        {KC_R, 'r'},
        {KC_T, 't'},
        {KC_Y, 'y'},
        {KC_U, 'u'},
        {KC_I, 'i'},
        {KC_O, 'o'},
        {KC_P, 'p'},
        {KC_LBRACKET, '['},
        {KC_RBRACKET, ']'},
        {KC_A, 'a'},
        {KC_S, 's'},
        {KC_D, 'd'},
        {KC_F, 'f'},
        {KC_G, 'g'},
        {KC_H, 'h'},
        {KC_J, 'j'},
        {KC_K, 'k'},
        {KC_L, 'l'},
        {KC_SEMICOLON, ';'},
        {KC_APOSTROPHE, '\''},
        {KC_GRAVE, '`'},
        {KC_BACKSLASH, '\\'},
        {KC_Z, 'z'},
        {KC_X, 'x'},
        {KC_C, 'c'},
        {KC_V, 'v'},
        {KC_B, 'b'},
        {KC_N, 'n'},
        {KC_M, 'm'},
        {KC_COMMA, ','},
        {KC_PERIOD, '.'},
        {KC_SLASH, '/'},
        {KC_SPACE, ' '},
        {KC_MULTIPLY, '*'},
        {KC_SUBTRACT, '-'},
        {KC_ADD, '+'},
        {KC_DIVIDE, '/'},
        {KC_DECIMAL, '.'},
        {KC_NUMPAD0, '0'},
        {KC_NUMPAD1, '1'},
        {KC_NUMPAD2, '2'},
        {KC_NUMPAD3, '3'},
        {KC_NUMPAD4, '4'},
        {KC_NUMPAD5, '5'},
        {KC_NUMPAD6, '6'},
        {KC_NUMPAD7, '7'},
        {KC_NUMPAD8, '8'},
        {KC_NUMPAD9, '9'},
        {KC_RETURN, '\r'},
        {KC_NUMPADENTER, '\r'},
        {KC_TAB, '\t'},
        {KC_BACK, '\b'},
        {KC_ESCAPE, 27},
    };
    for (const auto& entry : kTexts)
        if (entry.code == kc) return static_cast<unsigned char>(entry.text);
    return 0;
}

bool povFromName(const std::string& name, int* out) {
    static const struct {
        const char* name;
        int direction;
    } kPovs[] = {
        {"centered", OIS::Pov::Centered},   {"north", OIS::Pov::North},
        {"south", OIS::Pov::South},         {"east", OIS::Pov::East},
        {"west", OIS::Pov::West},           {"northeast", OIS::Pov::NorthEast},
        {"northwest", OIS::Pov::NorthWest}, {"southeast", OIS::Pov::SouthEast},
        {"southwest", OIS::Pov::SouthWest},
    };
    for (const auto& entry : kPovs) {
        if (name == entry.name) {
            *out = entry.direction;
            return true;
        }
    }
    return false;
}

} // namespace qn
