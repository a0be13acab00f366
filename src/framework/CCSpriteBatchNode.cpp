#include "framework/CCSpriteBatchNode.h"

#include "framework/CCSprite.h"
#include "framework/CCTexture2D.h"
#include "framework/CCTextureCache.h"
#include "platform/DebugLog.h"

namespace cocos2d {

CCSpriteBatchNode* CCSpriteBatchNode::create(const char* filename, unsigned int capacity) {
    return createWithTexture(CCTextureCache::sharedTextureCache()->addImage(filename), capacity);
}

CCSpriteBatchNode* CCSpriteBatchNode::createWithTexture(CCTexture2D* texture, unsigned int capacity) {
    if (!texture) return nullptr;
    CCSpriteBatchNode* node = new CCSpriteBatchNode();
    if (!node->initWithTexture(texture, capacity)) {
        delete node;
        return nullptr;
    }
    return static_cast<CCSpriteBatchNode*>(node->autorelease());
}

CCSpriteBatchNode::~CCSpriteBatchNode() { CC_SAFE_RELEASE(m_texture); }

bool CCSpriteBatchNode::initWithTexture(CCTexture2D* texture, unsigned int capacity) {
    (void)capacity;
    if (!CCNode::init()) return false;
    setTexture(texture);
    return true;
}

void CCSpriteBatchNode::setTexture(CCTexture2D* texture) {
    if (texture == m_texture) return;
    CC_SAFE_RETAIN(texture);
    CC_SAFE_RELEASE(m_texture);
    m_texture = texture;
    if (m_texture) m_blendFunc = m_texture->defaultBlendFunc();
}

void CCSpriteBatchNode::addChild(CCNode* child) { addChild(child, child ? child->getZOrder() : 0); }

void CCSpriteBatchNode::addChild(CCNode* child, int zOrder) {
    addChild(child, zOrder, child ? child->getTag() : kCCNodeTagInvalid);
}

void CCSpriteBatchNode::addChild(CCNode* child, int zOrder, int tag) {
    CCSprite* sprite = dynamic_cast<CCSprite*>(child);
    if (!sprite) {
        qn::logLine("[CCSpriteBatchNode] only sprites can be added to a batch node");
        return;
    }
    if (sprite->getTexture() != m_texture) {
        qn::logLine("[CCSpriteBatchNode] a sprite of another texture was not added");
        return;
    }
    CCNode::addChild(child, zOrder, tag);
    if (sprite->getParent() == this) {
        sprite->setBatchNode(this);
        sprite->setBlendFunc(m_blendFunc);
    }
}

void CCSpriteBatchNode::removeChild(CCNode* child, bool cleanup) {
    if (CCSprite* sprite = dynamic_cast<CCSprite*>(child))
        if (sprite->getParent() == this) sprite->setBatchNode(nullptr);
    CCNode::removeChild(child, cleanup);
}

void CCSpriteBatchNode::removeAllChildrenWithCleanup(bool cleanup) {
    for (CCObject* o : getChildren()->data())
        if (CCSprite* sprite = dynamic_cast<CCSprite*>(o)) sprite->setBatchNode(nullptr);
    CCNode::removeAllChildrenWithCleanup(cleanup);
}

} // namespace cocos2d
