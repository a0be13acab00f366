// Buttons, images and the loading bar as the screen loader builds them: pictures and their tinted
// copies, touch emulation, press and release handlers, keyboard-bound buttons per screen, switch
// states, link buttons, the image's frame control and restart, and the bar's progress.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../model/ModelTestSupport.h"
#include "framework/CCAutoreleasePool.h"
#include "framework/CCSprite.h"
#include "framework/CCSpriteFrameCache.h"
#include "framework/CCTexture2D.h"
#include "model/QNPAttributeBoolean.h"
#include "model/QNPAttributeFloat.h"
#include "model/QNPAttributeKey.h"
#include "model/QNPAttributePoint.h"
#include "model/QNPAttributeReference.h"
#include "model/QNPAttributeString.h"
#include "navigation/QNKeyBoundButtons.h"
#include "navigation/QNModelObjectButton.h"
#include "navigation/QNModelObjectLoadingBar.h"
#include "navigation/QNPObjectButton.h"
#include "navigation/QNPObjectImage.h"
#include "navigation/QNPObjectLoadingBar.h"
#include "navigation/QNPScreen.h"
#include "navigation/QNWidgetFactory.h"
#include "presentation/QNModelSprite.h"
#include "presentation/QNModelSpriteContainer.h"

using namespace cocos2d;
using namespace modeltest;

namespace {

std::string spriteModel(unsigned id) {
    return model("QNModelSprite", id, kv("size", "{40,20}") + kv("sourceSize", "{40,20}"));
}

class Widgets : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        qn::registerWidgetClasses();
        static CCTexture2D* texture = [] {
            auto* t = new CCTexture2D();
            std::vector<unsigned char> pixels(8 * 8 * 4, 255);
            t->initWithData(pixels.data(), 8, 8, false);
            return t;
        }();
        float x = 0;
        for (unsigned id : {11u, 12u, 13u})
            CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFrame(
                CCSpriteFrame::createWithTexture(texture, CCRect(x++, 0, 4, 4)),
                ("QNModelSprite_ID" + std::to_string(id)).c_str());
        writeData("QNModelSprite.0.attributes.xml", spriteModel(11) + spriteModel(12) + spriteModel(13));
        writeData("QNModelSpriteContainer.0.attributes.xml",
                  model("QNModelSpriteContainer", 20) + model("QNModelSpriteContainer", 21));
        writeData("QNModelSpriteContainer.0.connections.xml",
                  links(20, "<key>sprites</key><array><string>11</string><string>12</string></array>") +
                      links(21, "<key>sprites</key><array><string>13</string></array>"));
        loadAll();
    }
    void TearDown() override {
        for (QNModel* m : owned) m->release();
        QNPObjectButtonSwitch::clearSwitchStates();
        ModelTest::TearDown();
    }
    template <typename M> M* make() {
        auto* m = new M();
        owned.push_back(m);
        return m;
    }
    static QNModel* container(unsigned id) { return controller()->modelById(id); }
    static void setPicture(QNModel* m, const char* attribute, unsigned containerId) {
        static_cast<QNPAttributeSprite*>(m->attributeNamed(attribute))->setTarget(container(containerId));
    }
    static CCNode* build(QNModel* m) { return qn::createWidgetForModel(m, nullptr); }

    std::vector<QNModel*> owned;
};

// A screen to hang buttons on, as the screen loader does.
struct TestScreen : QNPScreen {
    void add(CCNode* button) {
        CCNode* menu = CCNode::create();
        menu->addChild(button);
        addChild(menu);
    }
};

} // namespace

TEST_F(Widgets, ButtonPicturesFollowTheModel) {
    auto* plain = make<QNModelObjectButton>();
    setPicture(plain, "Image", 20);
    auto* button = dynamic_cast<QNPObjectButton*>(build(plain));
    ASSERT_NE(button, nullptr);
    auto* normal = dynamic_cast<CCSprite*>(button->getNormalImage());
    auto* selected = dynamic_cast<CCSprite*>(button->getSelectedImage());
    auto* disabled = dynamic_cast<CCSprite*>(button->getDisabledImage());
    ASSERT_TRUE(normal && selected && disabled);
    EXPECT_NE(normal->getActionByTag(QNModelSpriteContainer::kFrameActionTag), nullptr) << "two frames loop";
    EXPECT_EQ(selected->getColor().r, 128) << "without a pressed picture: a darker copy";
    EXPECT_EQ(disabled->getColor().r, 60);
    EXPECT_EQ(button->getUserObject(), plain);

    auto* pressed = make<QNModelObjectButton>();
    setPicture(pressed, "Image", 20);
    setPicture(pressed, "Image Selected", 21);
    auto* second = dynamic_cast<QNPObjectButton*>(build(pressed));
    EXPECT_EQ(static_cast<CCSprite*>(second->getSelectedImage())->getColor().r, 255);

    auto* bare = make<QNModelObjectButton>();
    auto* touchArea = dynamic_cast<QNPObjectButton*>(build(bare));
    ASSERT_NE(touchArea, nullptr) << "a button without a picture still works";
    EXPECT_EQ(touchArea->getNormalImage()->getContentSize(), CCSize(100, 100));
    EXPECT_EQ(touchArea->getSelectedImage(), nullptr);
    EXPECT_EQ(touchArea->getDisabledImage(), nullptr);
}

