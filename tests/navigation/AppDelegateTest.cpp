// The application delegate in process: launch (first scene, slow-device flag) and the loading
// sequence stepped frame by frame on a project folder, up to the start content it shows.

#include <gtest/gtest.h>

#include <unistd.h>

#include "NavProject.h"
#include "framework/CCAutoreleasePool.h"
#include "framework/CCDirector.h"
#include "framework/CCScene.h"
#include "model/QNModel.h"
#include "model/QNModelController.h"
#include "navigation/QNPNavigationController.h"
#include "navigation/QNPScreenUi.h"
#include "navigation/QNSceneBuildHooks.h"
#include "platform/Clock.h"
#include "platform/DebugLog.h"
#include "services/QNPSettingsController.h"
#include "shell/NavigationSnapshotFields.h"
#include "shell/QNPAppDelegate.h"
#include "shell/QNPInputController.h"
#include "world/QNPScreenScene.h"

using namespace cocos2d;

namespace {

double g_sceneBuildSeconds = 0.0;

class AppDelegate : public ::testing::Test {
protected:
    void SetUp() override {
        QNModelController::sharedModelController()->clean();
        QNPNavigationController::sharedController()->reset();
        qn::setLoadingDone(false);
        qn::setLogCapture(&log);
        qn::useSimulatedClock(1000.0);
        static bool hooked = false;
        if (!hooked) {
            // Building a scene "takes" the time the test chooses.
            qn::addSceneBuildHook([] { qn::advanceSimulatedClock(g_sceneBuildSeconds); });
            hooked = true;
        }
        getcwd(m_oldDir, sizeof m_oldDir);
        ASSERT_EQ(chdir(m_project.path().c_str()), 0);
    }
    void TearDown() override {
        g_sceneBuildSeconds = 0.0;
        qn::setSectionParentLookup(nullptr);
        QNPScreenUi::setLoadingStep(nullptr);
        QNPInputController::destroySharedInputController();
        QNPNavigationController::sharedController()->reset();
        CCDirector::sharedDirector()->purgeDirector();
        CCPoolManager::sharedPoolManager()->pop();
        QNModelController::sharedModelController()->clean();
        qn::setLogCapture(nullptr);
        chdir(m_oldDir);
    }
    /// Runs frames until loading is done (at most `limit`); returns the frames run.
    int runUntilLoaded(int limit = 2000) {
        int frames = 0;
        while (!qn::isLoadingDone() && frames < limit) {
            CCDirector::sharedDirector()->mainLoop(1.0f / 60.0f);
            ++frames;
        }
        CCDirector::sharedDirector()->mainLoop(1.0f / 60.0f); // the scene switch
        return frames;
    }
    int count(const std::string& text) const {
        int n = 0;
        for (std::size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++n;
        return n;
    }
    static std::string runningKey() {
        QNPScreen* screen = QNPScreen::runningScreen();
        return screen ? screen->key() : "";
    }

    qntest::TempDir m_project;
    char m_oldDir[4096] = {};
    std::string log;
};

TEST_F(AppDelegate, BuildingTheFirstSceneInMoreThan0_4SecondsMarksTheDeviceSlow) {
    struct Case {
        double seconds;
        bool slow;
    };
    for (const Case& c : {Case{0.5, true}, Case{0.3, false}}) {
        SCOPED_TRACE(c.seconds);
        QNPNavigationController::sharedController()->reset();
        g_sceneBuildSeconds = c.seconds;
        QNPAppDelegate delegate;
        ASSERT_TRUE(delegate.applicationDidFinishLaunching());
        EXPECT_EQ(QNPSettingsController::sharedSettings()->slowDevice(), c.slow);
        CCDirector::sharedDirector()->purgeDirector();
    }
}

TEST_F(AppDelegate, LoadingEndsOnceAndShowsTheStartNodesScreen) {
    navtest::NavProject project;
    const unsigned start = project.node("QNNodeUIStart", project.screen("QNPScreenLoading"));
    project.link(start, "Load", project.node("QNNodeUI", project.screen("QNPScreenMainMenu")));
    project.write(m_project);
    QNPAppDelegate delegate;
    ASSERT_TRUE(delegate.applicationDidFinishLaunching());
    CCDirector::sharedDirector()->mainLoop(1.0f / 60.0f);
    EXPECT_EQ(runningKey(), "QNPScreenStart");
    runUntilLoaded();
    EXPECT_EQ(runningKey(), "QNPScreenMainMenu");
    const std::size_t models = QNModelController::sharedModelController()->modelCount();
    for (int i = 0; i < 30; ++i) CCDirector::sharedDirector()->mainLoop(1.0f / 60.0f);
    // Nothing reloads: the models stay and loading ended once.
    EXPECT_EQ(QNModelController::sharedModelController()->modelCount(), models);
    EXPECT_EQ(count("End loading XML"), 1);
    EXPECT_EQ(count("[QNModelController] -- Cleaning"), 0);
}

TEST_F(AppDelegate, AStoredStartSectionStartsInItsWorld) {
    navtest::NavProject project;
    const unsigned start = project.node("QNNodeUIStart", project.screen("QNPScreenLoading"));
    project.link(start, "Load", project.node("QNNodeUI", project.screen("QNPScreenMainMenu")));
    const unsigned worldId = project.world("QNPWorldTwo");
    const unsigned world = project.node("QNNodeScene", worldId);
    project.link(world, "UI", project.node("QNNodeUI", project.screen("QNPScreenHud")));
    project.write(m_project);
    const unsigned sectionId = 77;
    qn::setSectionParentLookup([=](QNModel* model) { return model->id() == sectionId ? (int)worldId : -1; });
    m_project.write("data/QNModelLevelSection.0.attributes.xml",
                    navtest::dataFile("<dict>" + navtest::kv("className", "QNModelLevelSection") +
                                      navtest::kv("id", std::to_string(sectionId)) + "</dict>"));
    QNPNavigationController::sharedController()->setStartSection((int)sectionId);
    QNPAppDelegate delegate;
    ASSERT_TRUE(delegate.applicationDidFinishLaunching());
    runUntilLoaded();
    QNPNavigationController* nav = QNPNavigationController::sharedController();
    EXPECT_EQ(nav->worldKey(), "QNPWorldTwo");
    EXPECT_EQ(nav->currentScreenKey(), "QNPScreenHud");
    EXPECT_EQ(QNPScreen::runningScreen(), static_cast<QNPScreen*>(nav->worldLayer()));
}

} // namespace
