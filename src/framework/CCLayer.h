#pragma once
// Layers: nodes that take input. A layer registers its touch, keypad and accelerometer delegates
// when it enters the running scene with them enabled, and drops them when it exits.

#include "framework/CCAccelerometer.h"
#include "framework/CCKeypadDispatcher.h"
#include "framework/CCNode.h"
#include "framework/CCNodeRGBA.h"
#include "framework/CCTouchDispatcher.h"
#include "framework/ccTypes.h"

namespace cocos2d {

enum ccTouchesMode {
    /// Standard delegate: ccTouches* with sets.
    kCCTouchesAllAtOnce,
    /// Targeted delegate: ccTouch* one at a time, claimed from ccTouchBegan; swallows.
    kCCTouchesOneByOne,
};

class CCLayer : public CCNode,
                public CCTouchDelegate,
                public CCKeypadDelegate,
                public CCAccelerometerDelegate {
public:
    /// An autoreleased layer of the window's size, anchored at its origin.
    static CCLayer* create();
    CCLayer();
    ~CCLayer() override;
    bool init() override;

    void onEnter() override;
    void onExit() override;
    void onEnterTransitionDidFinish() override;

    /// Registers this layer with the touch dispatcher as its touch mode says. Override to register
    /// differently; called on entering with touches enabled.
    virtual void registerWithTouchDispatcher();
    virtual void setTouchEnabled(bool enabled);
    bool isTouchEnabled() const { return m_bTouchEnabled; }
    virtual void setTouchMode(ccTouchesMode mode);
    ccTouchesMode getTouchMode() const { return m_eTouchMode; }
    /// Touch priority (lower first); 0 by default.
    virtual void setTouchPriority(int priority);
    int getTouchPriority() const { return m_nTouchPriority; }
    virtual void setKeypadEnabled(bool enabled);
    bool isKeypadEnabled() const { return m_bKeypadEnabled; }
    virtual void setAccelerometerEnabled(bool enabled);
    bool isAccelerometerEnabled() const { return m_bAccelerometerEnabled; }
    void setAccelerometerInterval(float interval);

    /// One-by-one mode: return true to claim the touch. Claims nothing by default.
    bool ccTouchBegan(CCTouch* touch, CCEvent* event) override;
    void didAccelerate(CCAcceleration* acceleration) override { (void)acceleration; }

private:
    void unregisterTouches();

    bool m_bTouchEnabled = false;
    bool m_bKeypadEnabled = false;
    bool m_bAccelerometerEnabled = false;
    bool m_bTouchRegistered = false;
    ccTouchesMode m_eTouchMode = kCCTouchesAllAtOnce;
    int m_nTouchPriority = 0;
};

/// A layer with colour and opacity (cascading is off by default).
class CCLayerRGBA : public CCLayer, public CCRGBAProtocol {
public:
    static CCLayerRGBA* create();

    void setColor(const ccColor3B& color) override { m_rgba.setColor(this, color); }
    const ccColor3B& getColor() const override { return m_rgba.realColor; }
    const ccColor3B& getDisplayedColor() const override { return m_rgba.displayedColor; }
    void setOpacity(GLubyte opacity) override { m_rgba.setOpacity(this, opacity); }
    GLubyte getOpacity() const override { return m_rgba.realOpacity; }
    GLubyte getDisplayedOpacity() const override { return m_rgba.displayedOpacity; }
    void setOpacityModifyRGB(bool value) override { (void)value; }
    bool isOpacityModifyRGB() const override { return false; }
    bool isCascadeColorEnabled() const override { return m_rgba.cascadeColor; }
    void setCascadeColorEnabled(bool enabled) override { m_rgba.cascadeColor = enabled; }
    bool isCascadeOpacityEnabled() const override { return m_rgba.cascadeOpacity; }
    void setCascadeOpacityEnabled(bool enabled) override { m_rgba.cascadeOpacity = enabled; }
    void updateDisplayedColor(const ccColor3B& parentColor) override {
        m_rgba.updateDisplayedColor(this, parentColor);
    }
    void updateDisplayedOpacity(GLubyte parentOpacity) override {
        m_rgba.updateDisplayedOpacity(this, parentOpacity);
    }

protected:
    CCRGBAState m_rgba;
};

/// A layer filled with one colour. It keeps colour, opacity, size and blend function; the renderer
/// draws it.
class CCLayerColor : public CCLayerRGBA {
public:
    /// A layer of `color` over the whole window.
    static CCLayerColor* create(const ccColor4B& color);
    static CCLayerColor* create(const ccColor4B& color, float width, float height);
    static CCLayerColor* create();
    virtual bool initWithColor(const ccColor4B& color, float width, float height);

    void changeWidth(float width) { setContentSize(CCSize(width, m_obContentSize.height)); }
    void changeHeight(float height) { setContentSize(CCSize(m_obContentSize.width, height)); }
    void changeWidthAndHeight(float width, float height) { setContentSize(CCSize(width, height)); }
    void setBlendFunc(const ccBlendFunc& blend) { m_tBlendFunc = blend; }
    const ccBlendFunc& getBlendFunc() const { return m_tBlendFunc; }
    /// Fills the content rectangle with the displayed colour (defined with the renderer).
    void draw() override;

protected:
    ccBlendFunc m_tBlendFunc = kCCBlendFuncAlpha;
};

} // namespace cocos2d
