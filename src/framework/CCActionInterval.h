#pragma once
// Actions that run over a duration, and the composites that chain, overlap and repeat them.
//
// Timing: every step adds the frame time to the elapsed time, the first step included, so an
// action of d seconds started between frames shows its first progress on the next frame and
// finishes on the frame where the elapsed time reaches d (within 1e-6 s). A zero duration
// finishes on the first step.

#include <vector>

#include "framework/CCAction.h"
#include "framework/CCArray.h"
#include "framework/CCGeometry.h"
#include "framework/ccTypes.h"

namespace cocos2d {

class CCActionInterval : public CCFiniteTimeAction {
public:
    /// Sets the duration (a zero duration becomes the smallest positive float).
    bool initWithDuration(float duration);
    /// Seconds run since the start.
    float getElapsed() const { return (float)m_elapsed; }
    bool isDone() const override;
    void startWithTarget(CCNode* target) override;
    void step(float dt) override;
    CCActionInterval* copy() const override = 0;
    CCActionInterval* reverse() const override { return nullptr; }

protected:
    double m_elapsed = 0.0;
};

/// Runs actions one after the other.
class CCSequence : public CCActionInterval {
public:
    /// A sequence of the actions given, ended by nullptr. Null when the first is nullptr.
    static CCSequence* create(CCFiniteTimeAction* action1, ...);
    static CCSequence* createWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two);
    /// A sequence of the array's actions, or nullptr when it is empty.
    static CCSequence* create(CCArray* actions);
    ~CCSequence() override;

    CCSequence* copy() const override;
    CCSequence* reverse() const override;
    void startWithTarget(CCNode* target) override;
    void stop() override;
    void update(float t) override;

private:
    static CCSequence* fromList(const std::vector<CCFiniteTimeAction*>& actions);
    CCFiniteTimeAction* m_pActions[2] = {nullptr, nullptr};
    float m_split = 0.0f;
    int m_last = -1;
};

/// Runs actions at the same time; it lasts as long as the longest.
class CCSpawn : public CCActionInterval {
public:
    static CCSpawn* create(CCFiniteTimeAction* action1, ...);
    static CCSpawn* createWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two);
    static CCSpawn* create(CCArray* actions);
    ~CCSpawn() override;

    CCSpawn* copy() const override;
    CCSpawn* reverse() const override;
    void startWithTarget(CCNode* target) override;
    void stop() override;
    void update(float t) override;

private:
    static CCSpawn* fromList(const std::vector<CCFiniteTimeAction*>& actions);
    CCFiniteTimeAction* m_pOne = nullptr;
    CCFiniteTimeAction* m_pTwo = nullptr;
};

/// Runs an action `times` times (0: finishes at once doing nothing).
class CCRepeat : public CCActionInterval {
public:
    static CCRepeat* create(CCFiniteTimeAction* action, unsigned int times);
    ~CCRepeat() override;

    CCFiniteTimeAction* getInnerAction() const { return m_pInnerAction; }
    CCRepeat* copy() const override;
    CCRepeat* reverse() const override;
    bool isDone() const override;
    void startWithTarget(CCNode* target) override;
    void stop() override;
    void update(float t) override;

private:
    CCFiniteTimeAction* m_pInnerAction = nullptr;
    unsigned int m_uTimes = 0;
    unsigned int m_uTotal = 0;
    bool m_bActionInstant = false;
};

/// Runs an interval action again and again; never done.
class CCRepeatForever : public CCActionInterval {
public:
    static CCRepeatForever* create(CCActionInterval* action);
    ~CCRepeatForever() override;

    CCActionInterval* getInnerAction() const { return m_pInnerAction; }
    CCRepeatForever* copy() const override;
    CCRepeatForever* reverse() const override;
    bool isDone() const override { return false; }
    void startWithTarget(CCNode* target) override;
    void stop() override;
    void step(float dt) override;

private:
    CCActionInterval* m_pInnerAction = nullptr;
};

