// The OpenGL view: the five resolution policies of a 1136 x 640 design on square and wide frames,
// frame <-> design conversion, and the view driving the platform window.

#include <gtest/gtest.h>

#include <limits>

#include "framework/CCEGLView.h"
#include "platform/HeadlessWindow.h"

using namespace cocos2d;

namespace {

/// A view of its own per test (the shared one keeps state between tests).
class TestView : public CCEGLView {
public:
    TestView() = default;
    ~TestView() override = default;
};

struct PolicyCase {
    const char* name;
    ResolutionPolicy policy;
    float frameW, frameH;
    float scaleX, scaleY;
    float designW, designH;   // after the policy
    float visibleW, visibleH; // visible size
    float originX, originY;   // visible origin
    CCRect viewPort;          // letterboxed frame rectangle, pixels, origin bottom-left
};

constexpr float kSquareSX = 1000.0f / 1136.0f;
constexpr float kSquareSY = 1000.0f / 640.0f;
constexpr float kWideSX = 1920.0f / 1136.0f;
constexpr float kWideSY = 1080.0f / 640.0f;

const PolicyCase kCases[] = {
    {"exact fit square", kResolutionExactFit, 1000, 1000, kSquareSX, kSquareSY, 1136, 640, 1136, 640, 0, 0,
     CCRect(0, 0, 1000, 1000)},
    {"no border square", kResolutionNoBorder, 1000, 1000, kSquareSY, kSquareSY, 1136, 640, 640, 640, 248, 0,
     CCRect(-387.5f, 0, 1775, 1000)},
    {"show all square", kResolutionShowAll, 1000, 1000, kSquareSX, kSquareSX, 1136, 640, 1136, 640, 0, 0,
     CCRect(0, (1000 - 640 * kSquareSX) / 2, 1000, 640 * kSquareSX)},
    {"fixed height square", kResolutionFixedHeight, 1000, 1000, kSquareSY, kSquareSY, 640, 640, 640, 640, 0,
     0, CCRect(0, 0, 1000, 1000)},
    {"fixed width square", kResolutionFixedWidth, 1000, 1000, kSquareSX, kSquareSX, 1136, 1136, 1136, 1136, 0,
     0, CCRect(0, 0, 1000, 1000)},
    {"exact fit wide", kResolutionExactFit, 1920, 1080, kWideSX, kWideSY, 1136, 640, 1136, 640, 0, 0,
     CCRect(0, 0, 1920, 1080)},
    {"no border wide", kResolutionNoBorder, 1920, 1080, kWideSX, kWideSX, 1136, 640, 1136, 639, 0, 0.5f,
     CCRect(0, (1080 - 640 * kWideSX) / 2, 1920, 640 * kWideSX)},
    {"show all wide", kResolutionShowAll, 1920, 1080, kWideSY, kWideSY, 1136, 640, 1136, 640, 0, 0,
     CCRect(1.5f, 0, 1917, 1080)},
    {"fixed height wide", kResolutionFixedHeight, 1920, 1080, kWideSY, kWideSY, 1138, 640, 1138, 640, 0, 0,
     CCRect((1920 - 1138 * kWideSY) / 2, 0, 1138 * kWideSY, 1080)},
    {"fixed width wide", kResolutionFixedWidth, 1920, 1080, kWideSX, kWideSX, 1136, 639, 1136, 639, 0, 0,
     CCRect(0, (1080 - 639 * kWideSX) / 2, 1920, 639 * kWideSX)},
};

void expectRect(const CCRect& actual, const CCRect& expected, const char* name) {
    EXPECT_NEAR(actual.origin.x, expected.origin.x, 0.01f) << name;
    EXPECT_NEAR(actual.origin.y, expected.origin.y, 0.01f) << name;
    EXPECT_NEAR(actual.size.width, expected.size.width, 0.01f) << name;
    EXPECT_NEAR(actual.size.height, expected.size.height, 0.01f) << name;
}

} // namespace

