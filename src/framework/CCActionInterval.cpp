#include "framework/CCActionInterval.h"

#include <cfloat>
#include <cmath>
#include <cstdarg>

#include "framework/CCActionInstant.h"
#include "framework/CCNode.h"
#include "framework/CCNodeRGBA.h"

namespace cocos2d {
namespace {

constexpr double kDoneTolerance = 1e-6;

// Takes ownership of one reference of a fresh object and hands it to the pool.
template <typename T> T* autoreleased(T* object) {
    object->autorelease();
    return object;
}

// A channel value rounded to the nearest byte, clamped.
GLubyte toByte(float value) {
    if (!(value > 0.0f)) return 0;
    return value >= 255.0f ? 255 : (GLubyte)(value + 0.5f);
}

// Collects a nullptr-ended argument list.
std::vector<CCFiniteTimeAction*> collect(CCFiniteTimeAction* first, va_list args) {
    std::vector<CCFiniteTimeAction*> list;
    for (CCFiniteTimeAction* a = first; a; a = va_arg(args, CCFiniteTimeAction*)) list.push_back(a);
    return list;
}

std::vector<CCFiniteTimeAction*> collect(CCArray* actions) {
    std::vector<CCFiniteTimeAction*> list;
    if (!actions) return list;
    for (CCObject* o : actions->data())
        if (CCFiniteTimeAction* a = dynamic_cast<CCFiniteTimeAction*>(o)) list.push_back(a);
    return list;
}

// Does nothing, instantly: the second half of a one-action sequence.
class CCNoAction : public CCActionInstant {
public:
    static CCNoAction* create() { return autoreleased(new CCNoAction()); }
    CCNoAction* copy() const override { return new CCNoAction(); }
};

} // namespace

// ----- CCActionInterval -------------------------------------------------------------------------

bool CCActionInterval::initWithDuration(float duration) {
    m_fDuration = duration > 0.0f ? duration : FLT_EPSILON;
    m_elapsed = 0.0;
    return true;
}

bool CCActionInterval::isDone() const {
    return m_elapsed + kDoneTolerance >= m_fDuration;
}

void CCActionInterval::startWithTarget(CCNode* target) {
    CCFiniteTimeAction::startWithTarget(target);
    m_elapsed = 0.0;
}

void CCActionInterval::step(float dt) {
    m_elapsed += dt;
    float t = isDone() ? 1.0f : (float)(m_elapsed / m_fDuration);
    update(t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t));
}

// ----- CCSequence -------------------------------------------------------------------------------

CCSequence* CCSequence::createWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two) {
    if (!one || !two) return nullptr;
    CCSequence* seq = new CCSequence();
    seq->initWithDuration(one->getDuration() + two->getDuration());
    one->retain();
    two->retain();
    seq->m_pActions[0] = one;
    seq->m_pActions[1] = two;
    return autoreleased(seq);
}

CCSequence* CCSequence::fromList(const std::vector<CCFiniteTimeAction*>& actions) {
    if (actions.empty()) return nullptr;
    if (actions.size() == 1) return createWithTwoActions(actions[0], CCNoAction::create());
    CCSequence* seq = createWithTwoActions(actions[0], actions[1]);
    for (std::size_t i = 2; i < actions.size(); ++i) seq = createWithTwoActions(seq, actions[i]);
    return seq;
}

CCSequence* CCSequence::create(CCFiniteTimeAction* action1, ...) {
    va_list args;
    va_start(args, action1);
    std::vector<CCFiniteTimeAction*> list = collect(action1, args);
    va_end(args);
    return fromList(list);
}

CCSequence* CCSequence::create(CCArray* actions) {
    return fromList(collect(actions));
}

CCSequence::~CCSequence() {
    CC_SAFE_RELEASE(m_pActions[0]);
    CC_SAFE_RELEASE(m_pActions[1]);
}

CCSequence* CCSequence::copy() const {
    CCSequence* seq = new CCSequence();
    seq->initWithDuration(m_fDuration);
    seq->m_pActions[0] = m_pActions[0]->copy();
    seq->m_pActions[1] = m_pActions[1]->copy();
    return seq;
}

CCSequence* CCSequence::reverse() const {
    CCFiniteTimeAction* one = m_pActions[1]->reverse();
    CCFiniteTimeAction* two = m_pActions[0]->reverse();
    return createWithTwoActions(one, two);
}

