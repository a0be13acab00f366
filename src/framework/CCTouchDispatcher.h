#pragma once
// Touch dispatch. Delegates register with a priority (lower numbers first; among equal priorities
// the one registered last comes first, as the node added last is drawn on top).
// - Targeted delegates get one touch at a time. A delegate that returns true from ccTouchBegan
//   claims the touch and gets its moves, end or cancel; when it swallows, delegates after it do
//   not see that touch at all.
// - Standard delegates get every touch of an event that no targeted delegate swallowed, as a set.
// Targeted delegates are served before standard ones. A delegate that is a node only receives
// while it is running. Delegates are retained while registered (when they are CCObjects).
// Adding and removing delegates during a dispatch is safe: a removed delegate gets nothing more,
// an added one starts with the next event.

#include <map>
#include <vector>

#include "framework/CCGeometry.h"
#include "framework/CCObject.h"

namespace cocos2d {

class CCEvent;
class CCSet;
class CCTouch;

enum CCTouchPhase {
    kCCTouchBegan,
    kCCTouchMoved,
    kCCTouchEnded,
    kCCTouchCancelled,
};

/// Whatever wants touches; override the calls for the kind of registration used.
class CCTouchDelegate {
public:
    virtual ~CCTouchDelegate() = default;
    /// Targeted: return true to claim the touch.
    virtual bool ccTouchBegan(CCTouch* touch, CCEvent* event) {
        (void)touch, (void)event;
        return false;
    }
    virtual void ccTouchMoved(CCTouch* touch, CCEvent* event) { (void)touch, (void)event; }
    virtual void ccTouchEnded(CCTouch* touch, CCEvent* event) { (void)touch, (void)event; }
    virtual void ccTouchCancelled(CCTouch* touch, CCEvent* event) { (void)touch, (void)event; }
    /// Standard: the touches of one event.
    virtual void ccTouchesBegan(CCSet* touches, CCEvent* event) { (void)touches, (void)event; }
    virtual void ccTouchesMoved(CCSet* touches, CCEvent* event) { (void)touches, (void)event; }
    virtual void ccTouchesEnded(CCSet* touches, CCEvent* event) { (void)touches, (void)event; }
    virtual void ccTouchesCancelled(CCSet* touches, CCEvent* event) { (void)touches, (void)event; }
};

class CCTouchDispatcher : public CCObject {
public:
    CCTouchDispatcher();
    ~CCTouchDispatcher() override;

    /// Registers a delegate that gets touch sets. Ignored when the delegate is registered already.
    void addStandardDelegate(CCTouchDelegate* delegate, int priority);
    /// Registers a delegate that gets single touches and claims them from ccTouchBegan.
    void addTargetedDelegate(CCTouchDelegate* delegate, int priority, bool swallowsTouches);
    void removeDelegate(CCTouchDelegate* delegate);
    void removeAllDelegates();
    /// Moves a registered delegate to another priority.
    void setPriority(int priority, CCTouchDelegate* delegate);
    bool isRegistered(CCTouchDelegate* delegate) const;
    /// When off, touches are dropped.
    void setDispatchEvents(bool dispatch) { m_bDispatchEvents = dispatch; }
    bool isDispatchEvents() const { return m_bDispatchEvents; }

    /// The platform's entry: touch `id` began, moved, ended or was cancelled at `point` (design
    /// points, origin bottom-left). Moves and ends of unknown ids are ignored; a began for an id
    /// still down first cancels the old touch.
    void handleTouch(CCTouchPhase phase, int id, const CCPoint& point);
    /// Cancels every touch still down (for example when the window loses focus).
    void cancelAllTouches();
    /// How many touches are down.
    unsigned int activeTouchCount() const { return (unsigned int)m_touches.size(); }

private:
    struct Handler {
        CCTouchDelegate* delegate;
        CCObject* object; // the delegate as a retained object, when it is one
        int priority;
        bool targeted;
        bool swallows;
        bool removed;
        std::vector<const CCTouch*> claimed; // compared only, never dereferenced
    };

    void add(Handler* handler);
    void insertSorted(Handler* handler);
    void dispatch(CCTouchPhase phase, CCTouch* touch);
    void applyPending();
    static bool canReceive(const Handler* handler);
    static void destroy(Handler* handler);

    bool m_bDispatchEvents = true;
    bool m_bLocked = false;
    std::vector<Handler*> m_handlers;
    std::vector<Handler*> m_pending;
    std::map<int, CCTouch*> m_touches;
    CCEvent* m_pEvent;
};

} // namespace cocos2d
