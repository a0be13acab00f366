// The game field camera on its own: forced movement by the game speed along the direction, the
// frame rule per edge (follow with the follow factor, block, kill) and the movement it reports.

#include "WorldTestSupport.h"

#include "framework/CCEGLView.h"

using namespace cocos2d;
using namespace worldtest;

namespace {

class Camera : public ::testing::Test {
protected:
    void SetUp() override {
        navtest::controller()->clean();
        CCEGLView* view = CCEGLView::sharedOpenGLView();
        view->setFrameSize(1136, 640);
        view->setDesignResolutionSize(1136, 640, kResolutionShowAll);
        director()->setOpenGLView(view);
        saved = *parameters();
        parameters()->currentGameSpeed = 0;
        parameters()->gameAngleDirection = 0;
        model = new QNModelScreenScene();
        navtest::controller()->addModel(model);
        input = QNPInputController::createForWorld();
        camera = QNPGameFieldCamera::create();
        camera->retain();
        camera->setInputController(input);
    }
    void TearDown() override {
        camera->release();
        QNPInputController::releaseWorldController(input);
        static_cast<QNGameplayValues&>(*parameters()) = saved;
        CCPoolManager::sharedPoolManager()->pop();
        navtest::controller()->clean();
    }
    static QNPGameplayParameters* parameters() { return QNPGameplayParameters::shared(); }
    /// A frame of the middle half of the window, with the given edge states (top, right, bottom,
    /// left).
    void frame(int top, int right, int bottom, int left) {
        model->setObjectFrameRect(CCRect(0.25f, 0.25f, 0.5f, 0.5f));
        int states[4] = {top, right, bottom, left};
        for (int i = 0; i < 4; ++i) model->setEdgeState(i, states[i]);
        camera->setWorldModel(model);
    }
    TestObject* hero(const CCPoint& at) {
        TestObject* object = TestObject::create(QNPObject::kKindCharacter, at);
        input->addCharacter(object);
        return object;
    }

    QNGameplayValues saved;
    QNModelScreenScene* model = nullptr;
    QNPInputController* input = nullptr;
    QNPGameFieldCamera* camera = nullptr;
};

TEST_F(Camera, TheDefaultFrameCoversTheWindowExtendedBelow) {
    camera->setWorldModel(model);
    EXPECT_FLOAT_EQ(camera->frame().size.width, 1136);
    EXPECT_FLOAT_EQ(camera->frame().size.height, 640);
    // 30 points below the window is inside (the 40-point extension); 50 is not.
    camera->setTarget(CCPoint(500, -30));
    camera->update(kFrame);
    EXPECT_FLOAT_EQ(camera->movement().y, 0.0f);
    camera->setTarget(CCPoint(500, -50));
    camera->update(kFrame);
    EXPECT_FLOAT_EQ(camera->movement().y, -10.0f); // follow factor 1: the layer moves up by 10
}

TEST_F(Camera, ForcedMovementFollowsSpeedAndDirection) {
    frame(0, 0, 0, 0);
    camera->setTarget(CCPoint(568, 320));
    camera->update(kFrame);
    EXPECT_EQ(camera->movement().x, 0.0f);
    EXPECT_EQ(camera->movement().y, 0.0f);
    EXPECT_EQ(camera->getPositionX(), 0.0f);

    struct Case {
        float degrees, dx, dy;
    } cases[] = {{0, 10, 0}, {90, 0, -10}, {180, -10, 0}};
    for (const Case& c : cases) {
        camera->setPosition(CCPointZero);
        parameters()->currentGameSpeed = 10;
        parameters()->gameAngleDirection = c.degrees;
        // The target rides along inside the frame.
        camera->setFollowFactor(0);
        camera->update(kFrame);
        EXPECT_NEAR(camera->movement().x, c.dx, 1e-4) << c.degrees;
        EXPECT_NEAR(camera->movement().y, c.dy, 1e-4) << c.degrees;
        const CCPoint d = parameters()->directionVector();
        EXPECT_NEAR(d.x * camera->movement().x + d.y * camera->movement().y, 10.0f, 1e-4) << c.degrees;
    }
}

TEST_F(Camera, AFollowingEdgeCorrectsTheFollowFactorOfTheOvershoot) {
    frame(0, 0, 0, 0);
    // The frame spans x 284..852 in layer coordinates at position 0.
    camera->setTarget(CCPoint(952, 320));
    camera->update(kFrame);
    EXPECT_FLOAT_EQ(camera->getPositionX(), -100.0f); // factor 1: onto the edge at once
    camera->setPosition(CCPointZero);
    camera->setFollowFactor(0.2f);
    camera->update(kFrame);
    EXPECT_FLOAT_EQ(camera->getPositionX(), -20.0f);
    camera->update(kFrame);
    EXPECT_FLOAT_EQ(camera->getPositionX(), -36.0f); // 20 % of the remaining 80
}

TEST_F(Camera, ABlockingBottomPushesTheCharacterBackAndTheCameraStays) {
    frame(0, 0, 1, 0);
    // The frame's bottom is at 160 - 40 = 120.
    TestObject* falling = hero(CCPoint(568, 100));
    camera->setTarget(CCPoint(568, 100));
    camera->update(kFrame);
    EXPECT_FLOAT_EQ(camera->getPositionY(), 0.0f);
    EXPECT_FLOAT_EQ(falling->getPositionY(), 120.0f);
    EXPECT_FLOAT_EQ(falling->getPositionX(), 568.0f);
}

TEST_F(Camera, AKillingRightEdgeKillsTheCharactersAndTheCameraDoesNotFollow) {
    frame(0, 2, 0, 0);
    TestObject* runner = hero(CCPoint(900, 320));
    camera->setTarget(CCPoint(900, 320));
    camera->update(kFrame);
    EXPECT_EQ(runner->state(), QNPObject::kStateDying);
    EXPECT_FLOAT_EQ(camera->getPositionX(), 0.0f);
    EXPECT_FALSE(input->hasPlayingCharacter());
}

TEST_F(Camera, AZeroTargetIsIgnoredAndResetClearsTargetAndMovement) {
    frame(0, 0, 0, 0);
    camera->setTarget(CCPoint(400, 300));
    camera->setTarget(CCPointZero);
    EXPECT_EQ(camera->target().x, 400.0f);
    parameters()->currentGameSpeed = 3;
    camera->update(kFrame);
    camera->reset();
    EXPECT_EQ(camera->target().x, 0.0f);
    EXPECT_EQ(camera->movement().x, 0.0f);
}

} // namespace
