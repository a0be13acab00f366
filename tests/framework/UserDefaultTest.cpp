#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "framework/CCUserDefault.h"
#include "platform/DebugLog.h"

using namespace cocos2d;

namespace {

class UserDefault : public ::testing::Test {
protected:
    void SetUp() override {
        qn::setLogCapture(&log);
        path = dir.file("store/UserDefault.xml");
        CCUserDefault::purgeSharedUserDefault();
        CCUserDefault::setStoreFilePath(path);
    }
    void TearDown() override {
        CCUserDefault::purgeSharedUserDefault();
        CCUserDefault::setStoreFilePath("");
        qn::setLogCapture(nullptr);
    }
    /// A fresh store loaded from the file, as on the next run.
    CCUserDefault* reload() {
        CCUserDefault::purgeSharedUserDefault();
        return CCUserDefault::sharedUserDefault();
    }
    std::vector<std::string> filesInStoreFolder() {
        qntest::RunResult r = qntest::runCommand("ls -A " + qntest::shellQuote(dir.file("store")));
        std::vector<std::string> names;
        std::size_t start = 0;
        for (std::size_t nl; (nl = r.out.find('\n', start)) != std::string::npos; start = nl + 1) {
            names.push_back(r.out.substr(start, nl - start));
        }
        return names;
    }

    qntest::TempDir dir;
    std::string path;
    std::string log;
};

const std::vector<std::string> kAwkwardKeys = {
    "plain",
    "a & b",
    "<tag>",
    "with spaces  ",
    " lead",
    "quote\"'",
    "caf\xC3\xA9 \xE2\x98\xBA",
    "",
    "tab\tnew\nline\rcr",
    "\xFF\xFE invalid utf-8",
    "\xED\xA0\x80 surrogate",
    "ScreenPlayed-Main_Menu",
};

} // namespace

TEST_F(UserDefault, EveryKindRoundTripsThroughAFreshStore) {
    CCUserDefault* store = CCUserDefault::sharedUserDefault();
    for (std::size_t i = 0; i < kAwkwardKeys.size(); ++i) {
        store->setStringForKey(kAwkwardKeys[i].c_str(), kAwkwardKeys[(i + 1) % kAwkwardKeys.size()] + "\r\n");
    }
    store->setIntegerForKey("int", -2147483647 - 1);
    store->setBoolForKey("yes", true);
    store->setBoolForKey("no", false);
    store->setFloatForKey("float", 0.1f);
    store->setDoubleForKey("double", 1.0 / 3.0);
    ASSERT_TRUE(store->flush()) << log;
    EXPECT_EQ(filesInStoreFolder(), std::vector<std::string>{"UserDefault.xml"}); // no temporary left

    store = reload();
    for (std::size_t i = 0; i < kAwkwardKeys.size(); ++i) {
        EXPECT_EQ(store->getStringForKey(kAwkwardKeys[i].c_str(), "missing"),
                  kAwkwardKeys[(i + 1) % kAwkwardKeys.size()] + "\r\n")
            << "key #" << i;
    }
    EXPECT_EQ(store->getIntegerForKey("int"), -2147483647 - 1);
    EXPECT_TRUE(store->getBoolForKey("yes", false));
    EXPECT_FALSE(store->getBoolForKey("no", true));
    EXPECT_EQ(store->getFloatForKey("float"), 0.1f);
    EXPECT_EQ(store->getDoubleForKey("double"), 1.0 / 3.0);
    EXPECT_EQ(log, "");
}

TEST_F(UserDefault, DefaultsForMissingAndNullKeysAndNoWriteWithoutChange) {
    CCUserDefault* store = CCUserDefault::sharedUserDefault();
    EXPECT_EQ(store->getIntegerForKey("missing", 7), 7);
    EXPECT_EQ(store->getIntegerForKey("missing"), 0);
    EXPECT_TRUE(store->getBoolForKey("missing", true));
    EXPECT_EQ(store->getStringForKey(nullptr, "d"), "d");
    EXPECT_EQ(store->getFloatForKey("missing", 1.5f), 1.5f);
    store->setStringForKey(nullptr, "ignored");
    EXPECT_TRUE(store->flush());
    EXPECT_TRUE(filesInStoreFolder().empty()); // nothing changed: nothing written

    store->setIntegerForKey("gone", 1);
    store->deleteValueForKey("gone");
    store->setStringForKey("number", "12 apples");
    ASSERT_TRUE(store->flush());
    store = reload();
    EXPECT_FALSE(store->hasKey("gone"));
    EXPECT_EQ(store->getIntegerForKey("number", -1), 12);
}

