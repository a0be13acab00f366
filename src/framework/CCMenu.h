#pragma once
// A menu: a layer that takes touches for its items. A touch that begins on an enabled, visible
// item selects it; moving off unselects it (and selects the item moved onto); ending on an item
// activates it. A menu claims the touches that begin on its items and, when it swallows, nothing
// under it sees them.

#include "framework/CCLayer.h"

namespace cocos2d {

class CCMenuItem;

/// The touch priority of menus: before ordinary layers.
constexpr int kCCMenuHandlerPriority = -128;

enum tCCMenuState {
    kCCMenuStateWaiting,
    kCCMenuStateTrackingTouch,
};

class CCMenu : public CCLayerRGBA {
public:
    /// An empty menu over the whole window, centred in it.
    static CCMenu* create();
    /// A menu with the items given, ended by nullptr.
    static CCMenu* create(CCMenuItem* item, ...);
    static CCMenu* createWithItem(CCMenuItem* item);
    static CCMenu* createWithArray(CCArray* items);

    CCMenu() = default;
    ~CCMenu() override = default;
    bool init() override;
    bool initWithArray(CCArray* items);

    /// Whether the touches this menu claims stop there (true by default).
    void setSwallowsTouches(bool swallows);
    bool isSwallowsTouches() const { return m_bSwallowsTouches; }
    /// A disabled menu takes no touches.
    void setEnabled(bool enabled) { m_bEnabled = enabled; }
    bool isEnabled() const { return m_bEnabled; }
    /// The item a touch is on, or nullptr.
    CCMenuItem* getSelectedItem() const { return m_pSelectedItem; }
    tCCMenuState getState() const { return m_eState; }

    /// Stacks the items top to bottom, centred, `padding` points apart.
    void alignItemsVertically(float padding = 5.0f);
    /// Lines the items up left to right, centred, `padding` points apart.
    void alignItemsHorizontally(float padding = 5.0f);

    void registerWithTouchDispatcher() override;
    bool ccTouchBegan(CCTouch* touch, CCEvent* event) override;
    void ccTouchMoved(CCTouch* touch, CCEvent* event) override;
    void ccTouchEnded(CCTouch* touch, CCEvent* event) override;
    void ccTouchCancelled(CCTouch* touch, CCEvent* event) override;
    void removeChild(CCNode* child, bool cleanup = true) override;
    void onExit() override;

protected:
    /// The topmost enabled, visible item under the touch.
    CCMenuItem* itemForTouch(CCTouch* touch);

    bool m_bEnabled = true;
    bool m_bSwallowsTouches = true;
    tCCMenuState m_eState = kCCMenuStateWaiting;
    CCMenuItem* m_pSelectedItem = nullptr;
};

} // namespace cocos2d
