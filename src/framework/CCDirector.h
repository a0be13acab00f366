#pragma once
// The director: owns the running scene, the scheduler, the action manager and the input
// dispatchers, and runs one frame at a time for the run loop (mainLoop).
//
// Scene changes (runWithScene, replaceScene, pushScene, popScene) take effect at the start of the
// next frame: the old scene gets onExitTransitionDidStart and onExit (and, unless it was pushed
// under the new one, cleanup) and is released; the new one gets onEnter and
// onEnterTransitionDidFinish.

#include <functional>
#include <vector>

#include "framework/CCGeometry.h"
#include "framework/CCObject.h"

namespace cocos2d {

class CCAccelerometer;
class CCActionManager;
class CCEGLView;
class CCKeypadDispatcher;
class CCNode;
class CCScene;
class CCScheduler;
class CCTouchDispatcher;

class CCDirector {
public:
    /// The one director, created on first use.
    static CCDirector* sharedDirector();
    /// The director when it has been created, else nullptr (for destructors).
    static CCDirector* sharedDirectorIfExists();

    // ----- Scenes -------------------------------------------------------------------------------
    /// Runs the first scene (retained); with a scene already running it acts as replaceScene.
    void runWithScene(CCScene* scene);
    /// Replaces the running scene at the start of the next frame (nullptr is ignored).
    void replaceScene(CCScene* scene);
    /// Puts `scene` over the running one, which is kept (exited, not cleaned up).
    void pushScene(CCScene* scene);
    /// Returns to the scene under the running one; with none, ends the run loop.
    void popScene();
    /// The scene being shown, or nullptr before the first frame.
    CCScene* getRunningScene() const { return m_pRunningScene; }
    /// True while a scene change waits for the next frame.
    bool hasPendingScene() const { return m_pNextScene != nullptr; }

    // ----- Sizes --------------------------------------------------------------------------------
    void setOpenGLView(CCEGLView* view);
    CCEGLView* getOpenGLView() const;
    /// The design resolution size, or the frame size when no design size is set.
    CCSize getWinSize() const;
    CCSize getWinSizeInPixels() const;
    CCSize getVisibleSize() const;
    CCPoint getVisibleOrigin() const;
    float getContentScaleFactor() const { return 1.0f; }

    // ----- Services -----------------------------------------------------------------------------
    CCScheduler* getScheduler() const { return m_pScheduler; }
    CCActionManager* getActionManager() const { return m_pActionManager; }
    CCTouchDispatcher* getTouchDispatcher() const { return m_pTouchDispatcher; }
    CCKeypadDispatcher* getKeypadDispatcher() const { return m_pKeypadDispatcher; }
    CCAccelerometer* getAccelerometer() const { return m_pAccelerometer; }

    // ----- Running ------------------------------------------------------------------------------
    /// One pass of the run loop: switch to a pending scene; unless stopped, update the scheduler
    /// (unless paused) and draw; then drain the autorelease pool. Frames are counted either way.
    void mainLoop(float dt);
    /// Visits the running scene between the draw hooks and counts the drawn frame.
    void drawScene();
    /// Functions run just before and just after the running scene is visited (either may be
    /// empty). The renderer uses them to begin and end its frame.
    void setDrawHooks(std::function<void()> beforeVisit, std::function<void()> afterVisit);

    /// Stopped: no updates and no drawing, but mainLoop still counts frames and drains the pool.
    void stopAnimation() { m_bAnimationStopped = true; }
    void startAnimation() { m_bAnimationStopped = false; }
    bool isAnimationStopped() const { return m_bAnimationStopped; }
    /// Paused: the scheduler gets no time (no updates, no actions), drawing goes on.
    void pause() { m_bPaused = true; }
    void resume() { m_bPaused = false; }
    bool isPaused() const { return m_bPaused; }
    /// The intended seconds between frames (the run loop reads it).
    void setAnimationInterval(double interval) {
        m_dAnimationInterval = interval > 0.0 ? interval : 1.0 / 60.0;
    }
    double getAnimationInterval() const { return m_dAnimationInterval; }
    /// The dt of the last mainLoop.
    float getDeltaTime() const { return m_fDeltaTime; }
    /// mainLoop passes so far, drawn or not.
    unsigned int getTotalFrames() const { return m_uTotalFrames; }
    /// Frames actually drawn so far.
    unsigned int getDrawnFrames() const { return m_uDrawnFrames; }
    /// Draw calls of the last drawn frame, as the renderer reports them.
    void setLastFrameDrawCalls(unsigned int calls) { m_uLastFrameDrawCalls = calls; }
    unsigned int getLastFrameDrawCalls() const { return m_uLastFrameDrawCalls; }
    void setDisplayStats(bool display) { m_bDisplayStats = display; }
    bool isDisplayStats() const { return m_bDisplayStats; }

    /// Asks the run loop to stop after this frame.
    void end() { m_bEndRequested = true; }
    bool shouldEnd() const { return m_bEndRequested; }

    /// Ends the scenes (exit and cleanup), drops every callback, action and input delegate and
    /// resets the counters and flags, leaving a fresh director (tests use it between cases).
    void purgeDirector();

private:
    CCDirector();
    ~CCDirector() = delete;
    void setNextScene();
    void releaseScenes();

    CCScene* m_pRunningScene = nullptr;
    CCScene* m_pNextScene = nullptr;
    bool m_bSendCleanupToScene = false;
    std::vector<CCScene*> m_scenesStack;

    CCEGLView* m_pView = nullptr;
    CCScheduler* m_pScheduler;
    CCActionManager* m_pActionManager;
    CCTouchDispatcher* m_pTouchDispatcher;
    CCKeypadDispatcher* m_pKeypadDispatcher;
    CCAccelerometer* m_pAccelerometer;

    std::function<void()> m_beforeVisit;
    std::function<void()> m_afterVisit;
    bool m_bAnimationStopped = false;
    bool m_bPaused = false;
    bool m_bEndRequested = false;
    bool m_bDisplayStats = false;
    double m_dAnimationInterval = 1.0 / 60.0;
    float m_fDeltaTime = 0.0f;
    unsigned int m_uTotalFrames = 0;
    unsigned int m_uDrawnFrames = 0;
    unsigned int m_uLastFrameDrawCalls = 0;
};

} // namespace cocos2d