TEST_F(Widgets, TouchEmulationPressesAndActivatesOnceAlongItsCurve) {
    auto* m = make<QNModelObjectButton>();
    auto* emulation = static_cast<QNPAttributeFloat*>(m->attributeNamed("Touch Emulation"));
    emulation->addKey(1, 0.0f, 0.0f);
    emulation->addKey(1, 0.5f, 1.0f);
    emulation->addKey(1, 1.0f, 0.0f);
    auto* button = dynamic_cast<QNPObjectButton*>(build(m));
    int activations = 0;
    button->setCallback([&](CCObject*) { ++activations; });
    button->setWidgetStage(0);
    for (int i = 0; i < 60; ++i) button->update(1.0f / 60);
    EXPECT_EQ(activations, 0) << "track 0 has no curve";
    button->setWidgetStage(1);
    button->resetTime();
    bool sawPressed = false;
    for (int i = 0; i < 90; ++i) {
        button->update(1.0f / 60);
        sawPressed = sawPressed || button->isSelected();
    }
    EXPECT_TRUE(sawPressed);
    EXPECT_FALSE(button->isSelected());
    EXPECT_EQ(activations, 1);
}

TEST_F(Widgets, HandlersRunOnlyWhileEnabledAndANewTargetDropsThem) {
    auto* button = dynamic_cast<QNPObjectButton*>(build(make<QNModelObjectButton>()));
    std::vector<std::string> calls;
    CCObject controller;
    button->setInputHandlers(
        &controller,
        [&](CCObject* c, QNPObjectButton*) { calls.push_back(c == &controller ? "press" : "?"); },
        [&](CCObject*, QNPObjectButton*) { calls.push_back("release"); });
    EXPECT_EQ(button->getTarget(), &controller);
    button->selected();
    button->unselected();
    button->setEnabled(false);
    button->selected();
    button->unselected();
    EXPECT_EQ(calls, (std::vector<std::string>{"press", "release"}));
    button->setEnabled(true);
    button->setTarget(nullptr, nullptr);
    button->selected();
    EXPECT_EQ(calls.size(), 2u);
}

TEST_F(Widgets, KeyBoundButtonsAnswerOnlyOnTheirOwnScreenAndLeaveWithTheButton) {
    auto* m = make<QNModelObjectButton>();
    static_cast<QNPAttributeKey*>(m->attributeNamed("Keyboard Key"))->set('J');
    auto* shown = new TestScreen();
    auto* covered = new TestScreen();
    shown->init();
    covered->init();
    int activations = 0;
    auto* button = dynamic_cast<QNPObjectButton*>(build(m));
    button->setCallback([&](CCObject*) { ++activations; });
    shown->add(button);

    EXPECT_FALSE(qn::pressKeyButtons('J', covered));
    EXPECT_FALSE(qn::pressKeyButtons('K', shown));
    EXPECT_TRUE(qn::pressKeyButtons('J', shown));
    EXPECT_TRUE(button->isSelected());
    EXPECT_TRUE(qn::releaseKeyButtons('J', shown));
    EXPECT_FALSE(button->isSelected());
    EXPECT_EQ(activations, 1);

    shown->release(); // the button goes with its screen
    CCPoolManager::sharedPoolManager()->pop();
    CCPoolManager::sharedPoolManager()->push();
    EXPECT_FALSE(qn::pressKeyButtons('J', shown)) << "no dangling registration";
    covered->release();
}

