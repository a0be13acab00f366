#pragma once
// Colour and blend types shared by nodes and the renderer. No GL header is needed here: the few
// GL enum values the blend functions use are plain constants with GL's numbers.

// The same underlying types as GL's own typedefs, so both may be seen together.
typedef unsigned char GLubyte;
typedef unsigned int GLenum;

namespace cocos2d {

/// An RGB colour with one byte a channel.
struct ccColor3B {
    GLubyte r;
    GLubyte g;
    GLubyte b;
};

/// An RGBA colour with one byte a channel.
struct ccColor4B {
    GLubyte r;
    GLubyte g;
    GLubyte b;
    GLubyte a;
};

/// An RGBA colour with float channels in [0, 1].
struct ccColor4F {
    float r;
    float g;
    float b;
    float a;
};

inline ccColor3B ccc3(GLubyte r, GLubyte g, GLubyte b) {
    return ccColor3B{r, g, b};
}
inline ccColor4B ccc4(GLubyte r, GLubyte g, GLubyte b, GLubyte a) {
    return ccColor4B{r, g, b, a};
}
inline ccColor4F ccc4f(float r, float g, float b, float a) {
    return ccColor4F{r, g, b, a};
}
inline ccColor4F ccc4FFromccc3B(ccColor3B c) {
    return ccColor4F{c.r / 255.0f, c.g / 255.0f, c.b / 255.0f, 1.0f};
}
inline ccColor4F ccc4FFromccc4B(ccColor4B c) {
    return ccColor4F{c.r / 255.0f, c.g / 255.0f, c.b / 255.0f, c.a / 255.0f};
}
inline ccColor4B ccc4BFromccc4F(ccColor4F c) {
    return ccColor4B{(GLubyte)(c.r * 255), (GLubyte)(c.g * 255), (GLubyte)(c.b * 255), (GLubyte)(c.a * 255)};
}
inline bool ccc3BEqual(ccColor3B a, ccColor3B b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}
inline bool ccc4FEqual(ccColor4F a, ccColor4F b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

static const ccColor3B ccWHITE = {255, 255, 255};
static const ccColor3B ccYELLOW = {255, 255, 0};
static const ccColor3B ccBLUE = {0, 0, 255};
static const ccColor3B ccGREEN = {0, 255, 0};
static const ccColor3B ccRED = {255, 0, 0};
static const ccColor3B ccMAGENTA = {255, 0, 255};
static const ccColor3B ccBLACK = {0, 0, 0};
static const ccColor3B ccORANGE = {255, 127, 0};
static const ccColor3B ccGRAY = {166, 166, 166};

// GL blend factors, with GL's values.
constexpr GLenum CC_GL_ZERO = 0;
constexpr GLenum CC_GL_ONE = 1;
constexpr GLenum CC_GL_SRC_COLOR = 0x0300;
constexpr GLenum CC_GL_ONE_MINUS_SRC_COLOR = 0x0301;
constexpr GLenum CC_GL_SRC_ALPHA = 0x0302;
constexpr GLenum CC_GL_ONE_MINUS_SRC_ALPHA = 0x0303;
constexpr GLenum CC_GL_DST_ALPHA = 0x0304;
constexpr GLenum CC_GL_ONE_MINUS_DST_ALPHA = 0x0305;
constexpr GLenum CC_GL_DST_COLOR = 0x0306;
constexpr GLenum CC_GL_ONE_MINUS_DST_COLOR = 0x0307;

/// Source and destination blend factors.
struct ccBlendFunc {
    GLenum src;
    GLenum dst;
};

inline bool operator==(const ccBlendFunc& a, const ccBlendFunc& b) {
    return a.src == b.src && a.dst == b.dst;
}
inline bool operator!=(const ccBlendFunc& a, const ccBlendFunc& b) {
    return !(a == b);
}

/// Blending of textures with premultiplied alpha (the default).
static const ccBlendFunc kCCBlendFuncDefault = {CC_GL_ONE, CC_GL_ONE_MINUS_SRC_ALPHA};
/// Blending of textures with straight alpha.
static const ccBlendFunc kCCBlendFuncAlpha = {CC_GL_SRC_ALPHA, CC_GL_ONE_MINUS_SRC_ALPHA};
/// Additive blending.
static const ccBlendFunc kCCBlendFuncAdditive = {CC_GL_SRC_ALPHA, CC_GL_ONE};
#define CC_BLEND_SRC cocos2d::CC_GL_ONE
#define CC_BLEND_DST cocos2d::CC_GL_ONE_MINUS_SRC_ALPHA

} // namespace cocos2d
