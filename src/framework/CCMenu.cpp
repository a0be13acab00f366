#include "framework/CCMenu.h"

#include <cstdarg>

#include "framework/CCDirector.h"
#include "framework/CCMenuItem.h"
#include "framework/CCTouch.h"
#include "framework/CCTouchDispatcher.h"

namespace cocos2d {

CCMenu* CCMenu::create() { return createWithArray(nullptr); }

CCMenu* CCMenu::create(CCMenuItem* item, ...) {
    CCArray* items = CCArray::create();
    va_list args;
    va_start(args, item);
    for (CCMenuItem* i = item; i; i = va_arg(args, CCMenuItem*)) items->addObject(i);
    va_end(args);
    return createWithArray(items);
}

CCMenu* CCMenu::createWithItem(CCMenuItem* item) { return create(item, nullptr); }

CCMenu* CCMenu::createWithArray(CCArray* items) {
    CCMenu* menu = new CCMenu();
    if (!menu->initWithArray(items)) {
        delete menu;
        return nullptr;
    }
    return static_cast<CCMenu*>(menu->autorelease());
}

bool CCMenu::init() { return initWithArray(nullptr); }

bool CCMenu::initWithArray(CCArray* items) {
    if (!CCLayerRGBA::init()) return false;
    setTouchPriority(kCCMenuHandlerPriority);
    setTouchMode(kCCTouchesOneByOne);
    setTouchEnabled(true);
    m_bEnabled = true;
    CCSize win = CCDirector::sharedDirector()->getWinSize();
    ignoreAnchorPointForPosition(true);
    setAnchorPoint(CCPoint(0.5f, 0.5f));
    setContentSize(win);
    setPosition(CCPoint(win.width / 2, win.height / 2));
    setCascadeOpacityEnabled(true);
    setCascadeColorEnabled(true);
    int z = 0;
    CCObject* o = nullptr;
    CCARRAY_FOREACH(items, o) {
        if (CCMenuItem* item = dynamic_cast<CCMenuItem*>(o)) addChild(item, z++);
    }
    m_pSelectedItem = nullptr;
    m_eState = kCCMenuStateWaiting;
    return true;
}

void CCMenu::setSwallowsTouches(bool swallows) {
    if (swallows == m_bSwallowsTouches) return;
    m_bSwallowsTouches = swallows;
    CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher();
    if (isRunning() && isTouchEnabled() && dispatcher->isRegistered(this)) {
        dispatcher->removeDelegate(this);
        registerWithTouchDispatcher();
    }
}

void CCMenu::registerWithTouchDispatcher() {
    CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, getTouchPriority(),
                                                                            m_bSwallowsTouches);
}

CCMenuItem* CCMenu::itemForTouch(CCTouch* touch) {
    CCPoint location = touch->getLocation();
    const auto& children = getChildren()->data();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        CCMenuItem* item = dynamic_cast<CCMenuItem*>(*it);
        if (!item || !item->isVisible() || !item->isEnabled()) continue;
        CCPoint local = item->convertToNodeSpace(location);
        CCRect r = item->rect();
        r.origin = CCPointZero;
        if (r.containsPoint(local)) return item;
    }
    return nullptr;
}

bool CCMenu::ccTouchBegan(CCTouch* touch, CCEvent* event) {
    (void)event;
    if (m_eState != kCCMenuStateWaiting || !m_bVisible || !m_bEnabled) return false;
    for (CCNode* c = m_pParent; c; c = c->getParent())
        if (!c->isVisible()) return false;
    m_pSelectedItem = itemForTouch(touch);
    if (!m_pSelectedItem) return false;
    m_eState = kCCMenuStateTrackingTouch;
    m_pSelectedItem->selected();
    return true;
}

void CCMenu::ccTouchMoved(CCTouch* touch, CCEvent* event) {
    (void)event;
    if (m_eState != kCCMenuStateTrackingTouch) return;
    CCMenuItem* item = itemForTouch(touch);
    if (item == m_pSelectedItem) return;
    if (m_pSelectedItem) m_pSelectedItem->unselected();
    m_pSelectedItem = item;
    if (m_pSelectedItem) m_pSelectedItem->selected();
}

void CCMenu::ccTouchEnded(CCTouch* touch, CCEvent* event) {
    (void)touch;
    (void)event;
    if (m_eState != kCCMenuStateTrackingTouch) return;
    m_eState = kCCMenuStateWaiting;
    CCMenuItem* item = m_pSelectedItem;
    if (!item) return;
    // The handlers may remove the item or the whole menu: keep both until they are done.
    retain();
    item->retain();
    item->unselected();
    item->activate();
    item->release();
    release();
}

void CCMenu::ccTouchCancelled(CCTouch* touch, CCEvent* event) {
    (void)touch;
    (void)event;
    if (m_eState != kCCMenuStateTrackingTouch) return;
    m_eState = kCCMenuStateWaiting;
    if (m_pSelectedItem) m_pSelectedItem->unselected();
}

void CCMenu::removeChild(CCNode* child, bool cleanup) {
    if (child && child == m_pSelectedItem) m_pSelectedItem = nullptr;
    CCLayerRGBA::removeChild(child, cleanup);
}

void CCMenu::onExit() {
    if (m_eState == kCCMenuStateTrackingTouch) {
        if (m_pSelectedItem) m_pSelectedItem->unselected();
        m_eState = kCCMenuStateWaiting;
        m_pSelectedItem = nullptr;
    }
    CCLayerRGBA::onExit();
}

void CCMenu::alignItemsVertically(float padding) {
    float height = -padding;
    for (CCObject* o : getChildren()->data()) {
        CCNode* child = static_cast<CCNode*>(o);
        height += child->getContentSize().height * child->getScaleY() + padding;
    }
    float y = height / 2.0f;
    for (CCObject* o : getChildren()->data()) {
        CCNode* child = static_cast<CCNode*>(o);
        float h = child->getContentSize().height * child->getScaleY();
        child->setPosition(CCPoint(0, y - h / 2.0f));
        y -= h + padding;
    }
}

void CCMenu::alignItemsHorizontally(float padding) {
    float width = -padding;
    for (CCObject* o : getChildren()->data()) {
        CCNode* child = static_cast<CCNode*>(o);
        width += child->getContentSize().width * child->getScaleX() + padding;
    }
    float x = -width / 2.0f;
    for (CCObject* o : getChildren()->data()) {
        CCNode* child = static_cast<CCNode*>(o);
        float w = child->getContentSize().width * child->getScaleX();
        child->setPosition(CCPoint(x + w / 2.0f, 0));
        x += w + padding;
    }
}

} // namespace cocos2d
