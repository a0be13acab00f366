#include "framework/CCTouchDispatcher.h"

#include <algorithm>

#include "framework/CCNode.h"
#include "framework/CCSet.h"
#include "framework/CCTouch.h"

namespace cocos2d {

CCTouchDispatcher::CCTouchDispatcher() : m_pEvent(new CCEvent()) {}

CCTouchDispatcher::~CCTouchDispatcher() {
    for (auto& entry : m_touches) entry.second->release();
    m_touches.clear();
    for (Handler* h : m_handlers) destroy(h);
    for (Handler* h : m_pending) destroy(h);
    m_pEvent->release();
}

void CCTouchDispatcher::destroy(Handler* handler) {
    CC_SAFE_RELEASE(handler->object);
    delete handler;
}

bool CCTouchDispatcher::canReceive(const Handler* handler) {
    if (handler->removed) return false;
    const CCNode* node = dynamic_cast<const CCNode*>(handler->delegate);
    return !node || node->isRunning();
}

// ----- Registration -----------------------------------------------------------------------------

void CCTouchDispatcher::addStandardDelegate(CCTouchDelegate* delegate, int priority) {
    if (delegate) add(new Handler{delegate, nullptr, priority, false, false, false, {}});
}

void CCTouchDispatcher::addTargetedDelegate(CCTouchDelegate* delegate, int priority, bool swallowsTouches) {
    if (delegate) add(new Handler{delegate, nullptr, priority, true, swallowsTouches, false, {}});
}

void CCTouchDispatcher::add(Handler* handler) {
    if (isRegistered(handler->delegate)) {
        delete handler;
        return;
    }
    handler->object = dynamic_cast<CCObject*>(handler->delegate);
    CC_SAFE_RETAIN(handler->object);
    if (m_bLocked)
        m_pending.push_back(handler);
    else
        insertSorted(handler);
}

void CCTouchDispatcher::insertSorted(Handler* handler) {
    // Before the first handler of the same or a higher priority: the newest of a priority first.
    auto at = std::find_if(m_handlers.begin(), m_handlers.end(),
                           [&](const Handler* h) { return h->priority >= handler->priority; });
    m_handlers.insert(at, handler);
}

bool CCTouchDispatcher::isRegistered(CCTouchDelegate* delegate) const {
    for (const Handler* h : m_handlers)
        if (!h->removed && h->delegate == delegate) return true;
    for (const Handler* h : m_pending)
        if (!h->removed && h->delegate == delegate) return true;
    return false;
}

void CCTouchDispatcher::removeDelegate(CCTouchDelegate* delegate) {
    if (!delegate) return;
    for (auto it = m_pending.begin(); it != m_pending.end();) {
        if ((*it)->delegate == delegate) {
            destroy(*it);
            it = m_pending.erase(it);
        } else {
            ++it;
        }
    }
    for (auto it = m_handlers.begin(); it != m_handlers.end();) {
        Handler* h = *it;
        if (h->delegate != delegate || h->removed) {
            ++it;
            continue;
        }
        h->removed = true;
        if (m_bLocked) {
            ++it;
        } else {
            it = m_handlers.erase(it);
            destroy(h);
        }
    }
}

void CCTouchDispatcher::removeAllDelegates() {
    for (Handler* h : m_pending) destroy(h);
    m_pending.clear();
    for (Handler* h : m_handlers) h->removed = true;
    if (!m_bLocked) applyPending();
}

void CCTouchDispatcher::setPriority(int priority, CCTouchDelegate* delegate) {
    for (std::size_t i = 0; i < m_handlers.size(); ++i) {
        Handler* h = m_handlers[i];
        if (h->removed || h->delegate != delegate) continue;
        if (h->priority == priority) return;
        // Re-registered at the new priority; the old entry is dropped (after a dispatch).
        Handler* moved = new Handler(*h);
        moved->priority = priority;
        CC_SAFE_RETAIN(moved->object);
        h->removed = true;
        if (m_bLocked) {
            m_pending.push_back(moved);
        } else {
            m_handlers.erase(m_handlers.begin() + (std::ptrdiff_t)i);
            destroy(h);
            insertSorted(moved);
        }
        return;
    }
    for (Handler* h : m_pending)
        if (!h->removed && h->delegate == delegate) h->priority = priority;
}

void CCTouchDispatcher::applyPending() {
    for (auto it = m_handlers.begin(); it != m_handlers.end();) {
        if ((*it)->removed) {
            destroy(*it);
            it = m_handlers.erase(it);
        } else {
            ++it;
        }
    }
    std::vector<Handler*> pending;
    pending.swap(m_pending);
    for (Handler* h : pending) insertSorted(h);
}

// ----- Dispatch ---------------------------------------------------------------------------------

void CCTouchDispatcher::handleTouch(CCTouchPhase phase, int id, const CCPoint& point) {
    if (!m_bDispatchEvents) return;
    if (m_bLocked) {
        CCLog("[CCTouchDispatcher] touch %d sent from inside a dispatch; ignored", id);
        return;
    }
    auto it = m_touches.find(id);
    if (phase == kCCTouchBegan) {
        if (it != m_touches.end()) {
            CCTouch* old = it->second;
            m_touches.erase(it);
            dispatch(kCCTouchCancelled, old);
            old->release();
        }
        CCTouch* touch = new CCTouch();
        touch->setTouchInfo(id, point);
        m_touches[id] = touch;
        dispatch(kCCTouchBegan, touch);
        return;
    }
    if (it == m_touches.end()) return;
    CCTouch* touch = it->second;
    touch->moveTo(point);
    if (phase == kCCTouchMoved) {
        dispatch(kCCTouchMoved, touch);
        return;
    }
    m_touches.erase(it);
    dispatch(phase, touch);
    touch->release();
}

void CCTouchDispatcher::cancelAllTouches() {
    while (!m_touches.empty()) {
        auto it = m_touches.begin();
        handleTouch(kCCTouchCancelled, it->first, it->second->getLocation());
    }
}

void CCTouchDispatcher::dispatch(CCTouchPhase phase, CCTouch* touch) {
    m_bLocked = true;
    bool swallowed = false;
    for (std::size_t i = 0; i < m_handlers.size() && !swallowed; ++i) {
        Handler* h = m_handlers[i];
        if (!h->targeted || h->removed) continue;
        if (phase == kCCTouchBegan) {
            if (!canReceive(h)) continue;
            if (h->delegate->ccTouchBegan(touch, m_pEvent)) {
                h->claimed.push_back(touch);
                swallowed = h->swallows;
            }
            continue;
        }
        auto claim = std::find(h->claimed.begin(), h->claimed.end(), touch);
        if (claim == h->claimed.end()) continue;
        if (phase != kCCTouchMoved) h->claimed.erase(claim);
        if (canReceive(h)) {
            if (phase == kCCTouchMoved)
                h->delegate->ccTouchMoved(touch, m_pEvent);
            else if (phase == kCCTouchEnded)
                h->delegate->ccTouchEnded(touch, m_pEvent);
            else
                h->delegate->ccTouchCancelled(touch, m_pEvent);
        }
        swallowed = h->swallows;
    }
    if (!swallowed) {
        CCSet* touches = new CCSet();
        touches->addObject(touch);
        for (std::size_t i = 0; i < m_handlers.size(); ++i) {
            Handler* h = m_handlers[i];
            if (h->targeted || !canReceive(h)) continue;
            switch (phase) {
            case kCCTouchBegan:
                h->delegate->ccTouchesBegan(touches, m_pEvent);
                break;
            case kCCTouchMoved:
                h->delegate->ccTouchesMoved(touches, m_pEvent);
                break;
            case kCCTouchEnded:
                h->delegate->ccTouchesEnded(touches, m_pEvent);
                break;
            case kCCTouchCancelled:
                h->delegate->ccTouchesCancelled(touches, m_pEvent);
                break;
            }
        }
        touches->release();
    }
    m_bLocked = false;
    applyPending();
}

} // namespace cocos2d
