// Menus driven through the director's touch dispatcher: press, move out and back, release inside
// and outside, disabled items and menus, hidden parents, and swallowing.

#include <gtest/gtest.h>

#include "RenderTestUtil.h"
#include "framework/CCDirector.h"
#include "framework/CCEGLView.h"
#include "framework/CCLayer.h"
#include "framework/CCMenu.h"
#include "framework/CCMenuItem.h"
#include "framework/CCScene.h"
#include "framework/CCSprite.h"
#include "framework/CCTexture2D.h"
#include "framework/CCTouchDispatcher.h"

using namespace cocos2d;

namespace {

/// A layer under the menu that records the touches it gets.
class TouchRecorder : public CCLayer {
public:
    static TouchRecorder* create() {
        TouchRecorder* layer = new TouchRecorder();
        layer->init();
        layer->setTouchMode(kCCTouchesOneByOne);
        layer->setTouchEnabled(true);
        return static_cast<TouchRecorder*>(layer->autorelease());
    }
    bool ccTouchBegan(CCTouch*, CCEvent*) override {
        ++began;
        return true;
    }
    int began = 0;
};

class MenuTest : public ::testing::Test {
protected:
    MenuTest() {
        CCEGLView::sharedOpenGLView()->setFrameSize(480, 320);
        CCEGLView::sharedOpenGLView()->setDesignResolutionSize(480, 320, kResolutionShowAll);
        const unsigned char px[4] = {255, 255, 255, 255};
        texture = new CCTexture2D();
        texture->initWithData(px, 1, 1, true);
        CCScene* scene = CCScene::create();
        recorder = TouchRecorder::create();
        scene->addChild(recorder);
        menu = CCMenu::create();
        menu->setAnchorPoint(CCPoint(0, 0));
        menu->setPosition(CCPoint(0, 0));
        scene->addChild(menu, 1);
        item = makeItem(CCPoint(100, 100));
        menu->addChild(item);
        director->runWithScene(scene);
        director->mainLoop(0.0f);
    }
    ~MenuTest() override {
        director->purgeDirector();
        texture->release();
    }
    CCMenuItemSprite* makeItem(const CCPoint& at) {
        auto image = [this]() { return CCSprite::createWithTexture(texture, CCRect(0, 0, 40, 20)); };
        CCMenuItemSprite* i = CCMenuItemSprite::create(image(), image(), image());
        i->setPosition(at);
        i->setCallback([this](CCObject*) { ++activations; });
        return i;
    }
    void touch(CCTouchPhase phase, float x, float y) {
        director->getTouchDispatcher()->handleTouch(phase, 1, CCPoint(x, y));
    }
    qnrender::LogAndPool scope;
    CCDirector* director = CCDirector::sharedDirector();
    CCTexture2D* texture;
    TouchRecorder* recorder;
    CCMenu* menu;
    CCMenuItemSprite* item;
    int activations = 0;
};

TEST_F(MenuTest, PressMoveOutAndRelease) {
    ASSERT_TRUE(item->getNormalImage()->isVisible());
    // Press inside (the item is 40 x 20 centred on (100, 100)): the selected image shows.
    touch(kCCTouchBegan, 115, 105);
    EXPECT_TRUE(item->isSelected());
    EXPECT_TRUE(item->getSelectedImage()->isVisible());
    EXPECT_FALSE(item->getNormalImage()->isVisible());
    // Out and back in.
    touch(kCCTouchMoved, 200, 200);
    EXPECT_FALSE(item->isSelected());
    EXPECT_TRUE(item->getNormalImage()->isVisible());
    touch(kCCTouchMoved, 90, 95);
    EXPECT_TRUE(item->isSelected());
    touch(kCCTouchEnded, 90, 95);
    EXPECT_FALSE(item->isSelected());
    EXPECT_EQ(activations, 1);

    // Released outside: no activation.
    touch(kCCTouchBegan, 100, 100);
    touch(kCCTouchMoved, 300, 100);
    touch(kCCTouchEnded, 300, 100);
    EXPECT_EQ(activations, 1);
    // Cancelled: unselected, no activation.
    touch(kCCTouchBegan, 100, 100);
    touch(kCCTouchCancelled, 100, 100);
    EXPECT_FALSE(item->isSelected());
    EXPECT_EQ(activations, 1);
    EXPECT_EQ(recorder->began, 0); // every touch on the item was swallowed
    // A touch beside the item goes to the layer underneath.
    touch(kCCTouchBegan, 10, 10);
    touch(kCCTouchEnded, 10, 10);
    EXPECT_EQ(recorder->began, 1);
}

TEST_F(MenuTest, DisabledHiddenAndNonSwallowingMenus) {
    struct Case {
        const char* name;
        std::function<void()> set;
        std::function<void()> undo;
        bool activates;
        bool layerSees;
    };
    const Case cases[] = {
        {"enabled", [] {}, [] {}, true, false},
        {"item disabled", [this] { item->setEnabled(false); }, [this] { item->setEnabled(true); }, false, true},
        {"menu disabled", [this] { menu->setEnabled(false); }, [this] { menu->setEnabled(true); }, false, true},
        {"menu hidden", [this] { menu->setVisible(false); }, [this] { menu->setVisible(true); }, false, true},
        {"item hidden", [this] { item->setVisible(false); }, [this] { item->setVisible(true); }, false, true},
        {"not swallowing", [this] { menu->setSwallowsTouches(false); }, [this] { menu->setSwallowsTouches(true); },
         true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        activations = 0;
        recorder->began = 0;
        c.set();
        touch(kCCTouchBegan, 100, 100);
        touch(kCCTouchEnded, 100, 100);
        EXPECT_EQ(activations, c.activates ? 1 : 0);
        EXPECT_EQ(recorder->began, c.layerSees ? 1 : 0);
        c.undo();
    }
    item->setEnabled(false);
    EXPECT_TRUE(item->getDisabledImage()->isVisible());
    EXPECT_FALSE(item->getNormalImage()->isVisible());
}

TEST_F(MenuTest, ItemsThatGoAwayDuringATouch) {
    // The topmost of two overlapping items takes the touch.
    CCMenuItemSprite* top = makeItem(CCPoint(110, 100));
    menu->addChild(top, 5);
    touch(kCCTouchBegan, 110, 100);
    EXPECT_TRUE(top->isSelected());
    EXPECT_FALSE(item->isSelected());
    // Removed while pressed: the release finds nothing to activate.
    menu->removeChild(top);
    touch(kCCTouchEnded, 110, 100);
    EXPECT_EQ(activations, 0);
    // An item whose handler removes it (and the menu) survives its own activation.
    item->setCallback([this](CCObject* sender) {
        ++activations;
        static_cast<CCNode*>(sender)->removeFromParent();
        menu->removeFromParent();
    });
    touch(kCCTouchBegan, 100, 100);
    touch(kCCTouchEnded, 100, 100);
    EXPECT_EQ(activations, 1);
}

} // namespace
