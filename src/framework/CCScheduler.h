#pragma once
// The scheduler: per-frame updates of targets in priority order, then interval selectors.
//
// Ownership: selector targets are retained while they have a selector scheduled; update targets are
// not retained (a node drops its update entry when it is destroyed).
// Re-entrancy: any call may be made from inside a callback. Entries removed during a pass are
// marked and never called again; entries added during a pass first run on the next pass; the
// release of a selector target is deferred to the end of the pass.
// Timing: an interval selector adds each frame's time and fires once its time reaches the interval
// (a 1e-6 s tolerance keeps frame-exact intervals exact), at most once per frame; a remainder below
// one interval is carried over, a longer overshoot is dropped, so a long frame causes no burst. With a
// delay, the first call comes after the delay. `repeat` n means n + 1 calls; kCCRepeatForever
// never ends. The time passed to a selector is the time since its previous call (or since it was
// scheduled).

#include <unordered_map>
#include <vector>

#include "framework/CCObject.h"

namespace cocos2d {

/// Priority of the framework's own updates (the action manager): before everything else.
constexpr int kCCPrioritySystem = (-2147483647 - 1);
/// The lowest priority a program should use.
constexpr int kCCPriorityNonSystemMin = kCCPrioritySystem + 1;
/// Repeat count of a selector that fires until unscheduled.
constexpr unsigned int kCCRepeatForever = 0xfffffffe;

class CCScheduler : public CCObject {
public:
    CCScheduler();
    ~CCScheduler() override;

    /// Multiplies every dt given to update (1 by default).
    void setTimeScale(float scale) { m_fTimeScale = scale; }
    float getTimeScale() const { return m_fTimeScale; }

    /// Runs one frame: updates in priority order (lower first, equal in the order scheduled),
    /// then selectors in the order their targets were first scheduled.
    void update(float dt) override;

    /// Schedules `selector` on `target` (retained); scheduling it again only changes its interval.
    void scheduleSelector(SEL_SCHEDULE selector, CCObject* target, float interval, unsigned int repeat,
                          float delay, bool paused);
    /// The same with repeat forever and no delay.
    void scheduleSelector(SEL_SCHEDULE selector, CCObject* target, float interval, bool paused);
    void unscheduleSelector(SEL_SCHEDULE selector, CCObject* target);
    bool isScheduled(SEL_SCHEDULE selector, CCObject* target) const;

    /// Calls target->update(dt) every frame at `priority` (target not retained). A target already
    /// scheduled keeps its entry.
    void scheduleUpdateForTarget(CCObject* target, int priority, bool paused);
    void unscheduleUpdateForTarget(const CCObject* target);
    bool isUpdateScheduled(const CCObject* target) const;

    /// Removes the target's selectors and its update.
    void unscheduleAllForTarget(CCObject* target);
    /// Removes everything except system-priority updates.
    void unscheduleAll();

    /// Pauses the target's selectors and update (entries scheduled later keep their own flag).
    void pauseTarget(CCObject* target);
    void resumeTarget(CCObject* target);
    /// True when the target has entries and they are paused.
    bool isTargetPaused(CCObject* target) const;

private:
    struct UpdateEntry {
        CCObject* target;
        int priority;
        bool paused;
        bool removed;
    };
    struct Timer {
        SEL_SCHEDULE selector;
        double interval;
        double delay;
        double elapsed;
        unsigned int repeat;
        unsigned int timesExecuted;
        bool useDelay;
        bool removed;
        unsigned int createdInPass;
    };
    struct SelectorTarget {
        CCObject* target;
        bool paused;
        bool removed;
        std::vector<Timer*> timers;
    };

    void runTimer(SelectorTarget* element, Timer* timer, double dt);
    void removeTimer(SelectorTarget* element, Timer* timer);
    void removeSelectorTarget(SelectorTarget* element);
    void removeUpdateEntry(UpdateEntry* entry);
    void purge();

    float m_fTimeScale = 1.0f;
    bool m_bLocked = false;
    unsigned int m_uPass = 0;
    bool m_bNeedsPurge = false;

    // Update entries sorted by priority; additions during a pass wait in m_pendingUpdates.
    std::vector<UpdateEntry*> m_updates;
    std::vector<UpdateEntry*> m_pendingUpdates;
    std::unordered_map<const CCObject*, UpdateEntry*> m_updateByTarget;

    std::vector<SelectorTarget*> m_selectorTargets;
    std::unordered_map<const CCObject*, SelectorTarget*> m_selectorByTarget;
    // Targets whose release waits for the end of the pass.
    std::vector<CCObject*> m_deferredReleases;
};

} // namespace cocos2d
