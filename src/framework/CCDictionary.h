#pragma once
// A dictionary of retained objects keyed by strings (or by integers), iterated in insertion order.
// Lookups go through a hash map; an insertion-order list of elements serves the iteration.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/CCArray.h"
#include "framework/CCObject.h"
#include "framework/CCString.h"

namespace cocos2d {

class CCDictionary;

/// One key and its object. Owned by its dictionary; valid until the key is removed.
class CCDictElement {
public:
    /// The string key ("" in a dictionary keyed by integers).
    const char* getStrKey() const { return m_strKey.c_str(); }
    const std::string& getKey() const { return m_strKey; }
    /// The integer key (0 in a dictionary keyed by strings).
    intptr_t getIntKey() const { return m_iKey; }
    /// The object (owned by the dictionary, which holds one reference).
    CCObject* getObject() const { return m_pObject; }

private:
    friend class CCDictionary;
    std::string m_strKey;
    intptr_t m_iKey = 0;
    CCObject* m_pObject = nullptr;
    std::size_t m_slot = 0;
};

class CCDictionary : public CCObject {
public:
    enum CCDictType { kCCDictUnknown = 0, kCCDictStr, kCCDictInt };

    /// An empty autoreleased dictionary.
    static CCDictionary* create();
    /// An autoreleased dictionary holding the same keys and objects as `other`, in its order
    /// (a shallow copy: the objects are shared, each retained once more). nullptr gives an empty one.
    static CCDictionary* createWithDictionary(CCDictionary* other);
    /// Reads a property-list file whose root is a dictionary. Returns an autoreleased dictionary, or
    /// nullptr (after one log line naming the file and the problem) when the file is missing, not a
    /// well-formed property list, or its root is not a dictionary.
    static CCDictionary* createWithContentsOfFile(const char* path);
    /// Like createWithContentsOfFile but not autoreleased: the caller owns the reference.
    static CCDictionary* createWithContentsOfFileThreadSafe(const char* path);

    CCDictionary() = default;
    ~CCDictionary() override;

    unsigned int count() const { return (unsigned int)m_strMap.size() + (unsigned int)m_intMap.size(); }
    CCDictType getType() const { return m_eType; }

    /// Stores and retains `object` under `key`, releasing a previous object there (which keeps its
    /// place in the order). nullptr objects are ignored; a string key in a dictionary keyed by
    /// integers (or the reverse) is logged and ignored.
    void setObject(CCObject* object, const std::string& key);
    void setObject(CCObject* object, intptr_t key);
    /// The object under `key`, or nullptr.
    CCObject* objectForKey(const std::string& key) const;
    CCObject* objectForKey(intptr_t key) const;
    /// The string under `key`; an empty string (never nullptr) when the key is absent or holds a
    /// container. Number values are given as their text. Valid while the dictionary holds it (or
    /// until the autorelease pool drains, for a text made from a number).
    const CCString* valueForKey(const std::string& key) const;
    const CCString* valueForKey(intptr_t key) const;
    /// Removes and releases the object under `key` (nothing when absent).
    void removeObjectForKey(const std::string& key);
    void removeObjectForKey(intptr_t key);
    /// Removes the keys listed in `keys` (CCString or CCInteger elements).
    void removeObjectsForKeys(CCArray* keys);
    void removeAllObjects();
    /// The keys in order as an autoreleased array of CCString (or CCInteger for integer keys).
    CCArray* allKeys() const;
    /// The keys under which `object` is stored (compared by isEqual), autoreleased.
    CCArray* allKeysForObject(const CCObject* object) const;
    /// A random object (rand()), or nullptr when empty.
    CCObject* randomObject() const;

    /// Writes this dictionary as an XML property list (atomically); false on failure (logged).
    bool writeToFile(const char* path) const;

    /// Iteration used by CCDICT_FOREACH: the first live element at slot `from` or later, its slot
    /// stored in `*slot`; nullptr past the end. Removing elements while iterating is safe; adding
    /// keys is not (they may be visited or skipped).
    CCDictElement* elementFromSlot(std::size_t from, std::size_t* slot) const;

private:
    bool acceptKeyType(CCDictType type);
    void insertElement(CCDictElement* element);
    void eraseElement(CCDictElement* element);
    void compactOrder();

    std::unordered_map<std::string, CCDictElement*> m_strMap;
    std::unordered_map<intptr_t, CCDictElement*> m_intMap;
    // Insertion order; removed elements leave a nullptr until the list is compacted.
    std::vector<CCDictElement*> m_order;
    std::size_t m_holes = 0;
    CCDictType m_eType = kCCDictUnknown;
};

/// Iterates `dict` (which may be nullptr) in insertion order, binding each element to `element`
/// (a CCDictElement* declared by the caller). The current element may be removed in the loop.
#define CCDICT_FOREACH(__dict__, __el__)                                                                     \
    if ((__dict__) != nullptr)                                                                               \
        for (std::size_t __slot__##__el__ = 0;                                                               \
             ((__el__) = (__dict__)->elementFromSlot(__slot__##__el__, &__slot__##__el__)) != nullptr;       \
             ++__slot__##__el__)

} // namespace cocos2d