void CCSequence::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_split = m_pActions[0]->getDuration() / m_fDuration;
    m_last = -1;
}

void CCSequence::stop() {
    if (m_last != -1) m_pActions[m_last]->stop();
    CCActionInterval::stop();
}

void CCSequence::update(float t) {
    // Frame-exact boundaries belong to the second action despite rounding.
    const float tolerance = (float)(kDoneTolerance / m_fDuration);
    int found;
    float localT;
    if (t + tolerance < m_split) {
        found = 0;
        localT = m_split != 0.0f ? t / m_split : 1.0f;
    } else {
        found = 1;
        localT = m_split >= 1.0f ? 1.0f : (t - m_split) / (1.0f - m_split);
        if (localT < 0.0f) localT = 0.0f;
    }
    CCNode* target = m_pTarget;
    if (found == 1 && m_last != 1) {
        if (m_last == -1) {
            // The first action was skipped over (a long frame): run it to its end first.
            m_last = 0;
            m_pActions[0]->startWithTarget(target);
        }
        m_pActions[0]->update(1.0f);
        // A callback may have stopped this sequence (its target removed, say): nothing more runs.
        if (!m_pTarget) return;
        m_pActions[0]->stop();
    }
    // An instant second action that already ran must not run again.
    if (found == m_last && m_pActions[found]->isDone()) return;
    if (found != m_last) {
        m_last = found;
        m_pActions[found]->startWithTarget(target);
    }
    m_pActions[found]->update(localT);
}

// ----- CCSpawn ----------------------------------------------------------------------------------

CCSpawn* CCSpawn::createWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two) {
    if (!one || !two) return nullptr;
    const float d1 = one->getDuration(), d2 = two->getDuration();
    // The shorter one is padded with a delay so both end together.
    if (d1 > d2)
        two = CCSequence::createWithTwoActions(two, CCDelayTime::create(d1 - d2));
    else if (d2 > d1)
        one = CCSequence::createWithTwoActions(one, CCDelayTime::create(d2 - d1));
    CCSpawn* spawn = new CCSpawn();
    spawn->initWithDuration(d1 > d2 ? d1 : d2);
    one->retain();
    two->retain();
    spawn->m_pOne = one;
    spawn->m_pTwo = two;
    return autoreleased(spawn);
}

CCSpawn* CCSpawn::fromList(const std::vector<CCFiniteTimeAction*>& actions) {
    if (actions.empty()) return nullptr;
    if (actions.size() == 1) return createWithTwoActions(actions[0], CCNoAction::create());
    CCSpawn* spawn = createWithTwoActions(actions[0], actions[1]);
    for (std::size_t i = 2; i < actions.size(); ++i) spawn = createWithTwoActions(spawn, actions[i]);
    return spawn;
}

CCSpawn* CCSpawn::create(CCFiniteTimeAction* action1, ...) {
    va_list args;
    va_start(args, action1);
    std::vector<CCFiniteTimeAction*> list = collect(action1, args);
    va_end(args);
    return fromList(list);
}

CCSpawn* CCSpawn::create(CCArray* actions) {
    return fromList(collect(actions));
}

CCSpawn::~CCSpawn() {
    CC_SAFE_RELEASE(m_pOne);
    CC_SAFE_RELEASE(m_pTwo);
}

CCSpawn* CCSpawn::copy() const {
    CCSpawn* spawn = new CCSpawn();
    spawn->initWithDuration(m_fDuration);
    spawn->m_pOne = m_pOne->copy();
    spawn->m_pTwo = m_pTwo->copy();
    return spawn;
}

CCSpawn* CCSpawn::reverse() const {
    return createWithTwoActions(m_pOne->reverse(), m_pTwo->reverse());
}

void CCSpawn::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_pOne->startWithTarget(target);
    m_pTwo->startWithTarget(target);
}

void CCSpawn::stop() {
    m_pOne->stop();
    m_pTwo->stop();
    CCActionInterval::stop();
}

void CCSpawn::update(float t) {
    m_pOne->update(t);
    if (m_pTarget) m_pTwo->update(t);
}

// ----- CCRepeat ---------------------------------------------------------------------------------

