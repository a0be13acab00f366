#include "framework/CCKeypadDispatcher.h"

#include <algorithm>

namespace cocos2d {

CCKeypadDispatcher::~CCKeypadDispatcher() {
    for (Entry& e : m_entries) CC_SAFE_RELEASE(e.object);
    for (Entry& e : m_pending) CC_SAFE_RELEASE(e.object);
}

bool CCKeypadDispatcher::isRegistered(CCKeypadDelegate* delegate) const {
    for (const Entry& e : m_entries)
        if (!e.removed && e.delegate == delegate) return true;
    for (const Entry& e : m_pending)
        if (!e.removed && e.delegate == delegate) return true;
    return false;
}

unsigned int CCKeypadDispatcher::delegateCount() const {
    unsigned int n = 0;
    for (const Entry& e : m_entries) n += e.removed ? 0 : 1;
    for (const Entry& e : m_pending) n += e.removed ? 0 : 1;
    return n;
}

void CCKeypadDispatcher::addDelegate(CCKeypadDelegate* delegate) {
    if (!delegate || isRegistered(delegate)) return;
    Entry entry{delegate, dynamic_cast<CCObject*>(delegate), false};
    CC_SAFE_RETAIN(entry.object);
    (m_bLocked ? m_pending : m_entries).push_back(entry);
}

void CCKeypadDispatcher::removeDelegate(CCKeypadDelegate* delegate) {
    for (auto it = m_pending.begin(); it != m_pending.end();) {
        if (it->delegate == delegate) {
            CC_SAFE_RELEASE(it->object);
            it = m_pending.erase(it);
        } else {
            ++it;
        }
    }
    for (Entry& e : m_entries)
        if (e.delegate == delegate) e.removed = true;
    if (!m_bLocked) purge();
}

void CCKeypadDispatcher::removeAllDelegates() {
    for (Entry& e : m_pending) CC_SAFE_RELEASE(e.object);
    m_pending.clear();
    for (Entry& e : m_entries) e.removed = true;
    if (!m_bLocked) purge();
}

void CCKeypadDispatcher::purge() {
    std::vector<CCObject*> releases;
    auto gone = std::remove_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) {
        if (e.removed && e.object) releases.push_back(e.object);
        return e.removed;
    });
    m_entries.erase(gone, m_entries.end());
    m_entries.insert(m_entries.end(), m_pending.begin(), m_pending.end());
    m_pending.clear();
    // Last: a release may destroy a delegate, whose destructor may call back in.
    for (CCObject* o : releases) o->release();
}

bool CCKeypadDispatcher::dispatch(Message message, int keyCode) {
    if (m_bLocked) {
        CCLog("[CCKeypadDispatcher] key sent from inside a dispatch; ignored");
        return false;
    }
    m_bLocked = true;
    bool any = false;
    // The list does not grow during the dispatch (additions wait) and removed entries stay put.
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].removed) continue;
        CCKeypadDelegate* d = m_entries[i].delegate;
        any = true;
        switch (message) {
        case Message::Back:
            d->keyBackClicked();
            break;
        case Message::Menu:
            d->keyMenuClicked();
            break;
        case Message::Down:
            d->onKeyDown(keyCode);
            break;
        case Message::Up:
            d->onKeyUp(keyCode);
            break;
        }
    }
    m_bLocked = false;
    purge();
    return any;
}

bool CCKeypadDispatcher::dispatchKeypadMSG(ccKeypadMSGType type) {
    return dispatch(type == kTypeBackClicked ? Message::Back : Message::Menu, 0);
}

bool CCKeypadDispatcher::dispatchKeyDown(int keyCode) {
    return dispatch(Message::Down, keyCode);
}

bool CCKeypadDispatcher::dispatchKeyUp(int keyCode) {
    return dispatch(Message::Up, keyCode);
}

} // namespace cocos2d
