#include <gtest/gtest.h>

#include "SceneTestSupport.h"
#include "framework/CCNodeRGBA.h"
#include "framework/CCTransformStack.h"

using namespace cocos2d;
using scenetest::Probe;
using scenetest::runFrames;
using scenetest::RunningScene;

namespace {

std::vector<int> tagsOf(CCNode* parent) {
    std::vector<int> tags;
    for (CCObject* o : parent->getChildren()->data()) tags.push_back(static_cast<CCNode*>(o)->getTag());
    return tags;
}

void expectNear(const CCPoint& actual, const CCPoint& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-3f);
    EXPECT_NEAR(actual.y, expected.y, 1e-3f);
}

} // namespace

TEST_F(RunningScene, ChildrenSortByZOrderKeepingArrivalOrderAndFindByTag) {
    CCNode* parent = CCNode::create();
    EXPECT_NE(parent->getChildren(), nullptr);
    EXPECT_EQ(parent->getChildrenCount(), 0u);
    const int zs[] = {2, 0, -1, 0, 2, -1};
    for (int i = 0; i < 6; ++i) parent->addChild(CCNode::create(), zs[i], 10 + i);
    EXPECT_EQ(tagsOf(parent), (std::vector<int>{12, 15, 11, 13, 10, 14}));
    EXPECT_EQ(parent->getChildByTag(13)->getZOrder(), 0);
    EXPECT_EQ(parent->getChildByTag(99), nullptr);

    // Reordering puts the child behind the others of its new z-order, also through setZOrder.
    parent->reorderChild(parent->getChildByTag(11), 2);
    EXPECT_EQ(tagsOf(parent), (std::vector<int>{12, 15, 13, 10, 14, 11}));
    parent->getChildByTag(10)->setZOrder(-1);
    EXPECT_EQ(tagsOf(parent), (std::vector<int>{12, 15, 10, 13, 14, 11}));

    parent->removeChildByTag(15);
    EXPECT_EQ(tagsOf(parent), (std::vector<int>{12, 10, 13, 14, 11}));
    // A node that already has a parent, itself, or nullptr cannot be added.
    CCNode* other = CCNode::create();
    other->addChild(parent->getChildByTag(12));
    other->addChild(other);
    other->addChild(nullptr);
    EXPECT_EQ(other->getChildrenCount(), 0u);
    parent->removeAllChildren();
    EXPECT_EQ(parent->getChildrenCount(), 0u);
}

TEST_F(RunningScene, UserObjectIsRetainedUntilReplaced) {
    CCNode* node = CCNode::create();
    node->retain();
    node->setUserObject(Probe::create(&log, "user"));
    runFrames(1); // drains the pool: only the node holds the probe now
    EXPECT_EQ(Probe::live(), 1);
    node->setUserObject(nullptr);
    EXPECT_EQ(Probe::live(), 0);
    node->release();
}

struct TransformCase {
    const char* name;
    CCPoint parentPos, parentAnchor;
    CCSize parentSize;
    float parentRotation, parentScaleX, parentScaleY, parentSkewX;
    CCPoint childPos, childAnchor;
    CCSize childSize;
    float childRotation, childScale, childSkewY;
    bool childIgnoresAnchor;
};

