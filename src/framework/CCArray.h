#pragma once
// An ordered array of retained objects.

#include <vector>

#include "framework/CCObject.h"

namespace cocos2d {

class CCArray : public CCObject {
public:
    /// An empty autoreleased array.
    static CCArray* create();
    static CCArray* createWithCapacity(unsigned int capacity);
    /// An autoreleased copy holding the same objects (shallow).
    static CCArray* createWithArray(CCArray* other);

    CCArray() = default;
    ~CCArray() override;

    unsigned int count() const { return (unsigned int)m_data.size(); }
    unsigned int capacity() const { return (unsigned int)m_data.capacity(); }
    /// The object at `index`, or nullptr when out of range.
    CCObject* objectAtIndex(unsigned int index) const;
    CCObject* lastObject() const;
    CCObject* randomObject() const;
    /// Index of `object`, or UINT_MAX when absent.
    unsigned int indexOfObject(const CCObject* object) const;
    bool containsObject(const CCObject* object) const;

    /// Appends and retains `object` (nullptr is ignored).
    void addObject(CCObject* object);
    void addObjectsFromArray(CCArray* other);
    /// Inserts at `index` (clamped to the end).
    void insertObject(CCObject* object, unsigned int index);
    void removeLastObject(bool releaseObj = true);
    /// Removes the first occurrence of `object`.
    void removeObject(CCObject* object, bool releaseObj = true);
    void removeObjectAtIndex(unsigned int index, bool releaseObj = true);
    void removeObjectsInArray(CCArray* other);
    void removeAllObjects();
    void exchangeObjectAtIndex(unsigned int index1, unsigned int index2);
    void replaceObjectAtIndex(unsigned int index, CCObject* object, bool releaseObject = true);
    void reverseObjects();

    /// Direct access for fast loops; valid until the array changes.
    std::vector<CCObject*>& data() { return m_data; }
    const std::vector<CCObject*>& data() const { return m_data; }

private:
    std::vector<CCObject*> m_data;
};

/// Iterates an array (which may be nullptr) binding each element to `__object__`. The array must
/// not change during the loop; iterate a copy (CCArray::createWithArray) when it may.
#define CCARRAY_FOREACH(__array__, __object__)                                                        \
    if ((__array__) && (__array__)->count() > 0)                                                      \
        for (unsigned int __idx__##__object__ = 0;                                                    \
             __idx__##__object__ < (__array__)->count() &&                                            \
             (((__object__) = (__array__)->objectAtIndex(__idx__##__object__)) != nullptr);          \
             ++__idx__##__object__)

#define CCARRAY_FOREACH_REVERSE(__array__, __object__)                                                \
    if ((__array__) && (__array__)->count() > 0)                                                      \
        for (int __idx__##__object__ = (int)(__array__)->count() - 1;                                 \
             __idx__##__object__ >= 0 &&                                                              \
             (((__object__) = (__array__)->objectAtIndex((unsigned)__idx__##__object__)) != nullptr); \
             --__idx__##__object__)

} // namespace cocos2d
