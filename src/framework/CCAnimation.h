#pragma once
// Frame animations: a list of sprite frames, each shown for a number of delay units, and the
// action that plays them on a sprite.

#include <vector>

#include "framework/CCActionInterval.h"
#include "framework/CCArray.h"
#include "framework/CCGeometry.h"

namespace cocos2d {

class CCDictionary;
class CCSpriteFrame;
class CCTexture2D;

/// One frame of an animation: a sprite frame shown for `delayUnits` units of the animation.
class CCAnimationFrame : public CCObject {
public:
    CCAnimationFrame() = default;
    ~CCAnimationFrame() override;
    /// Keeps `frame` and `userInfo` (both retained; userInfo may be nullptr).
    bool initWithSpriteFrame(CCSpriteFrame* frame, float delayUnits, CCDictionary* userInfo);

    CCSpriteFrame* getSpriteFrame() const { return m_spriteFrame; }
    float getDelayUnits() const { return m_delayUnits; }
    void setDelayUnits(float units) { m_delayUnits = units; }
    CCDictionary* getUserInfo() const { return m_userInfo; }

private:
    CCSpriteFrame* m_spriteFrame = nullptr;
    float m_delayUnits = 0.0f;
    CCDictionary* m_userInfo = nullptr;
};

class CCAnimation : public CCObject {
public:
    /// An empty animation (autoreleased).
    static CCAnimation* create();
    /// One frame a sprite frame of `frames` (CCSpriteFrame elements; others are skipped), each
    /// shown for `delay` seconds.
    static CCAnimation* createWithSpriteFrames(CCArray* frames, float delay = 0.0f);
    /// From CCAnimationFrame elements, `delayPerUnit` seconds a unit, played `loops` times.
    static CCAnimation* create(CCArray* animationFrames, float delayPerUnit, unsigned int loops = 1);

    CCAnimation();
    ~CCAnimation() override;

    /// Appends a frame of one delay unit.
    void addSpriteFrame(CCSpriteFrame* frame);
    /// Appends the whole picture of a PNG file (nothing when it can't be loaded).
    void addSpriteFrameWithFileName(const char* filename);
    void addSpriteFrameWithTexture(CCTexture2D* texture, const CCRect& rect);

    /// The CCAnimationFrame elements, owned by the animation.
    CCArray* getFrames() const { return m_frames; }
    float getDelayPerUnit() const { return m_delayPerUnit; }
    void setDelayPerUnit(float delay) { m_delayPerUnit = delay; }
    float getTotalDelayUnits() const { return m_totalDelayUnits; }
    /// Seconds of one pass: total delay units times the delay per unit.
    float getDuration() const { return m_totalDelayUnits * m_delayPerUnit; }
    bool getRestoreOriginalFrame() const { return m_restoreOriginalFrame; }
    void setRestoreOriginalFrame(bool restore) { m_restoreOriginalFrame = restore; }
    unsigned int getLoops() const { return m_loops; }
    void setLoops(unsigned int loops) { m_loops = loops; }

private:
    CCArray* m_frames;
    float m_delayPerUnit = 0.0f;
    float m_totalDelayUnits = 0.0f;
    bool m_restoreOriginalFrame = false;
    unsigned int m_loops = 1;
};

/// Plays an animation on a sprite (other targets are left alone).
class CCAnimate : public CCActionInterval {
public:
    /// nullptr without an animation.
    static CCAnimate* create(CCAnimation* animation);
    CCAnimate() = default;
    ~CCAnimate() override;
    bool initWithAnimation(CCAnimation* animation);

    CCAnimation* getAnimation() const { return m_animation; }

    CCAnimate* copy() const override;
    CCAnimate* reverse() const override;
    void startWithTarget(CCNode* target) override;
    void stop() override;
    void update(float t) override;

private:
    CCAnimation* m_animation = nullptr;
    CCSpriteFrame* m_originalFrame = nullptr;
    std::vector<float> m_splitTimes;
    unsigned int m_nextFrame = 0;
    unsigned int m_executedLoops = 0;
};

} // namespace cocos2d
