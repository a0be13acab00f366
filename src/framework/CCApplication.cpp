#include "framework/CCApplication.h"

#include <chrono>
#include <thread>
#include <utility>

#include "framework/CCDirector.h"
#include "platform/Clock.h"
#include "platform/DebugLog.h"
#include "platform/Window.h"

namespace cocos2d {
namespace {

CCApplication* g_sharedApplication = nullptr;
qn::RunOptions g_runOptions;
CCApplication::FrameHook g_beforeFrame;
CCApplication::FrameHook g_afterFrame;
std::int64_t g_currentFrame = 0;

} // namespace

CCApplication::CCApplication() {
    g_sharedApplication = this;
}

CCApplication::~CCApplication() {
    if (g_sharedApplication == this) g_sharedApplication = nullptr;
}

CCApplication* CCApplication::sharedApplication() {
    return g_sharedApplication;
}

void CCApplication::setAnimationInterval(double interval) {
    if (interval > 0.0 && interval < 1.0) CCDirector::sharedDirector()->setAnimationInterval(interval);
}

double CCApplication::getAnimationInterval() const {
    return CCDirector::sharedDirector()->getAnimationInterval();
}

void CCApplication::setRunOptions(const qn::RunOptions& options) {
    g_runOptions = options;
}
const qn::RunOptions& CCApplication::runOptions() {
    return g_runOptions;
}
void CCApplication::setBeforeFrameHook(FrameHook hook) {
    g_beforeFrame = std::move(hook);
}
void CCApplication::setAfterFrameHook(FrameHook hook) {
    g_afterFrame = std::move(hook);
}
std::int64_t CCApplication::currentFrame() {
    return g_currentFrame;
}

void CCApplication::followWindowShowState() {
    qn::Window* window = qn::platformWindow();
    if (!window) return;
    bool minimized = window->showState() == qn::SW_SHOWMINIMIZED;
    if (minimized && !m_inBackground) {
        m_inBackground = true;
        applicationDidEnterBackground();
    } else if (!minimized && m_inBackground) {
        m_inBackground = false;
        applicationWillEnterForeground();
    }
}

int CCApplication::run() {
    g_currentFrame = 0;
    if (!applicationDidFinishLaunching()) {
        qn::logLine("[CCApplication] launch failed");
        return 1;
    }
    const qn::RunOptions& options = g_runOptions;
    const bool fixedStep = options.usesFixedStep();
    const bool paced = !fixedStep && !options.headless;
    CCDirector* director = CCDirector::sharedDirector();
    double lastTime = qn::nowSeconds();
    double nextFrameDue = lastTime;

    for (std::int64_t frame = 1;; ++frame) {
        g_currentFrame = frame;
        qn::Window* window = qn::platformWindow();
        if (g_beforeFrame) g_beforeFrame(frame);
        if (window) window->pumpMessages();
        followWindowShowState();
        if (window && window->quitRequested()) break;

        double dt = kFixedFrameTime;
        if (!fixedStep) {
            double now = qn::nowSeconds();
            dt = now - lastTime;
            lastTime = now;
            if (dt < 0.0) dt = 0.0;
            if (dt > kMaxFrameTime) dt = kMaxFrameTime;
        }
        if (qn::isClockSimulated()) qn::advanceSimulatedClock(kFixedFrameTime);

        director->mainLoop(static_cast<float>(dt));
        // Dumps and screenshots see the frame just drawn, still in the back buffer.
        if (g_afterFrame) g_afterFrame(frame);
        window = qn::platformWindow();
        if (window && window->hasGLContext()) window->swapBuffers();

        if (director->shouldEnd()) break;
        if (window && window->quitRequested()) break;
        if (options.frameLimit > 0 && frame >= options.frameLimit) break;

        if (paced) {
            // Frames are due at a steady rhythm; sleep until the next one is due. After a stall
            // longer than a frame, the rhythm restarts from now instead of rushing to catch up.
            double interval = director->getAnimationInterval();
            nextFrameDue += interval;
            double now = qn::nowSeconds();
            if (nextFrameDue < now - interval) nextFrameDue = now;
            if (nextFrameDue > now)
                std::this_thread::sleep_for(std::chrono::duration<double>(nextFrameDue - now));
        }
    }
    return 0;
}

} // namespace cocos2d
