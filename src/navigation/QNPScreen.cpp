#include "navigation/QNPScreen.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "framework/CCDirector.h"
#include "framework/CCMenu.h"
#include "framework/CCMenuItem.h"
#include "framework/CCScene.h"
#include "model/QNModelController.h"
#include "model/QNPAttributeBoolean.h"
#include "model/QNPAttributeEnum.h"
#include "model/QNPAttributeFloat.h"
#include "navigation/QNModelScreen.h"
#include "navigation/QNNode.h"
#include "navigation/QNPNavigationController.h"
#include "navigation/QNScreenWidget.h"
#include "navigation/QNWidgetFactory.h"
#include "services/QNAdController.h"
#include "services/QNPSettingsController.h"
#include "world/QNPScreenScene.h"
#include "world/QNScoreRecords.h"

using namespace cocos2d;

namespace {

bool isButtonClass(const std::string& cls) {
    static const char* const kClasses[] = {
        "QNModelObjectButton",       "QNModelObjectButtonPowerup",      "QNModelObjectButtonPurchase",
        "QNModelObjectButtonUrl",    "QNModelObjectButtonControl",      "QNModelObjectButtonFacebook",
        "QNModelObjectButtonSwitch", "QNModelObjectButtonSoundControl", "QNModelObjectButtonCharacterUnlock",
        "QNModelObjectLockButton"};
    return std::find(std::begin(kClasses), std::end(kClasses), cls) != std::end(kClasses);
}

bool isPlacedWidgetClass(const std::string& cls) {
    return cls == "QNModelObjectImage" || cls == "QNModelObjectManipulator" ||
           cls == "QNModelObjectEventObserver" || cls == "QNModelObjectCharacterSelector" ||
           cls == "QNModelObjectLoadingBar" || cls == "QNModelObjectSwipeControl" ||
           cls == "QNModelObjectLabel";
}

bool boolAttribute(QNModel* model, const char* name, bool fallback) {
    auto* attribute = dynamic_cast<QNPAttributeBoolean*>(model ? model->attributeNamed(name) : nullptr);
    return attribute ? attribute->value() : fallback;
}

/// A button the highlight may rest on: visible (with its menu) and enabled.
bool isSelectable(CCMenuItem* item) {
    if (!item || !item->isVisible() || !item->isEnabled()) return false;
    CCNode* menu = item->getParent();
    return !menu || menu->isVisible();
}

qn::QNScreenWidget* widgetOf(CCNode* node) {
    return dynamic_cast<qn::QNScreenWidget*>(node);
}

} // namespace

QNPScreen::QNPScreen() {
    m_content = CCNode::create();
    m_content->retain();
}

QNPScreen::~QNPScreen() {
    m_closeAction = nullptr;
    for (auto& entry : m_objects) entry.second->release();
    m_objects.clear();
    CC_SAFE_RELEASE(m_content);
    CC_SAFE_RELEASE(m_model);
}

QNModelScreen* QNPScreen::modelForKey(const std::string& key) {
    return QNModelScreen::modelForKey(key);
}

std::string QNPScreen::key() const {
    return m_model ? m_model->key() : std::string();
}

bool QNPScreen::loadWithKey(const std::string& key) {
    m_stageTime = 0.0f;
    m_adRevealDelay = 0.0f;
    CC_SAFE_RELEASE_NULL(m_model);
    QNModelScreen* model = modelForKey(key);
    if (model) {
        model->retain();
    } else {
        // A key without a model still gives a working, empty screen. While the data is still being
        // read the placeholder stays unregistered: it would take an id a real model needs and
        // shadow the real screen of that key once it is loaded.
        model = new QNModelScreen();
        model->setKey(key.empty() ? QNModelScreen::freshKey() : key);
        QNModelController* controller = QNModelController::sharedModelController();
        if (controller->loadingProgress() >= 100) {
            controller->addRuntimeModel(model);
            model->retain();
        }
    }
    m_model = model;
    if (!m_content->getParent()) addChild(m_content, kContentZOrder);

    for (QNModel* child : m_model->children()) {
        const std::string& cls = child->className();
        if (isButtonClass(cls)) {
            CCNode* button = qn::createWidgetForModel(child, this);
            if (!button) continue;
            CCMenu* menu = CCMenu::create();
            menu->setSwallowsTouches(boolAttribute(child, "Block Touch", true));
            menu->setAnchorPoint(CCPointZero);
            menu->setPosition(CCPointZero);
            menu->setTag(kButtonMenuTag);
            enterObject(child, button, menu);
            m_content->addChild(menu, button->getZOrder());
        } else if (isPlacedWidgetClass(cls)) {
            CCNode* node = qn::createWidgetForModel(child, this);
            if (!node) continue;
            enterObject(child, node, m_content);
            if (cls == "QNModelObjectLabel")
                if (qn::QNScreenWidget* widget = widgetOf(node)) widget->updateWidget(0.0f);
        } else if (cls == "QNModelObjectAccelerometer" || cls == "QNModelObjectUnlocker") {
            // These act at once (the shared accelerometer takes its model, an unlocker is
            // evaluated); nothing is added to the screen.
            qn::createWidgetForModel(child, this);
        }
    }
    setStage(0);
    return true;
}

