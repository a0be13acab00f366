#include "framework/CCNode.h"

#include <climits>
#include <cmath>
#include <vector>

#include "framework/CCAction.h"
#include "framework/CCActionManager.h"
#include "framework/CCDirector.h"
#include "framework/CCScheduler.h"
#include "framework/CCTransformStack.h"

namespace cocos2d {
namespace {

// Order of arrival across all nodes, so equal z-orders keep insertion order.
unsigned int g_orderOfArrival = 0;

// The children of a node, retained, for loops whose callbacks may change the tree.
class ChildSnapshot {
public:
    explicit ChildSnapshot(CCArray* children) {
        m_nodes.reserve(children->count());
        for (CCObject* o : children->data()) {
            o->retain();
            m_nodes.push_back(static_cast<CCNode*>(o));
        }
    }
    ~ChildSnapshot() {
        for (CCNode* n : m_nodes) n->release();
    }
    const std::vector<CCNode*>& nodes() const { return m_nodes; }

private:
    std::vector<CCNode*> m_nodes;
};

} // namespace

CCNode* CCNode::create() {
    CCNode* node = new CCNode();
    node->init();
    node->autorelease();
    return node;
}

CCNode::CCNode() : m_pChildren(new CCArray()) {
    m_sTransform = m_sInverse = m_sVisitTransform = CCAffineTransformIdentity;
}

CCNode::~CCNode() {
    // Selector targets and action targets are retained by their managers, so neither can hold
    // this node now; per-frame updates are not retained and are dropped here.
    CCDirector* director = CCDirector::sharedDirectorIfExists();
    if (director) {
        director->getScheduler()->unscheduleAllForTarget(this);
        director->getActionManager()->removeAllActionsFromTarget(this);
    }
    for (CCObject* o : m_pChildren->data()) static_cast<CCNode*>(o)->setParent(nullptr);
    m_pChildren->release();
    CC_SAFE_RELEASE(m_pUserObject);
}

bool CCNode::init() {
    return true;
}

// ----- Children ---------------------------------------------------------------------------------

void CCNode::addChild(CCNode* child) {
    addChild(child, child ? child->m_nZOrder : 0, child ? child->m_nTag : 0);
}

void CCNode::addChild(CCNode* child, int zOrder) {
    addChild(child, zOrder, child ? child->m_nTag : 0);
}

void CCNode::addChild(CCNode* child, int zOrder, int tag) {
    if (!child) {
        CCLog("[CCNode] addChild: no child given");
        return;
    }
    if (child->m_pParent || child == this) {
        CCLog("[CCNode] addChild: node %u already has a parent", child->m_uID);
        return;
    }
    child->m_nTag = tag;
    insertChild(child, zOrder);
    child->setParent(this);
    if (m_bRunning) {
        child->onEnter();
        child->onEnterTransitionDidFinish();
    }
}

void CCNode::insertChild(CCNode* child, int zOrder) {
    child->m_nZOrder = zOrder;
    child->m_uOrderOfArrival = ++g_orderOfArrival;
    // Children are sorted by z-order; a new arrival goes behind every child of its z-order.
    std::vector<CCObject*>& list = m_pChildren->data();
    unsigned int index = (unsigned int)list.size();
    while (index > 0 && static_cast<CCNode*>(list[index - 1])->m_nZOrder > zOrder) --index;
    m_pChildren->insertObject(child, index);
}

void CCNode::removeChild(CCNode* child, bool cleanup) {
    if (!child || child->m_pParent != this || !m_pChildren->containsObject(child)) return;
    detachChild(child, cleanup);
}

void CCNode::detachChild(CCNode* child, bool cleanup) {
    child->retain();
    if (child->m_bRunning) {
        child->onExitTransitionDidStart();
        child->onExit();
    }
    if (cleanup) child->cleanup();
    // onExit may already have taken the child out (a callback removing it again).
    if (child->m_pParent == this) {
        child->setParent(nullptr);
        m_pChildren->removeObject(child);
    }
    child->release();
}

void CCNode::removeChildByTag(int tag, bool cleanup) {
    CCNode* child = getChildByTag(tag);
    if (child) removeChild(child, cleanup);
}

void CCNode::removeFromParent() {
    removeFromParentAndCleanup(true);
}

void CCNode::removeFromParentAndCleanup(bool cleanup) {
    if (m_pParent) m_pParent->removeChild(this, cleanup);
}

void CCNode::removeAllChildren() {
    removeAllChildrenWithCleanup(true);
}

void CCNode::removeAllChildrenWithCleanup(bool cleanup) {
    // Swap the list out first, so callbacks that touch the tree see a consistent (empty) one.
    CCArray* old = m_pChildren;
    m_pChildren = new CCArray();
    for (CCObject* o : old->data()) {
        CCNode* child = static_cast<CCNode*>(o);
        if (child->m_bRunning) {
            child->onExitTransitionDidStart();
            child->onExit();
        }
        if (cleanup) child->cleanup();
        if (child->m_pParent == this) child->setParent(nullptr);
    }
    old->release();
}

void CCNode::reorderChild(CCNode* child, int zOrder) {
    if (!child || child->m_pParent != this) return;
    unsigned int index = m_pChildren->indexOfObject(child);
    if (index == UINT_MAX) return;
    child->retain();
    m_pChildren->removeObjectAtIndex(index);
    insertChild(child, zOrder);
    child->release();
}

CCNode* CCNode::getChildByTag(int tag) const {
    for (CCObject* o : m_pChildren->data()) {
        CCNode* child = static_cast<CCNode*>(o);
        if (child->m_nTag == tag) return child;
    }
    return nullptr;
}

void CCNode::setZOrder(int zOrder) {
    if (m_pParent)
        m_pParent->reorderChild(this, zOrder);
    else
        m_nZOrder = zOrder;
}

void CCNode::setUserObject(CCObject* object) {
    CC_SAFE_RETAIN(object);
    CC_SAFE_RELEASE(m_pUserObject);
    m_pUserObject = object;
}

// ----- Geometry ---------------------------------------------------------------------------------

void CCNode::setPosition(const CCPoint& position) {
    m_obPosition = position;
    markTransformDirty();
}

void CCNode::setAnchorPoint(const CCPoint& anchor) {
    if (anchor.equals(m_obAnchorPoint)) return;
    m_obAnchorPoint = anchor;
    m_obAnchorPointInPoints = CCPoint(m_obContentSize.width * anchor.x, m_obContentSize.height * anchor.y);
    markTransformDirty();
}

void CCNode::ignoreAnchorPointForPosition(bool ignore) {
    if (ignore == m_bIgnoreAnchorPointForPosition) return;
    m_bIgnoreAnchorPointForPosition = ignore;
    markTransformDirty();
}

void CCNode::setContentSize(const CCSize& size) {
    if (size.equals(m_obContentSize)) return;
    m_obContentSize = size;
    m_obAnchorPointInPoints = CCPoint(size.width * m_obAnchorPoint.x, size.height * m_obAnchorPoint.y);
    markTransformDirty();
}

void CCNode::setRotation(float degrees) {
    m_fRotationX = m_fRotationY = degrees;
    markTransformDirty();
}

void CCNode::setRotationX(float degrees) {
    m_fRotationX = degrees;
    markTransformDirty();
}

void CCNode::setRotationY(float degrees) {
    m_fRotationY = degrees;
    markTransformDirty();
}

void CCNode::setScale(float scale) {
    m_fScaleX = m_fScaleY = scale;
    markTransformDirty();
}

void CCNode::setScale(float scaleX, float scaleY) {
    setScaleX(scaleX);
    setScaleY(scaleY);
}

void CCNode::setScaleX(float scale) {
    m_fScaleX = scale;
    markTransformDirty();
}

void CCNode::setScaleY(float scale) {
    m_fScaleY = scale;
    markTransformDirty();
}

void CCNode::setSkewX(float degrees) {
    m_fSkewX = degrees;
    markTransformDirty();
}

void CCNode::setSkewY(float degrees) {
    m_fSkewY = degrees;
    markTransformDirty();
}

CCRect CCNode::boundingBox() {
    CCRect rect(0.0f, 0.0f, m_obContentSize.width, m_obContentSize.height);
    return CCRectApplyAffineTransform(rect, nodeToParentTransform());
}

// ----- Transforms -------------------------------------------------------------------------------

const CCAffineTransform& CCNode::nodeToParentTransform() {
    if (!m_bTransformDirty) return m_sTransform;
    // parent = position + R * S * K * (local - anchor), where R rotates clockwise by the rotation
    // (x and y axes separately), S scales and K skews.
    const float radX = -CC_DEGREES_TO_RADIANS(m_fRotationX);
    const float radY = -CC_DEGREES_TO_RADIANS(m_fRotationY);
    const float cx = std::cos(radX), sx = std::sin(radX);
    const float cy = std::cos(radY), sy = std::sin(radY);
    // Rotation and scale: columns (a, b) and (c, d).
    float a = cy * m_fScaleX, b = sy * m_fScaleX;
    float c = -sx * m_fScaleY, d = cx * m_fScaleY;
    if (m_fSkewX != 0.0f || m_fSkewY != 0.0f) {
        const float tanX = std::tan(CC_DEGREES_TO_RADIANS(m_fSkewX));
        const float tanY = std::tan(CC_DEGREES_TO_RADIANS(m_fSkewY));
        // [a c; b d] * [1 tanX; tanY 1]
        const float na = a + c * tanY, nb = b + d * tanY;
        const float nc = a * tanX + c, nd = b * tanX + d;
        a = na, b = nb, c = nc, d = nd;
    }
    float x = m_obPosition.x, y = m_obPosition.y;
    if (m_bIgnoreAnchorPointForPosition) {
        x += m_obAnchorPointInPoints.x;
        y += m_obAnchorPointInPoints.y;
    }
    const float ax = m_obAnchorPointInPoints.x, ay = m_obAnchorPointInPoints.y;
    x -= a * ax + c * ay;
    y -= b * ax + d * ay;
    m_sTransform = CCAffineTransformMake(a, b, c, d, x, y);
    m_bTransformDirty = false;
    return m_sTransform;
}

CCAffineTransform CCNode::parentToNodeTransform() {
    if (m_bInverseDirty || m_bTransformDirty) {
        m_sInverse = CCAffineTransformInvert(nodeToParentTransform());
        m_bInverseDirty = false;
    }
    return m_sInverse;
}

CCAffineTransform CCNode::nodeToWorldTransform() {
    CCAffineTransform t = nodeToParentTransform();
    for (CCNode* p = m_pParent; p; p = p->m_pParent)
        t = CCAffineTransformConcat(t, p->nodeToParentTransform());
    return t;
}

CCAffineTransform CCNode::worldToNodeTransform() {
    return CCAffineTransformInvert(nodeToWorldTransform());
}

CCPoint CCNode::convertToNodeSpace(const CCPoint& worldPoint) {
    return CCPointApplyAffineTransform(worldPoint, worldToNodeTransform());
}

CCPoint CCNode::convertToWorldSpace(const CCPoint& nodePoint) {
    return CCPointApplyAffineTransform(nodePoint, nodeToWorldTransform());
}

CCPoint CCNode::convertToNodeSpaceAR(const CCPoint& worldPoint) {
    return convertToNodeSpace(worldPoint) - m_obAnchorPointInPoints;
}

CCPoint CCNode::convertToWorldSpaceAR(const CCPoint& nodePoint) {
    return convertToWorldSpace(nodePoint + m_obAnchorPointInPoints);
}

// ----- Life cycle -------------------------------------------------------------------------------

void CCNode::onEnter() {
    // Marked running first, so children added by a child's onEnter are entered by addChild.
    m_bRunning = true;
    resumeSchedulerAndActions();
    ChildSnapshot snapshot(m_pChildren);
    for (CCNode* child : snapshot.nodes())
        if (child->m_pParent == this && !child->m_bRunning) child->onEnter();
}

void CCNode::onEnterTransitionDidFinish() {
    ChildSnapshot snapshot(m_pChildren);
    for (CCNode* child : snapshot.nodes())
        if (child->m_pParent == this) child->onEnterTransitionDidFinish();
}

void CCNode::onExitTransitionDidStart() {
    ChildSnapshot snapshot(m_pChildren);
    for (CCNode* child : snapshot.nodes())
        if (child->m_pParent == this) child->onExitTransitionDidStart();
}

void CCNode::onExit() {
    m_bRunning = false;
    pauseSchedulerAndActions();
    ChildSnapshot snapshot(m_pChildren);
    for (CCNode* child : snapshot.nodes())
        if (child->m_pParent == this && child->m_bRunning) child->onExit();
}

void CCNode::cleanup() {
    stopAllActions();
    unscheduleAllSelectors();
    ChildSnapshot snapshot(m_pChildren);
    for (CCNode* child : snapshot.nodes()) child->cleanup();
}

// ----- Drawing ----------------------------------------------------------------------------------

void CCNode::visit() {
    if (!m_bVisible) return;
    CCTransformStack::push();
    CCTransformStack::multiply(nodeToParentTransform());
    m_sVisitTransform = CCTransformStack::top();
    // Index loops with a bound check: a draw may (rarely) change the tree.
    std::vector<CCObject*>& list = m_pChildren->data();
    std::size_t i = 0;
    for (; i < list.size(); ++i) {
        CCNode* child = static_cast<CCNode*>(list[i]);
        if (child->m_nZOrder >= 0) break;
        child->visit();
    }
    draw();
    for (; i < list.size(); ++i) static_cast<CCNode*>(list[i])->visit();
    CCTransformStack::pop();
}

// ----- Actions ----------------------------------------------------------------------------------

CCActionManager* CCNode::getActionManager() const {
    return CCDirector::sharedDirector()->getActionManager();
}

CCAction* CCNode::runAction(CCAction* action) {
    if (!action) return nullptr;
    getActionManager()->addAction(action, this, !m_bRunning);
    return action;
}

void CCNode::stopAllActions() {
    getActionManager()->removeAllActionsFromTarget(this);
}

void CCNode::stopAction(CCAction* action) {
    getActionManager()->removeAction(action);
}

void CCNode::stopActionByTag(int tag) {
    getActionManager()->removeActionByTag(tag, this);
}

CCAction* CCNode::getActionByTag(int tag) {
    return getActionManager()->getActionByTag(tag, this);
}

unsigned int CCNode::numberOfRunningActions() {
    return getActionManager()->numberOfRunningActionsInTarget(this);
}

// ----- Scheduling -------------------------------------------------------------------------------

CCScheduler* CCNode::getScheduler() const {
    return CCDirector::sharedDirector()->getScheduler();
}

void CCNode::schedule(SEL_SCHEDULE selector) {
    schedule(selector, 0.0f, kCCRepeatForever, 0.0f);
}

void CCNode::schedule(SEL_SCHEDULE selector, float interval) {
    schedule(selector, interval, kCCRepeatForever, 0.0f);
}

void CCNode::schedule(SEL_SCHEDULE selector, float interval, unsigned int repeat, float delay) {
    if (!selector) return;
    getScheduler()->scheduleSelector(selector, this, interval, repeat, delay, !m_bRunning);
}

void CCNode::scheduleOnce(SEL_SCHEDULE selector, float delay) {
    schedule(selector, 0.0f, 0, delay);
}

void CCNode::unschedule(SEL_SCHEDULE selector) {
    if (selector) getScheduler()->unscheduleSelector(selector, this);
}

void CCNode::unscheduleAllSelectors() {
    getScheduler()->unscheduleAllForTarget(this);
}

void CCNode::scheduleUpdate() {
    scheduleUpdateWithPriority(0);
}

void CCNode::scheduleUpdateWithPriority(int priority) {
    getScheduler()->scheduleUpdateForTarget(this, priority, !m_bRunning);
}

void CCNode::unscheduleUpdate() {
    getScheduler()->unscheduleUpdateForTarget(this);
}

void CCNode::pauseSchedulerAndActions() {
    getScheduler()->pauseTarget(this);
    getActionManager()->pauseTarget(this);
}

void CCNode::resumeSchedulerAndActions() {
    getScheduler()->resumeTarget(this);
    getActionManager()->resumeTarget(this);
}

} // namespace cocos2d
