#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "framework/CCAutoreleasePool.h"
#include "framework/CCDictionary.h"
#include "framework/CCNumber.h"
#include "framework/CCPlist.h"
#include "platform/DebugLog.h"

using namespace cocos2d;

namespace {

class Plist : public ::testing::Test {
protected:
    void SetUp() override { qn::setLogCapture(&log); }
    void TearDown() override {
        qn::setLogCapture(nullptr);
        CCPoolManager::sharedPoolManager()->finalize();
    }
    int logLines() const { return (int)std::count(log.begin(), log.end(), '\n'); }

    qntest::TempDir dir;
    std::string log;
};

CCDictionary* firstModel(CCDictionary* root) {
    CCArray* models = root ? dynamic_cast<CCArray*>(root->objectForKey("ROOT")) : nullptr;
    return models ? dynamic_cast<CCDictionary*>(models->objectAtIndex(0)) : nullptr;
}

std::string nested(int depth) {
    std::string text = "<plist>";
    for (int i = 0; i < depth; ++i) text += "<array>";
    for (int i = 0; i < depth; ++i) text += "</array>";
    return text + "</plist>";
}

} // namespace

TEST_F(Plist, ReadsEveryElementTypeNestingEmptiesAndEntities) {
    CCDictionary* root = CCDictionary::createWithContentsOfFile(QN_TEST_DATA_DIR "/plist/every-type.plist");
    CCDictionary* model = firstModel(root);
    ASSERT_NE(model, nullptr) << log;
    EXPECT_EQ(log, "");

    struct Expect {
        const char* key;
        const char* text;
    };
    const Expect scalars[] = {
        {"className", "QNModelSprite"},
        {"id", "17"},
        {"speed", "-2.5e1"},
        {"on", "true"},
        {"off", "false"},
        {"blob", "AAECAwQ="},
        {"when", "2024-05-01T12:00:00Z"},
        {"text", "a & b <c> \"q\" 's' \xC3\xA9 \xE2\x98\xBA"},
        {"spaces", "  two  "},
        {"blank", " "},
        {"cdata", "<raw> & "},
        {"empty", ""},
        {"frame", "{{1,2},{3,4}}"},
    };
    for (const Expect& e : scalars) {
        CCString* value = dynamic_cast<CCString*>(model->objectForKey(e.key));
        ASSERT_NE(value, nullptr) << e.key;
        EXPECT_EQ(value->getString(), e.text) << e.key;
    }
    EXPECT_EQ(model->valueForKey("id")->uintValue(), 17u);
    EXPECT_FLOAT_EQ(model->valueForKey("speed")->floatValue(), -25.0f);
    EXPECT_TRUE(model->valueForKey("on")->boolValue());
    EXPECT_FALSE(model->valueForKey("off")->boolValue());
    EXPECT_EQ(CCRectFromString(model->valueForKey("frame")->getCString()).size.height, 4.0f);

    auto emptyDict = dynamic_cast<CCDictionary*>(model->objectForKey("emptyDict"));
    auto emptyArray = dynamic_cast<CCArray*>(model->objectForKey("emptyArray"));
    ASSERT_TRUE(emptyDict && emptyArray);
    EXPECT_EQ(emptyDict->count() + emptyArray->count(), 0u);

    auto list = dynamic_cast<CCArray*>(
        dynamic_cast<CCDictionary*>(model->objectForKey("nested"))->objectForKey("list"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 2u);
    auto inner = dynamic_cast<CCArray*>(list->objectAtIndex(1));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(static_cast<CCString*>(inner->objectAtIndex(0))->intValue(), 1);

    // Keys come in file order.
    CCArray* keys = model->allKeys();
    EXPECT_STREQ(static_cast<CCString*>(keys->objectAtIndex(0))->getCString(), "className");
    EXPECT_STREQ(static_cast<CCString*>(keys->lastObject())->getCString(), "nested");
}

TEST_F(Plist, ReadsWhatPythonPlistlibWrites) {
    std::string path = dir.file("py.plist");
    const char* script =
        "import plistlib, datetime, sys\n"
        "d = {'ROOT': [{'className': 'QNModelFont', 'id': 4294967295, 'Game Speed Min': 1.5,\n"
        "  'flag': True, 'no': False, 'blob': b'\\x00\\x01\\x02hello',\n"
        "  'when': datetime.datetime(2020, 1, 2, 3, 4, 5),\n"
        "  'text': 'caf\\u00e9 & <tag> \"q\"', 'nested': {'a': [1, -2, {'b': ''}]},\n"
        "  'emptyList': [], 'emptyDict': {}}]}\n"
        "text = plistlib.dumps(d)\n"
        "open(sys.argv[1], 'wb').write(text)\n"
        "open(sys.argv[2], 'wb').write(text.decode().replace('UTF-8', 'UTF-16').encode('utf-16'))\n";
    std::string utf16 = dir.file("py16.plist");
    qntest::RunResult run =
        qntest::runCommand("python3 -c " + qntest::shellQuote(script) + " " + path + " " + utf16);
    if (run.exitCode == 127) GTEST_SKIP() << "python3 is not installed";
    ASSERT_EQ(run.exitCode, 0) << run.err;

    for (const std::string& file : {path, utf16}) {
        SCOPED_TRACE(file);
        CCDictionary* model = firstModel(CCDictionary::createWithContentsOfFile(file.c_str()));
        ASSERT_NE(model, nullptr) << log;
        EXPECT_STREQ(model->valueForKey("className")->getCString(), "QNModelFont");
        EXPECT_EQ(model->valueForKey("id")->uintValue(), 4294967295u);
        EXPECT_FLOAT_EQ(model->valueForKey("Game Speed Min")->floatValue(), 1.5f);
        EXPECT_TRUE(model->valueForKey("flag")->boolValue());
        EXPECT_FALSE(model->valueForKey("no")->boolValue());
        EXPECT_STREQ(model->valueForKey("blob")->getCString(), "AAECaGVsbG8=");
        EXPECT_STREQ(model->valueForKey("when")->getCString(), "2020-01-02T03:04:05Z");
        EXPECT_STREQ(model->valueForKey("text")->getCString(), "caf\xC3\xA9 & <tag> \"q\"");
        auto a = dynamic_cast<CCArray*>(
            dynamic_cast<CCDictionary*>(model->objectForKey("nested"))->objectForKey("a"));
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(static_cast<CCString*>(a->objectAtIndex(1))->intValue(), -2);
        EXPECT_STREQ(dynamic_cast<CCDictionary*>(a->objectAtIndex(2))->valueForKey("b")->getCString(), "");
        EXPECT_EQ(dynamic_cast<CCArray*>(model->objectForKey("emptyList"))->count(), 0u);
    }
}

TEST_F(Plist, BadFilesGiveNullAndOneLogLineNamingTheFile) {
    struct Case {
        const char* name;
        std::string text;
        const char* reason;
    };
    const Case cases[] = {
        {"empty", "", "No document element"},
        {"not-xml", "bplist00\x01\x02garbage", "not well-formed"},
        {"unclosed", "<plist><dict><key>a</key><string>b</string>", "not well-formed"},
        {"key-without-value", "<plist><dict><key>a</key></dict></plist>", "without a value"},
        {"two-keys", "<plist><dict><key>a</key><key>b</key><true/></dict></plist>", "without a value"},
        {"value-without-key", "<plist><dict><string>x</string></dict></plist>", "where a <key> belongs"},
        {"stray-text", "<plist><dict><key>a</key><true/>stray</dict></plist>", "text outside"},
        {"unknown-element", "<plist><array><number>1</number></array></plist>",
         "unexpected element <number>"},
        {"element-in-string", "<plist><array><string>a<b/></string></array></plist>", "inside <string>"},
        {"empty-plist", "<plist></plist>", "empty <plist>"},
        {"two-values", "<plist><dict/><dict/></plist>", "more than one value"},
        {"foreign-root", "<html><dict/></html>", "is not <plist>"},
        {"root-is-array", "<plist><array/></plist>", "not a dictionary"},
        {"too-deep", nested(CCPlist::kMaxDepth + 1), "nesting deeper"},
    };
    for (const Case& c : cases) {
        log.clear();
        std::string path = dir.write(std::string(c.name) + ".plist", c.text);
        EXPECT_EQ(CCDictionary::createWithContentsOfFile(path.c_str()), nullptr) << c.name;
        EXPECT_EQ(logLines(), 1) << c.name << ": " << log;
        EXPECT_NE(log.find(path), std::string::npos) << c.name << ": " << log;
        EXPECT_NE(log.find(c.reason), std::string::npos) << c.name << ": " << log;
    }
    log.clear();
    EXPECT_EQ(CCDictionary::createWithContentsOfFile(dir.file("missing.plist").c_str()), nullptr);
    EXPECT_EQ(CCDictionary::createWithContentsOfFile(nullptr), nullptr);
    EXPECT_EQ(logLines(), 2) << log;
}

TEST_F(Plist, EveryTruncationOfAGoodFileFails) {
    std::string good = qntest::readFile(QN_TEST_DATA_DIR "/plist/every-type.plist");
    std::size_t end = good.rfind("</plist>");
    ASSERT_NE(end, std::string::npos);
    for (std::size_t cut = 0; cut < end; cut += 7) {
        std::string error;
        CCObject* root = CCPlist::parse(good.data(), cut, &error);
        EXPECT_EQ(root, nullptr) << "cut at " << cut;
        EXPECT_FALSE(error.empty());
        CC_SAFE_RELEASE(root);
    }
}

TEST_F(Plist, DepthLimitAndRootArrays) {
    std::string error;
    CCObject* deep =
        CCPlist::parse(nested(CCPlist::kMaxDepth).data(), nested(CCPlist::kMaxDepth).size(), &error);
    ASSERT_NE(deep, nullptr) << error;
    deep->release();

    std::string path = dir.write("list.plist", "<plist><array><string>a</string><dict/></array></plist>");
    CCArray* list = ccArrayCreateWithContentsOfFile(path.c_str());
    ASSERT_NE(list, nullptr) << log;
    EXPECT_EQ(list->count(), 2u);
    // A bare <dict> root (no <plist> around it) reads too.
    CCObject* bare = CCPlist::parse("<dict><key>k</key><integer>3</integer></dict>", 45);
    EXPECT_NE(dynamic_cast<CCDictionary*>(bare), nullptr);
    CC_SAFE_RELEASE(bare);
    log.clear();
    EXPECT_EQ(ccArrayCreateWithContentsOfFile(dir.write("d.plist", "<plist><dict/></plist>").c_str()),
              nullptr);
    EXPECT_EQ(logLines(), 1);
}

TEST_F(Plist, WriterRoundTripsAwkwardTextAndNumbers) {
    const std::vector<std::string> texts = {
        "",
        " ",
        "  lead and trail  ",
        "a\r\nb\rc",
        "tab\there\nnewline",
        "\x01\x1f control",
        "&amp; <not a tag> ]]> \"'",
        "caf\xC3\xA9 \xE2\x98\xBA",
        "{{1,2},{3,4}}",
    };
    CCDictionary* root = CCDictionary::create();
    CCArray* list = CCArray::create();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        root->setObject(CCString::create(texts[i]), texts[i] + "#" + std::to_string(i));
        list->addObject(CCString::create(texts[i]));
    }
    list->addObject(CCDictionary::create());
    list->addObject(CCArray::create());
    root->setObject(list, "list");

    std::string path = dir.file("out/deeper/round.plist");
    ASSERT_TRUE(root->writeToFile(path.c_str())) << log;
    CCDictionary* back = CCDictionary::createWithContentsOfFile(path.c_str());
    ASSERT_NE(back, nullptr) << log;
    EXPECT_TRUE(CCPlist::deepEqual(root, back));

    // Number values come back as their text, the way every scalar is read.
    CCDictionary* numbers = CCDictionary::create();
    numbers->setObject(CCInteger::create(-5), "int");
    numbers->setObject(CCFloat::create(0.1f), "float");
    numbers->setObject(CCDouble::create(2.5), "double");
    numbers->setObject(CCBool::create(false), "bool");
    std::string text;
    ASSERT_TRUE(CCPlist::write(numbers, &text));
    CCObject* parsed = CCPlist::parse(text.data(), text.size());
    auto readBack = dynamic_cast<CCDictionary*>(parsed);
    ASSERT_NE(readBack, nullptr);
    EXPECT_STREQ(readBack->valueForKey("int")->getCString(), "-5");
    EXPECT_STREQ(readBack->valueForKey("float")->getCString(), "0.1");
    EXPECT_STREQ(readBack->valueForKey("double")->getCString(), "2.5");
    EXPECT_STREQ(readBack->valueForKey("bool")->getCString(), "false");
    parsed->release();
}

TEST_F(Plist, WriterRefusesCyclesAndForeignObjects) {
    CCDictionary* root = CCDictionary::create();
    root->setObject(root, "self");
    std::string path = dir.file("cycle.plist");
    EXPECT_FALSE(root->writeToFile(path.c_str()));
    EXPECT_EQ(logLines(), 1) << log;
    EXPECT_FALSE(qntest::runCommand("test -e " + qntest::shellQuote(path)).exitCode == 0);
    root->removeObjectForKey("self"); // break the cycle so the dictionary can go

    CCArray* list = CCArray::create();
    list->addObject(new CCObject());
    list->objectAtIndex(0)->release();
    std::string error;
    EXPECT_FALSE(CCPlist::write(list, nullptr, &error));
    EXPECT_NE(error.find("not a property-list value"), std::string::npos);
}
