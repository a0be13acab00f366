#include "shell/EventHandler.h"

#include <map>

#include "framework/CCDirector.h"
#include "framework/CCScene.h"
#include "model/QNModelGeneralSettings.h"
#include "navigation/QNKeyBoundButtons.h"
#include "navigation/QNPScreen.h"
#include "framework/CCObject.h"

namespace qn {
namespace {

using cocos2d::CCLog;

constexpr int kSpecial = 0x01000000;

const std::map<int, int>& keyTable() {
    static const std::map<int, int> table = [] {
        std::map<int, int> t;
        t[OIS::KC_GRAVE] = '`';
        const char digits[] = "1234567890";
        for (int i = 0; i < 10; ++i) t[OIS::KC_1 + i] = digits[i];
        t[OIS::KC_MINUS] = '-';
        t[OIS::KC_EQUALS] = '=';
        const char top[] = "QWERTYUIOP", middle[] = "ASDFGHJKL", bottom[] = "ZXCVBNM";
        for (int i = 0; i < 10; ++i) t[OIS::KC_Q + i] = top[i];
        for (int i = 0; i < 9; ++i) t[OIS::KC_A + i] = middle[i];
        for (int i = 0; i < 7; ++i) t[OIS::KC_Z + i] = bottom[i];
        t[OIS::KC_LBRACKET] = '[';
        t[OIS::KC_RBRACKET] = ']';
        t[OIS::KC_BACKSLASH] = '\\';
        t[OIS::KC_SEMICOLON] = ';';
        t[OIS::KC_APOSTROPHE] = '\'';
        t[OIS::KC_COMMA] = ',';
        t[OIS::KC_PERIOD] = '.';
        t[OIS::KC_SLASH] = '/';
        t[OIS::KC_LEFT] = kSpecial + 0x12;
        t[OIS::KC_DOWN] = kSpecial + 0x15;
        t[OIS::KC_RIGHT] = kSpecial + 0x14;
        t[OIS::KC_UP] = kSpecial + 0x13;
        t[OIS::KC_ESCAPE] = kSpecial;
        for (int i = 0; i < 10; ++i) t[OIS::KC_F1 + i] = kSpecial + 0x30 + i;
        t[OIS::KC_F11] = kSpecial + 0x3A;
        t[OIS::KC_F12] = kSpecial + 0x3B;
        t[OIS::KC_HOME] = kSpecial + 0x10;
        t[OIS::KC_END] = kSpecial + 0x11;
        t[OIS::KC_INSERT] = kSpecial + 0x06;
        t[OIS::KC_DELETE] = kSpecial + 0x07;
        t[OIS::KC_TAB] = kSpecial + 0x01;
        t[OIS::KC_CAPITAL] = kSpecial + 0x24;
        t[OIS::KC_LSHIFT] = kSpecial + 0x20;
        t[OIS::KC_LCONTROL] = kSpecial + 0x21;
        t[OIS::KC_LMENU] = kSpecial + 0x23;
        t[OIS::KC_SPACE] = ' ';
        t[OIS::KC_DIVIDE] = '/';
        t[OIS::KC_MULTIPLY] = '*';
        t[OIS::KC_SUBTRACT] = '-';
        t[OIS::KC_ADD] = '+';
        t[OIS::KC_NUMPADENTER] = kSpecial + 0x05;
        return t;
    }();
    return table;
}

EventHandler::Routes& routes() {
    static EventHandler::Routes r;
    return r;
}

} // namespace

int editorKeyCode(int oisKeyCode) {
    auto it = keyTable().find(oisKeyCode);
    return it == keyTable().end() ? 0 : it->second;
}

int boundAction(int code) {
    QNModelGeneralSettings* settings = QNModelGeneralSettings::generalSettings();
    if (!settings) return 0;
    const std::pair<int, int> bindings[] = {{settings->moveUpKey(), 1},     {settings->moveDownKey(), 2},
                                            {settings->moveLeftKey(), 4},   {settings->moveRightKey(), 3},
                                            {settings->motorCWKey(), 9},    {settings->motorCCWKey(), 10},
                                            {settings->rotateLeftKey(), 6}, {settings->rotateRightKey(), 7},
                                            {settings->shootKey(), 8},      {settings->jumpKey(), 5}};
    for (const auto& binding : bindings)
        if (binding.first == code) return binding.second;
    return 0;
}

EventHandler& EventHandler::shared() {
    static EventHandler handler;
    return handler;
}

void EventHandler::setRoutes(const Routes& r) {
    routes() = r;
}

bool EventHandler::key(const OIS::KeyEvent& arg, bool pressed) {
    if (pressed) {
        const unsigned typed = arg.text >= 32 && arg.text < 127 ? arg.text : ' ';
        CCLog(" KeyPressed {%d, KC_%d} Character (%c)", (int)arg.key, (int)arg.key, (char)typed);
    } else {
        CCLog("KeyReleased {KC_%d}", (int)arg.key);
    }
    const int code = editorKeyCode(arg.key);
    // Keys go to the top screen: the innermost screen of the running scene.
    QNPScreen* screen = QNPScreen::innermostRunningScreen();
    if (pressed ? pressKeyButtons(code, screen) : releaseKeyButtons(code, screen)) return true;
    const int action = boundAction(code);
    if (action != 0 && routes().action) routes().action(action, pressed);
    return true;
}

bool EventHandler::keyPressed(const OIS::KeyEvent& arg) {
    return key(arg, true);
}

bool EventHandler::keyReleased(const OIS::KeyEvent& arg) {
    return key(arg, false);
}

bool EventHandler::buttonPressed(const OIS::JoyStickEvent&, int button) {
    CCLog("Button Pressed : %d", button);
    if (routes().padButton) routes().padButton(button, true);
    return true;
}

bool EventHandler::buttonReleased(const OIS::JoyStickEvent&, int button) {
    CCLog("Button Released : %d", button);
    if (routes().padButton) routes().padButton(button, false);
    return true;
}

bool EventHandler::axisMoved(const OIS::JoyStickEvent& arg, int axis) {
    const int value = axis >= 0 && axis < (int)arg.state.mAxes.size() ? arg.state.mAxes[axis].abs : 0;
    CCLog("Axis Moved : %d - %d", value, axis);
    if (routes().padAxis) routes().padAxis(value, axis);
    return true;
}

} // namespace qn
