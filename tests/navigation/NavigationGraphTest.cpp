// The navigation graph: node models and their outputs, their saved form, and the navigation state's
// moves between screens and worlds.

#include <gtest/gtest.h>

#include "NavModels.h"
#include "NavProject.h"
#include "framework/CCAutoreleasePool.h"
#include "framework/CCDictionary.h"
#include "framework/CCDirector.h"
#include "model/QNDataText.h"
#include "navigation/QNBackToChoices.h"
#include "navigation/QNPNavigationController.h"
#include "navigation/QNSceneBuildHooks.h"
#include "platform/DebugLog.h"
#include "world/QNPScreenScene.h"
#include "world/QNScoreRecords.h"

using namespace navtest;
using Stack = std::vector<std::string>;

namespace {

QNPNavigationController* nav() {
    return QNPNavigationController::sharedController();
}

class NavigationGraph : public ::testing::Test {
protected:
    void SetUp() override {
        controller()->clean();
        nav()->reset();
        qn::setLogCapture(&log);
        // Start -> Menu; Menu: Options, Play (world with HUD), Plain (world without HUD); the HUD's
        // pause button leads to the pause screen.
        QNModel* options = widget("QNModelObjectButton", "Options");
        QNModel* play = widget("QNModelObjectButton", "Play");
        QNModel* plain = widget("QNModelObjectButton", "Plain");
        QNModel* back = widget("QNModelObjectButton", "Back", "kBackButton");
        QNModel* pause = widget("QNModelObjectButton", "Pause", "kPauseButton");
        start = node<QNNodeUIStart>(screen("QNPScreenStart"));
        menu = node<QNNodeUI>(screen("Menu", {options, play, plain}));
        optionsNode = node<QNNodeUI>(screen("Options", {back}));
        hud = node<QNNodeUI>(screen("Hud", {pause}));
        pauseNode = node<QNNodeUI>(screen("PauseMenu"));
        world = node<QNNodeScene>(screen("World", {}, "QNModelScreenScene"));
        plainWorld = node<QNNodeScene>(screen("PlainWorld", {}, "QNModelScreenScene"));
        link(start, "Load", menu);
        link(menu, "Options", optionsNode);
        link(menu, "Play", world);
        link(menu, "Plain", plainWorld);
        link(world, "UI", hud);
        link(hud, "Pause", pauseNode);
    }
    void TearDown() override {
        nav()->reset();
        cocos2d::CCPoolManager::sharedPoolManager()->pop();
        cocos2d::CCDirector::sharedDirector()->purgeDirector();
        controller()->clean();
        qn::setLogCapture(nullptr);
        qn::scoreRecords().clear();
    }

