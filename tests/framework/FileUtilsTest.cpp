#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

#include "TestSupport.h"
#include "framework/CCFileUtils.h"

using namespace cocos2d;

TEST(FileUtils, ReadsRegularFilesOnlyAndReportsFailure) {
    qntest::TempDir dir;
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    std::string path = dir.write("data/a.bin", std::string("ab\0cd", 5));

    unsigned long size = 99;
    unsigned char* buffer = files->getFileData(path.c_str(), "rb", &size);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(size, 5ul);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), size), std::string("ab\0cd", 5));
    delete[] buffer;
    EXPECT_EQ(files->getStringFromFile(path).size(), 5u);

    for (const std::string& bad :
         {dir.file("data"), dir.file("missing"), std::string(), std::string("/dev/zero")}) {
        bool ok = true;
        EXPECT_TRUE(files->getDataFromFile(bad, &ok).empty()) << bad;
        EXPECT_FALSE(ok) << bad;
        size = 99;
        EXPECT_EQ(files->getFileData(bad.c_str(), "rb", &size), nullptr);
        EXPECT_EQ(size, 0ul);
    }
    EXPECT_EQ(files->getFileData(nullptr, "rb", &size), nullptr);
    EXPECT_TRUE(files->isFileExist(path));
    EXPECT_FALSE(files->isFileExist(dir.file("data")));
    EXPECT_TRUE(files->isDirectoryExist(dir.file("data")));
    EXPECT_FALSE(files->isFileExist(""));
}

TEST(FileUtils, RelativePathsResolveAgainstTheCurrentFolder) {
    qntest::TempDir dir;
    dir.write("data/x.plist", "x");
    char* before = getcwd(nullptr, 0);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    EXPECT_TRUE(files->isFileExist("data/x.plist"));
    std::string full = files->fullPathForFilename("data/x.plist");
    EXPECT_EQ(full.substr(full.size() - 13), "/data/x.plist");
    EXPECT_EQ(full[0], '/');
    EXPECT_EQ(files->fullPathForFilename("/abs/y"), "/abs/y");
    EXPECT_EQ(files->fullPathForFilename(nullptr), "");
    ASSERT_EQ(chdir(before), 0);
    std::free(before);
}

TEST(FileUtils, AtomicWriteReplacesWholeFilesAndLeavesNoTemporary) {
    qntest::TempDir dir;
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    std::string path = dir.file("new/folders/out.txt");
    ASSERT_TRUE(files->writeFileAtomically(path, "first version, longer"));
    ASSERT_TRUE(files->writeFileAtomically(path, "second"));
    EXPECT_EQ(qntest::readFile(path), "second");
    EXPECT_EQ(qntest::runCommand("ls -A " + qntest::shellQuote(dir.file("new/folders"))).out, "out.txt\n");

    // A target that is a folder cannot be replaced; it stays as it was and no temporary remains.
    dir.write("busy/inside.txt", "keep");
    std::string error;
    EXPECT_FALSE(files->writeFileAtomically(dir.file("busy"), "x", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(qntest::readFile(dir.file("busy/inside.txt")), "keep");
    EXPECT_EQ(qntest::runCommand("ls -A " + qntest::shellQuote(dir.path())).out, "busy\nnew\n");
    EXPECT_FALSE(files->writeFileAtomically(dir.file("trailing/"), "x"));
}

TEST(FileUtils, WritablePathFollowsXdgDataHome) {
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    const char* saved = std::getenv("XDG_DATA_HOME");
    std::string keep = saved ? saved : "";
    setenv("XDG_DATA_HOME", "/xdg/data", 1);
    EXPECT_EQ(files->getWritablePath(), "/xdg/data/qnplayer/");
    setenv("XDG_DATA_HOME", "relative/ignored", 1);
    EXPECT_EQ(files->getWritablePath().substr(0, 1), "/");
    EXPECT_EQ(files->getWritablePath().find("relative"), std::string::npos);
    files->setWritablePath("/chosen");
    EXPECT_EQ(files->getWritablePath(), "/chosen/");
    files->setWritablePath("");
    if (saved) {
        setenv("XDG_DATA_HOME", keep.c_str(), 1);
    } else {
        unsetenv("XDG_DATA_HOME");
    }
}
