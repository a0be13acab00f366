#pragma once
// The application object and its run loop. The program's delegate derives from CCApplication and
// exists as one static object before main runs; its constructor registers it as the shared
// application. run() calls the delegate's launch once, then drives frames until quit.

#include <cstdint>
#include <functional>

#include "framework/RunOptions.h"

namespace cocos2d {

class CCApplication {
public:
    CCApplication();
    virtual ~CCApplication();

    /// Called once by run() before the first frame; false ends the run at once (exit status 1).
    virtual bool applicationDidFinishLaunching() = 0;
    /// Called when the window is minimised (the game goes to the background).
    virtual void applicationDidEnterBackground() = 0;
    /// Called when the window comes back from minimised.
    virtual void applicationWillEnterForeground() = 0;

    /// Frame time to pace windowed runs to (the director's animation interval, 1/60 s by default).
    virtual void setAnimationInterval(double interval);
    double getAnimationInterval() const;

    /// The one application (the most recently constructed one still alive; null when none).
    static CCApplication* sharedApplication();

    /// Calls the launch, then loops frames until the window's quit flag, the director's end or
    /// the frame limit. Returns the process exit status.
    int run();

    /// The options of this run (set by the entry point before run()).
    static void setRunOptions(const qn::RunOptions& options);
    static const qn::RunOptions& runOptions();

    /// Called at the start of each frame F (before messages are pumped and the director runs);
    /// the shell delivers scripted input here.
    using FrameHook = std::function<void(std::int64_t frame)>;
    static void setBeforeFrameHook(FrameHook hook);
    /// Called after frame F's update and drawing, before the buffer swap; the shell writes dumps here.
    static void setAfterFrameHook(FrameHook hook);

    /// The frame being run (1 for the first; 0 before run() starts frames).
    static std::int64_t currentFrame();

    /// The fixed frame time of headless and --fixed-step runs.
    static constexpr double kFixedFrameTime = 1.0 / 60.0;
    /// The longest real frame time handed to the director (a stall does not become a leap).
    static constexpr double kMaxFrameTime = 0.25;

private:
    void followWindowShowState();
    bool m_inBackground = false;
};

} // namespace cocos2d
