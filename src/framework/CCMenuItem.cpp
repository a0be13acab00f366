#include "framework/CCMenuItem.h"

namespace cocos2d {

namespace {
const int kNormalTag = 0x1;
const int kSelectedTag = 0x2;
const int kDisableTag = 0x3;
} // namespace

CCMenuItem* CCMenuItem::create(CCObject* target, SEL_MenuHandler selector) {
    CCMenuItem* item = new CCMenuItem();
    item->initWithTarget(target, selector);
    return static_cast<CCMenuItem*>(item->autorelease());
}

bool CCMenuItem::initWithTarget(CCObject* target, SEL_MenuHandler selector) {
    if (!CCNodeRGBA::init()) return false;
    setAnchorPoint(CCPoint(0.5f, 0.5f));
    m_pListener = target;
    m_pfnSelector = selector;
    m_bEnabled = true;
    m_bSelected = false;
    return true;
}

CCRect CCMenuItem::rect() {
    const CCPoint& anchor = getAnchorPointInPoints();
    return CCRect(m_obPosition.x - anchor.x, m_obPosition.y - anchor.y, m_obContentSize.width,
                  m_obContentSize.height);
}

void CCMenuItem::activate() {
    if (!m_bEnabled) return;
    // Keep the item alive while its handlers run: a handler may well remove it from the menu.
    retain();
    if (m_pListener && m_pfnSelector) (m_pListener->*m_pfnSelector)(this);
    if (m_callback) m_callback(this);
    release();
}

void CCMenuItem::setTarget(CCObject* target, SEL_MenuHandler selector) {
    m_pListener = target;
    m_pfnSelector = selector;
}

CCMenuItemSprite* CCMenuItemSprite::create(CCNode* normal, CCNode* selected, CCNode* disabled, CCObject* target,
                                           SEL_MenuHandler selector) {
    if (!normal) return nullptr;
    CCMenuItemSprite* item = new CCMenuItemSprite();
    item->initWithNormalSprite(normal, selected, disabled, target, selector);
    return static_cast<CCMenuItemSprite*>(item->autorelease());
}

CCMenuItemSprite* CCMenuItemSprite::create(CCNode* normal, CCNode* selected, CCObject* target,
                                           SEL_MenuHandler selector) {
    return create(normal, selected, nullptr, target, selector);
}

bool CCMenuItemSprite::initWithNormalSprite(CCNode* normal, CCNode* selected, CCNode* disabled, CCObject* target,
                                            SEL_MenuHandler selector) {
    if (!initWithTarget(target, selector)) return false;
    // The item's opacity and colour reach its images (fades and tints of the whole button).
    setCascadeOpacityEnabled(true);
    setCascadeColorEnabled(true);
    setNormalImage(normal);
    setSelectedImage(selected);
    setDisabledImage(disabled);
    if (m_pNormalImage) setContentSize(m_pNormalImage->getContentSize());
    return true;
}

void CCMenuItemSprite::replaceImage(CCNode*& slot, CCNode* image, int tag) {
    if (image == slot) return;
    if (image) {
        addChild(image, 0, tag);
        image->setAnchorPoint(CCPoint(0, 0));
    }
    if (slot) removeChild(slot, true);
    slot = image;
    updateImagesVisibility();
}

void CCMenuItemSprite::setNormalImage(CCNode* image) {
    replaceImage(m_pNormalImage, image, kNormalTag);
    if (m_pNormalImage) setContentSize(m_pNormalImage->getContentSize());
}

void CCMenuItemSprite::setSelectedImage(CCNode* image) { replaceImage(m_pSelectedImage, image, kSelectedTag); }

void CCMenuItemSprite::setDisabledImage(CCNode* image) { replaceImage(m_pDisabledImage, image, kDisableTag); }

void CCMenuItemSprite::selected() {
    CCMenuItem::selected();
    updateImagesVisibility();
}

void CCMenuItemSprite::unselected() {
    CCMenuItem::unselected();
    updateImagesVisibility();
}

void CCMenuItemSprite::setEnabled(bool enabled) {
    if (m_bEnabled == enabled) return;
    CCMenuItem::setEnabled(enabled);
    updateImagesVisibility();
}

void CCMenuItemSprite::updateImagesVisibility() {
    CCNode* shown = m_pNormalImage;
    if (!m_bEnabled) {
        if (m_pDisabledImage) shown = m_pDisabledImage;
    } else if (m_bSelected && m_pSelectedImage) {
        shown = m_pSelectedImage;
    }
    if (m_pNormalImage) m_pNormalImage->setVisible(shown == m_pNormalImage);
    if (m_pSelectedImage) m_pSelectedImage->setVisible(shown == m_pSelectedImage);
    if (m_pDisabledImage) m_pDisabledImage->setVisible(shown == m_pDisabledImage);
}

} // namespace cocos2d
