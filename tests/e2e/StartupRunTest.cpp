// Start-up through the binary: the window is titled from a settings file written by another program.
#include <gtest/gtest.h>

#include "TestSupport.h"

namespace {

TEST(StartupRun, SettingsWrittenByPlistlibTitleTheWindow) {
    qntest::TempDir dir;
    const std::string settings = dir.file("project/data/QNModelGeneralSettings.0.attributes.xml");
    dir.write("project/data/.keep", "");
    const std::string script =
        "import plistlib,sys\n"
        "model={'className':'QNModelGeneralSettings','id':'1','Name':{'value':'Settings'},"
        "'Application Name':{'value':'Plist & <Game>'},'orientation':'QNPScreenOrientationLandscape'}\n"
        "plistlib.dump({'ROOT':[model]}, open(sys.argv[1],'wb'))\n";
    dir.write("make.py", script);
    auto made = qntest::runCommand("python3 " + qntest::shellQuote(dir.file("make.py")) + " " +
                                   qntest::shellQuote(settings));
    ASSERT_EQ(made.exitCode, 0) << made.err;
    dir.write("input.txt", "3 dump dump.json\n");
    auto run =
        qntest::runPlayer("--headless --frames 3 --store store.xml --input input.txt project", dir.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string dump = qntest::readFile(dir.file("dump.json"));
    EXPECT_NE(dump.find("\"title\": \"Plist & <Game>\""), std::string::npos) << dump;
    EXPECT_NE(dump.find("\"designSize\": [1136, 640]"), std::string::npos) << dump;
}

} // namespace
