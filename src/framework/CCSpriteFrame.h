#pragma once
// A sprite frame: a rectangle of a texture with the trimming information of its sprite sheet
// (offset of the trimmed rectangle from the untrimmed centre, untrimmed size, 90-degree rotation).

#include <string>

#include "framework/CCGeometry.h"
#include "framework/CCObject.h"

namespace cocos2d {

class CCTexture2D;

class CCSpriteFrame : public CCObject {
public:
    /// An autoreleased frame showing `rect` of `texture` untrimmed (nullptr without a texture).
    static CCSpriteFrame* createWithTexture(CCTexture2D* texture, const CCRect& rect);
    /// `rect` holds the upright size; a rotated frame occupies rect.height x rect.width in the
    /// texture, turned 90 degrees clockwise. `offset` is y-up, from the untrimmed centre.
    static CCSpriteFrame* createWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated,
                                            const CCPoint& offset, const CCSize& originalSize);
    /// As above with the texture of a PNG file from the texture cache (nullptr when it can't load).
    static CCSpriteFrame* create(const char* filename, const CCRect& rect);
    static CCSpriteFrame* create(const char* filename, const CCRect& rect, bool rotated, const CCPoint& offset,
                                 const CCSize& originalSize);

    CCSpriteFrame() = default;
    ~CCSpriteFrame() override;
    bool initWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated, const CCPoint& offset,
                         const CCSize& originalSize);

    const CCRect& getRect() const { return m_rect; }
    const CCRect& getRectInPixels() const { return m_rect; }
    void setRect(const CCRect& rect) { m_rect = rect; }
    bool isRotated() const { return m_rotated; }
    void setRotated(bool rotated) { m_rotated = rotated; }
    const CCPoint& getOffset() const { return m_offset; }
    void setOffset(const CCPoint& offset) { m_offset = offset; }
    const CCSize& getOriginalSize() const { return m_originalSize; }
    void setOriginalSize(const CCSize& size) { m_originalSize = size; }
    /// The texture, held by the frame.
    CCTexture2D* getTexture() const { return m_texture; }
    void setTexture(CCTexture2D* texture);

private:
    CCTexture2D* m_texture = nullptr;
    CCRect m_rect;
    CCPoint m_offset;
    CCSize m_originalSize;
    bool m_rotated = false;
};

} // namespace cocos2d