void QNPScreen::enterObject(QNModel* model, CCNode* node, CCNode* parent) {
    node->retain();
    m_objects.emplace_back(model, node);
    // Creators give the node the model's depth as its z-order.
    parent->addChild(node, node->getZOrder());
}

bool QNPScreen::init() {
    if (!CCLayer::init()) return false;
    for (auto& entry : m_objects) {
        auto* item = dynamic_cast<CCMenuItem*>(entry.second);
        if (!item) continue;
        const std::string& cls = entry.first->className();
        if (cls != "QNModelObjectButtonPowerup" && cls != "QNModelObjectButtonPurchase")
            item->setTarget(this, menu_selector(QNPScreen::buttonTapped));
        const std::string action = qn::buttonActionOf(entry.first);
        // Purchases and game services complete at once on this platform.
        if (action == "kGameServices") item->setTarget(this, menu_selector(QNPScreen::openGameServices));
    }
    return true;
}

void QNPScreen::setStage(int stage) {
    m_stage = stage;
    for (auto& entry : m_objects)
        if (qn::QNScreenWidget* widget = widgetOf(entry.second)) widget->setWidgetStage(stage);
    restartObjectAnimations();
}

void QNPScreen::restartObjectAnimations() {
    m_stageTime = 0.0f;
    for (auto& entry : m_objects)
        if (qn::QNScreenWidget* widget = widgetOf(entry.second)) widget->restartWidgetAnimation();
}

void QNPScreen::update(float dt) {
    m_stageTime += dt;
    if (m_model) {
        if (m_stage == 0 && m_stageTime >= m_model->openFrames() / 30.0f)
            setStage(1);
        else if (m_stage == 1 && m_model->loopIdleAnimation() && m_stageTime >= m_model->idleFrames() / 30.0f)
            setStage(1);
    }
    // A widget's update may navigate and so change the table; walk a copy.
    m_updateNodes.clear();
    for (auto& entry : m_objects) m_updateNodes.push_back(entry.second);
    for (CCNode* node : m_updateNodes)
        if (qn::QNScreenWidget* widget = widgetOf(node)) widget->updateWidget(dt);
    if (m_adRevealDelay > 0.0f) {
        m_adRevealDelay -= dt;
    } else if (m_contentHiddenForAd) {
        m_contentHiddenForAd = false;
        m_content->setVisible(true);
    }
}

void QNPScreen::closeThen(std::function<void()> action) {
    if (!action) return;
    // One close at a time: a second tap while closing would navigate twice.
    if (m_closeAction) return;
    const int frames = m_model ? m_model->closeFrames() : 0;
    if (frames < 1) {
        action();
        return;
    }
    m_closeAction = std::move(action);
    scheduleOnce(schedule_selector(QNPScreen::runCloseAction), frames / 30.0f);
    setStage(2);
}

void QNPScreen::runCloseAction(float) {
    std::function<void()> action = std::move(m_closeAction);
    m_closeAction = nullptr;
    retain(); // the action may replace the scene that holds this screen
    if (action) action();
    // Nothing replaced the screen: it must not stay in its closing pose.
    CCDirector* director = CCDirector::sharedDirector();
    if (m_stage == 2 && getParent() && !director->hasPendingScene()) setStage(1);
    release();
}

void QNPScreen::onEnter() {
    CCLayer::onEnter();
    showAds();
}

void QNPScreen::removeFromParent() {
    if (CCArray* children = m_content->getChildren())
        for (CCObject* child : children->data()) static_cast<CCNode*>(child)->setVisible(false);
    CCLayer::removeFromParent();
}

void QNPScreen::stopBackgroundMusic() {
    // The audio engine arrives with the sound subsystem; nothing plays yet.
}

void QNPScreen::playScreenMusic() {
    // The sound subsystem starts the screen's (or its world's, or the main menu's) track; the
    // choice of model is made here so it is ready for it.
    QNModel* music = m_model ? m_model->music() : nullptr;
    // The start screen is built before the data is read: its music comes from the loaded model.
    if (m_model && m_model->key() == "QNPScreenStart")
        if (QNModelScreen* loaded = modelForKey(m_model->key())) music = loaded->music();
    if (!music) {
        if (QNPScreenScene* world = parentWorld())
            music = world->model() ? world->model()->music() : nullptr;
        else if (QNModelScreen* menu = modelForKey("QNPScreenMainMenu"))
            music = menu->music();
    }
    (void)music;
}

