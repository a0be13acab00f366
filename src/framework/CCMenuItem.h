#pragma once
// Menu items: nodes a menu hands touches to. An item is selected while a touch is on it and
// activated when the touch ends there; activation calls the target's selector with the item.
// CCMenuItemSprite shows a normal, a selected and a disabled image.

#include <functional>

#include "framework/CCNodeRGBA.h"

namespace cocos2d {

class CCMenuItem : public CCNodeRGBA {
public:
    /// An autoreleased item calling `selector` on `target` when activated (both may be nullptr).
    static CCMenuItem* create(CCObject* target = nullptr, SEL_MenuHandler selector = nullptr);
    CCMenuItem() = default;
    ~CCMenuItem() override = default;
    bool initWithTarget(CCObject* target, SEL_MenuHandler selector);

    /// The item's rectangle in its parent's space.
    CCRect rect();
    /// Calls the selector (and the callback, when set) with this item, when enabled.
    virtual void activate();
    /// A touch (or the keyboard highlight) is on the item.
    virtual void selected() { m_bSelected = true; }
    virtual void unselected() { m_bSelected = false; }
    virtual void setEnabled(bool enabled) { m_bEnabled = enabled; }
    virtual bool isEnabled() const { return m_bEnabled; }
    virtual bool isSelected() const { return m_bSelected; }
    /// The target is not retained.
    virtual void setTarget(CCObject* target, SEL_MenuHandler selector);
    CCObject* getTarget() const { return m_pListener; }
    SEL_MenuHandler getSelector() const { return m_pfnSelector; }
    /// Also called on activation, after the selector.
    void setCallback(std::function<void(CCObject*)> callback) { m_callback = std::move(callback); }

protected:
    bool m_bSelected = false;
    bool m_bEnabled = true;
    CCObject* m_pListener = nullptr;
    SEL_MenuHandler m_pfnSelector = nullptr;
    std::function<void(CCObject*)> m_callback;
};

class CCMenuItemSprite : public CCMenuItem {
public:
    /// An item showing `normal`, `selected` while pressed and `disabled` while disabled (the last
    /// two may be nullptr). The images become children of the item. nullptr without `normal`.
    static CCMenuItemSprite* create(CCNode* normal, CCNode* selected, CCNode* disabled = nullptr,
                                    CCObject* target = nullptr, SEL_MenuHandler selector = nullptr);
    static CCMenuItemSprite* create(CCNode* normal, CCNode* selected, CCObject* target, SEL_MenuHandler selector);
    bool initWithNormalSprite(CCNode* normal, CCNode* selected, CCNode* disabled, CCObject* target,
                              SEL_MenuHandler selector);

    CCNode* getNormalImage() const { return m_pNormalImage; }
    CCNode* getSelectedImage() const { return m_pSelectedImage; }
    CCNode* getDisabledImage() const { return m_pDisabledImage; }
    /// Replaces an image (the old one is removed); the normal image sets the item's size.
    void setNormalImage(CCNode* image);
    void setSelectedImage(CCNode* image);
    void setDisabledImage(CCNode* image);

    void selected() override;
    void unselected() override;
    void setEnabled(bool enabled) override;

protected:
    void updateImagesVisibility();
    void replaceImage(CCNode*& slot, CCNode* image, int tag);

    CCNode* m_pNormalImage = nullptr;
    CCNode* m_pSelectedImage = nullptr;
    CCNode* m_pDisabledImage = nullptr;
};

} // namespace cocos2d
