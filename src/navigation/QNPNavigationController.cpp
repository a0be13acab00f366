#include "navigation/QNPNavigationController.h"

#include <algorithm>
#include <cstdlib>

#include "framework/CCScene.h"
#include "model/QNModelController.h"
#include "model/QNPAttributeAction.h"
#include "navigation/QNModelScreen.h"
#include "navigation/QNNode.h"
#include "navigation/QNPScreenUi.h"
#include "navigation/QNSceneBuildHooks.h"
#include "world/QNPScreenScene.h"
#include "world/QNScoreRecords.h"

using namespace cocos2d;

namespace {
const char* const kStartKey = "QNPScreenStart";
}

QNPNavigationController* QNPNavigationController::sharedController() {
    static QNPNavigationController* instance = new QNPNavigationController();
    return instance;
}

QNPNavigationController::QNPNavigationController() {
    reset();
}

void QNPNavigationController::reset() {
    m_worldKey.clear();
    m_screenStack.assign(1, kStartKey);
    m_currentScreen = 0;
    m_startSectionId = 0;
    dropScene();
}

void QNPNavigationController::dropScene() {
    CC_SAFE_RELEASE_NULL(m_cachedScene);
}

CCScene* QNPNavigationController::currentScene() {
    if (m_cachedScene) return m_cachedScene;
    CCScene* scene = nullptr;
    if (!m_worldKey.empty()) {
        if (QNPScreenScene* world = QNPScreenScene::create()) {
            scene = CCScene::create();
            scene->addChild(world, 0, 0);
        }
    } else if (m_currentScreen >= 0) {
        // The layer is built with the scene; it must see this scene as cached while it initialises.
        if (QNPScreenUi* layer = QNPScreenUi::create()) {
            scene = CCScene::create();
            scene->addChild(layer, 0, 0);
            if (currentScreenKey() == kStartKey) layer->showLoadingSplash(true);
        }
    }
    qn::runSceneBuildHooks();
    if (!scene) return nullptr;
    m_cachedScene = scene;
    m_cachedScene->retain();
    if (QNPScreen* top = topScreenLayer()) top->update(0.0f);
    return m_cachedScene;
}

QNPScreenScene* QNPNavigationController::worldLayer() const {
    if (m_worldKey.empty() || !m_cachedScene) return nullptr;
    return dynamic_cast<QNPScreenScene*>(m_cachedScene->getChildByTag(0));
}

QNPScreen* QNPNavigationController::topScreenLayer() const {
    if (!m_worldKey.empty()) {
        QNPScreenScene* world = worldLayer();
        return world ? static_cast<QNPScreen*>(world->overlayLayer()) : nullptr;
    }
    if (m_currentScreen < 0 || !m_cachedScene) return nullptr;
    return dynamic_cast<QNPScreen*>(m_cachedScene->getChildByTag(0));
}

std::string QNPNavigationController::currentScreenKey() const {
    if (m_currentScreen < 0 || m_currentScreen >= (int)m_screenStack.size()) return "";
    return m_screenStack[m_currentScreen];
}

QNNode* QNPNavigationController::nodeForKey(const char* className, const std::string& key) {
    for (QNModel* model : QNModelController::sharedModelController()->modelListOfClass(className)) {
        auto* node = dynamic_cast<QNNode*>(model);
        if (node && node->linkedModel() && qn::screenKeyOf(node->linkedModel()) == key) return node;
    }
    return nullptr;
}

QNPAttributeAction* QNPNavigationController::findWorldAction(const std::string& name) const {
    if (m_worldKey.empty()) return nullptr;
    QNNode* node = nodeForKey("QNNodeScene", m_worldKey);
    return node ? dynamic_cast<QNPAttributeAction*>(node->attributeNamed(name)) : nullptr;
}

QNPAttributeAction* QNPNavigationController::findScreenAction(const std::string& name) const {
    if (m_currentScreen < 0) return nullptr;
    const std::string key = currentScreenKey();
    QNNode* node = key == kStartKey ? nodeForKey("QNNodeUIStart", kStartKey) : nodeForKey("QNNodeUI", key);
    return node ? dynamic_cast<QNPAttributeAction*>(node->attributeNamed(name)) : nullptr;
}

QNModel* QNPNavigationController::destinationOf(const std::string& name, bool fromWorld) const {
    if (name.empty()) return nullptr;
    return QNNode::destinationOf(fromWorld ? findWorldAction(name) : findScreenAction(name));
}

void QNPNavigationController::saveOrRestoreScores(bool save) const {
    for (const std::string& key : {m_worldKey, std::string()}) {
        qn::QNScoreRecord& record = qn::scoreRecord(key);
        if (save)
            record.saveSnapshot();
        else
            record.restoreSnapshot();
    }
}