    QNNodeUIStart* start = nullptr;
    QNNodeUI *menu = nullptr, *optionsNode = nullptr, *hud = nullptr, *pauseNode = nullptr;
    QNNodeScene *world = nullptr, *plainWorld = nullptr;
    std::string log;
};

TEST(NodeModels, InputsAreRenamedPerClassAndOnlyTheStartNodeIsClosed) {
    struct Case {
        QNNode* node;
        const char* input;
        bool linkable;
        const char* extraOutput;
    };
    QNNode plainNode;
    QNNodeScene sceneNode;
    QNNodeUI uiNode;
    QNNodeUIStart startNode;
    const Case cases[] = {{&plainNode, "Input", true, nullptr},
                          {&sceneNode, "Load", true, "UI"},
                          {&uiNode, "Load", true, nullptr},
                          {&startNode, "---", false, "Load"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node->className());
        EXPECT_EQ(c.node->attributeAt(0)->name(), "Name");
        EXPECT_EQ(c.node->inputAction()->name(), c.input);
        EXPECT_EQ(c.node->inputAction(), c.node->attributeAt(1));
        EXPECT_EQ(c.node->inputAction()->isLinkable(), c.linkable);
        EXPECT_NE(c.node->attributeNamed("Position"), nullptr);
        if (c.extraOutput) {
            EXPECT_NE(c.node->outputNamed(c.extraOutput), nullptr);
        }
    }
    // Nothing can lead into the start node.
    QNPAttributeAction::connect(sceneNode.hudAction(), startNode.inputAction());
    EXPECT_EQ(sceneNode.hudAction()->target(), nullptr);
}

TEST_F(NavigationGraph, NodesGetOneOutputPerNavigationObjectInLayoutOrder) {
    QNModel* observer = widget("QNModelObjectEventObserver", "Observer");
    QNModel* jump = widget("QNModelObjectAssetScreenJump", "Jump");
    QNModel* lock = widget("QNModelObjectLockButton", "Lock", "kBackButton");
    QNModel* go = widget("QNModelObjectButton", "Go", "kStartButton");
    QNModel* checkpoint = widget("QNModelObjectButton", "Checkpoint", "kStartCheckpointButton");
    QNModel* exit = widget("QNModelObjectButton", "Exit", "kExitButton");
    QNModel* buy = widget("QNModelObjectButtonPurchase", "Buy", "kStartButton");
    QNModel* image = widget("QNModelObjectImage", "Picture");
    QNModelScreen* model = screen("Many", {observer, jump, lock, go, checkpoint, exit, buy, image});
    auto* many = node<QNNodeUI>(model);

    std::vector<std::string> outputs;
    for (QNPAttribute* attribute : many->attributes()) {
        auto* action = dynamic_cast<QNPAttributeAction*>(attribute);
        if (action && action->isOutput()) outputs.push_back(action->name());
    }
    EXPECT_EQ(outputs, (Stack{"Lock", "Go", "Checkpoint", "Jump", "Observer"}));

    // Refreshing again adds only what is new and never drops an output.
    const int count = many->attributeCount();
    model->removeChild(go);
    model->addChild(widget("QNModelObjectButton", "Later", "kPauseButton"));
    many->refreshActionOutputs();
    EXPECT_EQ(many->attributeCount(), count + 1);
    EXPECT_NE(many->outputNamed("Go"), nullptr);
    EXPECT_NE(many->outputNamed("Later"), nullptr);
}

TEST_F(NavigationGraph, SavedFormKeepsTheLinkedModelAndRestoresOutputsOfUnknownObjects) {
    cocos2d::CCDictionary* saved = menu->connectionsDictionary();
    EXPECT_EQ(qn::textFor(saved, "modelId"), std::to_string(menu->linkedModel()->id()));
    EXPECT_EQ(qn::textFor(saved, "attributesCount"), std::to_string(menu->attributeCount()));
    auto* play = dynamic_cast<cocos2d::CCDictionary*>(saved->objectForKey("Play"));
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(qn::textFor(play, "isAction"), "true");
    EXPECT_EQ(qn::textFor(play, "connectedModelId"), std::to_string(world->id()));
    QNNodeUI unlinked;
    EXPECT_EQ(unlinked.connectionsDictionary()->objectForKey("modelId"), nullptr);

    // A node read back links the same screen and gets back an output no object names any more.
    saved->setObject(play, "Removed Button");
    QNNodeUI restored;
    restored.initConnections(saved);
    EXPECT_EQ(restored.linkedModel(), menu->linkedModel());
    ASSERT_NE(restored.outputNamed("Removed Button"), nullptr);
    EXPECT_EQ(QNNode::destinationOf(restored.outputNamed("Removed Button")), world->linkedModel());
    EXPECT_EQ(QNNode::destinationOf(restored.outputNamed("Options")), optionsNode->linkedModel());

    // A "modelId" that names a widget or nothing leaves the node unlinked.
    for (unsigned wrong : {widget("QNModelObjectButton", "W")->id(), 9999u}) {
        qn::setText(saved, "modelId", "%u", wrong);
        QNNodeUI damaged;
        damaged.initConnections(saved);
        EXPECT_EQ(damaged.linkedModel(), nullptr) << wrong;
    }
}

TEST(NodeFiles, AProjectReadFromFilesLinksNodesScreensAndOutputs) {
    controller()->clean();
    NavProject project;
    const unsigned play = project.button("Play", "kNoAction");
    const unsigned menuId = project.screen("QNPScreenMainMenu", {play});
    const unsigned startId = project.screen("QNPScreenLoading");
    const unsigned startNode = project.node("QNNodeUIStart", startId);
    const unsigned menuNode = project.node("QNNodeUI", menuId);
    const unsigned worldNode = project.node("QNNodeScene", project.world("World"));
    project.link(startNode, "Load", menuNode);
    project.link(menuNode, "Play", worldNode);
    qntest::TempDir dir;
    project.write(dir);
    int steps = 0;
    while (!controller()->loadNextFile(dir.file("data")) && ++steps < 10000) {
    }

    // The legacy start key is read as the start marker.
    auto* startScreen = dynamic_cast<QNModelScreen*>(controller()->modelById(startId));
    ASSERT_NE(startScreen, nullptr);
    EXPECT_EQ(startScreen->key(), "QNPScreenStart");
    auto* loadedMenu = dynamic_cast<QNNodeUI*>(controller()->modelById(menuNode));
    ASSERT_NE(loadedMenu, nullptr);
    EXPECT_EQ(loadedMenu->linkedModel(), controller()->modelById(menuId));
    EXPECT_EQ(qn::screenKeyOf(QNNode::destinationOf(loadedMenu->outputNamed("Play"))), "World");
    auto* loadedStart = dynamic_cast<QNNodeUIStart*>(controller()->modelById(startNode));
    ASSERT_NE(loadedStart, nullptr);
    EXPECT_EQ(QNNode::farNodeOf(loadedStart->loadAction()), loadedMenu);
    EXPECT_EQ(QNPNavigationController::sharedController()->destinationOf("Load", false),
              controller()->modelById(menuId));
    controller()->clean();
}

TEST_F(NavigationGraph, OpenScreenFromStartReplacesTheStackAndFromOthersDropsTheForwardHistory) {
    EXPECT_EQ(nav()->screenStack(), (Stack{"QNPScreenStart"}));
    ASSERT_TRUE(nav()->openScreen("Load", false));
    EXPECT_EQ(nav()->screenStack(), (Stack{"Menu"}));
    ASSERT_TRUE(nav()->openScreen("Options", false));
    EXPECT_EQ(nav()->screenStack(), (Stack{"Menu", "Options"}));
    ASSERT_TRUE(nav()->popScreen());
    EXPECT_EQ(nav()->currentScreenKey(), "Menu");
    EXPECT_EQ(nav()->screenStack(), (Stack{"Menu", "Options"})); // entries after stay until the next open
    ASSERT_TRUE(nav()->openScreen("Options", false));
    EXPECT_EQ(nav()->screenStack(), (Stack{"Menu", "Options"}));

    // Failures leave the state alone: empty, missing, unconnected or of the wrong kind.
    for (const char* name : {"", "Nope", "Back", "Play"})
        EXPECT_FALSE(nav()->openScreen(name, false)) << name;
    EXPECT_FALSE(nav()->goToWorld("Options", true, false));
    EXPECT_EQ(nav()->screenStack(), (Stack{"Menu", "Options"}));
    EXPECT_EQ(nav()->destinationOf("", false), nullptr);
}

TEST_F(NavigationGraph, PopScreenOnTheFirstEntryChangesNothing) {
    EXPECT_FALSE(nav()->popScreen());
    ASSERT_TRUE(nav()->openScreen("Load", false));
    EXPECT_FALSE(nav()->popScreen());
    EXPECT_EQ(nav()->screenStack(), (Stack{"Menu"}));
    EXPECT_EQ(nav()->currentScreenIndex(), 0);
}

TEST_F(NavigationGraph, WorldsStartWithTheirHudOrWithNoScreen) {
    ASSERT_TRUE(nav()->openScreen("Load", false));
    ASSERT_TRUE(nav()->goToWorld("Play", true, false));
    EXPECT_EQ(nav()->worldKey(), "World");
    EXPECT_EQ(nav()->screenStack(), (Stack{"Hud"}));
    EXPECT_EQ(nav()->currentScreenKey(), "Hud");

    // In a world an opened screen keeps the scene; popping keeps it too.
    cocos2d::CCScene* scene = nav()->currentScene();
    ASSERT_NE(scene, nullptr);
    ASSERT_NE(nav()->worldLayer(), nullptr);
    EXPECT_EQ(nav()->topScreenLayer()->key(), "Hud");
    ASSERT_TRUE(nav()->openScreen("Pause", false));
    EXPECT_EQ(nav()->screenStack(), (Stack{"Hud", "PauseMenu"}));
    EXPECT_EQ(nav()->currentScene(), scene);
    ASSERT_TRUE(nav()->popScreen());
    EXPECT_EQ(nav()->currentScene(), scene);
    ASSERT_TRUE(nav()->showWorldHud());
    EXPECT_EQ(nav()->screenStack(), (Stack{"Hud"}));

    nav()->reset();
    ASSERT_TRUE(nav()->openScreen("Load", false));
    ASSERT_TRUE(nav()->goToWorld("Plain", true, false));
    EXPECT_EQ(nav()->currentScreenIndex(), -1);
    EXPECT_TRUE(nav()->screenStack().empty());
    EXPECT_FALSE(nav()->showWorldHud());
    ASSERT_NE(nav()->currentScene(), nullptr);
    EXPECT_EQ(nav()->topScreenLayer(), nullptr);

    nav()->enterWorld("World");
    EXPECT_EQ(nav()->screenStack(), (Stack{"Hud"}));
}

TEST_F(NavigationGraph, BackToReportsNothingANewSceneOrANewOverlay) {
    struct Case {
        const char* name;
        std::function<void()> before;
        std::string world, screen;
        int result;
        std::string worldAfter;
        Stack stackAfter;
    };
    auto inWorldHud = [] {
        nav()->openScreen("Load", false);
        nav()->goToWorld("Play", true, false);
        nav()->currentScene();
    };
    auto onMenu = [] { nav()->openScreen("Load", false); };
    const Case cases[] = {
        {"same world and screen", inWorldHud, "World", "Hud", 0, "World", {"Hud"}},
        {"same world, HUD already current", inWorldHud, "World", "", 0, "World", {"Hud"}},
        {"same world, another screen", inWorldHud, "World", "PauseMenu", 2, "World", {"Hud", "PauseMenu"}},
        {"another world", onMenu, "World", "", 1, "World", {"Hud"}},
        {"world without HUD", onMenu, "PlainWorld", "", 1, "PlainWorld", {}},
        {"a menu from a world", inWorldHud, "", "Menu", 1, "", {"Menu"}},
        {"nothing wanted", onMenu, "", "", 0, "", {"Menu"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        nav()->reset();
        c.before();
        EXPECT_EQ(nav()->backTo(c.world, c.screen, false), c.result);
        EXPECT_EQ(nav()->worldKey(), c.worldAfter);
        EXPECT_EQ(nav()->screenStack(), c.stackAfter);
    }
}

TEST_F(NavigationGraph, LeavingAWorldSavesOrRestoresTheScoreSnapshots) {
    nav()->openScreen("Load", false);
    qn::scoreRecord("").points.current = 7;
    ASSERT_TRUE(nav()->goToWorld("Play", true, true));
    EXPECT_TRUE(qn::scoreRecord("").points.hasSnapshot);
    qn::scoreRecord("").points.current = 20;
    nav()->backTo("", "Menu", false);
    EXPECT_EQ(qn::scoreRecord("").points.current, 7);
}

TEST_F(NavigationGraph, BackJumpToAMenuReachedFromNoWorldOpensItAsAScreen) {
    // Options is reached from the menu only: the keys are no world and the Options screen.
    QNModel* jump = widget("QNModelObjectButton", "Jump", "kBackToButton");
    static_cast<QNPAttributeEnum*>(jump->addAttribute("Back To", QNPAttribute::kTypeEnum))->set("Menu");
    static_cast<QNModelScreen*>(optionsNode->linkedModel())->addChild(jump);
    std::string worldKey, screenKey;
    qn::resolveBackTo(jump, worldKey, screenKey);
    EXPECT_EQ(worldKey, "");
    EXPECT_EQ(screenKey, "Menu");

    // The pause screen is reached from the world: back to its HUD keeps the world.
    QNModel* toHud = widget("QNModelObjectButton", "ToHud", "kBackToButton");
    static_cast<QNPAttributeEnum*>(toHud->addAttribute("Back To", QNPAttribute::kTypeEnum))->set("Hud");
    static_cast<QNModelScreen*>(pauseNode->linkedModel())->addChild(toHud);
    qn::resolveBackTo(toHud, worldKey, screenKey);
    EXPECT_EQ(worldKey, "World");
    EXPECT_EQ(screenKey, "Hud");

    // A world chosen directly is passed as the world.
    static_cast<QNPAttributeEnum*>(toHud->attributeNamed("Back To"))->set("World");
    qn::resolveBackTo(toHud, worldKey, screenKey);
    EXPECT_EQ(worldKey, "World");
    EXPECT_EQ(screenKey, "");
}

TEST_F(NavigationGraph, NextSectionInWorldFollowsTheControllerOrderWithinOneWorld) {
    std::map<QNModel*, int> parents;
    auto section = [&](int parent) {
        auto* model = new QNModelCompound("QNModelLevelSection", "Section");
        controller()->addModel(model);
        parents[model] = parent;
        return (int)model->id();
    };
    qn::setSectionParentLookup([&](QNModel* model) { return parents.count(model) ? parents[model] : -1; });
    const int a1 = section(5), b1 = section(6), a2 = section(5), a3 = section(5), orphan = section(0),
              orphan2 = section(0);
    EXPECT_EQ(nav()->nextSectionInWorld(a1), a2);
    EXPECT_EQ(nav()->nextSectionInWorld(a2), a3);
    EXPECT_EQ(nav()->nextSectionInWorld(a3), 0); // the last section of its world
    EXPECT_EQ(nav()->nextSectionInWorld(b1), 0);
    EXPECT_EQ(nav()->nextSectionInWorld(orphan), 0); // no world id
    EXPECT_EQ(nav()->nextSectionInWorld(0), 0);
    (void)orphan2;
    qn::setSectionParentLookup(nullptr);
}

} // namespace
