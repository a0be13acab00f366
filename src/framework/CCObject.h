#pragma once
// Reference-counted base of every framework object. Creators hand out autoreleased objects;
// owners retain what they keep and release it when they are done.

namespace cocos2d {

class CCNode;
class CCEvent;

class CCObject {
public:
    CCObject();
    virtual ~CCObject();

    /// Takes one more reference.
    void retain();
    /// Drops one reference; the object is deleted when the last one goes.
    void release();
    /// Hands one reference to the current autorelease pool, which drops it when it is drained.
    CCObject* autorelease();

    unsigned int retainCount() const { return m_uReference; }
    bool isSingleReference() const { return m_uReference == 1; }
    /// How many references autorelease pools still hold.
    unsigned int autoreleaseCount() const { return m_uAutoReleaseCount; }

    virtual bool isEqual(const CCObject* object) const { return this == object; }
    /// Called by the scheduler for objects scheduled with scheduleUpdateForTarget.
    virtual void update(float dt) { (void)dt; }

    /// A process-unique number, handy for maps and logs.
    unsigned int m_uID;

protected:
    unsigned int m_uReference = 1;
    unsigned int m_uAutoReleaseCount = 0;

    friend class CCAutoreleasePool;
};

typedef void (CCObject::*SEL_SCHEDULE)(float);
typedef void (CCObject::*SEL_CallFunc)();
typedef void (CCObject::*SEL_CallFuncN)(CCNode*);
typedef void (CCObject::*SEL_CallFuncND)(CCNode*, void*);
typedef void (CCObject::*SEL_CallFuncO)(CCObject*);
typedef void (CCObject::*SEL_MenuHandler)(CCObject*);

#define schedule_selector(_SELECTOR) (cocos2d::SEL_SCHEDULE)(&_SELECTOR)
#define callfunc_selector(_SELECTOR) (cocos2d::SEL_CallFunc)(&_SELECTOR)
#define callfuncN_selector(_SELECTOR) (cocos2d::SEL_CallFuncN)(&_SELECTOR)
#define callfuncND_selector(_SELECTOR) (cocos2d::SEL_CallFuncND)(&_SELECTOR)
#define callfuncO_selector(_SELECTOR) (cocos2d::SEL_CallFuncO)(&_SELECTOR)
#define menu_selector(_SELECTOR) (cocos2d::SEL_MenuHandler)(&_SELECTOR)

/// Releases and nulls a pointer when it is set.
#define CC_SAFE_RELEASE(p)                                                                            \
    do {                                                                                              \
        if (p) (p)->release();                                                                        \
    } while (0)
#define CC_SAFE_RELEASE_NULL(p)                                                                       \
    do {                                                                                              \
        if (p) {                                                                                      \
            (p)->release();                                                                           \
            (p) = nullptr;                                                                            \
        }                                                                                             \
    } while (0)
#define CC_SAFE_RETAIN(p)                                                                             \
    do {                                                                                              \
        if (p) (p)->retain();                                                                         \
    } while (0)
#define CC_SAFE_DELETE(p)                                                                             \
    do {                                                                                              \
        delete (p);                                                                                   \
        (p) = nullptr;                                                                                \
    } while (0)

/// Logs through the program's debug log (at most 255 bytes a line).
void CCLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace cocos2d
