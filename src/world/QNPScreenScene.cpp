#include "world/QNPScreenScene.h"

#include "framework/CCDirector.h"
#include "model/QNModel.h"
#include "navigation/QNPNavigationController.h"
#include "navigation/QNPScreenUi.h"

using namespace cocos2d;

QNPScreenScene* QNPScreenScene::create() {
    auto* world = new QNPScreenScene();
    if (!world->init()) {
        delete world;
        return nullptr;
    }
    world->autorelease();
    return world;
}

bool QNPScreenScene::init() {
    if (!loadWithKey(QNPNavigationController::sharedController()->worldKey())) return false;
    if (!QNPScreen::init()) return false;
    scheduleUpdate();
    refreshOverlay();
    return true;
}

bool QNPScreenScene::shouldShowBanner() {
    return m_overlay ? m_overlay->shouldShowBanner() : QNPScreen::shouldShowBanner();
}

void QNPScreenScene::moveHighlight(int direction) {
    if (m_overlay) m_overlay->moveHighlight(direction);
}

void QNPScreenScene::pressHighlightedButton() {
    if (m_overlay) m_overlay->pressHighlightedButton();
}

void QNPScreenScene::keyBackClicked() {
    if (m_overlay) m_overlay->keyBackClicked();
}

void QNPScreenScene::refreshOverlay() {
    if (m_overlay) {
        // The old overlay may be the one asking (a button on it): it lives to the end of the frame.
        m_overlay->retain();
        m_overlay->autorelease();
        m_overlay->removeFromParent();
        m_overlay = nullptr;
    }
    QNPNavigationController* nav = QNPNavigationController::sharedController();
    if (nav->currentScreenKey().empty()) return;
    m_overlay = QNPScreenUi::create();
    if (m_overlay) addChild(m_overlay, kContentZOrder + 1);
}

void QNPScreenScene::setPaused(bool paused) {
    m_paused = paused;
}

void QNPScreenScene::openPause(CCObject* button) {
    if (m_paused || m_gameOver) return;
    auto* node = dynamic_cast<CCNode*>(button);
    auto* model = node ? dynamic_cast<QNModel*>(node->getUserObject()) : nullptr;
    std::string name = model ? model->displayName() : std::string();
    if (name.empty()) name = "Pause";
    if (!QNPNavigationController::sharedController()->openScreen(name, false)) return;
    setPaused(true);
    refreshOverlay();
}

void QNPScreenScene::popOverlay() {
    QNPNavigationController* nav = QNPNavigationController::sharedController();
    if (!nav->popScreen()) return;
    if (nav->currentScreenIndex() == 0) resumeWorld();
    refreshOverlay();
}

void QNPScreenScene::resumeWorld() {
    m_paused = false;
}

void QNPScreenScene::discardWorldProgress(bool fromBeginning) {
    (void)fromBeginning;
    m_gameOver = false;
    m_paused = false;
    if (QNPNavigationController::sharedController()->showWorldHud()) refreshOverlay();
}
