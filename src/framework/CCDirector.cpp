#include "framework/CCDirector.h"

#include "framework/CCAccelerometer.h"
#include "framework/CCActionManager.h"
#include "framework/CCAutoreleasePool.h"
#include "framework/CCEGLView.h"
#include "framework/CCKeypadDispatcher.h"
#include "framework/CCScene.h"
#include "framework/CCScheduler.h"
#include "framework/CCTouchDispatcher.h"
#include "framework/CCTransformStack.h"

namespace cocos2d {
namespace {
CCDirector* g_director = nullptr;
} // namespace

CCDirector* CCDirector::sharedDirector() {
    if (!g_director) g_director = new CCDirector();
    return g_director;
}

CCDirector* CCDirector::sharedDirectorIfExists() {
    return g_director;
}

CCDirector::CCDirector()
    : m_pScheduler(new CCScheduler()), m_pActionManager(new CCActionManager()),
      m_pTouchDispatcher(new CCTouchDispatcher()), m_pKeypadDispatcher(new CCKeypadDispatcher()),
      m_pAccelerometer(new CCAccelerometer()) {
    m_pScheduler->scheduleUpdateForTarget(m_pActionManager, kCCPrioritySystem, false);
}

// ----- Scenes -----------------------------------------------------------------------------------

void CCDirector::runWithScene(CCScene* scene) {
    if (!scene) {
        CCLog("[CCDirector] runWithScene: no scene given");
        return;
    }
    if (m_pRunningScene || m_pNextScene || !m_scenesStack.empty()) {
        replaceScene(scene);
        return;
    }
    pushScene(scene);
}

void CCDirector::replaceScene(CCScene* scene) {
    if (!scene) {
        CCLog("[CCDirector] replaceScene: no scene given");
        return;
    }
    if (m_scenesStack.empty()) {
        pushScene(scene);
        return;
    }
    scene->retain();
    m_scenesStack.back()->release();
    m_scenesStack.back() = scene;
    scene->retain();
    CC_SAFE_RELEASE(m_pNextScene);
    m_pNextScene = scene;
    m_bSendCleanupToScene = true;
}

void CCDirector::pushScene(CCScene* scene) {
    if (!scene) return;
    scene->retain();
    m_scenesStack.push_back(scene);
    scene->retain();
    CC_SAFE_RELEASE(m_pNextScene);
    m_pNextScene = scene;
    m_bSendCleanupToScene = false;
}

void CCDirector::popScene() {
    if (m_scenesStack.size() <= 1) {
        end();
        return;
    }
    m_scenesStack.back()->release();
    m_scenesStack.pop_back();
    CCScene* below = m_scenesStack.back();
    below->retain();
    CC_SAFE_RELEASE(m_pNextScene);
    m_pNextScene = below;
    m_bSendCleanupToScene = true;
}

void CCDirector::setNextScene() {
    CCScene* next = m_pNextScene;
    m_pNextScene = nullptr;
    CCScene* old = m_pRunningScene;
    m_pRunningScene = nullptr;
    if (old) {
        old->onExitTransitionDidStart();
        old->onExit();
        if (m_bSendCleanupToScene) old->cleanup();
        old->release();
    }
    // The reference taken for the pending scene now belongs to the running one.
    m_pRunningScene = next;
    if (next) {
        next->onEnter();
        next->onEnterTransitionDidFinish();
    }
}

// ----- Sizes ------------------------------------------------------------------------------------

void CCDirector::setOpenGLView(CCEGLView* view) {
    m_pView = view;
}

CCEGLView* CCDirector::getOpenGLView() const {
    return m_pView ? m_pView : CCEGLView::sharedOpenGLView();
}

CCSize CCDirector::getWinSize() const {
    const CCEGLView* view = getOpenGLView();
    const CCSize& design = view->getDesignResolutionSize();
    if (design.width > 0.0f && design.height > 0.0f) return design;
    return view->getFrameSize();
}

CCSize CCDirector::getWinSizeInPixels() const {
    return getWinSize() * getContentScaleFactor();
}

CCSize CCDirector::getVisibleSize() const {
    const CCEGLView* view = getOpenGLView();
    CCSize visible = view->getVisibleSize();
    return visible.width > 0.0f && visible.height > 0.0f ? visible : getWinSize();
}

CCPoint CCDirector::getVisibleOrigin() const {
    return getOpenGLView()->getVisibleOrigin();
}

// ----- Running ----------------------------------------------------------------------------------

void CCDirector::mainLoop(float dt) {
    if (m_pNextScene) setNextScene();
    ++m_uTotalFrames;
    if (!m_bAnimationStopped) {
        m_fDeltaTime = dt;
        if (!m_bPaused) m_pScheduler->update(dt);
        // An update may have asked for another scene; it is shown from the next frame.
        drawScene();
    }
    CCPoolManager::sharedPoolManager()->pop();
}

void CCDirector::drawScene() {
    if (m_beforeVisit) m_beforeVisit();
    if (m_pRunningScene) {
        CCTransformStack::loadIdentity();
        m_pRunningScene->visit();
    }
    if (m_afterVisit) m_afterVisit();
    ++m_uDrawnFrames;
}

void CCDirector::setDrawHooks(std::function<void()> beforeVisit, std::function<void()> afterVisit) {
    m_beforeVisit = std::move(beforeVisit);
    m_afterVisit = std::move(afterVisit);
}

void CCDirector::releaseScenes() {
    CCScene* running = m_pRunningScene;
    m_pRunningScene = nullptr;
    if (running) {
        if (running->isRunning()) {
            running->onExitTransitionDidStart();
            running->onExit();
        }
        running->cleanup();
        running->release();
    }
    CC_SAFE_RELEASE_NULL(m_pNextScene);
    std::vector<CCScene*> stack;
    stack.swap(m_scenesStack);
    for (CCScene* scene : stack) {
        scene->cleanup();
        scene->release();
    }
}

void CCDirector::purgeDirector() {
    releaseScenes();
    m_pTouchDispatcher->cancelAllTouches();
    m_pTouchDispatcher->removeAllDelegates();
    m_pKeypadDispatcher->removeAllDelegates();
    m_pAccelerometer->setDelegate(nullptr);
    m_pActionManager->removeAllActions();
    m_pScheduler->unscheduleAll();
    m_pScheduler->setTimeScale(1.0f);
    // Whatever the scenes left autoreleased goes now, so the next test starts clean.
    CCPoolManager::sharedPoolManager()->finalize();
    m_beforeVisit = nullptr;
    m_afterVisit = nullptr;
    m_bAnimationStopped = m_bPaused = m_bEndRequested = m_bDisplayStats = false;
    m_dAnimationInterval = 1.0 / 60.0;
    m_fDeltaTime = 0.0f;
    m_uTotalFrames = m_uDrawnFrames = m_uLastFrameDrawCalls = 0;
    m_pView = nullptr;
}

} // namespace cocos2d
