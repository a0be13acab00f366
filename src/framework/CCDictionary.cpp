#include "framework/CCDictionary.h"

#include <cstdlib>

#include "framework/CCNumber.h"
#include "framework/CCPlist.h"

namespace cocos2d {
namespace {

/// The empty text handed out for absent keys; lives for the whole process.
const CCString* emptyString() {
    static const CCString* empty = new CCString();
    return empty;
}

const CCString* textOf(const CCObject* object) {
    if (!object) return emptyString();
    if (auto s = dynamic_cast<const CCString*>(object)) return s;
    if (auto i = dynamic_cast<const CCInteger*>(object))
        return CCString::createWithFormat("%d", i->getValue());
    if (auto f = dynamic_cast<const CCFloat*>(object)) return CCString::create(ccFloatToText(f->getValue()));
    if (auto d = dynamic_cast<const CCDouble*>(object))
        return CCString::create(ccDoubleToText(d->getValue()));
    if (auto b = dynamic_cast<const CCBool*>(object))
        return CCString::create(b->getValue() ? "true" : "false");
    return emptyString();
}

} // namespace

CCDictionary* CCDictionary::create() {
    CCDictionary* dict = new CCDictionary();
    dict->autorelease();
    return dict;
}

CCDictionary* CCDictionary::createWithDictionary(CCDictionary* other) {
    CCDictionary* dict = create();
    CCDictElement* element = nullptr;
    CCDICT_FOREACH(other, element) {
        if (other->m_eType == kCCDictInt) {
            dict->setObject(element->getObject(), element->getIntKey());
        } else {
            dict->setObject(element->getObject(), element->getKey());
        }
    }
    return dict;
}

CCDictionary* CCDictionary::createWithContentsOfFile(const char* path) {
    CCDictionary* dict = createWithContentsOfFileThreadSafe(path);
    if (dict) dict->autorelease();
    return dict;
}

CCDictionary* CCDictionary::createWithContentsOfFileThreadSafe(const char* path) {
    std::string file = path ? path : "";
    CCObject* root = CCPlist::readFile(file);
    if (!root) return nullptr;
    CCDictionary* dict = dynamic_cast<CCDictionary*>(root);
    if (!dict) {
        CCLog("[CCDictionary] cannot read %s: its root is not a dictionary", file.c_str());
        root->release();
    }
    return dict;
}

CCDictionary::~CCDictionary() {
    removeAllObjects();
}

bool CCDictionary::acceptKeyType(CCDictType type) {
    if (m_eType == kCCDictUnknown) m_eType = type;
    if (m_eType == type) return true;
    CCLog("[CCDictionary] ignored a %s key in a dictionary keyed by %s",
          type == kCCDictStr ? "string" : "integer", m_eType == kCCDictStr ? "strings" : "integers");
    return false;
}

void CCDictionary::insertElement(CCDictElement* element) {
    if (m_holes > 16 && m_holes > m_order.size() / 2) compactOrder();
    element->m_slot = m_order.size();
    m_order.push_back(element);
}

void CCDictionary::eraseElement(CCDictElement* element) {
    m_order[element->m_slot] = nullptr;
    ++m_holes;
    CCObject* object = element->m_pObject;
    delete element;
    // Released last: the object's destructor may look at this dictionary again.
    object->release();
}

void CCDictionary::compactOrder() {
    std::size_t out = 0;
    for (CCDictElement* element : m_order) {
        if (!element) continue;
        element->m_slot = out;
        m_order[out++] = element;
    }
    m_order.resize(out);
    m_holes = 0;
}

void CCDictionary::setObject(CCObject* object, const std::string& key) {
    if (!object || !acceptKeyType(kCCDictStr)) return;
    object->retain();
    auto found = m_strMap.find(key);
    if (found != m_strMap.end()) {
        CCObject* old = found->second->m_pObject;
        found->second->m_pObject = object;
        old->release();
        return;
    }
    CCDictElement* element = new CCDictElement();
    element->m_strKey = key;
    element->m_pObject = object;
    m_strMap.emplace(key, element);
    insertElement(element);
}

void CCDictionary::setObject(CCObject* object, intptr_t key) {
    if (!object || !acceptKeyType(kCCDictInt)) return;
    object->retain();
    auto found = m_intMap.find(key);
    if (found != m_intMap.end()) {
        CCObject* old = found->second->m_pObject;
        found->second->m_pObject = object;
        old->release();
        return;
    }
    CCDictElement* element = new CCDictElement();
    element->m_iKey = key;
    element->m_pObject = object;
    m_intMap.emplace(key, element);
    insertElement(element);
}

CCObject* CCDictionary::objectForKey(const std::string& key) const {
    auto found = m_strMap.find(key);
    return found == m_strMap.end() ? nullptr : found->second->m_pObject;
}

CCObject* CCDictionary::objectForKey(intptr_t key) const {
    auto found = m_intMap.find(key);
    return found == m_intMap.end() ? nullptr : found->second->m_pObject;
}

const CCString* CCDictionary::valueForKey(const std::string& key) const {
    return textOf(objectForKey(key));
}

const CCString* CCDictionary::valueForKey(intptr_t key) const {
    return textOf(objectForKey(key));
}

void CCDictionary::removeObjectForKey(const std::string& key) {
    auto found = m_strMap.find(key);
    if (found == m_strMap.end()) return;
    CCDictElement* element = found->second;
    m_strMap.erase(found);
    eraseElement(element);
}

void CCDictionary::removeObjectForKey(intptr_t key) {
    auto found = m_intMap.find(key);
    if (found == m_intMap.end()) return;
    CCDictElement* element = found->second;
    m_intMap.erase(found);
    eraseElement(element);
}

void CCDictionary::removeObjectsForKeys(CCArray* keys) {
    CCObject* key = nullptr;
    CCARRAY_FOREACH(keys, key) {
        if (auto s = dynamic_cast<CCString*>(key)) removeObjectForKey(s->getString());
        if (auto i = dynamic_cast<CCInteger*>(key)) removeObjectForKey((intptr_t)i->getValue());
    }
}

void CCDictionary::removeAllObjects() {
    // Detach everything first so that releasing an object never sees a half-emptied dictionary.
    std::vector<CCDictElement*> order;
    order.swap(m_order);
    m_strMap.clear();
    m_intMap.clear();
    m_holes = 0;
    for (CCDictElement* element : order) {
        if (!element) continue;
        CCObject* object = element->m_pObject;
        delete element;
        object->release();
    }
}

CCArray* CCDictionary::allKeys() const {
    CCArray* keys = CCArray::createWithCapacity(count());
    for (CCDictElement* element : m_order) {
        if (!element) continue;
        if (m_eType == kCCDictInt) {
            keys->addObject(CCInteger::create((int)element->m_iKey));
        } else {
            keys->addObject(CCString::create(element->m_strKey));
        }
    }
    return keys;
}

CCArray* CCDictionary::allKeysForObject(const CCObject* object) const {
    CCArray* keys = CCArray::create();
    if (!object) return keys;
    for (CCDictElement* element : m_order) {
        if (!element || !element->m_pObject->isEqual(object)) continue;
        if (m_eType == kCCDictInt) {
            keys->addObject(CCInteger::create((int)element->m_iKey));
        } else {
            keys->addObject(CCString::create(element->m_strKey));
        }
    }
    return keys;
}

CCObject* CCDictionary::randomObject() const {
    unsigned int n = count();
    if (n == 0) return nullptr;
    unsigned int pick = (unsigned int)std::rand() % n;
    for (CCDictElement* element : m_order) {
        if (!element) continue;
        if (pick-- == 0) return element->m_pObject;
    }
    return nullptr;
}

bool CCDictionary::writeToFile(const char* path) const {
    return CCPlist::writeFile(this, path ? path : "");
}

CCDictElement* CCDictionary::elementFromSlot(std::size_t from, std::size_t* slot) const {
    for (std::size_t i = from; i < m_order.size(); ++i) {
        if (m_order[i]) {
            *slot = i;
            return m_order[i];
        }
    }
    *slot = m_order.size();
    return nullptr;
}

} // namespace cocos2d