void QNPScreen::hideAds() {
    CCLog("[%s] hide ads", key().c_str());
    QNAdController::sharedController()->hideBanner();
    QNAdController::sharedController()->hideInterstitial();
}

void QNPScreen::removeAds() {
    hideAds();
    if (CCArray* children = getChildren())
        for (CCObject* child : children->data())
            if (auto* screen = dynamic_cast<QNPScreen*>(child)) screen->removeAds();
}

std::vector<CCMenuItem*> QNPScreen::buttons() const {
    std::vector<CCMenuItem*> items;
    for (auto& entry : m_objects)
        if (auto* item = dynamic_cast<CCMenuItem*>(entry.second)) items.push_back(item);
    return items;
}

void QNPScreen::pressHighlightedButton() {
    CCLog("press hilight button");
    for (CCMenuItem* item : buttons()) {
        if (!item->isSelected()) continue;
        CCLog("button activated");
        item->activate();
        return;
    }
}

void QNPScreen::moveHighlight(int direction) {
    CCLog("hlight button: %d", direction);
    if (direction < 12 || direction > 15) return;
    std::vector<CCMenuItem*> items;
    for (CCMenuItem* item : buttons())
        if (isSelectable(item)) items.push_back(item);
    if (items.empty()) return;
    CCMenuItem* current = nullptr;
    for (CCMenuItem* item : items)
        if (item->isSelected()) {
            current = item;
            break;
        }
    if (!current) {
        current = items.front();
        current->selected();
    }
    const CCPoint reference = current->getPosition();
    CCMenuItem* winner = nullptr;
    float best = 1000000.0f;
    for (CCMenuItem* item : items) {
        if (item == current || item->isSelected()) continue;
        const float dx = item->getPosition().x - reference.x, dy = item->getPosition().y - reference.y;
        const bool vertical = direction == 12 || direction == 13;
        const float across = vertical ? dx : dy, along = vertical ? dy : dx;
        if (std::fabs(across) > 100.0f) continue;
        const bool forward = direction == 12 || direction == 15;
        if (forward ? !(along > 0.0f) : !(along < 0.0f)) continue;
        if (std::fabs(along) < best) {
            best = std::fabs(along);
            winner = item;
        }
    }
    if (!winner) return;
    current->unselected();
    if (!winner->isSelected()) winner->selected();
}

void QNPScreen::highlightDefaultButton() {
    CCLog("QNPScreenUi -  hilightDefaultButton");
    CCMenuItem* chosen = nullptr;
    int depth = 0;
    for (CCMenuItem* item : buttons()) {
        if (!isSelectable(item)) continue;
        if (!chosen || item->getZOrder() >= depth) {
            chosen = item;
            depth = item->getZOrder();
        }
    }
    if (chosen && !chosen->isSelected()) chosen->selected();
}

CCNode* QNPScreen::nodeForModel(const QNModel* model) const {
    for (auto& entry : m_objects)
        if (entry.first == model) return entry.second;
    return nullptr;
}

void QNPScreen::removeObjectForModel(QNModel* model) {
    if (!model) return;
    for (auto it = m_objects.begin(); it != m_objects.end(); ++it) {
        if (it->first->id() != model->id()) continue;
        CCNode* node = it->second;
        m_objects.erase(it);
        // A button leaves with its own menu.
        CCNode* parent = node->getParent();
        if (parent && parent->getTag() == kButtonMenuTag && parent->getParent() == m_content)
            parent->removeFromParent();
        else
            node->removeFromParent();
        node->release();
        return;
    }
}

void QNPScreen::showAds() {
    if (!m_model || QNPSettingsController::sharedSettings()->removeAds()) return;
    CCLog("[%s] banner: %s interstitial: %s", m_model->key().c_str(), m_model->adBanner().c_str(),
          m_model->adInterstitial().c_str());
    QNAdController* ads = QNAdController::sharedController();
    if (++m_model->bannerCounter >= (int)m_model->adBannerFreq()) {
        m_model->bannerCounter = 0;
        ads->showBanner(m_model->adBanner());
    }
    if (skipNextInterstitial) {
        skipNextInterstitial = false;
        return;
    }
    if (++m_model->interstitialCounter >= (int)m_model->adInterstitialsFreq()) {
        if (m_model->adInterstitial() != "kNoAds") {
            m_content->setVisible(false);
            m_adRevealDelay = 0.5f;
            m_contentHiddenForAd = true;
        }
        m_model->interstitialCounter = 0;
        ads->showInterstitial(m_model->adInterstitial());
    }
}

bool QNPScreen::shouldShowBanner() {
    if (!m_model || QNPSettingsController::sharedSettings()->removeAds()) return false;
    if (m_model->bannerCounter + 1 < (int)m_model->adBannerFreq()) return false;
    if (m_model->adBanner() == "kNoAds") return false;
    CCLog("[QNPScreen] banner will show for: %s", m_model->key().c_str());
    return true;
}

