// Scripted events reach the program through the paths real devices use.
#include "shell/ScriptedInput.h"

#include <OISJoyStick.h>
#include <gtest/gtest.h>

#include "framework/CCAccelerometer.h"
#include "framework/CCDirector.h"
#include "framework/CCKeypadDispatcher.h"
#include "framework/CCTouch.h"
#include "framework/CCTouchDispatcher.h"
#include "platform/Input.h"
#include "platform/Window.h"
#include "shell/DeviceRouter.h"

namespace {

using namespace cocos2d;

struct Recorder : CCKeypadDelegate,
                  CCTouchDelegate,
                  CCAccelerometerDelegate,
                  OIS::KeyListener,
                  OIS::JoyStickListener {
    void keyBackClicked() override { log += "back "; }
    void keyMenuClicked() override { log += "menu "; }
    void onKeyDown(int code) override { log += "kd" + std::to_string(code) + " "; }
    void onKeyUp(int code) override { log += "ku" + std::to_string(code) + " "; }
    bool ccTouchBegan(CCTouch* t, CCEvent*) override { return touch("began", t), true; }
    void ccTouchMoved(CCTouch* t, CCEvent*) override { touch("moved", t); }
    void ccTouchEnded(CCTouch* t, CCEvent*) override { touch("ended", t); }
    void didAccelerate(CCAcceleration* a) override {
        log += "accel" + std::to_string(int(a->x)) + "," + std::to_string(int(a->y)) + "," +
               std::to_string(int(a->z)) + " ";
    }
    bool keyPressed(const OIS::KeyEvent& e) override {
        return log += "+" + std::to_string(e.key) + " ", true;
    }
    bool keyReleased(const OIS::KeyEvent& e) override {
        return log += "-" + std::to_string(e.key) + " ", true;
    }
    bool buttonPressed(const OIS::JoyStickEvent&, int b) override {
        return log += "b+" + std::to_string(b) + " ", true;
    }
    bool buttonReleased(const OIS::JoyStickEvent&, int b) override {
        return log += "b-" + std::to_string(b) + " ", true;
    }
    bool axisMoved(const OIS::JoyStickEvent& e, int axis) override {
        return log += "axis" + std::to_string(axis) + "=" + std::to_string(e.state.mAxes[axis].abs) + " ",
               true;
    }
    bool povMoved(const OIS::JoyStickEvent& e, int index) override {
        return log += "pov" + std::to_string(e.state.mPOV[index].direction) + " ", true;
    }
    void touch(const char* phase, CCTouch* t) {
        CCPoint p = t->getLocation();
        log += std::string(phase) + std::to_string(int(p.x)) + "," + std::to_string(int(p.y)) + " ";
    }
    std::string log;
};

class ScriptedInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_window = qn::createHeadlessWindow(qn::WindowRect::fromSize(0, 0, 1920, 1080));
        m_input = qn::startInputBackend("sdl", m_window.get());
        m_input->setListeners(&qn::DeviceRouter::shared(), &qn::DeviceRouter::shared());
        qn::DeviceRouter::shared().setHandlers(&m_rec, &m_rec);
        CCDirector* director = CCDirector::sharedDirector();
        director->getKeypadDispatcher()->addDelegate(&m_rec);
        director->getTouchDispatcher()->addTargetedDelegate(&m_rec, 0, true);
        director->getAccelerometer()->setDelegate(&m_rec);
    }
    void TearDown() override {
        CCDirector* director = CCDirector::sharedDirector();
        director->getKeypadDispatcher()->removeDelegate(&m_rec);
        director->getTouchDispatcher()->removeDelegate(&m_rec);
        director->getAccelerometer()->setDelegate(nullptr);
        qn::DeviceRouter::shared().setHandlers(nullptr, nullptr);
    }
    /// Plays every event of `frame` of `text`.
    void play(const std::string& text, std::int64_t frame = 1) {
        qn::InputScript script;
        std::string error;
        ASSERT_TRUE(script.parse(text, "/", error)) << error;
        qn::ScriptedInputSink sink(m_input.get(), m_window.get());
        script.deliver(frame, sink);
    }
    std::unique_ptr<qn::Window> m_window;
    std::unique_ptr<qn::InputBackend> m_input;
    Recorder m_rec;
};

TEST_F(ScriptedInputTest, DeviceEventsTakeTheDevicePaths) {
    play("1 key down KC_RETURN\n1 key up KC_RETURN\n1 key down KC_BACK\n1 key up KC_BACK\n"
         "1 pad button down 3\n1 pad button up 3\n1 pad axis 1 -300\n1 pad pov west\n");
    // Keys reach the handler and, for keypad keys, the keypad dispatcher; Backspace is one back.
    EXPECT_EQ(m_rec.log, "+28 kd23 -28 ku23 +14 back -14 b+3 kd100 b-3 ku100 axis1=-300 pov" +
                             std::to_string(+OIS::Pov::West) + " ");
}

TEST_F(ScriptedInputTest, TouchesKeypadAndAccelerationGoToTheDirectorsDispatchers) {
    play("1 touch down 10 20\n1 touch move 30 40\n1 touch up 50 60\n1 keypad back\n1 keypad menu\n"
         "1 accel 1 -2 3\n");
    EXPECT_EQ(m_rec.log, "began10,20 moved30,40 ended50,60 back menu accel1,-2,3 ");
}

TEST_F(ScriptedInputTest, WindowEventsPostsAndQuitGoToTheWindow) {
    play("1 window maximize\n");
    EXPECT_STREQ(m_window->showStateName(), "maximized");
    play("1 window restore\n1 window resize 640 360\n");
    EXPECT_EQ(m_window->clientRect().width(), 640);
    EXPECT_EQ(m_window->clientRect().height(), 360);

    unsigned seen = 0;
    m_window->setWndProc([&](unsigned message, uintptr_t wParam, intptr_t, bool*) -> long {
        if (message == qn::WM_USER && wParam == 1) ++seen;
        return 0;
    });
    play("1 post 0x400 1 0\n1 quit\n");
    EXPECT_FALSE(m_window->quitRequested()); // posted: delivered by the next pump
    m_window->pumpMessages();
    EXPECT_EQ(seen, 1u);
    EXPECT_TRUE(m_window->quitRequested());
}

} // namespace
