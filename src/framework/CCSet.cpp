#include "framework/CCSet.h"

#include <algorithm>

namespace cocos2d {

CCSet::CCSet(const CCSet& other) : CCObject() {
    for (CCObject* o : other.m_objects) addObject(o);
}

CCSet::~CCSet() {
    removeAllObjects();
}

CCSet* CCSet::create() {
    CCSet* set = new CCSet();
    set->autorelease();
    return set;
}

void CCSet::addObject(CCObject* object) {
    if (!object || containsObject(object)) return;
    object->retain();
    m_objects.push_back(object);
}

void CCSet::removeObject(CCObject* object) {
    auto it = std::find(m_objects.begin(), m_objects.end(), object);
    if (it == m_objects.end()) return;
    m_objects.erase(it);
    object->release();
}

void CCSet::removeAllObjects() {
    std::vector<CCObject*> old;
    old.swap(m_objects);
    for (CCObject* o : old) o->release();
}

bool CCSet::containsObject(const CCObject* object) const {
    return std::find(m_objects.begin(), m_objects.end(), object) != m_objects.end();
}

} // namespace cocos2d
