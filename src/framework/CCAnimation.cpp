#include "framework/CCAnimation.h"

#include <cmath>

#include "framework/CCDictionary.h"
#include "framework/CCSprite.h"
#include "framework/CCSpriteFrame.h"
#include "framework/CCTexture2D.h"
#include "framework/CCTextureCache.h"

namespace cocos2d {

// ----- CCAnimationFrame ---------------------------------------------------------------------------

CCAnimationFrame::~CCAnimationFrame() {
    CC_SAFE_RELEASE(m_spriteFrame);
    CC_SAFE_RELEASE(m_userInfo);
}

bool CCAnimationFrame::initWithSpriteFrame(CCSpriteFrame* frame, float delayUnits, CCDictionary* userInfo) {
    if (!frame) return false;
    CC_SAFE_RETAIN(frame);
    CC_SAFE_RELEASE(m_spriteFrame);
    m_spriteFrame = frame;
    CC_SAFE_RETAIN(userInfo);
    CC_SAFE_RELEASE(m_userInfo);
    m_userInfo = userInfo;
    m_delayUnits = delayUnits;
    return true;
}

// ----- CCAnimation --------------------------------------------------------------------------------

CCAnimation* CCAnimation::create() { return static_cast<CCAnimation*>((new CCAnimation())->autorelease()); }

CCAnimation* CCAnimation::createWithSpriteFrames(CCArray* frames, float delay) {
    CCAnimation* animation = create();
    animation->setDelayPerUnit(delay);
    CCObject* o = nullptr;
    CCARRAY_FOREACH(frames, o) {
        if (CCSpriteFrame* frame = dynamic_cast<CCSpriteFrame*>(o)) animation->addSpriteFrame(frame);
    }
    return animation;
}

CCAnimation* CCAnimation::create(CCArray* animationFrames, float delayPerUnit, unsigned int loops) {
    CCAnimation* animation = create();
    animation->setDelayPerUnit(delayPerUnit);
    animation->setLoops(loops);
    CCObject* o = nullptr;
    CCARRAY_FOREACH(animationFrames, o) {
        CCAnimationFrame* frame = dynamic_cast<CCAnimationFrame*>(o);
        if (!frame || !frame->getSpriteFrame()) continue;
        animation->m_frames->addObject(frame);
        animation->m_totalDelayUnits += frame->getDelayUnits();
    }
    return animation;
}

CCAnimation::CCAnimation() : m_frames(new CCArray()) {}

CCAnimation::~CCAnimation() { m_frames->release(); }

void CCAnimation::addSpriteFrame(CCSpriteFrame* frame) {
    if (!frame) return;
    CCAnimationFrame* animationFrame = new CCAnimationFrame();
    animationFrame->initWithSpriteFrame(frame, 1.0f, nullptr);
    m_frames->addObject(animationFrame);
    animationFrame->release();
    m_totalDelayUnits += 1.0f;
}

void CCAnimation::addSpriteFrameWithFileName(const char* filename) {
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(filename);
    if (!texture) return;
    addSpriteFrameWithTexture(texture, CCRect(0, 0, (float)texture->getPixelsWide(), (float)texture->getPixelsHigh()));
}

void CCAnimation::addSpriteFrameWithTexture(CCTexture2D* texture, const CCRect& rect) {
    addSpriteFrame(CCSpriteFrame::createWithTexture(texture, rect));
}

// ----- CCAnimate ----------------------------------------------------------------------------------

CCAnimate* CCAnimate::create(CCAnimation* animation) {
    if (!animation) return nullptr;
    CCAnimate* animate = new CCAnimate();
    animate->initWithAnimation(animation);
    return static_cast<CCAnimate*>(animate->autorelease());
}

CCAnimate::~CCAnimate() {
    CC_SAFE_RELEASE(m_animation);
    CC_SAFE_RELEASE(m_originalFrame);
}

bool CCAnimate::initWithAnimation(CCAnimation* animation) {
    if (!animation) return false;
    float duration = animation->getDuration() * (float)animation->getLoops();
    if (!initWithDuration(duration)) return false;
    animation->retain();
    CC_SAFE_RELEASE(m_animation);
    m_animation = animation;
    // Each frame starts at its share of the pass: the delay units before it over all units.
    m_splitTimes.clear();
    float total = animation->getTotalDelayUnits();
    float accumulated = 0.0f;
    CCObject* o = nullptr;
    CCARRAY_FOREACH(animation->getFrames(), o) {
        CCAnimationFrame* frame = static_cast<CCAnimationFrame*>(o);
        m_splitTimes.push_back(total > 0.0f ? accumulated / total : 0.0f);
        accumulated += frame->getDelayUnits();
    }
    return true;
}

CCAnimate* CCAnimate::copy() const {
    CCAnimate* animate = new CCAnimate();
    animate->initWithAnimation(m_animation);
    animate->setTag(m_nTag);
    return animate;
}

CCAnimate* CCAnimate::reverse() const {
    CCArray* frames = CCArray::create();
    CCObject* o = nullptr;
    CCARRAY_FOREACH_REVERSE(m_animation->getFrames(), o) {
        CCAnimationFrame* source = static_cast<CCAnimationFrame*>(o);
        CCAnimationFrame* frame = new CCAnimationFrame();
        frame->initWithSpriteFrame(source->getSpriteFrame(), source->getDelayUnits(), source->getUserInfo());
        frames->addObject(frame);
        frame->release();
    }
    CCAnimation* animation = CCAnimation::create(frames, m_animation->getDelayPerUnit(), m_animation->getLoops());
    animation->setRestoreOriginalFrame(m_animation->getRestoreOriginalFrame());
    return create(animation);
}

void CCAnimate::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    CC_SAFE_RELEASE_NULL(m_originalFrame);
    CCSprite* sprite = dynamic_cast<CCSprite*>(target);
    if (sprite && m_animation->getRestoreOriginalFrame()) {
        m_originalFrame = sprite->displayFrame();
        CC_SAFE_RETAIN(m_originalFrame);
    }
    m_nextFrame = 0;
    m_executedLoops = 0;
}

void CCAnimate::stop() {
    CCSprite* sprite = dynamic_cast<CCSprite*>(m_pTarget);
    if (sprite && m_originalFrame && m_animation->getRestoreOriginalFrame()) sprite->setDisplayFrame(m_originalFrame);
    CC_SAFE_RELEASE_NULL(m_originalFrame);
    CCActionInterval::stop();
}

void CCAnimate::update(float t) {
    CCSprite* sprite = dynamic_cast<CCSprite*>(m_pTarget);
    if (!sprite || !m_animation) return;
    if (t < 1.0f) {
        t *= (float)m_animation->getLoops();
        unsigned int loop = (unsigned int)t;
        if (loop > m_executedLoops) {
            m_nextFrame = 0;
            ++m_executedLoops;
        }
        t = std::fmod(t, 1.0f);
    }
    // Frame times fall on frame boundaries; the tolerance keeps float rounding from showing a
    // frame one tick late.
    constexpr float kTolerance = 1e-4f;
    CCArray* frames = m_animation->getFrames();
    unsigned int count = frames->count();
    for (unsigned int i = m_nextFrame; i < count && i < m_splitTimes.size(); ++i) {
        if (m_splitTimes[i] > t + kTolerance) break;
        CCAnimationFrame* frame = static_cast<CCAnimationFrame*>(frames->objectAtIndex(i));
        sprite->setDisplayFrame(frame->getSpriteFrame());
        m_nextFrame = i + 1;
    }
}

} // namespace cocos2d