CCRepeat* CCRepeat::create(CCFiniteTimeAction* action, unsigned int times) {
    if (!action) return nullptr;
    CCRepeat* repeat = new CCRepeat();
    repeat->initWithDuration(action->getDuration() * (float)times);
    action->retain();
    repeat->m_pInnerAction = action;
    repeat->m_uTimes = times;
    repeat->m_bActionInstant = dynamic_cast<CCActionInstant*>(action) != nullptr;
    return autoreleased(repeat);
}

CCRepeat::~CCRepeat() {
    CC_SAFE_RELEASE(m_pInnerAction);
}

CCRepeat* CCRepeat::copy() const {
    CCRepeat* repeat = new CCRepeat();
    repeat->initWithDuration(m_fDuration);
    repeat->m_pInnerAction = m_pInnerAction->copy();
    repeat->m_uTimes = m_uTimes;
    repeat->m_bActionInstant = m_bActionInstant;
    return repeat;
}

CCRepeat* CCRepeat::reverse() const {
    return create(m_pInnerAction->reverse(), m_uTimes);
}

bool CCRepeat::isDone() const {
    return m_uTotal >= m_uTimes;
}

void CCRepeat::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_uTotal = 0;
    if (m_uTimes > 0) m_pInnerAction->startWithTarget(target);
}

void CCRepeat::stop() {
    if (m_uTotal < m_uTimes) m_pInnerAction->stop();
    CCActionInterval::stop();
}

void CCRepeat::update(float t) {
    if (m_uTotal >= m_uTimes) return;
    // Local time counts whole runs of the inner action.
    const double local = (double)t * m_uTimes;
    while (m_uTotal < m_uTimes && local + kDoneTolerance >= (double)(m_uTotal + 1)) {
        m_pInnerAction->update(1.0f);
        if (!m_pTarget) return; // stopped from a callback
        m_pInnerAction->stop();
        ++m_uTotal;
        if (m_uTotal < m_uTimes) m_pInnerAction->startWithTarget(m_pTarget);
    }
    if (m_uTotal < m_uTimes && !m_bActionInstant) {
        double part = local - m_uTotal;
        m_pInnerAction->update((float)(part < 0.0 ? 0.0 : part));
    }
}

// ----- CCRepeatForever --------------------------------------------------------------------------

CCRepeatForever* CCRepeatForever::create(CCActionInterval* action) {
    if (!action) return nullptr;
    CCRepeatForever* repeat = new CCRepeatForever();
    action->retain();
    repeat->m_pInnerAction = action;
    return autoreleased(repeat);
}

CCRepeatForever::~CCRepeatForever() {
    CC_SAFE_RELEASE(m_pInnerAction);
}

CCRepeatForever* CCRepeatForever::copy() const {
    CCRepeatForever* repeat = new CCRepeatForever();
    repeat->m_pInnerAction = m_pInnerAction->copy();
    return repeat;
}

CCRepeatForever* CCRepeatForever::reverse() const {
    return create(m_pInnerAction->reverse());
}

void CCRepeatForever::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_pInnerAction->startWithTarget(target);
}

void CCRepeatForever::stop() {
    m_pInnerAction->stop();
    CCActionInterval::stop();
}

void CCRepeatForever::step(float dt) {
    m_pInnerAction->step(dt);
    if (!m_pTarget || !m_pInnerAction->isDone()) return;
    // Start the next run with the time that overshot this one (at most one run's worth).
    double overshoot = (double)m_pInnerAction->getElapsed() - m_pInnerAction->getDuration();
    if (overshoot < 0.0 || overshoot > m_pInnerAction->getDuration()) overshoot = 0.0;
    m_pInnerAction->stop();
    m_pInnerAction->startWithTarget(m_pTarget);
    m_pInnerAction->step((float)overshoot);
}

// ----- CCDelayTime ------------------------------------------------------------------------------

CCDelayTime* CCDelayTime::create(float duration) {
    CCDelayTime* delay = new CCDelayTime();
    delay->initWithDuration(duration);
    return autoreleased(delay);
}

CCDelayTime* CCDelayTime::copy() const {
    CCDelayTime* delay = new CCDelayTime();
    delay->initWithDuration(m_fDuration);
    return delay;
}