TEST_F(RunningScene, WorldAndNodeSpaceConversionsRoundTrip) {
    const TransformCase cases[] = {
        {"identity", {0, 0}, {0, 0}, {0, 0}, 0, 1, 1, 0, {0, 0}, {0, 0}, {0, 0}, 0, 1, 0, false},
        {"translated", {100, 50}, {0, 0}, {0, 0}, 0, 1, 1, 0, {10, 20}, {0, 0}, {0, 0}, 0, 1, 0, false},
        {"rotated-scaled",
         {300, 200},
         {0.5f, 0.5f},
         {80, 40},
         30,
         2,
         0.5f,
         0,
         {5, -7},
         {0.25f, 1},
         {20, 10},
         -75,
         1.5f,
         0,
         false},
        {"skewed",
         {-40, 12},
         {0.5f, 0},
         {64, 64},
         0,
         1,
         1,
         20,
         {3, 4},
         {0.5f, 0.5f},
         {10, 10},
         10,
         0.75f,
         -15,
         false},
        {"ignore-anchor",
         {10, 10},
         {1, 1},
         {30, 30},
         90,
         1,
         1,
         0,
         {7, 7},
         {0.5f, 0.5f},
         {50, 20},
         45,
         2,
         0,
         true},
    };
    for (const TransformCase& c : cases) {
        SCOPED_TRACE(c.name);
        CCNode* parent = CCNode::create();
        parent->setContentSize(c.parentSize);
        parent->setAnchorPoint(c.parentAnchor);
        parent->setPosition(c.parentPos);
        parent->setRotation(c.parentRotation);
        parent->setScaleX(c.parentScaleX);
        parent->setScaleY(c.parentScaleY);
        parent->setSkewX(c.parentSkewX);
        CCNode* child = CCNode::create();
        child->setContentSize(c.childSize);
        child->setAnchorPoint(c.childAnchor);
        child->ignoreAnchorPointForPosition(c.childIgnoresAnchor);
        child->setPosition(c.childPos);
        child->setRotation(c.childRotation);
        child->setScale(c.childScale);
        child->setSkewY(c.childSkewY);
        parent->addChild(child);
        scene->addChild(parent);
        for (const CCPoint& p : {CCPoint(0, 0), CCPoint(12.5f, -3), CCPoint(-100, 250)}) {
            expectNear(child->convertToNodeSpace(child->convertToWorldSpace(p)), p);
            expectNear(child->convertToWorldSpace(child->convertToNodeSpace(p)), p);
            expectNear(child->convertToNodeSpaceAR(child->convertToWorldSpaceAR(p)), p);
            // World space is the parent's space carried through the parent's transform.
            expectNear(child->convertToWorldSpace(p), parent->convertToWorldSpace(CCPointApplyAffineTransform(
                                                          p, child->nodeToParentTransform())));
        }
        scene->removeChild(parent);
    }
}

TEST_F(RunningScene, TransformsPlaceKnownPoints) {
    // Rotation is clockwise: the child's x axis points down after a 90 degree turn of the parent.
    CCNode* parent = CCNode::create();
    parent->setPosition(ccp(100, 50));
    parent->setRotation(90);
    CCNode* child = CCNode::create();
    child->setPosition(ccp(10, 0));
    parent->addChild(child);
    scene->addChild(parent);
    expectNear(child->convertToWorldSpace(CCPointZero), ccp(100, 40));

    // The anchor point sits at the position; scale pivots on it.
    CCNode* box = CCNode::create();
    box->setContentSize(CCSize(100, 50));
    box->setAnchorPoint(ccp(0.5f, 0.5f));
    box->setPosition(ccp(200, 200));
    expectNear(box->convertToWorldSpace(CCPointZero), ccp(150, 175));
    box->setScale(2);
    expectNear(box->convertToWorldSpace(CCPointZero), ccp(100, 150));
    expectNear(box->convertToWorldSpaceAR(CCPointZero), ccp(200, 200));
    CCRect bounds = box->boundingBox();
    EXPECT_FLOAT_EQ(bounds.origin.x, 100);
    EXPECT_FLOAT_EQ(bounds.size.width, 200);
    EXPECT_FLOAT_EQ(bounds.size.height, 100);
    // Ignoring the anchor for position puts the origin at the position.
    box->setScale(1);
    box->ignoreAnchorPointForPosition(true);
    expectNear(box->convertToWorldSpace(CCPointZero), ccp(200, 200));

    // Skew x shears x by tan(angle) * y.
    CCNode* skewed = CCNode::create();
    skewed->setSkewX(45);
    expectNear(skewed->convertToWorldSpace(ccp(0, 10)), ccp(10, 10));
}

