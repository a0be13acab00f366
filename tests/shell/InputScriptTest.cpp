#include "shell/InputScript.h"

#include <OISJoyStick.h>
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "platform/WindowMessages.h"

namespace {

struct Recorder : qn::InputScriptSink {
    void onScriptEvent(const qn::ScriptEvent& event) override { events.push_back(event); }
    std::vector<qn::ScriptEvent> events;
};

std::vector<qn::ScriptEvent> frameEvents(const qn::InputScript& script, std::int64_t frame) {
    Recorder recorder;
    script.deliver(frame, recorder);
    return recorder.events;
}

TEST(InputScriptTest, ParsesEveryEventKind) {
    const char* text = "# a comment line\n"
                       "\n"
                       "1 key down KC_SPACE   # trailing comment\n"
                       "1 key up KC_ESCAPE\n"
                       "2 pad button down 3\n"
                       "2 pad axis 1 -32768\n"
                       "2 pad pov northeast\n"
                       "3 touch down 10.5 20\n"
                       "3 touch move 11 21\n"
                       "3 touch up 12 22\n"
                       "4 tap 100 200\n"
                       "6 keypad back\n"
                       "6 keypad menu\n"
                       "6 accel 0.5 -1 9.8\n"
                       "7 dump out/state one.json\n"
                       "7 window minimize\n"
                       "7 window resize 800 600\n"
                       "8 post 0x400 1 0\n"
                       "8 post 16 0xFF -2\n"
                       "9 quit\n";
    qn::InputScript script;
    std::string error;
    ASSERT_TRUE(script.parse(text, "/start", error)) << error;

    auto f1 = frameEvents(script, 1);
    ASSERT_EQ(f1.size(), 2u);
    EXPECT_EQ(f1[0].type, qn::ScriptEventType::Key);
    EXPECT_TRUE(f1[0].down);
    EXPECT_EQ(f1[0].key, OIS::KC_SPACE);
    EXPECT_EQ(f1[0].line, 3);
    EXPECT_FALSE(f1[1].down);
    EXPECT_EQ(f1[1].key, OIS::KC_ESCAPE);

    auto f2 = frameEvents(script, 2);
    ASSERT_EQ(f2.size(), 3u);
    EXPECT_EQ(f2[0].type, qn::ScriptEventType::PadButton);
    EXPECT_EQ(f2[0].index, 3);
    EXPECT_TRUE(f2[0].down);
    EXPECT_EQ(f2[1].type, qn::ScriptEventType::PadAxis);
    EXPECT_EQ(f2[1].index, 1);
    EXPECT_EQ(f2[1].value, -32768);
    EXPECT_EQ(f2[2].type, qn::ScriptEventType::PadPov);
    EXPECT_EQ(f2[2].value, +OIS::Pov::NorthEast);

    auto f3 = frameEvents(script, 3);
    ASSERT_EQ(f3.size(), 3u);
    EXPECT_EQ(f3[0].touchPhase, qn::ScriptTouchPhase::Down);
    EXPECT_FLOAT_EQ(f3[0].x, 10.5f);
    EXPECT_FLOAT_EQ(f3[0].y, 20.0f);
    EXPECT_EQ(f3[1].touchPhase, qn::ScriptTouchPhase::Move);
    EXPECT_EQ(f3[2].touchPhase, qn::ScriptTouchPhase::Up);

    // A tap is a press at its frame and a release at the next.
    auto f4 = frameEvents(script, 4), f5 = frameEvents(script, 5);
    ASSERT_EQ(f4.size(), 1u);
    ASSERT_EQ(f5.size(), 1u);
    EXPECT_EQ(f4[0].touchPhase, qn::ScriptTouchPhase::Down);
    EXPECT_EQ(f5[0].touchPhase, qn::ScriptTouchPhase::Up);
    EXPECT_FLOAT_EQ(f5[0].x, 100.0f);
    EXPECT_FLOAT_EQ(f5[0].y, 200.0f);

    auto f6 = frameEvents(script, 6);
    ASSERT_EQ(f6.size(), 3u);
    EXPECT_EQ(f6[0].keypad, qn::ScriptKeypad::Back);
    EXPECT_EQ(f6[1].keypad, qn::ScriptKeypad::Menu);
    EXPECT_EQ(f6[2].type, qn::ScriptEventType::Accel);
    EXPECT_FLOAT_EQ(f6[2].z, 9.8f);

    // Dumps are not delivered with the input; they are asked for after the frame.
    auto f7 = frameEvents(script, 7);
    ASSERT_EQ(f7.size(), 2u);
    EXPECT_EQ(f7[0].windowAction, qn::WindowAction::Minimize);
    EXPECT_EQ(f7[1].windowAction, qn::WindowAction::Resize);
    EXPECT_EQ(f7[1].width, 800);
    EXPECT_EQ(f7[1].height, 600);
    std::vector<std::string> dumps;
    script.forEachDump(7, [&](const std::string& file) { dumps.push_back(file); });
    EXPECT_EQ(dumps, std::vector<std::string>{"/start/out/state one.json"});

    auto f8 = frameEvents(script, 8);
    ASSERT_EQ(f8.size(), 2u);
    EXPECT_EQ(f8[0].message, qn::WM_USER);
    EXPECT_EQ(f8[0].wParam, 1);
    EXPECT_EQ(f8[1].message, qn::WM_CLOSE);
    EXPECT_EQ(f8[1].wParam, 255);
    EXPECT_EQ(f8[1].lParam, -2);

    auto f9 = frameEvents(script, 9);
    ASSERT_EQ(f9.size(), 1u);
    EXPECT_EQ(f9[0].type, qn::ScriptEventType::Quit);
    EXPECT_TRUE(frameEvents(script, 10).empty());
}

TEST(InputScriptTest, EventsOutOfFrameOrderAreDeliveredByFrameKeepingFileOrder) {
    qn::InputScript script;
    std::string error;
    ASSERT_TRUE(
        script.parse("5 key down KC_A\n2 key down KC_B\n5 key up KC_A\n2 dump /x.json\n", "/", error));
    auto f5 = frameEvents(script, 5);
    ASSERT_EQ(f5.size(), 2u);
    EXPECT_TRUE(f5[0].down);
    EXPECT_FALSE(f5[1].down);
    auto f2 = frameEvents(script, 2);
    ASSERT_EQ(f2.size(), 1u);
    EXPECT_EQ(f2[0].key, OIS::KC_B);
    EXPECT_TRUE(frameEvents(script, 3).empty());
}

TEST(InputScriptTest, MalformedLinesNameTheLineAndTheReason) {
    struct Case {
        const char* line;
        const char* reason;
    };
    const Case cases[] = {
        {"0 quit", "frame must be a whole number"},
        {"-1 quit", "frame must be a whole number"},
        {"x quit", "frame must be a whole number"},
        {"1.5 quit", "frame must be a whole number"},
        {"99999999999999999999 quit", "frame must be a whole number"},
        {"3", "missing event"},
        {"3 jump", "unknown event 'jump'"},
        {"3 key down", "expected '<frame> key down|up <KC_ name>'"},
        {"3 key press KC_A", "key down|up"},
        {"3 key down KC_NOPE", "unknown key name 'KC_NOPE'"},
        {"3 key down space", "unknown key name 'space'"},
        {"3 pad", "pad button|axis|pov"},
        {"3 pad wheel 1", "unknown pad event 'wheel'"},
        {"3 pad button down -1", "button number must be"},
        {"3 pad button down 2 3", "expected '<frame> pad button"},
        {"3 pad axis 0 32768", "axis value must be a whole number -32768..32767"},
        {"3 pad axis 0 -32769", "axis value must be"},
        {"3 pad axis -1 0", "axis number must be"},
        {"3 pad pov up", "unknown pov direction 'up'"},
        {"3 touch press 1 2", "touch down|move|up"},
        {"3 touch down 1", "expected '<frame> touch"},
        {"3 touch down 1 nan", "y must be a number"},
        {"3 touch down inf 1", "x must be a number"},
        {"3 tap 1 two", "y must be a number"},
        {"3 keypad home", "keypad back|menu"},
        {"3 accel 1 2", "expected '<frame> accel"},
        {"3 accel 1 2 0x3", "z must be a number"},
        {"3 dump", "expected '<frame> dump <file>'"},
        {"3 window", "window minimize|maximize|restore|close|resize"},
        {"3 window shake", "unknown window action 'shake'"},
        {"3 window resize 0 10", "width must be"},
        {"3 window resize 10 -4", "height must be"},
        {"3 window resize 10", "expected '<frame> window resize"},
        {"3 window close now", "expected '<frame> window minimize"},
        {"3 post 0x400 1", "expected '<frame> post"},
        {"3 post 0xZZ 1 0", "message must be"},
        {"3 post -1 1 0", "message must be"},
        {"3 post 0x100000000 0 0", "message must be"},
        {"3 quit now", "expected '<frame> quit'"},
        {"3 key down KC_\x1b[2J", "unknown key name 'KC_?[2J'"},
    };
    for (const Case& c : cases) {
        qn::InputScript script;
        std::string error;
        // Two good lines first, so the number must be that of the bad line.
        std::string text = std::string("# header\n1 key down KC_A\n") + c.line + "\n4 quit\n";
        EXPECT_FALSE(script.parse(text, "/", error)) << c.line;
        EXPECT_EQ(error.rfind("input:3: ", 0), 0u) << c.line << " -> " << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.line << " -> " << error;
        EXPECT_TRUE(script.empty()) << c.line;
    }
}

TEST(InputScriptTest, AHugeBadTokenGivesAShortMessage) {
    qn::InputScript script;
    std::string error;
    EXPECT_FALSE(script.parse("1 key down " + std::string(100000, 'K') + "\n", "/", error));
    EXPECT_LT(error.size(), 300u);
    EXPECT_EQ(error.rfind("input:1: unknown key name 'KKK", 0), 0u) << error;
}

TEST(InputScriptTest, LoadReadsAFileAndReportsAMissingOne) {
    qntest::TempDir dir;
    std::string path = dir.write("in.txt", "2 dump snap.json\r\n3 quit\r\n");
    qn::InputScript script;
    std::string error;
    ASSERT_TRUE(script.load(path, "/base", error)) << error;
    ASSERT_EQ(script.events().size(), 2u);
    EXPECT_EQ(script.events()[0].file, "/base/snap.json");
    EXPECT_FALSE(script.load(dir.file("absent.txt"), "/", error));
    EXPECT_NE(error.find("absent.txt"), std::string::npos);
}

} // namespace
