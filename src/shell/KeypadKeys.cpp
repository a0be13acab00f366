#include "shell/KeypadKeys.h"

#include "framework/CCDirector.h"
#include "framework/CCKeypadDispatcher.h"

namespace qn {

KeypadKey keypadKeyForKey(OIS::KeyCode key) {
    switch (key) {
    case OIS::KC_ESCAPE:
    case OIS::KC_BACK:
        return {KeypadKey::Back, 0};
    case OIS::KC_F1:
        return {KeypadKey::Menu, 0};
    case OIS::KC_UP:
        return {KeypadKey::Code, kKeypadCodeUp};
    case OIS::KC_DOWN:
        return {KeypadKey::Code, kKeypadCodeDown};
    case OIS::KC_LEFT:
        return {KeypadKey::Code, kKeypadCodeLeft};
    case OIS::KC_RIGHT:
        return {KeypadKey::Code, kKeypadCodeRight};
    case OIS::KC_RETURN:
    case OIS::KC_NUMPADENTER:
        return {KeypadKey::Code, kKeypadCodeEnter};
    default:
        return {};
    }
}

KeypadKey keypadKeyForPadButton(int button) {
    switch (button) {
    case 0:
        return {KeypadKey::Code, kKeypadCodeButtonA};
    case 2:
        return {KeypadKey::Code, kKeypadCodeButtonX};
    case 3:
        return {KeypadKey::Code, kKeypadCodeButtonY};
    default:
        return {};
    }
}

void dispatchKeypadKey(const KeypadKey& key, bool down) {
    if (key.kind == KeypadKey::None) return;
    cocos2d::CCKeypadDispatcher* keypad = cocos2d::CCDirector::sharedDirector()->getKeypadDispatcher();
    if (!keypad) return;
    switch (key.kind) {
    case KeypadKey::Back:
        if (down) keypad->dispatchKeypadMSG(cocos2d::kTypeBackClicked);
        break;
    case KeypadKey::Menu:
        if (down) keypad->dispatchKeypadMSG(cocos2d::kTypeMenuClicked);
        break;
    case KeypadKey::Code:
        if (down)
            keypad->dispatchKeyDown(key.code);
        else
            keypad->dispatchKeyUp(key.code);
        break;
    case KeypadKey::None:
        break;
    }
}

} // namespace qn
