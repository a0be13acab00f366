#pragma once
// A parent for many sprites of one texture. The renderer already merges consecutive quads that
// share texture, program and blend function, so the batch node's part is to keep its children on
// one texture (other sprites are refused) and hand them its blend function.

#include "framework/CCNode.h"
#include "framework/ccTypes.h"

namespace cocos2d {

class CCSprite;
class CCTexture2D;

class CCSpriteBatchNode : public CCNode {
public:
    static constexpr unsigned int kDefaultCapacity = 29;

    /// A batch node for the PNG file `filename`; nullptr when the picture can't be loaded.
    static CCSpriteBatchNode* create(const char* filename, unsigned int capacity = kDefaultCapacity);
    /// A batch node for `texture`; nullptr without one.
    static CCSpriteBatchNode* createWithTexture(CCTexture2D* texture, unsigned int capacity = kDefaultCapacity);

    CCSpriteBatchNode() = default;
    ~CCSpriteBatchNode() override;
    bool initWithTexture(CCTexture2D* texture, unsigned int capacity);

    CCTexture2D* getTexture() const { return m_texture; }
    void setTexture(CCTexture2D* texture);
    void setBlendFunc(const ccBlendFunc& blend) { m_blendFunc = blend; }
    const ccBlendFunc& getBlendFunc() const { return m_blendFunc; }

    /// Adds a sprite of this node's texture; anything else is refused with a log line.
    void addChild(CCNode* child) override;
    void addChild(CCNode* child, int zOrder) override;
    void addChild(CCNode* child, int zOrder, int tag) override;
    void removeChild(CCNode* child, bool cleanup = true) override;
    void removeAllChildrenWithCleanup(bool cleanup) override;

private:
    CCTexture2D* m_texture = nullptr;
    ccBlendFunc m_blendFunc = kCCBlendFuncDefault;
};

} // namespace cocos2d
