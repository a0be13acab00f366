// The screen model's saved form: key, stage lengths, the looping flag and the widget list.

#include <gtest/gtest.h>

#include "NavModels.h"
#include "framework/CCArray.h"
#include "framework/CCAutoreleasePool.h"
#include "framework/CCDictionary.h"
#include "framework/CCPlist.h"
#include "model/QNDataText.h"
#include "platform/DebugLog.h"

using namespace cocos2d;

namespace {

CCDictionary* parse(const std::string& body) {
    const std::string text = "<plist version=\"1.0\"><dict>" + body + "</dict></plist>";
    auto* dict = dynamic_cast<CCDictionary*>(CCPlist::parse(text.data(), text.size()));
    if (dict) dict->autorelease();
    return dict;
}

class ScreenModel : public ::testing::Test {
protected:
    void SetUp() override {
        navtest::controller()->clean();
        qn::setLogCapture(&log);
    }
    void TearDown() override {
        CCPoolManager::sharedPoolManager()->pop();
        navtest::controller()->clean();
        qn::setLogCapture(nullptr);
    }
    std::string log;
};

TEST_F(ScreenModel, ReadsOnlyPresentNumbersAndAnyLoopTextSwitchesLoopingOn) {
    struct Case {
        const char* body;
        const char* key;
        int open, idle, close;
        bool loop;
    };
    const Case cases[] = {
        {"", "", 40, 40, 0, false},
        {"<key>key</key><string>QNPScreenLoading</string>", "QNPScreenStart", 40, 40, 0, false},
        {"<key>key</key><string>Menu</string><key>openFrames</key><string>12</string>"
         "<key>idleFrames</key><string></string><key>closeFrames</key><string>5</string>"
         "<key>loopIdleAnimation</key><string>0</string>",
         "Menu", 12, 40, 5, true},
        {"<key>loopIdleAnimation</key><string></string>", "", 40, 40, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        QNModelScreen model;
        ASSERT_TRUE(model.initWithDictionary(parse(c.body)));
        EXPECT_EQ(model.key(), c.key);
        EXPECT_EQ(model.openFrames(), c.open);
        EXPECT_EQ(model.idleFrames(), c.idle);
        EXPECT_EQ(model.closeFrames(), c.close);
        EXPECT_EQ(model.loopIdleAnimation(), c.loop);
    }
}

TEST_F(ScreenModel, SavesWhatItReadsAndItsChildrenById) {
    QNModel* a = navtest::widget("QNModelObjectButton", "A");
    QNModel* b = navtest::widget("QNModelObjectImage", "B");
    QNModelScreen* model = navtest::screen("Menu", {a, b});
    model->setCloseFrames(7);
    CCDictionary* attributes = model->attributesDictionary();
    EXPECT_EQ(qn::textFor(attributes, "key"), "Menu");
    EXPECT_EQ(qn::textFor(attributes, "closeFrames"), "7");
    EXPECT_EQ(attributes->objectForKey("loopIdleAnimation"), nullptr);
    model->setLoopIdleAnimation(true);
    EXPECT_EQ(qn::textFor(model->attributesDictionary(), "loopIdleAnimation"), "1");

    QNModelScreen restored;
    restored.initConnections(model->connectionsDictionary());
    EXPECT_EQ(restored.children(), (std::vector<QNModel*>{a, b}));

    QNModelScreen orphan;
    orphan.initConnections(parse("<key>id</key><string>3</string>"));
    EXPECT_NE(log.find("[QNModelScreen] warning no children for restore connection"), std::string::npos);
}

TEST_F(ScreenModel, ACopyTakesTheStagesAndCopiesOfTheChildrenUnderAFreshKey) {
    QNModel* a = navtest::widget("QNModelObjectButton", "A");
    QNModelScreen* model = navtest::screen("QNPScreenUi 1", {a});
    navtest::screen("QNPScreenUi 2");
    model->setIdleFrames(9);
    model->setLoopIdleAnimation(true);
    auto* copy = dynamic_cast<QNModelScreen*>(model->duplicate());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->key(), "QNPScreenUi 3");
    EXPECT_EQ(copy->idleFrames(), 9);
    EXPECT_TRUE(copy->loopIdleAnimation());
    ASSERT_EQ(copy->children().size(), 1u);
    EXPECT_NE(copy->children()[0], a);
    EXPECT_EQ(copy->children()[0]->displayName(), "A");
    EXPECT_EQ(QNModelScreen::modelForKey("QNPScreenUi 1"), model);
}

} // namespace