TEST_F(Widgets, SwitchesFlipTheirStoredStateUntilTheTableIsCleared) {
    auto* m = make<QNModelObjectButtonSwitch>();
    static std::vector<int> sent;
    sent.clear();
    QNPObjectButtonSwitch::setActionSender([](int id, CCObject*) { sent.push_back(id); });
    auto* first = dynamic_cast<QNPObjectButtonSwitch*>(build(m));
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isOn());
    first->selected();
    first->unselected();
    EXPECT_FALSE(first->isOn());
    auto* again = dynamic_cast<QNPObjectButtonSwitch*>(build(m));
    EXPECT_FALSE(again->isOn()) << "shown again on another screen";
    again->selected();
    EXPECT_TRUE(again->isOn());
    EXPECT_EQ(sent, (std::vector<int>{12, 11}));
    again->selected();
    QNPObjectButtonSwitch::clearSwitchStates();
    EXPECT_TRUE(dynamic_cast<QNPObjectButtonSwitch*>(build(m))->isOn());
    QNPObjectButtonSwitch::setActionSender(nullptr);
}

TEST_F(Widgets, LinkButtonsWithoutTheirDataOnlyLog) {
    auto* url = make<QNModelObjectButtonUrl>();
    auto* facebook = make<QNModelObjectButtonFacebook>();
    EXPECT_NE(facebook->attributeNamed("Facebook URL"), nullptr);
    int targetCalls = 0;
    for (QNModel* m : std::vector<QNModel*>{url, facebook}) {
        auto* button = dynamic_cast<QNPObjectButton*>(build(m));
        ASSERT_NE(button, nullptr);
        button->setCallback([&](CCObject*) { ++targetCalls; });
        button->activate();
    }
    EXPECT_TRUE(logHas("Button URL is empty"));
    EXPECT_TRUE(logHas("Facebook button URL and ID is empty"));
    static_cast<QNPAttributeString*>(url->attributeNamed("URL"))->set("https://example.org");
    static_cast<QNPObjectButton*>(build(url))->activate();
    EXPECT_EQ(targetCalls, 0) << "link buttons call no target";
}

TEST_F(Widgets, ImagesPlayTheirPictureAndRestartItsFrames) {
    auto* m = make<QNModelObjectImage>();
    static_cast<QNPAttributeBoolean*>(m->attributeNamed("Stick To Edge"))->set(false);
    auto* bare = dynamic_cast<QNPObjectImage*>(build(m));
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->getChildrenCount(), 0u) << "no picture, no children";
    static_cast<QNPAttributePoint*>(m->attributeNamed("Position"))->addKey(0, 568, 320, 1.0f);
    bare->update(1.0f);
    EXPECT_EQ(bare->getPosition(), CCPoint(568, 320)) << "still follows its transform track";

    setPicture(m, "Image", 20);
    auto* image = dynamic_cast<QNPObjectImage*>(build(m));
    ASSERT_EQ(image->getChildrenCount(), 1u);
    ASSERT_NE(image->frameAction(), nullptr);
    auto* sprite = static_cast<CCSprite*>(image->getChildren()->objectAtIndex(0));
    image->setAnimationOpacity(0.5f);
    static_cast<QNPAttributeFloat*>(m->attributeNamed("Opacity"))->set(0.5f);
    image->update(0);
    EXPECT_EQ(sprite->getOpacity(), 63);
    image->stopFrames();
    EXPECT_EQ(sprite->getActionByTag(QNModelSpriteContainer::kFrameActionTag), nullptr);
    image->restart();
    EXPECT_EQ(sprite->getOpacity(), 255);
    EXPECT_NE(sprite->getActionByTag(QNModelSpriteContainer::kFrameActionTag), nullptr) << "frames again";
    image->showFrame(1);
    EXPECT_EQ(sprite->displayFrame()->getRect().origin.x, 1) << "the frame of the second sprite";
}

TEST_F(Widgets, TheLoadingBarShowsTheControllersPercentageWhereItWasPlaced) {
    auto* m = make<QNModelObjectLoadingBar>();
    EXPECT_EQ(m->displayName(), "Loading Bar");
    static_cast<QNPAttributePoint*>(m->attributeNamed("Position"))->set(CCPoint(1100, 40));
    auto* bar = dynamic_cast<QNPObjectLoadingBar*>(build(m));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->getPosition(), CCPoint(1100, 40)) << "never screen-anchored";
    EXPECT_FLOAT_EQ(QNPObjectLoadingBar::progressFraction(), 1.0f) << "the project is loaded";
    bar->setWidgetStage(2);
    bar->update(0.5f);
    EXPECT_EQ(bar->getPosition(), CCPoint(1100, 40));
}