TEST_F(RunningScene, EnterAndExitReachTheWholeSubtreeOnce) {
    Probe* a = Probe::create(&log, "a");
    Probe* b = Probe::create(&log, "b");
    a->addChild(b);
    EXPECT_FALSE(b->isRunning());
    scene->addChild(a);
    EXPECT_EQ(log, (std::vector<std::string>{"a:enter", "b:enter"}));
    EXPECT_TRUE(b->isRunning());

    // A child added to a running node enters at once.
    log.clear();
    Probe* c = Probe::create(&log, "c");
    b->addChild(c);
    EXPECT_EQ(log, (std::vector<std::string>{"c:enter"}));

    // Removing without cleanup exits the subtree; with cleanup also cleans it.
    log.clear();
    a->retain();
    scene->removeChild(a, false);
    EXPECT_EQ(log, (std::vector<std::string>{"a:exit", "b:exit", "c:exit"}));
    EXPECT_FALSE(c->isRunning());
    log.clear();
    scene->addChild(a);
    a->release();
    log.clear();
    a->removeFromParent();
    EXPECT_EQ(
        log, (std::vector<std::string>{"a:exit", "b:exit", "c:exit", "a:cleanup", "b:cleanup", "c:cleanup"}));
}

namespace {
// A node that, on entering, adds a sibling to its parent and removes another sibling.
class Meddler : public CCNode {
public:
    CCNode* toAdd = nullptr;
    CCNode* toRemove = nullptr;
    void onEnter() override {
        CCNode::onEnter();
        if (toAdd) getParent()->addChild(toAdd);
        if (toRemove) toRemove->removeFromParent();
        toAdd = toRemove = nullptr;
    }
};
} // namespace

TEST_F(RunningScene, TreeChangesDuringEnterAreSafe) {
    CCNode* parent = CCNode::create();
    Meddler* meddler = new Meddler();
    meddler->autorelease();
    Probe* doomed = Probe::create(&log, "doomed");
    Probe* late = Probe::create(&log, "late");
    parent->addChild(meddler, 0);
    parent->addChild(doomed, 1);
    meddler->toAdd = late;
    meddler->toRemove = doomed;
    scene->addChild(parent);
    // The removed sibling never entered; the added one entered exactly once.
    EXPECT_EQ(log, (std::vector<std::string>{"late:enter", "doomed:cleanup"}));
    EXPECT_TRUE(late->isRunning());
    EXPECT_EQ(parent->getChildrenCount(), 2u);
}

TEST_F(RunningScene, VisitDrawsNegativeZBeforeParentAndSkipsInvisible) {
    Probe* root = Probe::create(&log, "root");
    root->setPosition(ccp(5, 6));
    Probe* back = Probe::create(&log, "back");
    Probe* front = Probe::create(&log, "front");
    Probe* hidden = Probe::create(&log, "hidden");
    Probe* hiddenChild = Probe::create(&log, "hiddenChild");
    hidden->setVisible(false);
    hidden->addChild(hiddenChild);
    front->setPosition(ccp(1, 2));
    root->addChild(front, 1);
    root->addChild(back, -1);
    root->addChild(hidden, 0);
    scene->addChild(root);
    log.clear();
    CCTransformStack::loadIdentity();
    root->visit();
    EXPECT_EQ(log, (std::vector<std::string>{"back:draw", "root:draw", "front:draw"}));
    EXPECT_EQ(CCTransformStack::depth(), 0u);
    // The transform seen while drawing is the node's world transform.
    CCAffineTransform world = front->nodeToWorldTransform();
    EXPECT_TRUE(CCAffineTransformEqualToTransform(front->getVisitTransform(), world));
    EXPECT_FLOAT_EQ(world.tx, 6);
    EXPECT_FLOAT_EQ(world.ty, 8);
}

TEST_F(RunningScene, OpacityAndColourCascadeToChildrenWhenEnabled) {
    CCNodeRGBA* parent = CCNodeRGBA::create();
    CCNodeRGBA* child = CCNodeRGBA::create();
    parent->addChild(child);
    child->setCascadeOpacityEnabled(true);
    parent->setOpacity(128);
    EXPECT_EQ(child->getDisplayedOpacity(), 255); // parent does not cascade
    parent->setCascadeOpacityEnabled(true);
    parent->setCascadeColorEnabled(true);
    parent->setOpacity(128);
    EXPECT_EQ(child->getOpacity(), 255);
    EXPECT_EQ(child->getDisplayedOpacity(), 128);
    child->setOpacity(128);
    EXPECT_EQ(child->getDisplayedOpacity(), 64);
    parent->setColor(ccc3(255, 0, 128));
    EXPECT_TRUE(ccc3BEqual(child->getDisplayedColor(), ccc3(255, 0, 128)));
    EXPECT_TRUE(ccc3BEqual(child->getColor(), ccWHITE));
}
