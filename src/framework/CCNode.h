#pragma once
// The scene-graph node: an ordered tree of retained children with a 2-D transform, actions and
// scheduled callbacks. A node draws nothing itself; subclasses override draw().

#include "framework/CCAffineTransform.h"
#include "framework/CCArray.h"
#include "framework/CCGeometry.h"
#include "framework/CCObject.h"
#include "framework/CCScheduler.h"

namespace cocos2d {

class CCAction;
class CCActionManager;
class CCScheduler;

/// The tag of a node that was given none.
constexpr int kCCNodeTagInvalid = -1;

class CCNode : public CCObject {
public:
    /// An autoreleased empty node.
    static CCNode* create();

    CCNode();
    ~CCNode() override;
    /// Second-phase set-up; subclasses chain to it. Returns true on success.
    virtual bool init();

    // ----- Children -----------------------------------------------------------------------------
    /// Adds and retains `child` (ignored when nullptr or already someone's child). Children are kept
    /// sorted by z-order; equal z-orders keep the order in which they were added.
    virtual void addChild(CCNode* child);
    virtual void addChild(CCNode* child, int zOrder);
    virtual void addChild(CCNode* child, int zOrder, int tag);
    /// Detaches `child` (exits it when running; with `cleanup`, also stops its actions and
    /// callbacks) and releases it. Not a child: nothing happens.
    virtual void removeChild(CCNode* child, bool cleanup = true);
    /// Removes the first child with `tag`.
    virtual void removeChildByTag(int tag, bool cleanup = true);
    /// Removes this node from its parent, with cleanup.
    virtual void removeFromParent();
    virtual void removeFromParentAndCleanup(bool cleanup);
    virtual void removeAllChildren();
    virtual void removeAllChildrenWithCleanup(bool cleanup);
    /// Moves `child` to z-order `zOrder`, behind the other children of that z-order.
    virtual void reorderChild(CCNode* child, int zOrder);
    /// Kept for callers that expect it; the children are always sorted.
    virtual void sortAllChildren() {}
    /// The first child with `tag`, or nullptr.
    CCNode* getChildByTag(int tag) const;
    /// The children in drawing order. Always a valid array owned by the node (empty when there are
    /// none); do not change it directly, and copy it before a loop that may add or remove children.
    CCArray* getChildren() const { return m_pChildren; }
    unsigned int getChildrenCount() const { return m_pChildren->count(); }
    CCNode* getParent() const { return m_pParent; }
    /// Sets the parent pointer only (the parent's child list is not changed). Not retained.
    virtual void setParent(CCNode* parent) { m_pParent = parent; }

    // ----- Identity -----------------------------------------------------------------------------
    int getTag() const { return m_nTag; }
    virtual void setTag(int tag) { m_nTag = tag; }
    virtual int getZOrder() const { return m_nZOrder; }
    /// Changes the z-order, re-sorting this node among its siblings.
    virtual void setZOrder(int zOrder);
    unsigned int getOrderOfArrival() const { return m_uOrderOfArrival; }
    /// Retains `object` (releasing the previous one).
    virtual void setUserObject(CCObject* object);
    CCObject* getUserObject() const { return m_pUserObject; }
    /// Any pointer the owner likes; never freed by the node.
    void setUserData(void* data) { m_pUserData = data; }
    void* getUserData() const { return m_pUserData; }

    // ----- Geometry -----------------------------------------------------------------------------
    virtual void setPosition(const CCPoint& position);
    void setPosition(float x, float y) { setPosition(CCPoint(x, y)); }
    const CCPoint& getPosition() const { return m_obPosition; }
    void setPositionX(float x) { setPosition(CCPoint(x, m_obPosition.y)); }
    void setPositionY(float y) { setPosition(CCPoint(m_obPosition.x, y)); }
    float getPositionX() const { return m_obPosition.x; }
    float getPositionY() const { return m_obPosition.y; }
    /// The point of the content that sits at the position, as fractions of the content size.
    virtual void setAnchorPoint(const CCPoint& anchor);
    const CCPoint& getAnchorPoint() const { return m_obAnchorPoint; }
    const CCPoint& getAnchorPointInPoints() const { return m_obAnchorPointInPoints; }
    /// When set, the position places the node's origin rather than its anchor point (rotation and
    /// scale still pivot on the anchor). Scenes and layers set it.
    virtual void ignoreAnchorPointForPosition(bool ignore);
    bool isIgnoreAnchorPointForPosition() const { return m_bIgnoreAnchorPointForPosition; }
    virtual void setContentSize(const CCSize& size);
    const CCSize& getContentSize() const { return m_obContentSize; }
    /// Rotation in degrees, clockwise.
    virtual void setRotation(float degrees);
    float getRotation() const { return m_fRotationX; }
    virtual void setRotationX(float degrees);
    float getRotationX() const { return m_fRotationX; }
    virtual void setRotationY(float degrees);
    float getRotationY() const { return m_fRotationY; }
    virtual void setScale(float scale);
    void setScale(float scaleX, float scaleY);
    /// The x scale (the two should match when this is asked).
    float getScale() const { return m_fScaleX; }
    virtual void setScaleX(float scale);
    float getScaleX() const { return m_fScaleX; }
    virtual void setScaleY(float scale);
    float getScaleY() const { return m_fScaleY; }
    /// Skew angles in degrees.
    virtual void setSkewX(float degrees);
    float getSkewX() const { return m_fSkewX; }
    virtual void setSkewY(float degrees);
    float getSkewY() const { return m_fSkewY; }
    virtual void setVisible(bool visible) { m_bVisible = visible; }
    virtual bool isVisible() const { return m_bVisible; }
    /// The content rectangle in the parent's space.
    CCRect boundingBox();

