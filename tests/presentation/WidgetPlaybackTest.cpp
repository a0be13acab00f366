// The playback rule menu widgets share: pose at (time, stage), opacity clamping, the autohide
// fade that happens once and only while visible, and screen-anchored positions.

#include <gtest/gtest.h>

#include "framework/CCAutoreleasePool.h"
#include "framework/CCNodeRGBA.h"
#include "model/QNModel.h"
#include "model/QNPAttributeFloat.h"
#include "model/QNPAttributePoint.h"
#include "presentation/QNWidgetPlayback.h"

using namespace cocos2d;

namespace {

// A placed-object model with the attributes widgets play: value plus a track-1 curve on each.
class WidgetPlaybackTest : public ::testing::Test {
protected:
    void SetUp() override {
        CCPoolManager::sharedPoolManager()->push();
        model = new QNModel("QNModelObjectImage");
        position = static_cast<QNPAttributePoint*>(model->addAttribute("Position", QNPAttribute::kTypePoint));
        rotation = static_cast<QNPAttributeFloat*>(model->addAttribute("Rotation", QNPAttribute::kTypeFloat));
        scale = static_cast<QNPAttributePoint*>(model->addAttribute("Scale", QNPAttribute::kTypePoint));
        opacity = static_cast<QNPAttributeFloat*>(model->addAttribute("Opacity", QNPAttribute::kTypeFloat));
        position->set(CCPoint(10, 20));
        scale->set(CCPoint(1, 1));
        opacity->set(1.0f);
        position->addKey(1, 0, 0, 0);
        position->addKey(1, 100, 0, 1);
        rotation->addKey(1, 0, 0);
        rotation->addKey(1, 1, 90);
        opacity->addKey(1, 0, 0);
        opacity->addKey(1, 1, -0.5f);
        node.init();
        for (CCNodeRGBA* child : {&a, &b}) {
            child->init();
            node.addChild(child);
        }
        playback.setModel(model);
    }
    void TearDown() override {
        node.removeAllChildren();
        model->release();
        QNWidgetPlayback::setEdgeAnchor(nullptr);
        CCPoolManager::sharedPoolManager()->pop();
    }

    QNModel* model = nullptr;
    QNPAttributePoint* position = nullptr;
    QNPAttributeFloat* rotation = nullptr;
    QNPAttributePoint* scale = nullptr;
    QNPAttributeFloat* opacity = nullptr;
    CCNode node;
    CCNodeRGBA a, b;
    QNWidgetPlayback playback;
};

} // namespace

TEST_F(WidgetPlaybackTest, PoseIsValuePlusTheStageTrack) {
    QNWidgetPose still = widgetPoseAt(model, 0.5f, 0);
    EXPECT_EQ(still.position, CCPoint(10, 20)) << "track 0 has no curve";
    EXPECT_EQ(still.opacity, 1.0f);
    QNWidgetPose moving = widgetPoseAt(model, 0.5f, 1);
    EXPECT_FLOAT_EQ(moving.position.x, 60);
    EXPECT_FLOAT_EQ(moving.rotation, 45);
    EXPECT_FLOAT_EQ(moving.opacity, 0.75f);
    EXPECT_EQ(moving.scale, CCPoint(1, 1));
    QNWidgetPose none = widgetPoseAt(nullptr, 1, 1);
    EXPECT_EQ(none.scale, CCPoint(1, 1));
    EXPECT_EQ(none.opacity, 1.0f);
}

TEST(WidgetOpacity, ClampsAndCuts) {
    struct Case {
        float opacity, multiplier;
        int expected;
    } cases[] = {{1.4f, 1, 255}, {0.5f, 0.5f, 63}, {-0.2f, 1, 0}, {1, 0.5f, 127}, {1, 0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(widgetOpacity(c.opacity, c.multiplier), c.expected) << c.opacity << " x " << c.multiplier;
}

TEST_F(WidgetPlaybackTest, StepsApplyTransformAndOpacityToTheChildren) {
    playback.setStage(1);
    playback.step(&node, 0.5f, 0.5f);
    EXPECT_FLOAT_EQ(node.getPositionX(), 60);
    EXPECT_FLOAT_EQ(node.getRotation(), 45);
    EXPECT_EQ(a.getOpacity(), 95) << "0.75 x 0.5";
    EXPECT_EQ(b.getOpacity(), 95);
    playback.reset();
    EXPECT_EQ(playback.time(), 0.0f);

    QNWidgetPlayback::setEdgeAnchor(
        [](const QNModel*, const CCPoint& p) { return CCPoint(p.x + 1000, p.y); });
    playback.setStickToEdge(true);
    playback.step(&node, 0);
    EXPECT_FLOAT_EQ(node.getPositionX(), 1010);
}

TEST_F(WidgetPlaybackTest, AutohideFadesOnceWhenVisibleAndStopsTheOpacityTrack) {
    playback.setAutohide(1.5f);
    playback.step(&node, 1.0f);
    EXPECT_FALSE(playback.faded());
    node.setVisible(false);
    playback.step(&node, 0.6f);
    EXPECT_FALSE(playback.faded()) << "hidden at the moment: no fade";
    EXPECT_EQ(a.numberOfRunningActions(), 0u);
    node.setVisible(true);
    playback.step(&node, 0.1f);
    EXPECT_TRUE(playback.faded());
    EXPECT_EQ(a.numberOfRunningActions(), 1u);
    EXPECT_EQ(b.numberOfRunningActions(), 1u);

    a.setOpacity(200);
    playback.step(&node, 0.1f);
    EXPECT_EQ(a.getOpacity(), 200) << "the opacity track no longer applies";
    EXPECT_EQ(a.numberOfRunningActions(), 1u) << "the fade starts once";
    a.stopAllActions();
    b.stopAllActions();

    QNWidgetPlayback never;
    never.setModel(model);
    never.step(&node, 100);
    EXPECT_FALSE(never.faded()) << "autohide 0 never fades";
}
