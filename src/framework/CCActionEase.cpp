#include "framework/CCActionEase.h"

#include <cmath>

namespace cocos2d {
namespace {
template <typename T> T* make(CCActionInterval* action, float rate) {
    if (!action) return nullptr;
    T* ease = new T();
    ease->initWithAction(action, rate);
    ease->autorelease();
    return ease;
}
template <typename T> T* copyOf(CCActionInterval* inner, float rate) {
    T* ease = new T();
    CCActionInterval* innerCopy = inner->copy();
    ease->initWithAction(innerCopy, rate);
    innerCopy->release();
    return ease;
}
} // namespace

bool CCActionEase::initWithAction(CCActionInterval* action, float rate) {
    initWithDuration(action->getDuration());
    action->retain();
    CC_SAFE_RELEASE(m_pInner);
    m_pInner = action;
    m_fRate = rate;
    return true;
}

CCActionEase::~CCActionEase() {
    CC_SAFE_RELEASE(m_pInner);
}

void CCActionEase::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_pInner->startWithTarget(target);
}

void CCActionEase::stop() {
    m_pInner->stop();
    CCActionInterval::stop();
}

CCEaseIn* CCEaseIn::create(CCActionInterval* action, float rate) {
    return make<CCEaseIn>(action, rate);
}
CCEaseIn* CCEaseIn::copy() const {
    return copyOf<CCEaseIn>(m_pInner, m_fRate);
}
CCActionInterval* CCEaseIn::reverse() const {
    CCActionInterval* inner = m_pInner->reverse();
    return inner ? CCEaseOut::create(inner, m_fRate) : nullptr;
}
float CCEaseIn::ease(float t) const {
    return std::pow(t, m_fRate);
}

CCEaseOut* CCEaseOut::create(CCActionInterval* action, float rate) {
    return make<CCEaseOut>(action, rate);
}
CCEaseOut* CCEaseOut::copy() const {
    return copyOf<CCEaseOut>(m_pInner, m_fRate);
}
CCActionInterval* CCEaseOut::reverse() const {
    CCActionInterval* inner = m_pInner->reverse();
    return inner ? CCEaseIn::create(inner, m_fRate) : nullptr;
}
float CCEaseOut::ease(float t) const {
    return m_fRate != 0.0f ? std::pow(t, 1.0f / m_fRate) : t;
}

CCEaseInOut* CCEaseInOut::create(CCActionInterval* action, float rate) {
    return make<CCEaseInOut>(action, rate);
}
CCEaseInOut* CCEaseInOut::copy() const {
    return copyOf<CCEaseInOut>(m_pInner, m_fRate);
}
CCActionInterval* CCEaseInOut::reverse() const {
    CCActionInterval* inner = m_pInner->reverse();
    return inner ? CCEaseInOut::create(inner, m_fRate) : nullptr;
}
float CCEaseInOut::ease(float t) const {
    t *= 2.0f;
    if (t < 1.0f) return 0.5f * std::pow(t, m_fRate);
    return 1.0f - 0.5f * std::pow(2.0f - t, m_fRate);
}

} // namespace cocos2d
