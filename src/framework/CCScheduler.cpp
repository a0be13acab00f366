#include "framework/CCScheduler.h"

#include <algorithm>

namespace cocos2d {
namespace {
// Accumulated frame times of exactly the interval must fire on that frame despite rounding.
constexpr double kTimeTolerance = 1e-6;
} // namespace

CCScheduler::CCScheduler() = default;

CCScheduler::~CCScheduler() {
    unscheduleAll();
    for (UpdateEntry* entry : m_updates) delete entry;
    for (UpdateEntry* entry : m_pendingUpdates) delete entry;
    m_updates.clear();
    m_pendingUpdates.clear();
    m_updateByTarget.clear();
    purge();
}

// ----- Per-frame updates ------------------------------------------------------------------------

void CCScheduler::scheduleUpdateForTarget(CCObject* target, int priority, bool paused) {
    if (!target || m_updateByTarget.count(target)) return;
    UpdateEntry* entry = new UpdateEntry{target, priority, paused, false};
    m_updateByTarget[target] = entry;
    if (m_bLocked) {
        m_pendingUpdates.push_back(entry);
        return;
    }
    auto at = std::upper_bound(m_updates.begin(), m_updates.end(), priority,
                               [](int p, const UpdateEntry* e) { return p < e->priority; });
    m_updates.insert(at, entry);
}

void CCScheduler::unscheduleUpdateForTarget(const CCObject* target) {
    auto it = m_updateByTarget.find(target);
    if (it != m_updateByTarget.end()) removeUpdateEntry(it->second);
}

bool CCScheduler::isUpdateScheduled(const CCObject* target) const {
    return m_updateByTarget.count(target) > 0;
}

void CCScheduler::removeUpdateEntry(UpdateEntry* entry) {
    m_updateByTarget.erase(entry->target);
    entry->removed = true;
    if (m_bLocked) {
        m_bNeedsPurge = true;
        return;
    }
    auto it = std::find(m_updates.begin(), m_updates.end(), entry);
    if (it != m_updates.end()) m_updates.erase(it);
    delete entry;
}

// ----- Selectors --------------------------------------------------------------------------------

void CCScheduler::scheduleSelector(SEL_SCHEDULE selector, CCObject* target, float interval, bool paused) {
    scheduleSelector(selector, target, interval, kCCRepeatForever, 0.0f, paused);
}

void CCScheduler::scheduleSelector(SEL_SCHEDULE selector, CCObject* target, float interval,
                                   unsigned int repeat, float delay, bool paused) {
    if (!selector || !target) return;
    SelectorTarget* element;
    auto it = m_selectorByTarget.find(target);
    if (it == m_selectorByTarget.end()) {
        target->retain();
        element = new SelectorTarget{target, paused, false, {}};
        m_selectorByTarget[target] = element;
        m_selectorTargets.push_back(element);
    } else {
        element = it->second;
    }
    const double safeInterval = interval > 0.0f ? interval : 0.0;
    for (Timer* timer : element->timers) {
        if (!timer->removed && timer->selector == selector) {
            timer->interval = safeInterval;
            return;
        }
    }
    Timer* timer = new Timer{selector, safeInterval, delay > 0.0f ? delay : 0.0, 0.0, repeat, 0, delay > 0.0f,
                             false,    m_uPass};
    element->timers.push_back(timer);
}

void CCScheduler::unscheduleSelector(SEL_SCHEDULE selector, CCObject* target) {
    auto it = m_selectorByTarget.find(target);
    if (it == m_selectorByTarget.end()) return;
    SelectorTarget* element = it->second;
    for (Timer* timer : element->timers) {
        if (!timer->removed && timer->selector == selector) {
            removeTimer(element, timer);
            return;
        }
    }
}

bool CCScheduler::isScheduled(SEL_SCHEDULE selector, CCObject* target) const {
    auto it = m_selectorByTarget.find(target);
    if (it == m_selectorByTarget.end()) return false;
    for (const Timer* timer : it->second->timers)
        if (!timer->removed && timer->selector == selector) return true;
    return false;
}

void CCScheduler::removeTimer(SelectorTarget* element, Timer* timer) {
    timer->removed = true;
    if (m_bLocked) {
        m_bNeedsPurge = true;
    } else {
        element->timers.erase(std::find(element->timers.begin(), element->timers.end(), timer));
        delete timer;
    }
    bool anyLeft = false;
    for (const Timer* t : element->timers) anyLeft = anyLeft || !t->removed;
    if (!anyLeft) removeSelectorTarget(element);
}

void CCScheduler::removeSelectorTarget(SelectorTarget* element) {
    if (element->removed) return;
    element->removed = true;
    m_selectorByTarget.erase(element->target);
    for (Timer* timer : element->timers) timer->removed = true;
    if (m_bLocked) {
        m_bNeedsPurge = true;
        m_deferredReleases.push_back(element->target);
        return;
    }
    m_selectorTargets.erase(std::find(m_selectorTargets.begin(), m_selectorTargets.end(), element));
    CCObject* target = element->target;
    for (Timer* timer : element->timers) delete timer;
    delete element;
    // Last: releasing may destroy the target, whose destructor may call back in.
    target->release();
}

void CCScheduler::runTimer(SelectorTarget* element, Timer* timer, double dt) {
    timer->elapsed += dt;
    const double due = timer->useDelay ? timer->delay : timer->interval;
    if (timer->elapsed + kTimeTolerance < due) return;
    const float passed = (float)timer->elapsed;
    timer->elapsed -= due;
    if (timer->elapsed < 0.0 || timer->elapsed >= timer->interval) timer->elapsed = 0.0;
    timer->useDelay = false;
    ++timer->timesExecuted;
    // Unscheduled before the call when this was the last one, so the callback may schedule the
    // same selector afresh.
    const bool last = timer->repeat != kCCRepeatForever && timer->timesExecuted > timer->repeat;
    SEL_SCHEDULE selector = timer->selector;
    if (last) removeTimer(element, timer);
    (element->target->*selector)(passed);
}

void CCScheduler::unscheduleAllForTarget(CCObject* target) {
    if (!target) return;
    auto it = m_selectorByTarget.find(target);
    if (it != m_selectorByTarget.end()) removeSelectorTarget(it->second);
    unscheduleUpdateForTarget(target);
}

void CCScheduler::unscheduleAll() {
    std::vector<SelectorTarget*> targets = m_selectorTargets;
    for (SelectorTarget* element : targets) removeSelectorTarget(element);
    std::vector<UpdateEntry*> updates = m_updates;
    updates.insert(updates.end(), m_pendingUpdates.begin(), m_pendingUpdates.end());
    for (UpdateEntry* entry : updates)
        if (!entry->removed && entry->priority != kCCPrioritySystem) removeUpdateEntry(entry);
}

// ----- Pausing ----------------------------------------------------------------------------------

void CCScheduler::pauseTarget(CCObject* target) {
    auto s = m_selectorByTarget.find(target);
    if (s != m_selectorByTarget.end()) s->second->paused = true;
    auto u = m_updateByTarget.find(target);
    if (u != m_updateByTarget.end()) u->second->paused = true;
}

void CCScheduler::resumeTarget(CCObject* target) {
    auto s = m_selectorByTarget.find(target);
    if (s != m_selectorByTarget.end()) s->second->paused = false;
    auto u = m_updateByTarget.find(target);
    if (u != m_updateByTarget.end()) u->second->paused = false;
}

bool CCScheduler::isTargetPaused(CCObject* target) const {
    auto s = m_selectorByTarget.find(target);
    if (s != m_selectorByTarget.end()) return s->second->paused;
    auto u = m_updateByTarget.find(target);
    if (u != m_updateByTarget.end()) return u->second->paused;
    return false;
}

// ----- The frame --------------------------------------------------------------------------------

void CCScheduler::update(float frameDt) {
    if (m_bLocked) {
        CCLog("[CCScheduler] update called from inside an update; ignored");
        return;
    }
    const float dt = frameDt * m_fTimeScale;
    m_bLocked = true;
    ++m_uPass;

    // The list does not grow during the pass (additions wait), and removed entries stay in place.
    for (std::size_t i = 0; i < m_updates.size(); ++i) {
        UpdateEntry* entry = m_updates[i];
        if (!entry->removed && !entry->paused) entry->target->update(dt);
    }

    const std::size_t targetCount = m_selectorTargets.size();
    for (std::size_t i = 0; i < targetCount; ++i) {
        SelectorTarget* element = m_selectorTargets[i];
        const std::size_t timerCount = element->timers.size();
        for (std::size_t j = 0; j < timerCount && !element->removed && !element->paused; ++j) {
            Timer* timer = element->timers[j];
            if (timer->removed || timer->createdInPass == m_uPass) continue;
            runTimer(element, timer, dt);
        }
    }

    m_bLocked = false;
    purge();
}

void CCScheduler::purge() {
    if (m_bNeedsPurge) {
        m_bNeedsPurge = false;
        auto gone = std::remove_if(m_updates.begin(), m_updates.end(), [](UpdateEntry* e) {
            if (!e->removed) return false;
            delete e;
            return true;
        });
        m_updates.erase(gone, m_updates.end());
        auto goneTargets =
            std::remove_if(m_selectorTargets.begin(), m_selectorTargets.end(), [](SelectorTarget* e) {
                auto goneTimers = std::remove_if(e->timers.begin(), e->timers.end(), [](Timer* t) {
                    if (!t->removed) return false;
                    delete t;
                    return true;
                });
                e->timers.erase(goneTimers, e->timers.end());
                if (!e->removed) return false;
                delete e;
                return true;
            });
        m_selectorTargets.erase(goneTargets, m_selectorTargets.end());
    }
    if (!m_pendingUpdates.empty()) {
        std::vector<UpdateEntry*> pending;
        pending.swap(m_pendingUpdates);
        for (UpdateEntry* entry : pending) {
            if (entry->removed) {
                delete entry;
                continue;
            }
            auto at = std::upper_bound(m_updates.begin(), m_updates.end(), entry->priority,
                                       [](int p, const UpdateEntry* e) { return p < e->priority; });
            m_updates.insert(at, entry);
        }
    }
    if (!m_deferredReleases.empty()) {
        std::vector<CCObject*> releases;
        releases.swap(m_deferredReleases);
        for (CCObject* target : releases) target->release();
    }
}

} // namespace cocos2d
