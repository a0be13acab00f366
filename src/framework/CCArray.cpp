#include "framework/CCArray.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace cocos2d {

CCArray* CCArray::create() {
    CCArray* array = new CCArray();
    array->autorelease();
    return array;
}

CCArray* CCArray::createWithCapacity(unsigned int capacity) {
    CCArray* array = create();
    array->m_data.reserve(capacity);
    return array;
}

CCArray* CCArray::createWithArray(CCArray* other) {
    CCArray* array = create();
    if (other) array->addObjectsFromArray(other);
    return array;
}

CCArray::~CCArray() { removeAllObjects(); }

CCObject* CCArray::objectAtIndex(unsigned int index) const {
    return index < m_data.size() ? m_data[index] : nullptr;
}

CCObject* CCArray::lastObject() const { return m_data.empty() ? nullptr : m_data.back(); }

CCObject* CCArray::randomObject() const {
    if (m_data.empty()) return nullptr;
    return m_data[(size_t)std::rand() % m_data.size()];
}

unsigned int CCArray::indexOfObject(const CCObject* object) const {
    auto it = std::find(m_data.begin(), m_data.end(), object);
    return it == m_data.end() ? UINT_MAX : (unsigned int)(it - m_data.begin());
}

bool CCArray::containsObject(const CCObject* object) const { return indexOfObject(object) != UINT_MAX; }

void CCArray::addObject(CCObject* object) {
    if (!object) return;
    object->retain();
    m_data.push_back(object);
}

void CCArray::addObjectsFromArray(CCArray* other) {
    if (!other || other == this) {
        if (other == this) {
            std::vector<CCObject*> copy = m_data;
            for (CCObject* o : copy) addObject(o);
        }
        return;
    }
    for (CCObject* o : other->m_data) addObject(o);
}

void CCArray::insertObject(CCObject* object, unsigned int index) {
    if (!object) return;
    object->retain();
    if (index > m_data.size()) index = (unsigned int)m_data.size();
    m_data.insert(m_data.begin() + index, object);
}

void CCArray::removeLastObject(bool releaseObj) {
    if (m_data.empty()) return;
    CCObject* o = m_data.back();
    m_data.pop_back();
    if (releaseObj) o->release();
}

void CCArray::removeObject(CCObject* object, bool releaseObj) {
    unsigned int index = indexOfObject(object);
    if (index != UINT_MAX) removeObjectAtIndex(index, releaseObj);
}

void CCArray::removeObjectAtIndex(unsigned int index, bool releaseObj) {
    if (index >= m_data.size()) return;
    CCObject* o = m_data[index];
    m_data.erase(m_data.begin() + index);
    if (releaseObj) o->release();
}

void CCArray::removeObjectsInArray(CCArray* other) {
    if (!other) return;
    std::vector<CCObject*> doomed = other->m_data;
    for (CCObject* o : doomed) removeObject(o);
}

void CCArray::removeAllObjects() {
    // Release after clearing so destructors that look at this array see it empty.
    std::vector<CCObject*> old;
    old.swap(m_data);
    for (CCObject* o : old) o->release();
}

void CCArray::exchangeObjectAtIndex(unsigned int index1, unsigned int index2) {
    if (index1 < m_data.size() && index2 < m_data.size()) std::swap(m_data[index1], m_data[index2]);
}

void CCArray::replaceObjectAtIndex(unsigned int index, CCObject* object, bool releaseObject) {
    if (index >= m_data.size() || !object) return;
    object->retain();
    CCObject* old = m_data[index];
    m_data[index] = object;
    if (releaseObject) old->release();
}

void CCArray::reverseObjects() { std::reverse(m_data.begin(), m_data.end()); }

} // namespace cocos2d
