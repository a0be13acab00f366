#pragma once
// Actions: things that change a node over time. Created autoreleased by `create`; running one
// (CCNode::runAction) hands it to the action manager, which steps it once a frame.
//
// Extending: derive from CCActionInterval (or CCActionInstant), implement startWithTarget (call the
// base first), update(t) for t in [0, 1], copy() and, when it makes sense, reverse().

#include "framework/CCObject.h"

namespace cocos2d {

class CCNode;
class CCActionInterval;

/// The tag of an action that was given none.
constexpr int kCCActionTagInvalid = -1;

class CCAction : public CCObject {
public:
    CCAction() = default;
    ~CCAction() override = default;

    /// A fresh, not started copy owned by the caller (reference count 1, not autoreleased).
    virtual CCAction* copy() const = 0;
    /// True when the action has finished; the action manager then stops and removes it.
    virtual bool isDone() const { return true; }
    /// Called before the first step, with the node the action runs on (not retained).
    virtual void startWithTarget(CCNode* target);
    /// Called when the action ends or is stopped by its owner; the action forgets its target.
    virtual void stop();
    /// Advances by `dt` seconds of frame time.
    virtual void step(float dt) { (void)dt; }
    /// Applies progress `t`, 0 at the start and 1 at the end.
    void update(float t) override { (void)t; }

    CCNode* getTarget() const { return m_pTarget; }
    void setTarget(CCNode* target) { m_pTarget = target; }
    /// The node the action was started on; kept after stop().
    CCNode* getOriginalTarget() const { return m_pOriginalTarget; }
    int getTag() const { return m_nTag; }
    void setTag(int tag) { m_nTag = tag; }

protected:
    CCNode* m_pTarget = nullptr;
    CCNode* m_pOriginalTarget = nullptr;
    int m_nTag = kCCActionTagInvalid;
};

/// An action with a known duration in seconds.
class CCFiniteTimeAction : public CCAction {
public:
    float getDuration() const { return m_fDuration; }
    void setDuration(float duration) { m_fDuration = duration; }
    /// The action that undoes this one (autoreleased), or nullptr when there is none.
    virtual CCFiniteTimeAction* reverse() const { return nullptr; }
    CCFiniteTimeAction* copy() const override = 0;

protected:
    float m_fDuration = 0.0f;
};

/// Runs an interval action faster (speed > 1) or slower.
class CCSpeed : public CCAction {
public:
    /// Retains `action`; nullptr when `action` is nullptr.
    static CCSpeed* create(CCActionInterval* action, float speed);
    ~CCSpeed() override;

    float getSpeed() const { return m_fSpeed; }
    void setSpeed(float speed) { m_fSpeed = speed; }
    CCActionInterval* getInnerAction() const { return m_pInnerAction; }

    CCSpeed* copy() const override;
    bool isDone() const override;
    void startWithTarget(CCNode* target) override;
    void stop() override;
    void step(float dt) override;

private:
    CCActionInterval* m_pInnerAction = nullptr;
    float m_fSpeed = 1.0f;
};

} // namespace cocos2d
