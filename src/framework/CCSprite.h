#pragma once
// A textured quad node: a rectangle of a texture (or a sprite frame, trimmed and possibly rotated
// in its sheet), tinted by its displayed colour and opacity, drawn through the quad renderer.

#include "framework/CCNodeRGBA.h"
#include "framework/CCRenderer.h"

namespace cocos2d {

class CCGLProgram;
class CCSpriteBatchNode;
class CCSpriteFrame;
class CCTexture2D;

class CCSprite : public CCNodeRGBA {
public:
    /// An autoreleased sprite with no texture (draws nothing until it gets one).
    static CCSprite* create();
    /// The whole picture of a PNG file from the texture cache; nullptr when it can't be loaded.
    static CCSprite* create(const char* filename);
    static CCSprite* create(const char* filename, const CCRect& rect);
    /// The whole texture, or `rect` of it; nullptr without a texture.
    static CCSprite* createWithTexture(CCTexture2D* texture);
    static CCSprite* createWithTexture(CCTexture2D* texture, const CCRect& rect);
    /// A sprite showing `frame`; nullptr without a frame.
    static CCSprite* createWithSpriteFrame(CCSpriteFrame* frame);
    /// A sprite showing the frame cache's frame `name`; nullptr when there is no such frame.
    static CCSprite* createWithSpriteFrameName(const char* name);

    CCSprite();
    ~CCSprite() override;
    bool init() override;
    bool initWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated);
    bool initWithTexture(CCTexture2D* texture, const CCRect& rect) { return initWithTexture(texture, rect, false); }
    bool initWithSpriteFrame(CCSpriteFrame* frame);

    /// Replaces the texture (retained); the blend function follows it unless one was set.
    virtual void setTexture(CCTexture2D* texture);
    CCTexture2D* getTexture() const { return m_texture; }
    /// Shows `rect` of the texture, untrimmed.
    void setTextureRect(const CCRect& rect);
    /// Shows `rect` (upright size; rotated 90 degrees clockwise in the texture when `rotated`)
    /// inside a content of `untrimmedSize`.
    void setTextureRect(const CCRect& rect, bool rotated, const CCSize& untrimmedSize);
    const CCRect& getTextureRect() const { return m_rect; }
    bool isTextureRectRotated() const { return m_rectRotated; }
    /// Where the drawn rectangle sits inside the content (trimming offset applied).
    const CCPoint& getOffsetPosition() const { return m_offsetPosition; }

    /// Shows `frame` (its texture, rectangle, rotation and trimming).
    virtual void setDisplayFrame(CCSpriteFrame* frame);
    /// True when `frame` is the one shown (same texture and rectangle).
    bool isFrameDisplayed(CCSpriteFrame* frame) const;
    /// An autoreleased frame describing what is shown now.
    CCSpriteFrame* displayFrame();

    void setFlipX(bool flip);
    bool isFlipX() const { return m_flipX; }
    void setFlipY(bool flip);
    bool isFlipY() const { return m_flipY; }

    void setBlendFunc(const ccBlendFunc& blend) {
        m_blendFunc = blend;
        m_blendFuncSet = true;
    }
    const ccBlendFunc& getBlendFunc() const { return m_blendFunc; }
    /// The program the quad is drawn with (not owned; the shader cache keeps it).
    void setShaderProgram(CCGLProgram* program) { m_program = program; }
    CCGLProgram* getShaderProgram() const { return m_program; }

    void setOpacityModifyRGB(bool value) override { m_opacityModifyRGB = value; }
    bool isOpacityModifyRGB() const override { return m_opacityModifyRGB; }

    /// The batch node this sprite belongs to (set by CCSpriteBatchNode::addChild), or nullptr.
    CCSpriteBatchNode* getBatchNode() const { return m_batchNode; }
    void setBatchNode(CCSpriteBatchNode* batchNode) { m_batchNode = batchNode; }

    /// The quad in node space with the current texture coordinates (colours are set when drawn).
    const ccV3F_C4B_T2F_Quad& getQuad() const { return m_quad; }
    /// Fills `out` with the quad in world space for transform `world` and the displayed colour.
    void worldQuad(const CCAffineTransform& world, ccV3F_C4B_T2F_Quad& out) const;

    void draw() override;

protected:
    void updateVertexRect();
    void updateTextureCoords();

    CCTexture2D* m_texture = nullptr;
    CCGLProgram* m_program = nullptr;
    CCSpriteBatchNode* m_batchNode = nullptr;
    ccBlendFunc m_blendFunc = kCCBlendFuncDefault;
    bool m_blendFuncSet = false;
    bool m_opacityModifyRGB = true;
    CCRect m_rect;
    bool m_rectRotated = false;
    CCPoint m_unflippedOffsetPositionFromCenter;
    CCPoint m_offsetPosition;
    bool m_flipX = false;
    bool m_flipY = false;
    ccV3F_C4B_T2F_Quad m_quad;
};

} // namespace cocos2d