TEST(EGLView, PoliciesOnSquareAndWideFrames) {
    for (const PolicyCase& c : kCases) {
        TestView view;
        view.setFrameSize(c.frameW, c.frameH);
        view.setDesignResolutionSize(1136, 640, c.policy);
        EXPECT_NEAR(view.getScaleX(), c.scaleX, 1e-4f) << c.name;
        EXPECT_NEAR(view.getScaleY(), c.scaleY, 1e-4f) << c.name;
        EXPECT_FLOAT_EQ(view.getDesignResolutionSize().width, c.designW) << c.name;
        EXPECT_FLOAT_EQ(view.getDesignResolutionSize().height, c.designH) << c.name;
        EXPECT_NEAR(view.getVisibleSize().width, c.visibleW, 0.01f) << c.name;
        EXPECT_NEAR(view.getVisibleSize().height, c.visibleH, 0.01f) << c.name;
        EXPECT_NEAR(view.getVisibleOrigin().x, c.originX, 0.01f) << c.name;
        EXPECT_NEAR(view.getVisibleOrigin().y, c.originY, 0.01f) << c.name;
        expectRect(view.getViewPortRect(), c.viewPort, c.name);

        // Frame -> design -> frame is the identity; the frame centre is the design centre.
        CCPoint centre = view.frameToDesign(CCPoint(c.frameW / 2, c.frameH / 2));
        EXPECT_NEAR(centre.x, c.designW / 2, 0.01f) << c.name;
        EXPECT_NEAR(centre.y, c.designH / 2, 0.01f) << c.name;
        CCPoint back = view.designToFrame(view.frameToDesign(CCPoint(123, 456)));
        EXPECT_NEAR(back.x, 123, 0.01f) << c.name;
        EXPECT_NEAR(back.y, 456, 0.01f) << c.name;
    }
}

TEST(EGLView, FramePointsAreTopLeftDesignPointsBottomLeft) {
    TestView view;
    view.setFrameSize(1000, 1000);
    view.setDesignResolutionSize(1136, 640, kResolutionShowAll);
    const float bar = (1000 - 640 * kSquareSX) / 2; // letterbox bar height
    CCPoint topLeft = view.designToFrame(CCPoint(0, 640));
    EXPECT_NEAR(topLeft.x, 0, 0.01f);
    EXPECT_NEAR(topLeft.y, bar, 0.01f);
    CCPoint bottomRight = view.frameToDesign(CCPoint(1000, 1000 - bar));
    EXPECT_NEAR(bottomRight.x, 1136, 0.01f);
    EXPECT_NEAR(bottomRight.y, 0, 0.01f);
    // A point in the bar lies outside the design area.
    EXPECT_GT(view.frameToDesign(CCPoint(500, 5)).y, 640);

    CCRect pixels = view.pointsToPixels(0, 0, 1136, 640);
    expectRect(pixels, view.getViewPortRect(), "whole design area");
    view.setViewPortInPoints(568, 0, 568, 320); // no GL: recorded only
    expectRect(view.getLastViewPortInPixels(), CCRect(500, bar, 500, 320 * kSquareSX), "quarter");
}

TEST(EGLView, BadSizesLeaveAUsableView) {
    TestView view;
    view.setDesignResolutionSize(1136, 640, kResolutionShowAll);
    view.setFrameSize(-5, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(view.getFrameSize().width, 0);
    EXPECT_EQ(view.getFrameSize().height, 0);
    EXPECT_EQ(view.getScaleX(), 1.0f);
    view.setDesignResolutionSize(0, 640, kResolutionShowAll); // ignored
    view.setFrameSize(1136, 640);
    EXPECT_FLOAT_EQ(view.getScaleX(), 1.0f);
    EXPECT_FLOAT_EQ(view.getDesignResolutionSize().width, 1136);
    EXPECT_FALSE(view.isOpenGLReady());
    view.swapBuffers();
    view.end();
    EXPECT_TRUE(view.ended());
}

namespace {
int g_hookCalls = 0;
long countingHook(unsigned, uintptr_t, intptr_t, bool*) {
    ++g_hookCalls;
    return 0;
}
} // namespace

TEST(EGLView, DrivesTheWindow) {
    qn::HeadlessWindow window(qn::WindowRect::fromSize(0, 0, 1920, 1080));
    TestView view;
    view.setViewName("Runner");
    view.setWndProc(countingHook);
    view.attachWindow(&window);
    EXPECT_EQ(view.getHWnd(), &window);
    EXPECT_EQ(window.title(), "Runner");
    EXPECT_EQ(view.getNativeHandle(), 0u);

    g_hookCalls = 0;
    view.setFrameSize(1152, 648);
    EXPECT_GT(g_hookCalls, 0) << "the resize went through the window's messages";
    EXPECT_EQ(window.windowRect(), qn::WindowRect::fromSize(384, 216, 1152, 648));
    view.setViewName("Renamed");
    EXPECT_EQ(window.title(), "Renamed");
    view.end();
    EXPECT_TRUE(window.quitRequested());
    view.attachWindow(nullptr);
    EXPECT_EQ(view.getHWnd(), nullptr);
}
