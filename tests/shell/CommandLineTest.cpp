#include "shell/CommandLine.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace {

const char* kSettings = "<plist version=\"1.0\"><dict><key>ROOT</key><array/></dict></plist>";

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir.write("game/data/QNModelGeneralSettings.0.attributes.xml", kSettings);
        m_dir.write("nosettings/data/other.xml", kSettings);
    }
    qn::CommandLineResult parse(const std::vector<std::string>& args) {
        return qn::parseCommandLine(args, m_dir.path(), m_dir.file("bin/qnplayer"), m_options);
    }
    qntest::TempDir m_dir;
    qn::RunOptions m_options;
};

TEST_F(CommandLineTest, DefaultsWithOnlyAProject) {
    auto result = parse({"game"});
    ASSERT_EQ(result.action, qn::CommandLineAction::Run) << result.message;
    EXPECT_EQ(m_options.projectDir, m_dir.file("game"));
    EXPECT_FALSE(m_options.headless);
    EXPECT_EQ(m_options.frameLimit, 0);
    EXPECT_FALSE(m_options.hasSeed);
    EXPECT_DOUBLE_EQ(m_options.clockStart, 1000000000.0);
    EXPECT_EQ(m_options.windowMode, qn::WindowModeOverride::Saved);
    EXPECT_EQ(m_options.inputBackend, qn::InputBackendKind::Sdl);
    EXPECT_EQ(m_options.monitorWidth, 1920);
    EXPECT_EQ(m_options.monitorHeight, 1080);
    EXPECT_TRUE(m_options.inputFile.empty());
}

TEST_F(CommandLineTest, EveryOptionInBothSpellings) {
    auto result =
        parse({"--headless", "--frames", "5", "--seed=42", "--input", "in.txt", "--store=s/u.xml", "--log",
               "/var/tmp/x.log", "--screenshot=shot.png", "--clock", "12.5", "--fixed-step", "--fullscreen",
               "--input-backend=ois", "--monitor", "1280x720-1280+16", "game"});
    ASSERT_EQ(result.action, qn::CommandLineAction::Run) << result.message;
    EXPECT_TRUE(m_options.headless);
    EXPECT_TRUE(m_options.usesFixedStep());
    EXPECT_EQ(m_options.frameLimit, 5);
    EXPECT_TRUE(m_options.hasSeed);
    EXPECT_EQ(m_options.seed, 42u);
    // Option paths are taken from the start directory, not the project.
    EXPECT_EQ(m_options.inputFile, m_dir.file("in.txt"));
    EXPECT_EQ(m_options.storeFile, m_dir.file("s/u.xml"));
    EXPECT_EQ(m_options.logFile, "/var/tmp/x.log");
    EXPECT_EQ(m_options.screenshotFile, m_dir.file("shot.png"));
    EXPECT_DOUBLE_EQ(m_options.clockStart, 12.5);
    EXPECT_TRUE(m_options.fixedStep);
    EXPECT_EQ(m_options.windowMode, qn::WindowModeOverride::FullScreen);
    EXPECT_EQ(m_options.inputBackend, qn::InputBackendKind::Ois);
    EXPECT_EQ(m_options.monitorWidth, 1280);
    EXPECT_EQ(m_options.monitorHeight, 720);
    EXPECT_EQ(m_options.monitorX, -1280);
    EXPECT_EQ(m_options.monitorY, 16);
}

TEST_F(CommandLineTest, HelpAndVersionPrintAndExit) {
    auto help = parse({"--help", "--bogus"});
    EXPECT_EQ(help.action, qn::CommandLineAction::PrintAndExit);
    EXPECT_NE(help.message.find("--input-backend"), std::string::npos);
    auto version = parse({"--version"});
    EXPECT_EQ(version.action, qn::CommandLineAction::PrintAndExit);
    EXPECT_EQ(version.message, std::string("qnplayer ") + QN_VERSION + "\n");
}

TEST_F(CommandLineTest, WithoutProjectPlaysTheSampleBesideTheExecutable) {
    m_dir.write("samples/runner/data/QNModelGeneralSettings.0.attributes.xml", kSettings);
    auto result = parse({"--headless"});
    ASSERT_EQ(result.action, qn::CommandLineAction::Run) << result.message;
    EXPECT_EQ(m_options.projectDir, m_dir.file("samples/runner"));
}

TEST_F(CommandLineTest, BadCommandLinesFailWithOneLineNamingTheProblem) {
    struct Case {
        std::vector<std::string> args;
        const char* expected;
    };
    const Case cases[] = {
        {{"--bogus", "game"}, "unknown option '--bogus'"},
        {{"-x", "game"}, "unknown option '-x'"},
        {{"game", "--frames"}, "--frames needs a value"},
        {{"--frames", "game"}, "--frames needs a positive whole number, not 'game'"},
        {{"--frames", "0", "game"}, "--frames needs a positive"},
        {{"--frames=-3", "game"}, "--frames needs a positive"},
        {{"--frames", "5x", "game"}, "--frames needs a positive"},
        {{"--frames", "99999999999999999999999", "game"}, "--frames needs a positive"},
        {{"--seed", "4294967296", "game"}, "--seed needs"},
        {{"--seed", "-1", "game"}, "--seed needs"},
        {{"--clock", "nan", "game"}, "--clock needs"},
        {{"--clock", "inf", "game"}, "--clock needs"},
        {{"--clock", "-1", "game"}, "--clock needs"},
        {{"--monitor", "0x10+0+0", "game"}, "--monitor needs WxH+X+Y"},
        {{"--monitor", "640x480", "game"}, "--monitor needs WxH+X+Y"},
        {{"--monitor", "640x480+a+0", "game"}, "--monitor needs WxH+X+Y"},
        {{"--input-backend", "x11", "game"}, "--input-backend must be 'sdl' or 'ois'"},
        {{"--headless=yes", "game"}, "--headless takes no value"},
        {{"--input=", "game"}, "--input needs a file name"},
        {{"--windowed", "--fullscreen", "game"}, "--windowed and --fullscreen cannot both be given"},
        {{"game", "other"}, "unexpected extra argument 'other'"},
        {{"missing"}, "project folder '"},
        {{"nosettings"}, "has no data/QNModelGeneralSettings.0.attributes.xml"},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const auto& a : c.args) joined += a + " ";
        auto result = parse(c.args);
        EXPECT_EQ(result.action, qn::CommandLineAction::Fail) << joined;
        EXPECT_NE(result.message.find(c.expected), std::string::npos) << joined << "-> " << result.message;
        EXPECT_EQ(result.message.find('\n'), std::string::npos) << joined;
        EXPECT_EQ(result.message.rfind("qnplayer: ", 0), 0u) << joined;
    }
}

TEST_F(CommandLineTest, DoubleDashEndsOptions) {
    m_dir.write("--odd/data/QNModelGeneralSettings.0.attributes.xml", kSettings);
    auto result = parse({"--headless", "--", "--odd"});
    ASSERT_EQ(result.action, qn::CommandLineAction::Run) << result.message;
    EXPECT_EQ(m_options.projectDir, m_dir.file("--odd"));
}

} // namespace
