#include "framework/CCSprite.h"

#include <cstring>

#include "framework/CCShaderCache.h"
#include "framework/CCSpriteFrame.h"
#include "framework/CCSpriteFrameCache.h"
#include "framework/CCTexture2D.h"
#include "framework/CCTextureCache.h"
#include "framework/CCTransformStack.h"

namespace cocos2d {

namespace {

template <typename T> T* autoreleased(T* object, bool ok) {
    if (!ok) {
        delete object;
        return nullptr;
    }
    object->autorelease();
    return object;
}

} // namespace

CCSprite* CCSprite::create() {
    CCSprite* sprite = new CCSprite();
    return autoreleased(sprite, sprite->init());
}

CCSprite* CCSprite::create(const char* filename) {
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(filename);
    return texture ? createWithTexture(texture) : nullptr;
}

CCSprite* CCSprite::create(const char* filename, const CCRect& rect) {
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(filename);
    return texture ? createWithTexture(texture, rect) : nullptr;
}

CCSprite* CCSprite::createWithTexture(CCTexture2D* texture) {
    if (!texture) return nullptr;
    CCRect rect(0, 0, (float)texture->getPixelsWide(), (float)texture->getPixelsHigh());
    return createWithTexture(texture, rect);
}

CCSprite* CCSprite::createWithTexture(CCTexture2D* texture, const CCRect& rect) {
    if (!texture) return nullptr;
    CCSprite* sprite = new CCSprite();
    return autoreleased(sprite, sprite->initWithTexture(texture, rect, false));
}

CCSprite* CCSprite::createWithSpriteFrame(CCSpriteFrame* frame) {
    if (!frame) return nullptr;
    CCSprite* sprite = new CCSprite();
    return autoreleased(sprite, sprite->initWithSpriteFrame(frame));
}

CCSprite* CCSprite::createWithSpriteFrameName(const char* name) {
    return createWithSpriteFrame(CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName(name));
}

CCSprite::CCSprite() { std::memset(&m_quad, 0, sizeof m_quad); }

CCSprite::~CCSprite() { CC_SAFE_RELEASE(m_texture); }

bool CCSprite::init() { return initWithTexture(nullptr, CCRectZero, false); }

bool CCSprite::initWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated) {
    if (!CCNodeRGBA::init()) return false;
    setAnchorPoint(CCPoint(0.5f, 0.5f));
    m_program = CCShaderCache::sharedShaderCache()->programForKey(kCCShader_PositionTextureColor);
    m_flipX = m_flipY = false;
    m_unflippedOffsetPositionFromCenter = CCPointZero;
    setTexture(texture);
    setTextureRect(rect, rotated, rect.size);
    return true;
}

bool CCSprite::initWithSpriteFrame(CCSpriteFrame* frame) {
    if (!frame) return false;
    bool ok = initWithTexture(frame->getTexture(), frame->getRect(), frame->isRotated());
    setDisplayFrame(frame);
    return ok;
}

void CCSprite::setTexture(CCTexture2D* texture) {
    if (texture != m_texture) {
        CC_SAFE_RETAIN(texture);
        CC_SAFE_RELEASE(m_texture);
        m_texture = texture;
    }
    if (!m_blendFuncSet) {
        m_blendFunc = (!m_texture || m_texture->hasPremultipliedAlpha()) ? kCCBlendFuncDefault : kCCBlendFuncAlpha;
        m_opacityModifyRGB = !m_texture || m_texture->hasPremultipliedAlpha();
    }
    updateTextureCoords();
}

void CCSprite::setTextureRect(const CCRect& rect) { setTextureRect(rect, false, rect.size); }

void CCSprite::setTextureRect(const CCRect& rect, bool rotated, const CCSize& untrimmedSize) {
    m_rectRotated = rotated;
    m_rect = rect;
    setContentSize(untrimmedSize);
    updateVertexRect();
    updateTextureCoords();
}

void CCSprite::updateVertexRect() {
    CCPoint relative = m_unflippedOffsetPositionFromCenter;
    if (m_flipX) relative.x = -relative.x;
    if (m_flipY) relative.y = -relative.y;
    const CCSize& content = getContentSize();
    m_offsetPosition.x = relative.x + (content.width - m_rect.size.width) / 2.0f;
    m_offsetPosition.y = relative.y + (content.height - m_rect.size.height) / 2.0f;
    float x1 = m_offsetPosition.x, y1 = m_offsetPosition.y;
    float x2 = x1 + m_rect.size.width, y2 = y1 + m_rect.size.height;
    m_quad.bl.vertices = ccVertex3F{x1, y1, 0.0f};
    m_quad.br.vertices = ccVertex3F{x2, y1, 0.0f};
    m_quad.tl.vertices = ccVertex3F{x1, y2, 0.0f};
    m_quad.tr.vertices = ccVertex3F{x2, y2, 0.0f};
}

