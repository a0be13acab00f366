#include "shell/KeypadKeys.h"

#include <gtest/gtest.h>
#include <string>

#include "framework/CCDirector.h"
#include "framework/CCKeypadDispatcher.h"
#include "platform/Input.h"
#include "platform/Window.h"
#include "shell/DeviceRouter.h"

namespace {

struct KeypadLog : cocos2d::CCKeypadDelegate {
    void keyBackClicked() override { calls += "back "; }
    void keyMenuClicked() override { calls += "menu "; }
    void onKeyDown(int code) override { calls += "down" + std::to_string(code) + " "; }
    void onKeyUp(int code) override { calls += "up" + std::to_string(code) + " "; }
    std::string calls;
};

struct KeyLog : OIS::KeyListener {
    bool keyPressed(const OIS::KeyEvent& e) override {
        return calls += "+" + std::to_string(e.key) + " ", true;
    }
    bool keyReleased(const OIS::KeyEvent& e) override {
        return calls += "-" + std::to_string(e.key) + " ", true;
    }
    std::string calls;
};

TEST(KeypadKeysTest, KeysAndButtonsWithAKeypadMeaning) {
    using K = qn::KeypadKey;
    struct Case {
        OIS::KeyCode key;
        K::Kind kind;
        int code;
    };
    const Case keys[] = {
        {OIS::KC_ESCAPE, K::Back, 0}, {OIS::KC_BACK, K::Back, 0},    {OIS::KC_F1, K::Menu, 0},
        {OIS::KC_UP, K::Code, 19},    {OIS::KC_DOWN, K::Code, 20},   {OIS::KC_LEFT, K::Code, 21},
        {OIS::KC_RIGHT, K::Code, 22}, {OIS::KC_RETURN, K::Code, 23}, {OIS::KC_NUMPADENTER, K::Code, 23},
        {OIS::KC_SPACE, K::None, 0},  {OIS::KC_A, K::None, 0},       {OIS::KC_F2, K::None, 0},
    };
    for (const Case& c : keys) {
        K got = qn::keypadKeyForKey(c.key);
        EXPECT_EQ(got.kind, c.kind) << qn::oisKeyName(c.key);
        EXPECT_EQ(got.code, c.code) << qn::oisKeyName(c.key);
    }
    const int buttons[][2] = {{0, 96}, {1, 0}, {2, 99}, {3, 100}, {4, 0}, {-1, 0}, {31, 0}};
    for (const auto& b : buttons) EXPECT_EQ(qn::keypadKeyForPadButton(b[0]).code, b[1]) << b[0];
}

// An injected key takes both paths: the OIS event to the shell's handler and the keypad message.
TEST(KeypadKeysTest, InjectedEventsReachTheHandlerAndTheKeypadDispatcher) {
    KeypadLog keypad;
    KeyLog handler;
    cocos2d::CCKeypadDispatcher* dispatcher = cocos2d::CCDirector::sharedDirector()->getKeypadDispatcher();
    dispatcher->addDelegate(&keypad);
    qn::DeviceRouter::shared().setHandlers(&handler, nullptr);

    auto window = qn::createHeadlessWindow(qn::WindowRect::fromSize(0, 0, 1920, 1080));
    auto input = qn::startInputBackend("sdl", window.get());
    ASSERT_TRUE(input);
    input->setListeners(&qn::DeviceRouter::shared(), &qn::DeviceRouter::shared());
    input->injectKey(true, OIS::KC_ESCAPE, 0);
    input->injectKey(false, OIS::KC_ESCAPE, 0);
    input->injectKey(true, OIS::KC_UP, 0);
    input->injectKey(false, OIS::KC_UP, 0);
    input->injectKey(true, OIS::KC_F1, 0);
    input->injectKey(true, OIS::KC_SPACE, ' ');
    input->injectButton(true, 0);
    input->injectButton(false, 0);
    input->injectButton(true, 1);

    // One press of Escape is one back and no key code.
    EXPECT_EQ(keypad.calls, "back down19 up19 menu down96 up96 ");
    EXPECT_EQ(handler.calls, "+1 -1 +200 -200 +59 +57 ");

    qn::DeviceRouter::shared().setHandlers(nullptr, nullptr);
    dispatcher->removeDelegate(&keypad);
}

} // namespace
