#pragma once
// An off-screen picture to draw into. Between begin() and end() every quad goes to its texture
// (one point a pixel, origin bottom-left, identity camera); visiting the node shows the picture
// through its sprite. Without GL the calls keep their bookkeeping and draw nothing.

#include "framework/CCNode.h"
#include "framework/CCTexture2D.h"

namespace cocos2d {

class CCImage;
class CCSprite;

class CCRenderTexture : public CCNode {
public:
    /// A `width` x `height` pixel target; nullptr for a size that is not positive (or absurd).
    static CCRenderTexture* create(int width, int height,
                                   CCTexture2DPixelFormat format = kCCTexture2DPixelFormat_RGBA8888);
    CCRenderTexture() = default;
    ~CCRenderTexture() override;
    bool initWithWidthAndHeight(int width, int height, CCTexture2DPixelFormat format);

    /// Starts drawing into the texture (saving the current target, camera and transform).
    void begin();
    /// begin(), then clears the texture to the colour given.
    void beginWithClear(float r, float g, float b, float a);
    /// Ends drawing into the texture and returns to what was there before.
    void end();
    /// Clears the texture now (a begin/end pair of its own).
    void clear(float r, float g, float b, float a);

    /// The sprite that shows the texture (a child of this node, flipped to stand upright).
    CCSprite* getSprite() const { return m_sprite; }
    /// Draws the sprite only, with this node's transform.
    void visit() override;

    /// The texture's pixels as a new image the caller owns (top row first); nullptr without GL.
    CCImage* newCCImage();
    /// Writes the texture as PNG; false without GL.
    bool saveToFile(const char* path);

private:
    CCTexture2D* m_texture = nullptr;
    CCSprite* m_sprite = nullptr;
    unsigned int m_fbo = 0;
    unsigned int m_fboGeneration = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_drawing = false;

    bool ensureFramebuffer();
};

} // namespace cocos2d