void CCSprite::updateTextureCoords() {
    if (!m_texture) return;
    float w = (float)m_texture->getPixelsWide(), h = (float)m_texture->getPixelsHigh();
    if (w <= 0.0f || h <= 0.0f) return;
    const CCRect& r = m_rect;
    if (m_rectRotated) {
        // The sheet holds the picture turned 90 degrees clockwise: rect.height wide, rect.width tall.
        float left = r.origin.x / w, right = (r.origin.x + r.size.height) / w;
        float top = r.origin.y / h, bottom = (r.origin.y + r.size.width) / h;
        if (m_flipX) std::swap(top, bottom);
        if (m_flipY) std::swap(left, right);
        m_quad.bl.texCoords = ccTex2F{left, top};
        m_quad.br.texCoords = ccTex2F{left, bottom};
        m_quad.tl.texCoords = ccTex2F{right, top};
        m_quad.tr.texCoords = ccTex2F{right, bottom};
    } else {
        float left = r.origin.x / w, right = (r.origin.x + r.size.width) / w;
        float top = r.origin.y / h, bottom = (r.origin.y + r.size.height) / h;
        if (m_flipX) std::swap(left, right);
        if (m_flipY) std::swap(top, bottom);
        m_quad.bl.texCoords = ccTex2F{left, bottom};
        m_quad.br.texCoords = ccTex2F{right, bottom};
        m_quad.tl.texCoords = ccTex2F{left, top};
        m_quad.tr.texCoords = ccTex2F{right, top};
    }
}

void CCSprite::setDisplayFrame(CCSpriteFrame* frame) {
    if (!frame) return;
    m_unflippedOffsetPositionFromCenter = frame->getOffset();
    if (frame->getTexture() != m_texture) setTexture(frame->getTexture());
    setTextureRect(frame->getRect(), frame->isRotated(), frame->getOriginalSize());
}

bool CCSprite::isFrameDisplayed(CCSpriteFrame* frame) const {
    if (!frame) return false;
    const CCRect& r = frame->getRect();
    return frame->getTexture() == m_texture && r.origin.x == m_rect.origin.x && r.origin.y == m_rect.origin.y &&
           r.size.width == m_rect.size.width && r.size.height == m_rect.size.height;
}

CCSpriteFrame* CCSprite::displayFrame() {
    return CCSpriteFrame::createWithTexture(m_texture, m_rect, m_rectRotated, m_unflippedOffsetPositionFromCenter,
                                            getContentSize());
}

void CCSprite::setFlipX(bool flip) {
    if (m_flipX == flip) return;
    m_flipX = flip;
    updateVertexRect();
    updateTextureCoords();
}

void CCSprite::setFlipY(bool flip) {
    if (m_flipY == flip) return;
    m_flipY = flip;
    updateVertexRect();
    updateTextureCoords();
}

void CCSprite::worldQuad(const CCAffineTransform& t, ccV3F_C4B_T2F_Quad& out) const {
    out = m_quad;
    auto apply = [&t](ccV3F_C4B_T2F& v) {
        float x = v.vertices.x, y = v.vertices.y;
        v.vertices.x = t.a * x + t.c * y + t.tx;
        v.vertices.y = t.b * x + t.d * y + t.ty;
    };
    apply(out.bl);
    apply(out.br);
    apply(out.tl);
    apply(out.tr);
    const ccColor3B& c = getDisplayedColor();
    GLubyte o = getDisplayedOpacity();
    ccColor4B color = m_opacityModifyRGB
                          ? ccColor4B{(GLubyte)(c.r * o / 255), (GLubyte)(c.g * o / 255), (GLubyte)(c.b * o / 255), o}
                          : ccColor4B{c.r, c.g, c.b, o};
    out.bl.colors = out.br.colors = out.tl.colors = out.tr.colors = color;
}

void CCSprite::draw() {
    if (!m_texture || m_rect.size.width <= 0.0f || m_rect.size.height <= 0.0f) return;
    ccV3F_C4B_T2F_Quad quad;
    worldQuad(CCTransformStack::top(), quad);
    CCRenderer::sharedRenderer()->drawQuad(quad, m_texture, m_program, m_blendFunc);
}

} // namespace cocos2d