bool QNPNavigationController::goToWorld(const std::string& name, bool fromScreen, bool saveScores) {
    if (name.empty()) return false;
    QNPAttributeAction* action = fromScreen ? findScreenAction(name) : findWorldAction(name);
    auto* node = dynamic_cast<QNNodeScene*>(QNNode::farNodeOf(action));
    if (!node || !node->linkedModel()) return false;
    saveOrRestoreScores(saveScores);
    m_worldKey = qn::screenKeyOf(node->linkedModel());
    m_screenStack.clear();
    m_currentScreen = -1;
    if (QNModel* hud = QNNode::destinationOf(node->hudAction())) {
        m_screenStack.push_back(qn::screenKeyOf(hud));
        m_currentScreen = 0;
    }
    dropScene();
    return true;
}

bool QNPNavigationController::openScreen(const std::string& name, bool fromWorld) {
    if (name.empty()) return false;
    QNPAttributeAction* action = fromWorld ? findWorldAction(name) : findScreenAction(name);
    auto* node = dynamic_cast<QNNodeUI*>(QNNode::farNodeOf(action));
    if (!node || !node->linkedModel()) return false;
    if (m_currentScreen >= 0) {
        if (currentScreenKey() != kStartKey)
            m_screenStack.resize(m_currentScreen + 1);
        else
            m_screenStack.clear();
    }
    m_screenStack.push_back(qn::screenKeyOf(node->linkedModel()));
    m_currentScreen = (int)m_screenStack.size() - 1;
    if (m_worldKey.empty()) dropScene();
    return true;
}

std::string QNPNavigationController::worldHudKey() const {
    QNNode* node = nodeForKey("QNNodeScene", m_worldKey);
    auto* world = dynamic_cast<QNNodeScene*>(node);
    QNModel* hud = world ? QNNode::destinationOf(world->hudAction()) : nullptr;
    return hud ? qn::screenKeyOf(hud) : std::string();
}

void QNPNavigationController::enterWorld(const std::string& key) {
    m_worldKey = key;
    m_screenStack.clear();
    m_currentScreen = -1;
    const std::string hud = worldHudKey();
    if (!hud.empty()) {
        m_screenStack.push_back(hud);
        m_currentScreen = 0;
    }
    dropScene();
}

int QNPNavigationController::backTo(const std::string& wantedWorld, const std::string& wantedScreen,
                                    bool saveScores) {
    if (wantedWorld == m_worldKey && wantedScreen == currentScreenKey()) return kBackNothing;
    if (!wantedWorld.empty()) {
        if (wantedWorld != m_worldKey) {
            saveOrRestoreScores(saveScores);
            m_worldKey = wantedWorld;
            m_screenStack.clear();
            m_currentScreen = -1;
            dropScene();
        }
        if (!wantedScreen.empty()) {
            if (m_currentScreen >= 0) m_screenStack.resize(m_currentScreen + 1);
            m_screenStack.push_back(wantedScreen);
            m_currentScreen = (int)m_screenStack.size() - 1;
        } else {
            const std::string hud = worldHudKey();
            if (!hud.empty() && currentScreenKey() == hud) return kBackNothing;
            if (!hud.empty()) {
                if (m_currentScreen >= 0) m_screenStack.resize(m_currentScreen + 1);
                m_screenStack.push_back(hud);
                m_currentScreen = (int)m_screenStack.size() - 1;
            } else {
                m_screenStack.clear();
                m_currentScreen = -1;
            }
        }
        return m_cachedScene ? kBackOverlay : kBackNewScene;
    }
    if (wantedScreen.empty()) return kBackNothing;
    if (!m_worldKey.empty()) {
        m_screenStack.clear();
        m_currentScreen = -1;
    }
    saveOrRestoreScores(saveScores);
    m_worldKey.clear();
    // Stepping back onto a screen drops the history after the current one, as opening does.
    if (m_currentScreen >= 0) m_screenStack.resize(m_currentScreen + 1);
    m_screenStack.push_back(wantedScreen);
    m_currentScreen = (int)m_screenStack.size() - 1;
    dropScene();
    return kBackNewScene;
}

bool QNPNavigationController::showWorldHud() {
    const std::string hud = worldHudKey();
    if (hud.empty()) return false;
    m_screenStack.assign(1, hud);
    m_currentScreen = 0;
    return true;
}

bool QNPNavigationController::popScreen() {
    if (m_currentScreen <= 0) return false;
    --m_currentScreen;
    if (m_worldKey.empty()) dropScene();
    return true;
}

int QNPNavigationController::nextSectionInWorld(int sectionId) const {
    if (sectionId == 0) return 0;
    const auto& sections =
        QNModelController::sharedModelController()->modelListOfClass("QNModelLevelSection");
    int parent = 0;
    bool found = false;
    for (QNModel* section : sections) {
        const int parentId = qn::sectionParentId(section);
        if (!found) {
            if ((int)section->id() == sectionId) {
                found = true;
                parent = parentId;
            }
            continue;
        }
        if (parent >= 1 && parentId == parent) return section->id() > 0 ? (int)section->id() : 0;
    }
    return 0;
}
