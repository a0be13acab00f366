#include "framework/CCAutoreleasePool.h"

#include <algorithm>

namespace cocos2d {

void CCAutoreleasePool::addObject(CCObject* object) {
    m_objects.push_back(object);
    ++object->m_uAutoReleaseCount;
}

void CCAutoreleasePool::removeObject(CCObject* object) {
    // Forget every autorelease of this object held by this pool (it is being destroyed).
    auto it = std::remove(m_objects.begin(), m_objects.end(), object);
    for (auto i = it; i != m_objects.end(); ++i) --object->m_uAutoReleaseCount;
    m_objects.erase(it, m_objects.end());
}

void CCAutoreleasePool::clear() {
    std::vector<CCObject*> draining;
    draining.swap(m_objects);
    for (CCObject* object : draining) {
        --object->m_uAutoReleaseCount;
        object->release();
    }
}

CCPoolManager* CCPoolManager::sharedPoolManager() {
    static CCPoolManager* manager = new CCPoolManager();
    return manager;
}

void CCPoolManager::purgePoolManager() { sharedPoolManager()->finalize(); }

CCPoolManager::CCPoolManager() { m_pools.push_back(new CCAutoreleasePool()); }

CCPoolManager::~CCPoolManager() {
    finalize();
    for (CCAutoreleasePool* pool : m_pools) pool->release();
}

void CCPoolManager::push() { m_pools.push_back(new CCAutoreleasePool()); }

void CCPoolManager::pop() {
    if (m_pools.size() <= 1) {
        m_pools.back()->clear();
        return;
    }
    CCAutoreleasePool* pool = m_pools.back();
    pool->clear();
    m_pools.pop_back();
    pool->release();
}

void CCPoolManager::finalize() {
    // Releasing an object may autorelease others; drain until every pool is empty.
    bool any = true;
    while (any) {
        any = false;
        for (auto it = m_pools.rbegin(); it != m_pools.rend(); ++it) {
            if ((*it)->size() > 0) {
                any = true;
                (*it)->clear();
            }
        }
    }
}

void CCPoolManager::addObject(CCObject* object) { getCurReleasePool()->addObject(object); }

void CCPoolManager::removeObject(CCObject* object) {
    for (CCAutoreleasePool* pool : m_pools) pool->removeObject(object);
}

CCAutoreleasePool* CCPoolManager::getCurReleasePool() { return m_pools.back(); }

} // namespace cocos2d
