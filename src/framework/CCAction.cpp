#include "framework/CCAction.h"

#include "framework/CCActionInterval.h"
#include "framework/CCNode.h"

namespace cocos2d {

void CCAction::startWithTarget(CCNode* target) {
    m_pTarget = m_pOriginalTarget = target;
}

void CCAction::stop() {
    m_pTarget = nullptr;
}

CCSpeed* CCSpeed::create(CCActionInterval* action, float speed) {
    if (!action) return nullptr;
    CCSpeed* result = new CCSpeed();
    action->retain();
    result->m_pInnerAction = action;
    result->m_fSpeed = speed;
    result->autorelease();
    return result;
}

CCSpeed::~CCSpeed() {
    CC_SAFE_RELEASE(m_pInnerAction);
}

CCSpeed* CCSpeed::copy() const {
    CCSpeed* result = new CCSpeed();
    result->m_pInnerAction = m_pInnerAction->copy();
    result->m_fSpeed = m_fSpeed;
    return result;
}

bool CCSpeed::isDone() const {
    return m_pInnerAction->isDone();
}

void CCSpeed::startWithTarget(CCNode* target) {
    CCAction::startWithTarget(target);
    m_pInnerAction->startWithTarget(target);
}

void CCSpeed::stop() {
    m_pInnerAction->stop();
    CCAction::stop();
}

void CCSpeed::step(float dt) {
    m_pInnerAction->step(dt * m_fSpeed);
}

} // namespace cocos2d