    // ----- Transforms ---------------------------------------------------------------------------
    /// Node space to parent space (cached until a geometry setter changes it).
    virtual const CCAffineTransform& nodeToParentTransform();
    virtual CCAffineTransform parentToNodeTransform();
    /// Node space to world (scene) space.
    virtual CCAffineTransform nodeToWorldTransform();
    virtual CCAffineTransform worldToNodeTransform();
    CCPoint convertToNodeSpace(const CCPoint& worldPoint);
    CCPoint convertToWorldSpace(const CCPoint& nodePoint);
    /// As convertToNodeSpace, relative to the anchor point.
    CCPoint convertToNodeSpaceAR(const CCPoint& worldPoint);
    /// As convertToWorldSpace, for a point relative to the anchor point.
    CCPoint convertToWorldSpaceAR(const CCPoint& nodePoint);
    /// The node-to-world transform as of this node's last visit (valid in draw()).
    const CCAffineTransform& getVisitTransform() const { return m_sVisitTransform; }

    // ----- Life cycle ---------------------------------------------------------------------------
    /// True between onEnter and onExit: the node is in the running scene.
    bool isRunning() const { return m_bRunning; }
    /// The node enters the running scene: resumes its callbacks and actions, then its children's.
    virtual void onEnter();
    virtual void onEnterTransitionDidFinish();
    virtual void onExitTransitionDidStart();
    /// The node leaves the running scene: pauses its callbacks and actions, and its children's.
    virtual void onExit();
    /// Stops every action and callback of this node and of its descendants.
    virtual void cleanup();

    // ----- Drawing ------------------------------------------------------------------------------
    /// Draws this subtree when visible: pushes the transform, visits children with z < 0, draws
    /// itself, visits the rest, pops.
    virtual void visit();
    /// Draws this node alone with CCTransformStack::top() as its world transform. Nothing here.
    virtual void draw() {}

    // ----- Actions ------------------------------------------------------------------------------
    /// Runs `action` on this node (retained by the action manager) and returns it.
    CCAction* runAction(CCAction* action);
    void stopAllActions();
    void stopAction(CCAction* action);
    void stopActionByTag(int tag);
    CCAction* getActionByTag(int tag);
    unsigned int numberOfRunningActions();
    CCActionManager* getActionManager() const;

    // ----- Scheduling ---------------------------------------------------------------------------
    /// Calls `selector` every frame.
    void schedule(SEL_SCHEDULE selector);
    /// Calls `selector` every `interval` seconds (0: every frame).
    void schedule(SEL_SCHEDULE selector, float interval);
    /// Calls `selector` every `interval` seconds, `repeat` + 1 times, the first after `delay`.
    void schedule(SEL_SCHEDULE selector, float interval, unsigned int repeat, float delay);
    /// Calls `selector` once after `delay` seconds.
    void scheduleOnce(SEL_SCHEDULE selector, float delay);
    void unschedule(SEL_SCHEDULE selector);
    /// Unschedules every selector and the per-frame update of this node.
    void unscheduleAllSelectors();
    /// Calls update(dt) every frame, at priority 0.
    void scheduleUpdate();
    /// Calls update(dt) every frame; lower priorities run first.
    void scheduleUpdateWithPriority(int priority);
    void unscheduleUpdate();
    /// Pauses this node's callbacks and actions (not its children's).
    void pauseSchedulerAndActions();
    void resumeSchedulerAndActions();
    CCScheduler* getScheduler() const;

protected:
    /// Inserts `child` into the sorted list with a fresh order of arrival (the child is retained).
    void insertChild(CCNode* child, int zOrder);
    void detachChild(CCNode* child, bool cleanup);
    void markTransformDirty() { m_bTransformDirty = m_bInverseDirty = true; }

    CCPoint m_obPosition;
    CCPoint m_obAnchorPoint;
    CCPoint m_obAnchorPointInPoints;
    CCSize m_obContentSize;
    float m_fRotationX = 0.0f;
    float m_fRotationY = 0.0f;
    float m_fScaleX = 1.0f;
    float m_fScaleY = 1.0f;
    float m_fSkewX = 0.0f;
    float m_fSkewY = 0.0f;
    bool m_bVisible = true;
    bool m_bIgnoreAnchorPointForPosition = false;
    bool m_bRunning = false;
    bool m_bTransformDirty = true;
    bool m_bInverseDirty = true;
    CCAffineTransform m_sTransform;
    CCAffineTransform m_sInverse;
    CCAffineTransform m_sVisitTransform;

    CCArray* m_pChildren;
    CCNode* m_pParent = nullptr;
    int m_nTag = kCCNodeTagInvalid;
    int m_nZOrder = 0;
    unsigned int m_uOrderOfArrival = 0;
    CCObject* m_pUserObject = nullptr;
    void* m_pUserData = nullptr;
};

} // namespace cocos2d
