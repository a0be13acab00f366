#pragma once
// A small ordered set of retained objects (used for the touches of one event).

#include <vector>

#include "framework/CCObject.h"

namespace cocos2d {

class CCSet : public CCObject {
public:
    typedef std::vector<CCObject*>::const_iterator CCSetIterator;

    CCSet() = default;
    CCSet(const CCSet& other);
    CCSet& operator=(const CCSet&) = delete;
    ~CCSet() override;
    /// An empty autoreleased set.
    static CCSet* create();

    /// Adds and retains `object` unless present (nullptr is ignored).
    void addObject(CCObject* object);
    void removeObject(CCObject* object);
    void removeAllObjects();
    bool containsObject(const CCObject* object) const;
    unsigned int count() const { return (unsigned int)m_objects.size(); }
    /// The first object, or nullptr when empty.
    CCObject* anyObject() const { return m_objects.empty() ? nullptr : m_objects.front(); }
    CCSetIterator begin() const { return m_objects.begin(); }
    CCSetIterator end() const { return m_objects.end(); }

private:
    std::vector<CCObject*> m_objects;
};

} // namespace cocos2d