CCDelayTime* CCDelayTime::reverse() const {
    return create(m_fDuration);
}

// ----- Moves ------------------------------------------------------------------------------------

CCMoveBy* CCMoveBy::create(float duration, const CCPoint& delta) {
    CCMoveBy* move = new CCMoveBy();
    move->initWithDuration(duration);
    move->m_delta = delta;
    return autoreleased(move);
}

CCMoveBy* CCMoveBy::copy() const {
    CCMoveBy* move = new CCMoveBy();
    move->initWithDuration(m_fDuration);
    move->m_delta = m_delta;
    return move;
}

CCMoveBy* CCMoveBy::reverse() const {
    return create(m_fDuration, -m_delta);
}

void CCMoveBy::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_start = target->getPosition();
}

void CCMoveBy::update(float t) {
    if (m_pTarget) m_pTarget->setPosition(m_start + m_delta * t);
}

CCMoveTo* CCMoveTo::create(float duration, const CCPoint& position) {
    CCMoveTo* move = new CCMoveTo();
    move->initWithDuration(duration);
    move->m_end = position;
    return autoreleased(move);
}

CCMoveTo* CCMoveTo::copy() const {
    CCMoveTo* move = new CCMoveTo();
    move->initWithDuration(m_fDuration);
    move->m_end = m_end;
    return move;
}

void CCMoveTo::startWithTarget(CCNode* target) {
    CCMoveBy::startWithTarget(target);
    m_delta = m_end - m_start;
}

// ----- Scales -----------------------------------------------------------------------------------

CCScaleTo* CCScaleTo::create(float duration, float scale) {
    return create(duration, scale, scale);
}

CCScaleTo* CCScaleTo::create(float duration, float scaleX, float scaleY) {
    CCScaleTo* scale = new CCScaleTo();
    scale->initWithDuration(duration);
    scale->m_endX = scaleX;
    scale->m_endY = scaleY;
    return autoreleased(scale);
}

CCScaleTo* CCScaleTo::copy() const {
    CCScaleTo* scale = new CCScaleTo();
    scale->initWithDuration(m_fDuration);
    scale->m_endX = m_endX;
    scale->m_endY = m_endY;
    return scale;
}

void CCScaleTo::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_startX = target->getScaleX();
    m_startY = target->getScaleY();
    m_deltaX = m_endX - m_startX;
    m_deltaY = m_endY - m_startY;
}

void CCScaleTo::update(float t) {
    if (!m_pTarget) return;
    m_pTarget->setScaleX(m_startX + m_deltaX * t);
    m_pTarget->setScaleY(m_startY + m_deltaY * t);
}

CCScaleBy* CCScaleBy::create(float duration, float scale) {
    return create(duration, scale, scale);
}

CCScaleBy* CCScaleBy::create(float duration, float scaleX, float scaleY) {
    CCScaleBy* scale = new CCScaleBy();
    scale->initWithDuration(duration);
    scale->m_endX = scaleX;
    scale->m_endY = scaleY;
    return autoreleased(scale);
}

CCScaleBy* CCScaleBy::copy() const {
    CCScaleBy* scale = new CCScaleBy();
    scale->initWithDuration(m_fDuration);
    scale->m_endX = m_endX;
    scale->m_endY = m_endY;
    return scale;
}

CCScaleBy* CCScaleBy::reverse() const {
    // A zero factor cannot be undone; keep the scale instead of dividing by zero.
    return create(m_fDuration, m_endX != 0.0f ? 1.0f / m_endX : 1.0f, m_endY != 0.0f ? 1.0f / m_endY : 1.0f);
}

void CCScaleBy::startWithTarget(CCNode* target) {
    CCScaleTo::startWithTarget(target);
    m_deltaX = m_startX * m_endX - m_startX;
    m_deltaY = m_startY * m_endY - m_startY;
}

// ----- Rotations --------------------------------------------------------------------------------

CCRotateTo* CCRotateTo::create(float duration, float degrees) {
    CCRotateTo* rotate = new CCRotateTo();
    rotate->initWithDuration(duration);
    rotate->m_end = degrees;
    return autoreleased(rotate);
}

CCRotateTo* CCRotateTo::copy() const {
    CCRotateTo* rotate = new CCRotateTo();
    rotate->initWithDuration(m_fDuration);
    rotate->m_end = m_end;
    return rotate;
}

