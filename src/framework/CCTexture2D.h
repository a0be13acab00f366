#pragma once
// A texture: RGBA pixels with premultiplied alpha kept on the CPU side (so headless runs know sizes
// and pixels) and uploaded to OpenGL the first time its name is asked for while a context is
// current.

#include <string>
#include <vector>

#include "framework/CCGeometry.h"
#include "framework/CCObject.h"
#include "framework/ccTypes.h"

namespace cocos2d {

class CCImage;

/// Pixel formats callers may ask for; every texture here is stored as RGBA8888.
enum CCTexture2DPixelFormat {
    kCCTexture2DPixelFormat_RGBA8888,
    kCCTexture2DPixelFormat_RGB888,
    kCCTexture2DPixelFormat_RGBA4444,
    kCCTexture2DPixelFormat_RGB565,
    kCCTexture2DPixelFormat_A8,
    kCCTexture2DPixelFormat_Default = kCCTexture2DPixelFormat_RGBA8888,
};

class CCTexture2D : public CCObject {
public:
    CCTexture2D() = default;
    ~CCTexture2D() override;

    /// Takes the pixels of `image` (copied; the image stays the caller's).
    bool initWithImage(CCImage* image);
    /// Copies `width` x `height` RGBA pixels, top row first.
    bool initWithData(const unsigned char* rgba, int width, int height, bool premultiplied);
    /// An empty texture to draw into (render textures); it has no CPU pixels.
    bool initAsRenderTarget(int width, int height);

    /// The GL texture name, uploading first when needed; 0 without GL.
    unsigned int getName();
    int getPixelsWide() const { return m_width; }
    int getPixelsHigh() const { return m_height; }
    /// The size in points (one texel a point).
    CCSize getContentSize() const { return CCSize((float)m_width, (float)m_height); }
    bool hasPremultipliedAlpha() const { return m_premultiplied; }
    /// The kept RGBA pixels (top row first), or nullptr for a render target.
    const unsigned char* getPixels() const { return m_pixels.empty() ? nullptr : m_pixels.data(); }
    /// The RGBA value of texel (x, y), counted from the top-left; zeros outside.
    ccColor4B pixelAt(int x, int y) const;

    /// Linear filtering (the default).
    void setAntiAliasTexParameters();
    /// Nearest-texel filtering, for pixel art and bitmap fonts at scale 1.
    void setAliasTexParameters();

    /// The blend function that draws this texture normally.
    ccBlendFunc defaultBlendFunc() const { return m_premultiplied ? kCCBlendFuncDefault : kCCBlendFuncAlpha; }

private:
    void upload();

    std::vector<unsigned char> m_pixels;
    int m_width = 0;
    int m_height = 0;
    bool m_premultiplied = true;
    bool m_renderTarget = false;
    bool m_linear = true;
    bool m_filterDirty = false;
    unsigned int m_name = 0;
    unsigned int m_contextGeneration = 0;
};

} // namespace cocos2d
