// Input back-ends: the scan-code table, key names, injected events, and real SDL events (keyboard
// events pushed into SDL's queue, a virtual game controller) reaching the OIS listeners.

#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/HeadlessWindow.h"
#include "platform/Input.h"
#include "platform/SdlInput.h"
#include "platform/SdlWindow.h"

using namespace qn;

namespace {

/// Records every listener call as one line, e.g. "key+ 30 97", "button- 0", "axis 1 -32768".
class Recorder : public OIS::KeyListener, public OIS::JoyStickListener {
public:
    bool keyPressed(const OIS::KeyEvent& e) override { return add("key+ " + n(e.key) + " " + n(e.text)); }
    bool keyReleased(const OIS::KeyEvent& e) override { return add("key- " + n(e.key)); }
    bool buttonPressed(const OIS::JoyStickEvent& e, int b) override {
        return add("button+ " + n(b) + (e.state.mButtons[b] ? " held" : " free"));
    }
    bool buttonReleased(const OIS::JoyStickEvent&, int b) override { return add("button- " + n(b)); }
    bool axisMoved(const OIS::JoyStickEvent& e, int a) override {
        return add("axis " + n(a) + " " + n(e.state.mAxes[a].abs));
    }
    bool povMoved(const OIS::JoyStickEvent& e, int i) override {
        return add("pov " + n(i) + " " + n(e.state.mPOV[i].direction));
    }
    std::vector<std::string> calls;

private:
    static std::string n(long v) { return std::to_string(v); }
    bool add(const std::string& s) {
        calls.push_back(s);
        return true;
    }
};

using Calls = std::vector<std::string>;

} // namespace

TEST(InputKeys, ScancodesMapToOisKeyCodes) {
    const struct {
        int scancode;
        OIS::KeyCode kc;
    } cases[] = {
        {SDL_SCANCODE_A, OIS::KC_A},
        {SDL_SCANCODE_Q, OIS::KC_Q},
        {SDL_SCANCODE_M, OIS::KC_M},
        {SDL_SCANCODE_Z, OIS::KC_Z},
        {SDL_SCANCODE_1, OIS::KC_1},
        {SDL_SCANCODE_0, OIS::KC_0},
        {SDL_SCANCODE_UP, OIS::KC_UP},
        {SDL_SCANCODE_DOWN, OIS::KC_DOWN},
        {SDL_SCANCODE_LEFT, OIS::KC_LEFT},
        {SDL_SCANCODE_RIGHT, OIS::KC_RIGHT},
        {SDL_SCANCODE_SPACE, OIS::KC_SPACE},
        {SDL_SCANCODE_ESCAPE, OIS::KC_ESCAPE},
        {SDL_SCANCODE_RETURN, OIS::KC_RETURN},
        {SDL_SCANCODE_KP_ENTER, OIS::KC_NUMPADENTER},
        {SDL_SCANCODE_BACKSPACE, OIS::KC_BACK},
        {SDL_SCANCODE_GRAVE, OIS::KC_GRAVE},
        {SDL_SCANCODE_F1, OIS::KC_F1},
        {SDL_SCANCODE_F11, OIS::KC_F11},
        {SDL_SCANCODE_F12, OIS::KC_F12},
        {SDL_SCANCODE_LSHIFT, OIS::KC_LSHIFT},
        {SDL_SCANCODE_RSHIFT, OIS::KC_RSHIFT},
        {SDL_SCANCODE_LALT, OIS::KC_LMENU},
        {SDL_SCANCODE_RCTRL, OIS::KC_RCONTROL},
        {SDL_SCANCODE_KP_7, OIS::KC_NUMPAD7},
        {SDL_SCANCODE_KP_0, OIS::KC_NUMPAD0},
        {SDL_SCANCODE_KP_DIVIDE, OIS::KC_DIVIDE},
        {SDL_SCANCODE_KP_MINUS, OIS::KC_SUBTRACT},
        {SDL_SCANCODE_DELETE, OIS::KC_DELETE},
        {SDL_SCANCODE_UNKNOWN, OIS::KC_UNASSIGNED},
        {-1, OIS::KC_UNASSIGNED},
        {SDL_NUM_SCANCODES + 5, OIS::KC_UNASSIGNED},
    };
    for (const auto& c : cases)
        EXPECT_EQ(oisKeyFromSdlScancode(c.scancode), c.kc) << "scancode " << c.scancode;
    // The OIS codes are the PC scan codes the rest of the program's tables use.
    EXPECT_EQ(oisKeyFromSdlScancode(SDL_SCANCODE_KP_ENTER), 0x9C);
    EXPECT_EQ(oisKeyFromSdlScancode(SDL_SCANCODE_LEFT), 0xCB);
}

TEST(InputKeys, NamesTextAndPovDirections) {
    OIS::KeyCode kc = OIS::KC_UNASSIGNED;
    ASSERT_TRUE(oisKeyFromName("KC_SPACE", &kc));
    EXPECT_EQ(kc, OIS::KC_SPACE);
    ASSERT_TRUE(oisKeyFromName("KC_NUMPADENTER", &kc));
    EXPECT_STREQ(oisKeyName(kc), "KC_NUMPADENTER");
    EXPECT_FALSE(oisKeyFromName("KC_NOPE", &kc));
    EXPECT_FALSE(oisKeyFromName("", &kc));
    EXPECT_EQ(oisKeyText(OIS::KC_A), unsigned('a'));
    EXPECT_EQ(oisKeyText(OIS::KC_SPACE), unsigned(' '));
    EXPECT_EQ(oisKeyText(OIS::KC_LSHIFT), 0u);
    int dir = -1;
    ASSERT_TRUE(povFromName("northwest", &dir));
    EXPECT_EQ(dir, +OIS::Pov::NorthWest);
    ASSERT_TRUE(povFromName("centered", &dir));
    EXPECT_EQ(dir, +OIS::Pov::Centered);
    EXPECT_FALSE(povFromName("up", &dir));
}

