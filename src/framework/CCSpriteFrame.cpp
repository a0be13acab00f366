#include "framework/CCSpriteFrame.h"

#include "framework/CCTexture2D.h"
#include "framework/CCTextureCache.h"

namespace cocos2d {

CCSpriteFrame* CCSpriteFrame::createWithTexture(CCTexture2D* texture, const CCRect& rect) {
    return createWithTexture(texture, rect, false, CCPointZero, rect.size);
}

CCSpriteFrame* CCSpriteFrame::createWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated,
                                                const CCPoint& offset, const CCSize& originalSize) {
    CCSpriteFrame* frame = new CCSpriteFrame();
    if (!frame->initWithTexture(texture, rect, rotated, offset, originalSize)) {
        delete frame;
        return nullptr;
    }
    return static_cast<CCSpriteFrame*>(frame->autorelease());
}

CCSpriteFrame* CCSpriteFrame::create(const char* filename, const CCRect& rect) {
    return create(filename, rect, false, CCPointZero, rect.size);
}

CCSpriteFrame* CCSpriteFrame::create(const char* filename, const CCRect& rect, bool rotated, const CCPoint& offset,
                                     const CCSize& originalSize) {
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(filename);
    return createWithTexture(texture, rect, rotated, offset, originalSize);
}

CCSpriteFrame::~CCSpriteFrame() { CC_SAFE_RELEASE(m_texture); }

bool CCSpriteFrame::initWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated, const CCPoint& offset,
                                    const CCSize& originalSize) {
    if (!texture) return false;
    setTexture(texture);
    m_rect = rect;
    m_rotated = rotated;
    m_offset = offset;
    m_originalSize = originalSize;
    return true;
}

void CCSpriteFrame::setTexture(CCTexture2D* texture) {
    if (texture == m_texture) return;
    CC_SAFE_RETAIN(texture);
    CC_SAFE_RELEASE(m_texture);
    m_texture = texture;
}

} // namespace cocos2d
