#pragma once
// Colour and opacity for nodes that have them. The real values are what was set; the displayed
// values also carry the parent's displayed values when the parent cascades them
// (displayed = real × parent displayed / 255, per channel).

#include "framework/CCNode.h"
#include "framework/ccTypes.h"

namespace cocos2d {

class CCRGBAProtocol {
public:
    virtual ~CCRGBAProtocol() = default;
    virtual void setColor(const ccColor3B& color) = 0;
    virtual const ccColor3B& getColor() const = 0;
    /// The colour after the cascade.
    virtual const ccColor3B& getDisplayedColor() const = 0;
    virtual void setOpacity(GLubyte opacity) = 0;
    virtual GLubyte getOpacity() const = 0;
    /// The opacity after the cascade.
    virtual GLubyte getDisplayedOpacity() const = 0;
    /// Whether the colour is multiplied by the opacity when drawn (premultiplied textures).
    virtual void setOpacityModifyRGB(bool value) = 0;
    virtual bool isOpacityModifyRGB() const = 0;
    virtual bool isCascadeColorEnabled() const = 0;
    virtual void setCascadeColorEnabled(bool enabled) = 0;
    virtual bool isCascadeOpacityEnabled() const = 0;
    virtual void setCascadeOpacityEnabled(bool enabled) = 0;
    /// Recomputes the displayed colour from the parent's and passes it on when cascading.
    virtual void updateDisplayedColor(const ccColor3B& parentColor) = 0;
    virtual void updateDisplayedOpacity(GLubyte parentOpacity) = 0;
};

/// The colour state shared by the RGBA node classes, with the cascade rules.
class CCRGBAState {
public:
    void setColor(CCNode* owner, const ccColor3B& color);
    void setOpacity(CCNode* owner, GLubyte opacity);
    void updateDisplayedColor(CCNode* owner, const ccColor3B& parentColor);
    void updateDisplayedOpacity(CCNode* owner, GLubyte parentOpacity);

    ccColor3B realColor = {255, 255, 255};
    ccColor3B displayedColor = {255, 255, 255};
    GLubyte realOpacity = 255;
    GLubyte displayedOpacity = 255;
    bool cascadeColor = false;
    bool cascadeOpacity = false;
};

/// A node with colour and opacity. Cascading is off by default.
class CCNodeRGBA : public CCNode, public CCRGBAProtocol {
public:
    static CCNodeRGBA* create();

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

} // namespace cocos2d