TEST_F(UserDefault, TruncatedFileIsKeptAsideAndNeverOverwritten) {
    CCUserDefault* store = CCUserDefault::sharedUserDefault();
    for (int i = 0; i < 20; ++i) store->setIntegerForKey(("score" + std::to_string(i)).c_str(), i * 100);
    ASSERT_TRUE(store->flush());
    std::string good = qntest::readFile(path);
    std::string truncated = good.substr(0, good.size() / 2);
    dir.write("store/UserDefault.xml", truncated);

    store = reload();
    EXPECT_FALSE(store->hasKey("score0"));
    EXPECT_NE(log.find("damaged"), std::string::npos) << log;
    EXPECT_NE(log.find(path), std::string::npos) << log;
    EXPECT_EQ(qntest::readFile(path + ".damaged-1"), truncated);

    // Saving the now empty store must leave the damaged bytes where they were put.
    store->setBoolForKey("fresh", true);
    ASSERT_TRUE(store->flush());
    EXPECT_EQ(qntest::readFile(path + ".damaged-1"), truncated);
    EXPECT_TRUE(reload()->getBoolForKey("fresh"));

    // A second damaged file takes the next free name.
    dir.write("store/UserDefault.xml", "<userDefaultRoot><entry key=\"a\" value=\"1\"/>");
    reload();
    EXPECT_EQ(qntest::readFile(path + ".damaged-2"), "<userDefaultRoot><entry key=\"a\" value=\"1\"/>");
    EXPECT_EQ(qntest::readFile(path + ".damaged-1"), truncated);
}

TEST_F(UserDefault, UnreadableOrForeignFilesAreNeverReplacedByAnEmptyStore) {
    struct Case {
        const char* name;
        const char* contents;
    };
    const Case damaged[] = {
        {"empty file", ""},
        {"not xml", "\x01\x02 binary"},
        {"foreign xml", "<settings><entry key=\"a\" value=\"1\"/></settings>"},
    };
    for (const Case& c : damaged) {
        dir.write("store/UserDefault.xml", c.contents);
        reload()->setIntegerForKey("x", 1);
        ASSERT_TRUE(CCUserDefault::sharedUserDefault()->flush()) << c.name;
        std::vector<std::string> files = filesInStoreFolder();
        EXPECT_EQ(files.size(), 2u) << c.name; // the new store and the damaged one beside it
        qntest::runCommand("rm -f " + qntest::shellQuote(path) + ".damaged-*");
    }

    // A store path that cannot be read at all (here a folder) blocks writing instead.
    qntest::runCommand("rm -rf " + qntest::shellQuote(dir.file("store")));
    dir.write("store/UserDefault.xml/keep.txt", "precious");
    log.clear();
    CCUserDefault* store = reload();
    store->setIntegerForKey("x", 1);
    EXPECT_FALSE(store->flush());
    EXPECT_EQ(qntest::readFile(path + "/keep.txt"), "precious");
    EXPECT_NE(log.find("not writing"), std::string::npos) << log;
}

TEST_F(UserDefault, EntriesItCannotDecodeAreSkippedAndTheRestKept) {
    dir.write("store/UserDefault.xml", "<?xml version=\"1.0\"?>\n<userDefaultRoot>\n"
                                       "  <entry key=\"good\" value=\"1\"/>\n"
                                       "  <entry keyHex=\"zz\" value=\"2\"/>\n"
                                       "  <entry key=\"no value\"/>\n"
                                       "  <entry keyHex=\"6869\" valueHex=\"313233\"/>\n"
                                       "</userDefaultRoot>\n");
    CCUserDefault* store = CCUserDefault::sharedUserDefault();
    EXPECT_EQ(store->getIntegerForKey("good"), 1);
    EXPECT_EQ(store->getStringForKey("hi"), "123");
    EXPECT_NE(log.find("skipped 2"), std::string::npos) << log;
}

TEST_F(UserDefault, ChangingTheStorePathReloadsAndTheDefaultPathIsPerGame) {
    CCUserDefault::sharedUserDefault()->setIntegerForKey("a", 1);
    ASSERT_TRUE(CCUserDefault::sharedUserDefault()->flush());
    CCUserDefault::setStoreFilePath(dir.file("other.xml"));
    EXPECT_FALSE(CCUserDefault::sharedUserDefault()->hasKey("a"));
    CCUserDefault::setStoreFilePath(path);
    EXPECT_EQ(CCUserDefault::sharedUserDefault()->getIntegerForKey("a"), 1);

    std::string game = CCUserDefault::defaultStoreFilePath("My/Game");
    EXPECT_NE(game.find("/qnplayer/My_Game/UserDefault.xml"), std::string::npos) << game;
    EXPECT_NE(CCUserDefault::defaultStoreFilePath("..").find("/qnplayer/default/UserDefault.xml"),
              std::string::npos);
}