TEST(InputInject, InjectedEventsGoThroughTheListenerCalls) {
    auto window = createHeadlessWindow(WindowRect::fromSize(0, 0, 1920, 1080));
    std::unique_ptr<InputBackend> input = startInputBackend("sdl", window.get());
    input->injectKey(true, OIS::KC_SPACE, ' '); // no listeners yet: dropped quietly
    Recorder rec;
    input->setListeners(&rec, &rec);
    input->injectKey(true, OIS::KC_A, 'a');
    input->injectKey(false, OIS::KC_A, 0);
    input->injectButton(true, 0);
    input->injectButton(false, 0);
    input->injectButton(true, 20); // beyond the pad's usual buttons: the state grows
    input->injectButton(true, -1); // out of range: ignored
    input->injectAxis(1, -40000);  // clamped
    input->injectAxis(99, 5);      // out of range: ignored
    input->injectPov(OIS::Pov::SouthEast);
    input->capture(); // nothing buffered headless
    EXPECT_EQ(rec.calls, (Calls{"key+ 30 97", "key- 30", "button+ 0 held", "button- 0", "button+ 20 held",
                                "axis 1 -32768", "pov 0 272"}));
    EXPECT_FALSE(input->hasJoystick());
    EXPECT_STREQ(input->name(), "sdl");
}

TEST(InputInject, UnavailableOrUnknownBackEndFallsBackToSdl) {
    auto window = createHeadlessWindow(WindowRect::fromSize(0, 0, 1920, 1080));
    EXPECT_STREQ(startInputBackend("ois", window.get())->name(), "sdl");
    EXPECT_STREQ(startInputBackend("joypad9000", nullptr)->name(), "sdl");
}

namespace {

/// An SDL window on the dummy video driver with the SDL input back-end attached to its pump.
class SdlInputFixture : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        window = SdlWindow::create("input test", 320, 200, false);
        if (!window) GTEST_SKIP() << "no SDL video: " << SDL_GetError();
        input = std::make_unique<SdlInput>();
        ASSERT_TRUE(input->start(window.get()));
        input->setListeners(&rec, &rec);
    }
    void frame() {
        window->pumpMessages();
        input->capture();
    }
    static void pushKey(Uint32 type, SDL_Scancode scancode, bool repeat = false) {
        SDL_Event e{};
        e.type = type;
        e.key.windowID = 0;
        e.key.repeat = repeat ? 1 : 0;
        e.key.keysym.scancode = scancode;
        SDL_PushEvent(&e);
    }

    Recorder rec;
    std::unique_ptr<SdlWindow> window;
    std::unique_ptr<SdlInput> input;
};

} // namespace

TEST_F(SdlInputFixture, KeyboardEventsCarryScanCodeAndText) {
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    SDL_strlcpy(text.text.text, "\xc3\xa4", sizeof(text.text.text)); // what the layout typed
    SDL_PushEvent(&text);
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_A, true); // auto-repeat is not a new press
    pushKey(SDL_KEYUP, SDL_SCANCODE_A);
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_KP_ENTER);
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_UNKNOWN);
    window->pumpMessages();
    EXPECT_TRUE(rec.calls.empty()) << "events wait for capture";
    input->capture();
    EXPECT_EQ(rec.calls, (Calls{"key+ 30 228", "key- 30", "key+ 156 13"}));
}

TEST_F(SdlInputFixture, VirtualControllerBecomesOisJoystick) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "virtual pad";
    int device = SDL_JoystickAttachVirtualEx(&desc);
    if (device < 0) GTEST_SKIP() << "no virtual joysticks: " << SDL_GetError();
    SDL_Joystick* stick = SDL_JoystickOpen(device);
    ASSERT_NE(stick, nullptr);
    frame();
    ASSERT_TRUE(input->hasJoystick());
    rec.calls.clear();

    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, SDL_PRESSED);
    frame();
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_PRESSED);
    frame();
    SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTX, -32768);
    frame();
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_RELEASED);
    frame();
    EXPECT_EQ(rec.calls, (Calls{"button+ 0 held", "button+ 12 held", "pov 0 1", "axis 1 -32768", "button- 12",
                                "pov 0 0"}));

    // Unplugging lets go of everything still held.
    rec.calls.clear();
    SDL_JoystickClose(stick);
    SDL_JoystickDetachVirtual(device);
    frame();
    EXPECT_FALSE(input->hasJoystick());
    std::sort(rec.calls.begin(), rec.calls.end()); // SDL may re-centre before the removal
    EXPECT_EQ(rec.calls, (Calls{"axis 1 0", "button- 0"}));
}

TEST(InputOis, StartsOnARealX11Window) {
    // Needs an X server: run with QN_TEST_X11=1 SDL_VIDEODRIVER=x11 under xvfb-run.
    if (!std::getenv("QN_TEST_X11")) GTEST_SKIP() << "set QN_TEST_X11=1 under an X server";
    auto window = SdlWindow::create("ois test", 320, 200, false);
    if (!window) GTEST_SKIP() << "no SDL video: " << SDL_GetError();
    ASSERT_NE(window->nativeHandle(), 0u);
    std::unique_ptr<InputBackend> input = startInputBackend("ois", window.get());
    ASSERT_STREQ(input->name(), "ois");
    Recorder rec;
    input->setListeners(&rec, &rec);
    for (int i = 0; i < 3; ++i) {
        window->pumpMessages();
        input->capture();
    }
    input->injectKey(true, OIS::KC_ESCAPE, 27);
    EXPECT_EQ(rec.calls, Calls{"key+ 1 27"});
}
