#pragma once
// Actions that happen at once: visibility, placement, removal and callbacks. Each acts in
// update(), which runs on its first step (or when a sequence reaches it).

#include <functional>

#include "framework/CCAction.h"
#include "framework/CCGeometry.h"

namespace cocos2d {

class CCActionInstant : public CCFiniteTimeAction {
public:
    bool isDone() const override { return true; }
    void step(float dt) override;
    CCActionInstant* copy() const override = 0;
    /// Instant actions are their own reverse unless they say otherwise.
    CCFiniteTimeAction* reverse() const override;
};

/// Makes the target visible.
class CCShow : public CCActionInstant {
public:
    static CCShow* create();
    CCShow* copy() const override;
    CCFiniteTimeAction* reverse() const override;
    void update(float t) override;
};

/// Hides the target.
class CCHide : public CCActionInstant {
public:
    static CCHide* create();
    CCHide* copy() const override;
    CCFiniteTimeAction* reverse() const override;
    void update(float t) override;
};

/// Flips the target's visibility.
class CCToggleVisibility : public CCActionInstant {
public:
    static CCToggleVisibility* create();
    CCToggleVisibility* copy() const override;
    void update(float t) override;
};

/// Puts the target at a position.
class CCPlace : public CCActionInstant {
public:
    static CCPlace* create(const CCPoint& position);
    CCPlace* copy() const override;
    void update(float t) override;

private:
    CCPoint m_position;
};

/// Removes the target from its parent (with cleanup unless told otherwise).
class CCRemoveSelf : public CCActionInstant {
public:
    static CCRemoveSelf* create(bool cleanup = true);
    CCRemoveSelf* copy() const override;
    void update(float t) override;

private:
    bool m_bCleanup = true;
};

/// Calls a method of an object (retained) or a function, with no arguments.
class CCCallFunc : public CCActionInstant {
public:
    static CCCallFunc* create(CCObject* selectorTarget, SEL_CallFunc selector);
    static CCCallFunc* create(std::function<void()> function);
    ~CCCallFunc() override;

    CCCallFunc* copy() const override;
    void update(float t) override;
    /// Makes the call.
    virtual void execute();
    CCObject* getTargetCallback() const { return m_pSelectorTarget; }

protected:
    void setSelectorTarget(CCObject* target);
    CCObject* m_pSelectorTarget = nullptr;

private:
    SEL_CallFunc m_pCallFunc = nullptr;
    std::function<void()> m_function;
};

/// Calls a method (or function) with the node the action runs on.
class CCCallFuncN : public CCCallFunc {
public:
    static CCCallFuncN* create(CCObject* selectorTarget, SEL_CallFuncN selector);
    static CCCallFuncN* create(std::function<void(CCNode*)> function);
    CCCallFuncN* copy() const override;
    void execute() override;

private:
    SEL_CallFuncN m_pCallFuncN = nullptr;
    std::function<void(CCNode*)> m_functionN;
};

/// Calls a method with the node and a pointer of the caller's (not owned).
class CCCallFuncND : public CCCallFunc {
public:
    static CCCallFuncND* create(CCObject* selectorTarget, SEL_CallFuncND selector, void* data);
    CCCallFuncND* copy() const override;
    void execute() override;

private:
    SEL_CallFuncND m_pCallFuncND = nullptr;
    void* m_pData = nullptr;
};

/// Calls a method with an object (retained by the action).
class CCCallFuncO : public CCCallFunc {
public:
    static CCCallFuncO* create(CCObject* selectorTarget, SEL_CallFuncO selector, CCObject* object);
    ~CCCallFuncO() override;
    CCCallFuncO* copy() const override;
    void execute() override;
    CCObject* getObject() const { return m_pObject; }

private:
    SEL_CallFuncO m_pCallFuncO = nullptr;
    CCObject* m_pObject = nullptr;
};

} // namespace cocos2d