/// Waits.
class CCDelayTime : public CCActionInterval {
public:
    static CCDelayTime* create(float duration);
    CCDelayTime* copy() const override;
    CCDelayTime* reverse() const override;
    void update(float t) override { (void)t; }
};

/// Moves the target by a vector from wherever it is when the action starts.
class CCMoveBy : public CCActionInterval {
public:
    static CCMoveBy* create(float duration, const CCPoint& delta);
    CCMoveBy* copy() const override;
    CCMoveBy* reverse() const override;
    void startWithTarget(CCNode* target) override;
    void update(float t) override;

protected:
    CCPoint m_delta;
    CCPoint m_start;
};

/// Moves the target to a position.
class CCMoveTo : public CCMoveBy {
public:
    static CCMoveTo* create(float duration, const CCPoint& position);
    CCMoveTo* copy() const override;
    CCMoveTo* reverse() const override { return nullptr; }
    void startWithTarget(CCNode* target) override;

private:
    CCPoint m_end;
};

/// Scales the target to a scale.
class CCScaleTo : public CCActionInterval {
public:
    static CCScaleTo* create(float duration, float scale);
    static CCScaleTo* create(float duration, float scaleX, float scaleY);
    CCScaleTo* copy() const override;
    void startWithTarget(CCNode* target) override;
    void update(float t) override;

protected:
    float m_endX = 1.0f, m_endY = 1.0f;
    float m_startX = 1.0f, m_startY = 1.0f;
    float m_deltaX = 0.0f, m_deltaY = 0.0f;
};

/// Multiplies the target's scale.
class CCScaleBy : public CCScaleTo {
public:
    static CCScaleBy* create(float duration, float scale);
    static CCScaleBy* create(float duration, float scaleX, float scaleY);
    CCScaleBy* copy() const override;
    CCScaleBy* reverse() const override;
    void startWithTarget(CCNode* target) override;
};

/// Rotates the target to an angle in degrees, the short way round.
class CCRotateTo : public CCActionInterval {
public:
    static CCRotateTo* create(float duration, float degrees);
    CCRotateTo* copy() const override;
    void startWithTarget(CCNode* target) override;
    void update(float t) override;

private:
    float m_end = 0.0f;
    float m_start = 0.0f;
    float m_diff = 0.0f;
};

/// Rotates the target by an angle in degrees (clockwise when positive).
class CCRotateBy : public CCActionInterval {
public:
    static CCRotateBy* create(float duration, float degrees);
    CCRotateBy* copy() const override;
    CCRotateBy* reverse() const override;
    void startWithTarget(CCNode* target) override;
    void update(float t) override;

private:
    float m_angle = 0.0f;
    float m_start = 0.0f;
};

/// Fades a target with opacity (CCRGBAProtocol) from its opacity to another; other targets are
/// left alone.
class CCFadeTo : public CCActionInterval {
public:
    static CCFadeTo* create(float duration, GLubyte opacity);
    CCFadeTo* copy() const override;
    void startWithTarget(CCNode* target) override;
    void update(float t) override;

protected:
    GLubyte m_to = 255;
    GLubyte m_from = 255;
};

/// Fades from opacity 0 to 255.
class CCFadeIn : public CCActionInterval {
public:
    static CCFadeIn* create(float duration);
    CCFadeIn* copy() const override;
    CCActionInterval* reverse() const override;
    void update(float t) override;
};

/// Fades from opacity 255 to 0.
class CCFadeOut : public CCActionInterval {
public:
    static CCFadeOut* create(float duration);
    CCFadeOut* copy() const override;
    CCActionInterval* reverse() const override;
    void update(float t) override;
};

/// Tints a target with colour (CCRGBAProtocol) to a colour.
class CCTintTo : public CCActionInterval {
public:
    static CCTintTo* create(float duration, GLubyte red, GLubyte green, GLubyte blue);
    CCTintTo* copy() const override;
    void startWithTarget(CCNode* target) override;
    void update(float t) override;

private:
    ccColor3B m_to = {255, 255, 255};
    ccColor3B m_from = {255, 255, 255};
};

} // namespace cocos2d
