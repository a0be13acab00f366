#pragma once
// Autorelease pools. The director drains the current pool once per frame, after drawing.

#include <cstddef>
#include <vector>

#include "framework/CCObject.h"

namespace cocos2d {

class CCAutoreleasePool : public CCObject {
public:
    /// Takes over one reference of `object` until the pool is cleared.
    void addObject(CCObject* object);
    /// Drops the reference taken for one autorelease of `object` (the object stays alive).
    void removeObject(CCObject* object);
    /// Releases every object the pool holds. Objects autoreleased while clearing land in the
    /// pool again and are released by the next clear.
    void clear();
    std::size_t size() const { return m_objects.size(); }

private:
    std::vector<CCObject*> m_objects;
};

class CCPoolManager {
public:
    static CCPoolManager* sharedPoolManager();
    static void purgePoolManager();

    /// Starts a nested pool; objects autoreleased from now on go to it.
    void push();
    /// Clears and ends the innermost pool (the outermost one always stays).
    void pop();
    /// Clears every pool, innermost first.
    void finalize();
    void addObject(CCObject* object);
    void removeObject(CCObject* object);
    CCAutoreleasePool* getCurReleasePool();

private:
    CCPoolManager();
    ~CCPoolManager();
    std::vector<CCAutoreleasePool*> m_pools;
};

} // namespace cocos2d
