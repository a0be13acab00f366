#pragma once
// Easing: wraps an interval action and reshapes its progress curve.

#include "framework/CCActionInterval.h"

namespace cocos2d {

/// The base of the eases: runs the inner action (retained) with a reshaped t.
class CCActionEase : public CCActionInterval {
public:
    ~CCActionEase() override;
    CCActionInterval* getInnerAction() const { return m_pInner; }
    void startWithTarget(CCNode* target) override;
    void stop() override;
    void update(float t) override { m_pInner->update(ease(t)); }

    /// Wraps `action` (retained); used by the creators.
    bool initWithAction(CCActionInterval* action, float rate);

protected:
    /// The reshaped progress.
    virtual float ease(float t) const { return t; }
    CCActionInterval* m_pInner = nullptr;
    float m_fRate = 1.0f;
};

/// Starts slowly: t^rate.
class CCEaseIn : public CCActionEase {
public:
    /// nullptr when `action` is nullptr.
    static CCEaseIn* create(CCActionInterval* action, float rate);
    CCEaseIn* copy() const override;
    CCActionInterval* reverse() const override;

protected:
    float ease(float t) const override;
};

/// Ends slowly: t^(1/rate).
class CCEaseOut : public CCActionEase {
public:
    static CCEaseOut* create(CCActionInterval* action, float rate);
    CCEaseOut* copy() const override;
    CCActionInterval* reverse() const override;

protected:
    float ease(float t) const override;
};

/// Starts and ends slowly.
class CCEaseInOut : public CCActionEase {
public:
    static CCEaseInOut* create(CCActionInterval* action, float rate);
    CCEaseInOut* copy() const override;
    CCActionInterval* reverse() const override;

protected:
    float ease(float t) const override;
};

} // namespace cocos2d