void CCRotateTo::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_start = std::fmod(target->getRotation(), 360.0f);
    m_diff = std::fmod(m_end - m_start, 360.0f);
    if (m_diff > 180.0f) m_diff -= 360.0f;
    if (m_diff < -180.0f) m_diff += 360.0f;
}

void CCRotateTo::update(float t) {
    if (m_pTarget) m_pTarget->setRotation(m_start + m_diff * t);
}

CCRotateBy* CCRotateBy::create(float duration, float degrees) {
    CCRotateBy* rotate = new CCRotateBy();
    rotate->initWithDuration(duration);
    rotate->m_angle = degrees;
    return autoreleased(rotate);
}

CCRotateBy* CCRotateBy::copy() const {
    CCRotateBy* rotate = new CCRotateBy();
    rotate->initWithDuration(m_fDuration);
    rotate->m_angle = m_angle;
    return rotate;
}

CCRotateBy* CCRotateBy::reverse() const {
    return create(m_fDuration, -m_angle);
}

void CCRotateBy::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    m_start = target->getRotation();
}

void CCRotateBy::update(float t) {
    if (m_pTarget) m_pTarget->setRotation(m_start + m_angle * t);
}

// ----- Fades and tints --------------------------------------------------------------------------

CCFadeTo* CCFadeTo::create(float duration, GLubyte opacity) {
    CCFadeTo* fade = new CCFadeTo();
    fade->initWithDuration(duration);
    fade->m_to = opacity;
    return autoreleased(fade);
}

CCFadeTo* CCFadeTo::copy() const {
    CCFadeTo* fade = new CCFadeTo();
    fade->initWithDuration(m_fDuration);
    fade->m_to = m_to;
    return fade;
}

void CCFadeTo::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(target)) m_from = rgba->getOpacity();
}

void CCFadeTo::update(float t) {
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pTarget))
        rgba->setOpacity(toByte(m_from + (m_to - m_from) * t));
}

CCFadeIn* CCFadeIn::create(float duration) {
    CCFadeIn* fade = new CCFadeIn();
    fade->initWithDuration(duration);
    return autoreleased(fade);
}

CCFadeIn* CCFadeIn::copy() const {
    CCFadeIn* fade = new CCFadeIn();
    fade->initWithDuration(m_fDuration);
    return fade;
}

CCActionInterval* CCFadeIn::reverse() const {
    return CCFadeOut::create(m_fDuration);
}

void CCFadeIn::update(float t) {
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pTarget)) rgba->setOpacity(toByte(255 * t));
}

CCFadeOut* CCFadeOut::create(float duration) {
    CCFadeOut* fade = new CCFadeOut();
    fade->initWithDuration(duration);
    return autoreleased(fade);
}

CCFadeOut* CCFadeOut::copy() const {
    CCFadeOut* fade = new CCFadeOut();
    fade->initWithDuration(m_fDuration);
    return fade;
}

CCActionInterval* CCFadeOut::reverse() const {
    return CCFadeIn::create(m_fDuration);
}

void CCFadeOut::update(float t) {
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pTarget))
        rgba->setOpacity(toByte(255 * (1.0f - t)));
}

CCTintTo* CCTintTo::create(float duration, GLubyte red, GLubyte green, GLubyte blue) {
    CCTintTo* tint = new CCTintTo();
    tint->initWithDuration(duration);
    tint->m_to = ccc3(red, green, blue);
    return autoreleased(tint);
}

CCTintTo* CCTintTo::copy() const {
    CCTintTo* tint = new CCTintTo();
    tint->initWithDuration(m_fDuration);
    tint->m_to = m_to;
    return tint;
}

void CCTintTo::startWithTarget(CCNode* target) {
    CCActionInterval::startWithTarget(target);
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(target)) m_from = rgba->getColor();
}

void CCTintTo::update(float t) {
    CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_pTarget);
    if (!rgba) return;
    rgba->setColor(ccc3((GLubyte)(m_from.r + (m_to.r - m_from.r) * t),
                        (GLubyte)(m_from.g + (m_to.g - m_from.g) * t),
                        (GLubyte)(m_from.b + (m_to.b - m_from.b) * t)));
}

} // namespace cocos2d
