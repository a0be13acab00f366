#include "shell/ScriptedInput.h"

#include "framework/CCAccelerometer.h"
#include "framework/CCDirector.h"
#include "framework/CCKeypadDispatcher.h"
#include "framework/CCTouchDispatcher.h"
#include "platform/Input.h"
#include "platform/Window.h"
#include "shell/DeviceRouter.h"

namespace qn {
namespace {

void deliverTouch(const ScriptEvent& event) {
    using namespace cocos2d;
    CCTouchDispatcher* touches = CCDirector::sharedDirector()->getTouchDispatcher();
    if (!touches) return;
    // Scripted touches are one finger, id 0, in design points.
    CCTouchPhase phase = event.touchPhase == ScriptTouchPhase::Down   ? kCCTouchBegan
                         : event.touchPhase == ScriptTouchPhase::Move ? kCCTouchMoved
                                                                      : kCCTouchEnded;
    touches->handleTouch(phase, 0, ccp(event.x, event.y));
}

} // namespace

void ScriptedInputSink::onScriptEvent(const ScriptEvent& event) {
    using namespace cocos2d;
    switch (event.type) {
    case ScriptEventType::Key:
        if (m_input) {
            m_input->injectKey(event.down, event.key, oisKeyText(event.key));
        } else {
            OIS::KeyEvent arg(nullptr, event.key, oisKeyText(event.key));
            if (event.down)
                DeviceRouter::shared().keyPressed(arg);
            else
                DeviceRouter::shared().keyReleased(arg);
        }
        break;
    case ScriptEventType::PadButton:
        if (m_input) m_input->injectButton(event.down, event.index);
        break;
    case ScriptEventType::PadAxis:
        if (m_input) m_input->injectAxis(event.index, event.value);
        break;
    case ScriptEventType::PadPov:
        if (m_input) m_input->injectPov(event.value);
        break;
    case ScriptEventType::Touch:
        deliverTouch(event);
        break;
    case ScriptEventType::Keypad:
        if (CCKeypadDispatcher* keypad = CCDirector::sharedDirector()->getKeypadDispatcher())
            keypad->dispatchKeypadMSG(event.keypad == ScriptKeypad::Back ? kTypeBackClicked
                                                                         : kTypeMenuClicked);
        break;
    case ScriptEventType::Accel:
        if (CCAccelerometer* accel = CCDirector::sharedDirector()->getAccelerometer())
            accel->dispatchAcceleration(event.x, event.y, event.z);
        break;
    case ScriptEventType::Window:
        if (m_window) m_window->simulateWindowManagerAction(event.windowAction, event.width, event.height);
        break;
    case ScriptEventType::Post:
        if (m_window)
            m_window->postMessage(event.message, static_cast<uintptr_t>(event.wParam),
                                  static_cast<intptr_t>(event.lParam));
        break;
    case ScriptEventType::Quit:
        if (m_window) m_window->postMessage(WM_CLOSE, 0, 0);
        break;
    case ScriptEventType::Dump:
        break;
    }
}

} // namespace qn
