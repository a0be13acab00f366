#pragma once
// One picture of a project: a frame of a texture atlas ("QNModelSprite_ID<id>" in the sprite-frame
// cache) or, for standalone textures, a picture file of its own.

#include "framework/CCGeometry.h"
#include "model/QNModel.h"

namespace cocos2d {
class CCSprite;
class CCSpriteFrame;
} // namespace cocos2d

class QNModelSpriteContainer;

class QNModelSprite : public QNModel {
public:
    QNModelSprite();

    /// Reads "pos", "offset", "size", "sourceSize" and "sourceRect" besides the attributes.
    bool initWithDictionary(cocos2d::CCDictionary* dict) override;
    /// Adds the five geometry keys, two decimals each.
    cocos2d::CCDictionary* attributesDictionary() override;
    /// Takes pos, offset, size, source size and source rectangle (of another sprite).
    void copyFrom(QNModel* other) override;
    /// Also removes the sprite from every atlas that lists it.
    void remove() override;

    /// The frame name in the sprite-frame cache: "QNModelSprite_ID<id>".
    std::string frameName() const;
    /// A new autoreleased framework sprite of this frame, anchor (0.5, 0.5); nullptr when the cache
    /// has no such frame.
    cocos2d::CCSprite* createSprite() const;
    /// This sprite's frame from the sprite-frame cache (owned by the cache), or nullptr.
    cocos2d::CCSpriteFrame* spriteFrame() const;
    /// The first sprite container of the controller that lists this sprite, or nullptr.
    QNModelSpriteContainer* container() const;

    const cocos2d::CCPoint& pos() const { return m_pos; }
    void setPos(const cocos2d::CCPoint& pos) { m_pos = pos; }
    const cocos2d::CCRect& sourceRect() const { return m_sourceRect; }
    void setSourceRect(const cocos2d::CCRect& rect) { m_sourceRect = rect; }
    const cocos2d::CCPoint& offset() const { return m_offset; }
    void setOffset(const cocos2d::CCPoint& offset) { m_offset = offset; }
    const cocos2d::CCSize& sourceSize() const { return m_sourceSize; }
    void setSourceSize(const cocos2d::CCSize& size) { m_sourceSize = size; }
    const cocos2d::CCSize& size() const { return m_size; }
    void setSize(const cocos2d::CCSize& size) { m_size = size; }
    bool isStandalone() const { return m_standalone; }
    void setStandaloneTexture(bool standalone) { m_standalone = standalone; }
    /// The standalone texture must be read from disk again on its next use.
    bool isReloadPending() const { return m_reloadPending; }
    void setReloadPending(bool pending) { m_reloadPending = pending; }

protected:
    QNModel* createEmptyCopy() const override { return new QNModelSprite(); }

private:
    cocos2d::CCPoint m_pos;
    cocos2d::CCRect m_sourceRect;
    cocos2d::CCPoint m_offset;
    cocos2d::CCSize m_sourceSize;
    cocos2d::CCSize m_size;
    bool m_standalone = false;
    bool m_reloadPending = false;
};
