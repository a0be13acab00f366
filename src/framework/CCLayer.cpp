#include "framework/CCLayer.h"

#include "framework/CCDirector.h"

namespace cocos2d {

CCLayer* CCLayer::create() {
    CCLayer* layer = new CCLayer();
    layer->init();
    layer->autorelease();
    return layer;
}

CCLayer::CCLayer() {
    ignoreAnchorPointForPosition(true);
    setAnchorPoint(CCPoint(0.5f, 0.5f));
}

CCLayer::~CCLayer() {
    // Registered delegates are retained, so only the accelerometer (not retained) can still point
    // here.
    CCDirector* director = CCDirector::sharedDirectorIfExists();
    if (director && director->getAccelerometer()->getDelegate() == this)
        director->getAccelerometer()->setDelegate(nullptr);
}

bool CCLayer::init() {
    setContentSize(CCDirector::sharedDirector()->getWinSize());
    return true;
}

void CCLayer::registerWithTouchDispatcher() {
    CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher();
    if (m_eTouchMode == kCCTouchesAllAtOnce)
        dispatcher->addStandardDelegate(this, m_nTouchPriority);
    else
        dispatcher->addTargetedDelegate(this, m_nTouchPriority, true);
}

void CCLayer::unregisterTouches() {
    CCDirector::sharedDirector()->getTouchDispatcher()->removeDelegate(this);
    m_bTouchRegistered = false;
}

void CCLayer::setTouchEnabled(bool enabled) {
    if (enabled == m_bTouchEnabled) return;
    m_bTouchEnabled = enabled;
    if (!m_bRunning) return;
    if (enabled) {
        registerWithTouchDispatcher();
        m_bTouchRegistered = true;
    } else {
        unregisterTouches();
    }
}

void CCLayer::setTouchMode(ccTouchesMode mode) {
    if (mode == m_eTouchMode) return;
    m_eTouchMode = mode;
    if (m_bTouchEnabled && m_bRunning) {
        unregisterTouches();
        registerWithTouchDispatcher();
        m_bTouchRegistered = true;
    }
}

void CCLayer::setTouchPriority(int priority) {
    if (priority == m_nTouchPriority) return;
    m_nTouchPriority = priority;
    if (m_bTouchEnabled && m_bRunning) {
        unregisterTouches();
        registerWithTouchDispatcher();
        m_bTouchRegistered = true;
    }
}

void CCLayer::setKeypadEnabled(bool enabled) {
    if (enabled == m_bKeypadEnabled) return;
    m_bKeypadEnabled = enabled;
    if (!m_bRunning) return;
    CCKeypadDispatcher* keypad = CCDirector::sharedDirector()->getKeypadDispatcher();
    if (enabled)
        keypad->addDelegate(this);
    else
        keypad->removeDelegate(this);
}

void CCLayer::setAccelerometerEnabled(bool enabled) {
    if (enabled == m_bAccelerometerEnabled) return;
    m_bAccelerometerEnabled = enabled;
    if (!m_bRunning) return;
    CCAccelerometer* accelerometer = CCDirector::sharedDirector()->getAccelerometer();
    if (enabled)
        accelerometer->setDelegate(this);
    else if (accelerometer->getDelegate() == this)
        accelerometer->setDelegate(nullptr);
}

void CCLayer::setAccelerometerInterval(float interval) {
    if (m_bAccelerometerEnabled && m_bRunning)
        CCDirector::sharedDirector()->getAccelerometer()->setAccelerometerInterval(interval);
}

void CCLayer::onEnter() {
    CCDirector* director = CCDirector::sharedDirector();
    if (m_bTouchEnabled) {
        registerWithTouchDispatcher();
        m_bTouchRegistered = true;
    }
    CCNode::onEnter();
    if (m_bAccelerometerEnabled) director->getAccelerometer()->setDelegate(this);
    if (m_bKeypadEnabled) director->getKeypadDispatcher()->addDelegate(this);
}

void CCLayer::onExit() {
    CCDirector* director = CCDirector::sharedDirector();
    if (m_bTouchRegistered || m_bTouchEnabled) unregisterTouches();
    if (director->getAccelerometer()->getDelegate() == this)
        director->getAccelerometer()->setDelegate(nullptr);
    if (m_bKeypadEnabled) director->getKeypadDispatcher()->removeDelegate(this);
    CCNode::onExit();
}

void CCLayer::onEnterTransitionDidFinish() {
    if (m_bAccelerometerEnabled) CCDirector::sharedDirector()->getAccelerometer()->setDelegate(this);
    CCNode::onEnterTransitionDidFinish();
}

bool CCLayer::ccTouchBegan(CCTouch* touch, CCEvent* event) {
    (void)touch, (void)event;
    return false;
}

// ----- CCLayerRGBA / CCLayerColor ---------------------------------------------------------------

CCLayerRGBA* CCLayerRGBA::create() {
    CCLayerRGBA* layer = new CCLayerRGBA();
    layer->init();
    layer->autorelease();
    return layer;
}

CCLayerColor* CCLayerColor::create(const ccColor4B& color) {
    CCSize size = CCDirector::sharedDirector()->getWinSize();
    return create(color, size.width, size.height);
}

CCLayerColor* CCLayerColor::create(const ccColor4B& color, float width, float height) {
    CCLayerColor* layer = new CCLayerColor();
    layer->initWithColor(color, width, height);
    layer->autorelease();
    return layer;
}

CCLayerColor* CCLayerColor::create() {
    return create(ccc4(0, 0, 0, 0));
}

bool CCLayerColor::initWithColor(const ccColor4B& color, float width, float height) {
    CCLayer::init();
    m_rgba.realColor = m_rgba.displayedColor = ccc3(color.r, color.g, color.b);
    m_rgba.realOpacity = m_rgba.displayedOpacity = color.a;
    setContentSize(CCSize(width, height));
    return true;
}

} // namespace cocos2d