QNPScreenScene* QNPScreen::parentWorld() {
    return dynamic_cast<QNPScreenScene*>(getParent());
}

void QNPScreen::suspendScreen() {
    stopBackgroundMusic();
    QNAdController::sharedController()->hideBanner();
    QNAdController::sharedController()->hideInterstitial();
}

void QNPScreen::closeOverlay() {
    stopBackgroundMusic();
    hideAds();
    if (QNPScreenScene* world = parentWorld()) {
        world->resumeWorld();
    } else if (auto* parent = dynamic_cast<QNPScreen*>(getParent())) {
        parent->contentNode()->setVisible(true);
        parent->showAds();
    }
    removeFromParent();
}

void QNPScreen::usePowerup(QNModel* powerupModel, bool above) {
    (void)above;
    if (!powerupModel) return;
    auto* type = dynamic_cast<QNPAttributeEnum*>(powerupModel->attributeNamed("Powerup Type"));
    if (!type || type->selectedValue() != "kPowerupCoin") return;
    auto number = [&](const char* name) {
        auto* value = dynamic_cast<QNPAttributeFloat*>(powerupModel->attributeNamed(name));
        return value ? (int)value->value() : 0;
    };
    const int coins = number("Reward Coins"), points = number("Reward Points");
    auto credit = [&](qn::QNScoreRecord& record) {
        for (auto pair : {std::make_pair(&record.coins, coins), std::make_pair(&record.points, points)}) {
            pair.first->current += pair.second;
            pair.first->total += pair.second;
            pair.first->best = std::max(pair.first->best, pair.first->current);
        }
    };
    credit(qn::scoreRecord(""));
    QNPNavigationController* nav = QNPNavigationController::sharedController();
    if (nav->worldLayer()) credit(qn::scoreRecord(nav->worldKey()));
    QNPSettingsController::sharedSettings()->save();
}

void QNPScreen::buttonTapped(CCObject* sender) {
    auto* item = dynamic_cast<CCNode*>(sender);
    QNModel* model = item ? dynamic_cast<QNModel*>(item->getUserObject()) : nullptr;
    if (!model) {
        // Buttons keep their model as user object; fall back to the table.
        for (auto& entry : m_objects)
            if (entry.second == item) model = entry.first;
    }
    if (!model) return;
    closeThen([this, model]() { performButtonAction(model); });
}

void QNPScreen::performButtonAction(QNModel* buttonModel) {
    (void)buttonModel;
}

void QNPScreen::openGameServices(CCObject* sender) {
    (void)sender;
}

CCMenuItem* QNPScreen::buttonWithAction(const std::string& action) const {
    for (auto& entry : m_objects)
        if (auto* item = dynamic_cast<CCMenuItem*>(entry.second))
            if (qn::buttonActionOf(entry.first) == action) return item;
    return nullptr;
}

std::vector<CCMenuItem*> QNPScreen::buttonsWithAction(const std::string& action) const {
    std::vector<CCMenuItem*> items;
    for (auto& entry : m_objects)
        if (auto* item = dynamic_cast<CCMenuItem*>(entry.second))
            if (qn::buttonActionOf(entry.first) == action) items.push_back(item);
    return items;
}

void QNPScreen::setTargetForAction(const std::string& action, CCObject* target, SEL_MenuHandler selector) {
    for (CCMenuItem* item : buttonsWithAction(action)) item->setTarget(target, selector);
}

void QNPScreen::runScene(CCScene* scene) {
    unscheduleAllSelectors();
    unscheduleUpdate();
    if (CCArray* children = m_content->getChildren())
        for (CCObject* child : children->data()) static_cast<CCNode*>(child)->setVisible(false);
    auto* incoming = scene ? dynamic_cast<QNPScreen*>(scene->getChildByTag(0)) : nullptr;
    if (!incoming || !incoming->shouldShowBanner()) hideAds();
    if (scene) CCDirector::sharedDirector()->replaceScene(scene);
}

QNPScreen* QNPScreen::runningScreen() {
    CCScene* scene = CCDirector::sharedDirector()->getRunningScene();
    if (!scene || !scene->getChildren() || scene->getChildrenCount() == 0) return nullptr;
    return dynamic_cast<QNPScreen*>(scene->getChildren()->objectAtIndex(0));
}

QNPScreen* QNPScreen::innermostRunningScreen() {
    QNPScreen* screen = runningScreen();
    while (screen) {
        QNPScreen* inner = nullptr;
        if (CCArray* children = screen->getChildren())
            for (CCObject* child : children->data())
                if ((inner = dynamic_cast<QNPScreen*>(child))) break;
        if (!inner) break;
        screen = inner;
    }
    return screen;
}
