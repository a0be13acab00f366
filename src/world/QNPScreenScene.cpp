#include "world/QNPScreenScene.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <unordered_map>

#include <box2d/box2d.h>

#include "framework/CCArray.h"
#include "framework/CCDirector.h"
#include "framework/CCMenuItem.h"
#include "framework/CCSprite.h"
#include "framework/CCTexture2D.h"
#include "model/QNModelController.h"
#include "model/QNPAttributeBoolean.h"
#include "model/QNPAttributeEnum.h"
#include "model/QNPAttributeReference.h"
#include "model/QNPAttributeFloat.h"
#include "navigation/QNPNavigationController.h"
#include "navigation/QNPObjectButton.h"
#include "navigation/QNPScreenUi.h"
#include "objects/QNModelObject.h"
#include "objects/QNPGameplayParameters.h"
#include "objects/QNPObject.h"
#include "objects/QNPObjectAssetUnit.h"
#include "objects/QNPObjectFactory.h"
#include "presentation/QNPAnimationObject.h"
#include "services/QNPSettingsController.h"
#include "shell/QNPInputController.h"
#include "world/GLESDebugDraw.h"
#include "world/QNModelLevelSection.h"
#include "world/QNModelLinker.h"
#include "world/QNModelScreenScene.h"
#include "world/QNPContactListener.h"
#include "world/QNPGameFieldCamera.h"
#include "world/QNScoreRecords.h"

using namespace cocos2d;

namespace {

constexpr float kStep = 1.0f / 60.0f;
constexpr float kPi = 3.14159265358979f;

bool finite(float v) {
    return std::isfinite(v);
}

float floatOf(QNModel* model, const char* name, float fallback) {
    auto* attribute = model ? dynamic_cast<QNPAttributeFloat*>(model->attributeNamed(name)) : nullptr;
    return attribute ? attribute->value() : fallback;
}

/// Whether a unit's model (or the asset it places) has the object type Enemy.
bool isEnemy(QNModel* model) {
    for (int depth = 0; model && depth < 2; ++depth) {
        if (auto* type = dynamic_cast<QNPAttributeEnum*>(model->attributeNamed("Object Type")))
            return type->selectedValue() == "kEnemyObjectType";
        auto* asset = dynamic_cast<QNPAttributeAsset*>(model->attributeNamed("Asset"));
        model = asset ? asset->target() : nullptr;
    }
    return false;
}

bool isHiddenModel(QNModel* model) {
    auto* hidden = model ? dynamic_cast<QNPAttributeBoolean*>(model->attributeNamed("Hidden")) : nullptr;
    return hidden && hidden->value();
}

/// The default remaining-lives counters: one per health model, started from its "Lives".
std::unordered_map<QNModel*, int>& livesCounters() {
    static std::unordered_map<QNModel*, int> counters;
    return counters;
}

QNPScreenScene::LivesAccess& livesAccess() {
    static QNPScreenScene::LivesAccess access{
        [](QNModel* health) {
            auto it = livesCounters().find(health);
            if (it != livesCounters().end()) return it->second;
            return (int)floatOf(health, "Lives", 1.0f);
        },
        [](QNModel* health, int lives) { livesCounters()[health] = lives; }};
    return access;
}

// One-dimensional gradient noise: 256 random gradients in [-1, 1) and a shuffled permutation,
// drawn once with rand(), blended with the s-curve 3t^2 - 2t^3.
struct Noise {
    static constexpr int kSize = 256;
    int permutation[kSize * 2 + 2];
    float gradients[kSize * 2 + 2];

    Noise() {
        for (int i = 0; i < kSize; ++i) {
            permutation[i] = i;
            gradients[i] = (float)((std::rand() % (kSize * 2)) - kSize) / kSize;
        }
        for (int i = kSize - 1; i > 0; --i) {
            const int j = std::rand() % kSize;
            std::swap(permutation[i], permutation[j]);
        }
        for (int i = 0; i < kSize + 2; ++i) {
            permutation[kSize + i] = permutation[i];
            gradients[kSize + i] = gradients[i];
        }
    }

    float at(float x) const {
        if (!finite(x)) return 0.0f;
        const float t = x + 4096.0f;
        const int whole = (int)std::floor(t);
        const int b0 = whole & (kSize - 1), b1 = (b0 + 1) & (kSize - 1);
        const float r0 = t - (float)whole, r1 = r0 - 1.0f;
        const float s = r0 * r0 * (3.0f - 2.0f * r0);
        const float u = r0 * gradients[permutation[b0]], v = r1 * gradients[permutation[b1]];
        return u + s * (v - u);
    }
};

const Noise& noise() {
    static const Noise instance;
    return instance;
}

} // namespace

void QNPScreenScene::setLivesAccess(LivesAccess access) {
    livesAccess() = std::move(access);
}

float QNPScreenScene::noise1(float x) {
    return noise().at(x);
}

QNPScreenScene* QNPScreenScene::create() {
    auto* world = new QNPScreenScene();
    if (!world->init()) {
        delete world;
        return nullptr;
    }
    world->autorelease();
    return world;
}

QNPScreenScene::QNPScreenScene() = default;

QNPScreenScene::~QNPScreenScene() {
    CCLog("QNPScreenScene - deallocated");
    if (m_environmentInstalled && QNObjectEnvironment::current() == this)
        QNObjectEnvironment::setCurrent(nullptr);
    clearQueue();
    m_mirrors.clear();
    // The objects go before the physics world: their bodies live in it.
    if (m_gameLayer) {
        std::vector<QNPObject*> objects;
        collectDescendants(m_gameLayer, objects);
        for (QNPObject* object : objects) object->retain();
        m_gameLayer->removeAllChildrenWithCleanup(true);
        for (QNPObject* object : objects) {
            object->destroyBody();
            object->release();
        }
        m_gameLayer->release();
        m_gameLayer = nullptr;
    }
    if (m_world) {
        QNPObject::destroyDeferredBodies(m_world.get());
        QNPObject::worldWillBeDestroyed(m_world.get());
        m_world->SetContactListener(nullptr);
        m_world->SetDebugDraw(nullptr);
        m_world.reset();
    }
    m_contactListener.reset();
    m_debugDraw.reset();
    CC_SAFE_RELEASE_NULL(m_backgroundLayers);
    CC_SAFE_RELEASE_NULL(m_flashSprite);
    for (QNModelLevelSection* section : m_sections) section->release();
    m_sections.clear();
    QNPInputController::releaseWorldController(m_input);
    m_input = nullptr;
}

QNModelScreen* QNPScreenScene::modelForKey(const std::string& key) {
    return QNModelScreenScene::worldForKey(key);
}

QNModelScreenScene* QNPScreenScene::worldModel() const {
    return dynamic_cast<QNModelScreenScene*>(m_model);
}

float QNPScreenScene::computeGameOverDelay() const {
    const auto& assets =
        QNModelController::sharedModelController()->modelListOfClass("QNModelAssetCharacter");
    const int index = selectedCharacterIndex();
    if (index < 0 || index >= (int)assets.size()) return 1.0f;
    QNModel* asset = assets[(std::size_t)index];
    return std::max(floatOf(asset, "Camera Flash", 0.0f), floatOf(asset, "Game Over Delay", 0.0f));
}

bool QNPScreenScene::init() {
    // 1. The world model and the screen.
    if (!loadWithKey(QNPNavigationController::sharedController()->worldKey())) return false;
    if (!QNPScreen::init()) return false;
    QNModelScreenScene* model = worldModel();
    if (!model) return false;

    // 2.
    m_backgroundLayers = new CCArray();
    // Unit spawners hand their copies to the running world.
    QNPObjectAssetUnit::setSpawnHandler([](QNPObjectAssetUnit* spawner, QNPObjectAsset* copy) {
        QNPScreenScene* world = QNPNavigationController::sharedController()->worldLayer();
        return world && world->addSpawned(copy, spawner);
    });

    // 3. The shared gameplay parameters take the world's values.
    QNPGameplayParameters* parameters = QNPGameplayParameters::shared();
    parameters->gravity = model->gravity();
    parameters->simulationTimeScale = model->timeWarp();
    parameters->gameSpeedMin = model->speedMinimum();
    parameters->gameSpeedMax = model->speedMaximum();
    parameters->gameSpeedIncrease = model->speedIncrease();
    parameters->friction = model->friction();
    parameters->velocityFactor = model->velocityDrag();
    parameters->restitution = model->bounce();
    parameters->scoreMultiplier = model->scoreMultiplier();
    parameters->gameAngleDirection = model->gameDirection();
    parameters->verticalViewMargin = model->sidesDeletionThreshold();
    parameters->horizontalViewMargin = model->backDeletionThreshold();

    // 4. The physics world, its contact listener and its (never drawn) debug drawing.
    b2Vec2 gravity(parameters->gravity.x, parameters->gravity.y);
    if (!gravity.IsValid()) {
        CCLog("[QNPScreenScene] - gravity is not a number; none used");
        gravity.SetZero();
    }
    m_world.reset(new b2World(gravity));
    m_contactListener.reset(new QNPContactListener());
    m_world->SetContactListener(m_contactListener.get());
    m_debugDraw.reset(new GLESDebugDraw());
    m_debugDraw->SetFlags(b2Draw::e_shapeBit | b2Draw::e_jointBit);
    m_world->SetDebugDraw(m_debugDraw.get());

    // 5. The game layer.
    m_gameLayer = QNPGameFieldCamera::create();
    m_gameLayer->retain();
    m_gameLayer->setWorldModel(model);
    addChild(m_gameLayer, 0);

    // 6. The flash sprite: white, 1.2 times the window, centred, transparent.
    const CCSize win = CCDirector::sharedDirector()->getWinSize();
    auto* texture = new CCTexture2D();
    const unsigned char white[4] = {255, 255, 255, 255};
    texture->initWithData(white, 1, 1, true);
    m_flashSprite = CCSprite::createWithTexture(texture, CCRect(0, 0, 1, 1));
    texture->release();
    if (m_flashSprite) {
        m_flashSprite->retain();
        m_flashSprite->setScaleX(win.width * 1.2f);
        m_flashSprite->setScaleY(win.height * 1.2f);
        m_flashSprite->setColor(ccColor3B{255, 255, 255});
        m_flashSprite->setOpacity(0);
        m_flashSprite->setPosition(CCPoint(win.width / 2, win.height / 2));
        addChild(m_flashSprite, kOverlayZOrder - 1);
    }

    // 7. Key events reach the world through the input controller's keypad instance, so the layer
    // itself is not registered with the keypad dispatcher (that would deliver every key twice).
    m_input = QNPInputController::createForWorld();
    m_gameLayer->setInputController(m_input);
    m_gameOverDelay = computeGameOverDelay();
    m_gameOverCountdown = m_gameOverDelay;
    scheduleUpdate();
    setTouchEnabled(true);
    setTouchMode(kCCTouchesAllAtOnce);

    // 8. The world's own buttons.
    setTargetForAction("kPauseButton", this, menu_selector(QNPScreenScene::openPause));
    setTargetForAction("kRestartButton", this, menu_selector(QNPScreenScene::restartButtonTapped));

    // 9. The sections of this world.
    m_sections = QNModelLevelSection::sectionsOfWorld((int)model->id());
    for (QNModelLevelSection* section : m_sections) section->retain();

    // 11. The overlay.
    if (!QNPNavigationController::sharedController()->currentScreenKey().empty()) {
        m_overlay = QNPScreenUi::create();
        if (m_overlay) {
            addChild(m_overlay, kOverlayZOrder);
            m_runningOverlayKeys.insert(QNPNavigationController::sharedController()->currentScreenKey());
        }
    }

    QNObjectEnvironment::setCurrent(this);
    m_environmentInstalled = true;
    return true;
}

void QNPScreenScene::restartButtonTapped(CCObject* sender) {
    (void)sender;
    restartFromScratch();
}

void QNPScreenScene::onEnter() {
    QNPScreen::onEnter();
    QNObjectEnvironment::setCurrent(this);
    m_environmentInstalled = true;
    resetWorld();
}

void QNPScreenScene::onExit() {
    QNPScreen::onExit();
}

void QNPScreenScene::setTouchEnabled(bool enabled) {
    CCLayer::setTouchEnabled(enabled);
    if (auto* layer = dynamic_cast<CCLayer*>(getChildByTag(77))) layer->setTouchEnabled(enabled);
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

void QNPScreenScene::performButtonAction(QNModel* buttonModel) {
    if (!buttonModel) return;
    QNPNavigationController* nav = QNPNavigationController::sharedController();
    if (!nav->goToWorld(buttonModel->displayName(), false, false)) return;
    if (CCScene* scene = nav->currentScene()) runScene(scene);
}

// ----- Per-frame update ------------------------------------------------------------------------

CCPoint QNPScreenScene::direction() const {
    return QNPGameplayParameters::shared()->directionVector();
}

void QNPScreenScene::update(float dt) {
    // 1.
    QNPScreen::update(dt);
    // 2. A restart at the checkpoint asked for on the previous frame.
    if (m_restartPending) {
        m_restartPending = false;
        m_gameOver = false;
        resetWorld();
        showAds();
        showHud();
        m_content->setVisible(true);
    }
    // 3. After game over only the loop sounds of units and powerups go on, fading out.
    if (m_gameOver && m_gameLayer)
        if (CCArray* children = m_gameLayer->getChildren())
            for (CCObject* child : children->data())
                if (auto* asset = dynamic_cast<QNPObjectAsset*>(child))
                    if (asset->hasKind(QNPObject::kKindUnit) || asset->hasKind(QNPObject::kKindPowerup))
                        asset->updateLoopSound(dt);
    // 4.
    if (m_paused || m_gameOver || !m_world) return;

    // 5. The camera.
    const CCPoint focus = m_input->focusPoint();
    m_gameLayer->setTarget(focus);
    m_gameLayer->setCharacterRectangle(m_input->charactersRect());
    m_gameLayer->update(kStep);

    // 6. Exactly one physics step, whatever dt is.
    float timeScale = QNPGameplayParameters::shared()->simulationTimeScale;
    if (!finite(timeScale) || timeScale < 0.0f) timeScale = 0.0f;
    retain();
    ++m_stepDepth;
    if (!m_world->IsLocked()) {
        m_world->Step(timeScale * kStep, 6, 6);
        ++m_physicsSteps;
        QNPObject::destroyDeferredBodies(m_world.get());
    }
    fixedStep(kStep);
    --m_stepDepth;
    if (m_hasPendingJump) {
        runPendingJump();
        release();
        return;
    }

    // 7. Flash.
    if (m_flashSprite) {
        if (m_flashLeft > 0.0f && m_flashDuration > 0.0f) {
            m_flashSprite->setOpacity(
                (GLubyte)(unsigned)(std::min(1.0f, m_flashLeft / m_flashDuration) * 255.0f));
            m_flashLeft -= dt;
        } else {
            m_flashSprite->setOpacity(0);
        }
    }
    // 8. Shake.
    if (m_shakeLeft > 0.0f) {
        const float t = m_shakeLeft;
        const float c = std::min(std::max(t, 0.0f), 1.0f);
        setPosition(
            CCPoint(noise1((t + 200.0f) * 16.0f) * 70.0f * c, noise1((t + 150.0f) * 16.0f) * 70.0f * c));
        m_shakeLeft -= dt;
    }
    // 9. Pending teleports arrive with the teleport assets.
    // 10.
    stepCreationQueue();
    // 11.
    if (!m_input->hasPlayingCharacter()) updateNoCharacter(dt);
    release();
}

void QNPScreenScene::updateNoCharacter(float dt) {
    // 12.
    m_speedDecay = 0.1f;
    if (m_overlay) m_overlay->setButtonsEnabled(false);
    // 13.
    m_gameOverCountdown -= dt;
    if (m_gameOverCountdown < 0.0f && !m_gameOver) setGameOver(true);
}

void QNPScreenScene::fixedStep(float dt) {
    // 1. Every direct child of the game layer, as it was when the step began: objects added during
    // the walk update from the next step, and removed ones are skipped.
    m_walk.clear();
    if (CCArray* children = m_gameLayer->getChildren())
        for (CCObject* child : children->data()) {
            child->retain();
            m_walk.push_back(static_cast<CCNode*>(child));
        }
    m_doomed.clear();
    for (std::size_t i = 0; i < m_walk.size(); ++i) {
        CCNode* node = m_walk[i];
        if (node->getParent() != m_gameLayer) continue; // removed by an earlier object's update
        node->update(dt);
        auto* object = dynamic_cast<QNPObject*>(node);
        if (!object) continue;
        checkDeletion(object);
        if (object->state() == QNPObject::kStateDestroyed && object->getParent() == m_gameLayer) {
            object->retain();
            m_doomed.push_back(object);
        }
    }
    for (CCNode* node : m_walk) node->release();
    m_walk.clear();

    // 2. Removal of the destroyed objects (their motor joints first, while their bodies exist).
    if (!m_doomed.empty()) {
        m_input->removeJointsOf(m_doomed);
        for (QNPObject* object : m_doomed) {
            if (object->getParent() == m_gameLayer) m_gameLayer->removeChild(object, true);
            m_mirrors.erase(std::remove(m_mirrors.begin(), m_mirrors.end(), object), m_mirrors.end());
            object->release();
        }
        m_doomed.clear();
    }

    // 3. Game speed.
    QNPGameplayParameters* parameters = QNPGameplayParameters::shared();
    if (m_speedDecay > 0.0f) {
        parameters->currentGameSpeed = std::max(0.0f, parameters->currentGameSpeed - m_speedDecay);
    } else {
        parameters->currentGameSpeed += parameters->gameSpeedIncrease;
        if (parameters->currentGameSpeed < parameters->gameSpeedMin)
            parameters->currentGameSpeed = parameters->gameSpeedMin;
        if (parameters->currentGameSpeed > parameters->gameSpeedMax)
            parameters->currentGameSpeed = parameters->gameSpeedMax;
    }

    // 4. Distance.
    const CCPoint dir = direction();
    const CCPoint moved = m_gameLayer->movement();
    float d = dir.x * moved.x + dir.y * moved.y;
    if (!finite(d)) d = 0.0f;
    if (d > 0.0f && m_input->hasPlayingCharacter()) addDistance(parameters->scoreMultiplier * d);

    // 5. Streaming: at most one section per step.
    m_lookAhead += d;
    if (m_cursor < m_lookAhead) {
        if (QNModelLevelSection* section = chooseSection(m_cursor)) {
            const float width = section->width();
            if (width > 0.0f && finite(width)) {
                m_cursor += placeSection(section, m_cursor);
            } else {
                // A section without width would be placed again at the same distance every step.
                section->setCooldownCounter(std::max(section->cooldownCounter(), 1));
                CCLog("[QNPScreenScene] - level section %u has no width; not placed", section->id());
            }
        }
    }

    // 6. Background layers follow with the background subsystem.
    // 7. Magnet.
    if (m_magnet) {
        const CCPoint focus = m_input->focusPoint();
        m_walk.clear();
        if (CCArray* children = m_gameLayer->getChildren())
            for (CCObject* child : children->data())
                if (auto* object = dynamic_cast<QNPObject*>(child))
                    if (object->hasKind(QNPObject::kKindPowerup) && object->body()) m_walk.push_back(object);
        for (CCNode* node : m_walk) {
            auto* object = static_cast<QNPObject*>(node);
            const CCPoint p = object->getPosition();
            const float distance = std::hypot(p.x - focus.x, p.y - focus.y);
            if (distance >= 400.0f) continue;
            const float f = std::pow(1.0f - distance / 400.0f, 3.0f);
            const float k = 1.0f - f;
            const b2Vec2 target((focus.x + (p.x - focus.x) * k) * QNPObject::kPhysicsScale,
                                (focus.y + (p.y - focus.y) * k) * QNPObject::kPhysicsScale);
            if (target.IsValid() && !m_world->IsLocked())
                object->body()->SetTransform(target, object->body()->GetAngle());
        }
        m_walk.clear();
    }
}

void QNPScreenScene::addDistance(float d) {
    QNPNavigationController* nav = QNPNavigationController::sharedController();
    // Only the world the navigation state runs scores.
    if (nav->worldLayer() && nav->worldLayer() != this) return;
    qn::scoreRecord("").addDistance(d);
    qn::scoreRecord(nav->worldKey()).addDistance(d);
}

// ----- Flash, shake, pause ----------------------------------------------------------------------

void QNPScreenScene::flash(float seconds) {
    CCLog("[QNPScreenScene] - flash: %f", seconds);
    if (!finite(seconds) || seconds < 0.0f) seconds = 0.0f;
    m_flashLeft = m_flashDuration = seconds;
    if (seconds == 0.0f && m_flashSprite) m_flashSprite->setOpacity(0);
}

void QNPScreenScene::shake(float seconds) {
    CCLog("[QNPScreenScene] - shake: %f", seconds);
    if (!finite(seconds) || seconds < 0.0f) seconds = 0.0f;
    m_shakeLeft = seconds;
    if (seconds == 0.0f) setPosition(CCPointZero);
}

int QNPScreenScene::flashOpacity() const {
    return m_flashSprite ? (int)m_flashSprite->getOpacity() : 0;
}

void QNPScreenScene::collectDescendants(CCNode* node, std::vector<QNPObject*>& out) {
    CCArray* children = node ? node->getChildren() : nullptr;
    if (!children) return;
    for (CCObject* child : children->data()) {
        auto* childNode = static_cast<CCNode*>(child);
        if (auto* object = dynamic_cast<QNPObject*>(childNode)) out.push_back(object);
        collectDescendants(childNode, out);
    }
}

void QNPScreenScene::setAnimationsPaused(bool paused) {
    if (!m_gameLayer) return;
    // Collected first: pausing may change the tree.
    std::vector<QNPAnimationObject*> animations;
    std::vector<CCNode*> stack{m_gameLayer};
    while (!stack.empty()) {
        CCNode* node = stack.back();
        stack.pop_back();
        if (CCArray* children = node->getChildren())
            for (CCObject* child : children->data()) {
                auto* childNode = static_cast<CCNode*>(child);
                if (auto* animation = dynamic_cast<QNPAnimationObject*>(childNode))
                    animations.push_back(animation);
                stack.push_back(childNode);
            }
    }
    for (QNPAnimationObject* animation : animations) animation->retain();
    for (QNPAnimationObject* animation : animations) {
        if (paused)
            animation->pause();
        else
            animation->resume();
        animation->release();
    }
}

void QNPScreenScene::setPaused(bool paused) {
    if (paused == m_paused) return;
    m_paused = paused;
    if (!paused) showAds();
    setAnimationsPaused(paused);
}

void QNPScreenScene::openPause(CCObject* sender) {
    if (m_paused || m_gameOver) return;
    auto* node = dynamic_cast<CCNode*>(sender);
    auto* model = node ? dynamic_cast<QNModel*>(node->getUserObject()) : nullptr;
    std::string name = model ? model->displayName() : std::string();
    if (name.empty()) name = "Pause";
    if (!QNPNavigationController::sharedController()->openScreen(name, false)) return;
    if (!m_paused) {
        m_paused = true;
        setAnimationsPaused(true);
    }
    refreshOverlay();
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
    const std::string key = nav->currentScreenKey();
    if (key.empty()) return;
    m_overlay = QNPScreenUi::create();
    if (!m_overlay) return;
    addChild(m_overlay, kOverlayZOrder);
    if (m_paused) {
        if (m_runningOverlayKeys.count(key)) {
            m_paused = false;
            showAds();
            setAnimationsPaused(false);
        }
    } else {
        m_runningOverlayKeys.insert(key);
    }
    m_overlay->update(0.0f);
}

void QNPScreenScene::showHud() {
    if (!QNPNavigationController::sharedController()->showWorldHud()) return;
    m_runningOverlayKeys.clear();
    if (m_paused) setPaused(false);
    refreshOverlay();
}

void QNPScreenScene::popOverlay() {
    if (QNPNavigationController::sharedController()->popScreen()) refreshOverlay();
}

void QNPScreenScene::resumeWorld() {
    if (m_paused) {
        m_paused = false;
        showAds();
        setAnimationsPaused(false);
    }
    m_content->setVisible(true);
    restartObjectAnimations();
    playScreenMusic();
}

void QNPScreenScene::killAllEnemies() {
    std::vector<QNPObject*> objects;
    collectDescendants(m_gameLayer, objects);
    std::vector<QNPObject*> doomed;
    for (QNPObject* object : objects) {
        auto* asset = dynamic_cast<QNPObjectAsset*>(object);
        if (!asset || !asset->hasKind(QNPObject::kKindUnit) || !asset->isVisible() || !asset->isAwake())
            continue;
        if (!isEnemy(asset->model()) || asset->destroyType() != 1) continue; // 1: "Destroy Character"
        doomed.push_back(asset);
    }
    // State changes may move nodes: applied after the walk.
    for (QNPObject* object : doomed) object->retain();
    for (QNPObject* object : doomed) {
        object->setState(QNPObject::kStateDying);
        object->release();
    }
}

// ----- Keys -------------------------------------------------------------------------------------

void QNPScreenScene::keyBackClicked() {
    CCLog("[QNPScreenScene] - key back clicked");
    if (m_gameOver) {
        if (!m_overlay) return;
        CCMenuItem* restart = m_overlay->buttonWithAction("kRestartButton");
        if (restart)
            m_overlay->actionRestart(restart);
        else
            m_overlay->actionRestart(nullptr);
        return;
    }
    if (m_overlay && m_overlay->buttonWithAction("kPauseButton") && !m_paused) {
        openPause(nullptr);
        return;
    }
    popOverlay();
}

namespace {
/// The input action of a framework key code; 0 for none. The select-like codes 96, 99 and 100 jump.
int actionForKey(int code) {
    switch (code) {
    case 19:
        return 1;
    case 20:
        return 2;
    case 21:
        return 4;
    case 22:
        return 3;
    case 23:
    case 96:
    case 99:
    case 100:
        return 5;
    default:
        return 0;
    }
}
} // namespace

void QNPScreenScene::onKeyDown(int keyCode) {
    if (m_overlay) m_overlay->onKeyDown(keyCode);
    if (const int action = actionForKey(keyCode)) m_input->actionPressed(action, nullptr);
}

void QNPScreenScene::onKeyUp(int keyCode) {
    if (m_overlay) m_overlay->onKeyUp(keyCode);
    // 96, 99 and 100 press the jump on key down, so they release it on key up as well.
    if (const int action = actionForKey(keyCode)) m_input->actionReleased(action, nullptr);
}

// ----- Jumps ------------------------------------------------------------------------------------

void QNPScreenScene::jumpTo(const std::string& name, bool pause, bool restartOld, bool saveScores) {
    PendingJump jump;
    jump.name = name;
    jump.pause = pause;
    jump.restartOld = restartOld;
    jump.saveScores = saveScores;
    if (m_stepDepth > 0) {
        // Inside the physics step or an object update: carried out once the fixed step is over.
        if (!m_hasPendingJump) {
            m_pendingJump = jump;
            m_hasPendingJump = true;
        }
        return;
    }
    carryOutJump(jump);
}

void QNPScreenScene::endRun() {
    if (m_stepDepth > 0) {
        if (!m_hasPendingJump) {
            m_pendingJump = PendingJump();
            m_pendingJump.endRun = true;
            m_hasPendingJump = true;
        }
        return;
    }
    carryOutEndRun();
}

void QNPScreenScene::runPendingJump() {
    if (!m_hasPendingJump) return;
    PendingJump jump = m_pendingJump;
    m_hasPendingJump = false;
    if (jump.endRun)
        carryOutEndRun();
    else
        carryOutJump(jump);
}

void QNPScreenScene::carryOutJump(const PendingJump& jump) {
    QNPNavigationController* nav = QNPNavigationController::sharedController();
    if (nav->openScreen(jump.name, true)) {
        if (jump.pause != m_paused) {
            m_paused = jump.pause;
            if (!m_paused) showAds();
            setAnimationsPaused(m_paused);
        }
        refreshOverlay();
        return;
    }
    if (!nav->goToWorld(jump.name, false, jump.saveScores)) return;
    CCScene* scene = nav->currentScene();
    if (!scene) return;
    if (jump.restartOld)
        if (QNPScreenScene* destination = nav->worldLayer()) destination->discardWorldProgress(false);
    runScene(scene);
}

void QNPScreenScene::carryOutEndRun() {
    QNPNavigationController* nav = QNPNavigationController::sharedController();
    if (!nav->goToWorld("End", true, false)) return;
    if (CCScene* scene = nav->currentScene()) runScene(scene);
}

// ----- Streaming --------------------------------------------------------------------------------

float QNPScreenScene::placeSection(QNModelLevelSection* section, float distance) {
    if (!section) return 0.0f;
    CCLog("add level section: %u", section->id());
    section->setPlacedStartDistance(distance);
    Placement placement;
    const CCPoint dir = direction();
    placement.offset = CCPoint(dir.x * distance, dir.y * distance);
    placement.section = section;
    section->retain();
    m_queue.push_back(std::move(placement));
    return section->width();
}

QNModelLevelSection* QNPScreenScene::chooseSection(float distance) {
    std::vector<QNModelLevelSection*> candidates;
    auto eligible = [distance](QNModelLevelSection* s) {
        if (s->isInitSection() || s->isMuted()) return false;
        if (s->isSolo()) return true;
        if (s->startDistance() > distance) return false;
        return s->endDistance() < 0.0f || distance < s->endDistance();
    };
    for (QNModelLevelSection* section : m_sections)
        if (eligible(section) && section->cooldownCounter() <= 0) candidates.push_back(section);
    if (candidates.empty())
        for (QNModelLevelSection* section : m_sections)
            if (eligible(section)) candidates.push_back(section);
    if (candidates.empty()) return nullptr;
    QNModelLevelSection* chosen = candidates[(std::size_t)(std::rand() % (int)candidates.size())];
    const float cooldown = chosen->playCooldown();
    chosen->setCooldownCounter(finite(cooldown) ? (int)std::max(-1e9f, std::min(cooldown, 1e9f)) : 0);
    return chosen;
}

bool QNPScreenScene::stepCreationQueue() {
    if (m_queue.empty()) return true;
    Placement& record = m_queue.front();
    const auto& children = record.section->children();
    const int count = (int)children.size();
    int processed = 0;
    while (record.nextChild + processed < count && processed < kCreationBatch) {
        QNModel* child = children[(std::size_t)(record.nextChild + processed)];
        ++processed;
        if (!child || isHiddenModel(child)) continue;
        if (child->hasClassName("QNModelObjectButton")) {
            // World buttons are built by the button widgets of the world's screens.
            continue;
        }
        if (child->hasClassName("QNModelObjectLabel") || child->hasClassName("QNModelObjectGroup")) {
            QNPObject* object = ::createObject(child);
            if (!object) continue;
            auto* placed = dynamic_cast<QNModelObject*>(child);
            if (child->hasClassName("QNModelObjectLabel")) {
                if (placed) object->setPosition(record.offset + placed->position());
                object->setTag((int)child->id());
            }
            m_gameLayer->addChild(object, placed ? placed->depth() : 0);
            object->setGameLayer(m_gameLayer);
            object->update(0.0f);
            object->retain();
            record.created.push_back(object);
            continue;
        }
        if (QNPObject* object = createObject(child, (int)record.section->id(), record.offset, true)) {
            object->retain();
            record.created.push_back(object);
        }
    }
    // A full batch waits for its next turn even when it used up the children.
    if (processed < kCreationBatch) {
        Placement finished = std::move(record);
        m_queue.erase(m_queue.begin());
        finishPlacement(finished);
        return true;
    }
    // A batch done: this section waits behind the others.
    record.nextChild += kCreationBatch;
    Placement moved = std::move(record);
    m_queue.erase(m_queue.begin());
    m_queue.push_back(std::move(moved));
    return false;
}

void QNPScreenScene::finishPlacement(Placement& placement) {
    auto findCreated = [&](QNModel* model) -> QNPObject* {
        QNPObject* found = nullptr;
        for (QNPObject* object : placement.created)
            if (model && object->getTag() == (int)model->id()) found = object;
        return found;
    };
    for (QNModelLinker* linker : placement.section->childLinkers()) {
        QNModel* a = linker->objectA();
        QNModel* b = linker->objectB();
        if (!a || !b) continue;
        QNPObject* objectA = findCreated(a);
        QNPObject* objectB = findCreated(b);
        if (!objectA || !objectB) {
            if (a->hasClassName("QNModelObjectAssetPowerup") && !objectA && objectB && objectB->getParent())
                objectB->removeFromParentAndCleanup(true);
            continue;
        }
        auto* assetB = dynamic_cast<QNPObjectAsset*>(objectB);
        if (objectB->hasKind(QNPObject::kKindLabel) || (assetB && assetB->isFixedMover()) ||
            objectB->isSpawning()) {
            // B rides on A: its transform relative to A is kept.
            CCAffineTransform bWorld = objectB->nodeToWorldTransform();
            CCAffineTransform aInverse = CCAffineTransformInvert(objectA->nodeToWorldTransform());
            CCAffineTransform relative = CCAffineTransformConcat(bWorld, aInverse);
            objectB->retain();
            objectB->removeFromParentAndCleanup(false);
            // The framework has no additional transform: the relative one becomes B's own.
            objectB->setPosition(CCPoint(relative.tx, relative.ty));
            objectB->setRotation(std::atan2(-relative.b, relative.a) * 180.0f / kPi);
            objectB->setScaleX(std::sqrt(relative.a * relative.a + relative.b * relative.b));
            objectB->setScaleY(std::sqrt(relative.c * relative.c + relative.d * relative.d));
            objectA->addChild(objectB);
            objectB->release();
            if (assetB && !objectB->hasKind(QNPObject::kKindLabel)) assetB->setAttached(true);
            continue;
        }
        for (QNPObject* object : {objectA, objectB})
            if (auto* asset = dynamic_cast<QNPObjectAsset*>(object))
                if (!asset->body() && !m_world->IsLocked()) asset->createBody(m_world.get(), false);
        b2Body* bodyA = objectA->body();
        b2Body* bodyB = objectB->body();
        if (!bodyA || !bodyB || bodyA == bodyB || m_world->IsLocked()) continue;
        const CCPoint anchorPoint = objectB->getPosition();
        const b2Vec2 anchor(anchorPoint.x * QNPObject::kPhysicsScale,
                            anchorPoint.y * QNPObject::kPhysicsScale);
        if (!anchor.IsValid()) continue;
        b2RevoluteJointDef def;
        def.Initialize(bodyA, bodyB, anchor);
        const float torque = linker->torque();
        def.maxMotorTorque = finite(torque) ? torque : 0.0f;
        const float speed = finite(linker->speed()) ? linker->speed() : 0.0f;
        if (linker->buttonActivated()) {
            def.enableMotor = true;
        } else {
            def.enableMotor = speed != 0.0f;
            def.motorSpeed = -speed;
        }
        auto* joint = static_cast<b2RevoluteJoint*>(m_world->CreateJoint(&def));
        if (linker->buttonActivated()) m_input->addMotorJoint(joint, linker);
        CCLog("Created motor at: %f %f", anchorPoint.x, anchorPoint.y);
    }
    for (QNPObject* object : placement.created) object->release();
    placement.created.clear();
    if (placement.section) placement.section->release();
    placement.section = nullptr;
}

void QNPScreenScene::clearQueue() {
    for (Placement& placement : m_queue) {
        for (QNPObject* object : placement.created) object->release();
        if (placement.section) placement.section->release();
    }
    m_queue.clear();
}

QNPObject* QNPScreenScene::createObject(QNModel* model, int sectionId, const CCPoint& offset,
                                        bool startFilter) {
    if (!model || !m_gameLayer) return nullptr;
    QNPObject* object = ::createObject(model);
    if (!object) return nullptr;
    if (startFilter && object->hasKind(QNPObject::kKindCharacter) &&
        sectionId != QNPNavigationController::sharedController()->startSection()) {
        // Characters exist only in the section the world starts from.
        object->setState(QNPObject::kStateDestroyed);
        return nullptr;
    }
    auto* placed = dynamic_cast<QNModelObject*>(model);
    object->setSpawning(placed && placed->hasSpawner());
    auto* asset = dynamic_cast<QNPObjectAsset*>(object);
    if (asset) asset->setSectionIndex(sectionId);
    const CCPoint authored = placed ? placed->position() : CCPointZero;
    CCPoint position(authored.x + offset.x, authored.y + offset.y);
    if (!finite(position.x) || !finite(position.y)) position = CCPointZero;
    object->setPosition(position);
    object->setTag((int)model->id());
    m_gameLayer->addChild(object, placed ? placed->depth() : 0);
    object->setGameLayer(m_gameLayer);
    if (asset && !m_world->IsLocked()) asset->createBody(m_world.get(), true);
    object->update(0.0f);
    if (object->hasKind(QNPObject::kKindMirror)) m_mirrors.push_back(object);
    return object;
}

bool QNPScreenScene::addSpawned(QNPObject* object, QNPObject* spawner) {
    if (!object || !m_gameLayer) return false;
    int z = 1000;
    if (spawner) {
        const CCAffineTransform t =
            CCAffineTransformConcat(spawner->nodeToWorldTransform(), m_gameLayer->worldToNodeTransform());
        if (!finite(t.tx) || !finite(t.ty)) return false;
        object->setPosition(CCPoint(t.tx, t.ty));
        object->setRotation(std::atan2(-t.b, t.a) * QNPObject::kRadiansToDegrees);
        object->setScaleX(std::sqrt(t.a * t.a + t.b * t.b));
        object->setScaleY(std::sqrt(t.c * t.c + t.d * t.d));
        z = object->getZOrder();
        CCNode* parent = spawner->getParent();
        if (parent && parent != m_gameLayer) z += parent->getZOrder();
    }
    m_gameLayer->addChild(object, z);
    object->setGameLayer(m_gameLayer);
    if (auto* asset = dynamic_cast<QNPObjectAsset*>(object))
        if (!m_world->IsLocked()) asset->createBody(m_world.get(), true);
    return true;
}

void QNPScreenScene::checkDeletion(QNPObject* object) {
    if (!object) return;
    const int kind = object->kind();
    if (kind & (QNPObject::kKindBackground | QNPObject::kKindLabel | QNPObject::kKindGroup)) return;
    if ((kind & QNPObject::kKindCharacter) && object->state() != QNPObject::kStateDying) return;
    if ((kind & QNPObject::kKindPowerup) && object->state() == QNPObject::kStatePowerupActive) return;
    if (CCArray* children = object->getChildren())
        for (CCObject* child : children->data())
            if (auto* powerup = dynamic_cast<QNPObject*>(child))
                if (powerup->hasKind(QNPObject::kKindPowerup) &&
                    powerup->state() == QNPObject::kStatePowerupActive)
                    return;

    QNPGameplayParameters* parameters = QNPGameplayParameters::shared();
    const float theta = parameters->gameAngleDirection * kPi / 180.0f;
    float sides = parameters->verticalViewMargin, back = parameters->horizontalViewMargin;
    const bool sidesOn = sides != -1.0f, backOn = back != -1.0f;
    if (!sidesOn) sides = 550.0f;
    if (!backOn) back = 300.0f;
    if (!sidesOn && !backOn) return;

    const CCSize win = CCDirector::sharedDirector()->getWinSize();
    const CCPoint c(win.width / 2, win.height / 2);
    const float w = back + win.width / 2, h = sides + win.height / 2;
    const CCPoint layer = m_gameLayer->getPosition();
    const float cr = std::cos(-theta), sr = std::sin(-theta);
    const CCPoint local[4] = {CCPoint(w, -h), CCPoint(-w, -h), CCPoint(-w, h), CCPoint(w, h)};
    CCPoint k[4];
    for (int i = 0; i < 4; ++i)
        k[i] = CCPoint(c.x + local[i].x * cr - local[i].y * sr - layer.x,
                       c.y + local[i].x * sr + local[i].y * cr - layer.y);

    const CCRect box = object->boundingBox();
    const CCPoint m(box.getMidX(), box.getMidY());
    const float bw = box.size.width, bh = box.size.height;
    for (int i = 0; i < 3; ++i) {
        if ((i == 1 && !backOn) || (i != 1 && !sidesOn)) continue;
        const float a = -theta - kPi / 2 - (float)i * kPi / 2;
        const CCPoint p1(m.x + std::cos(a) * bw / 2, m.y + std::sin(a) * bh / 2);
        const CCPoint p2(m.x - std::cos(a) * bw / 2, m.y - std::sin(a) * bh / 2);
        const CCPoint e1 = k[i], e2 = k[i + 1];
        // p1 + t (p2 - p1) on the edge's line.
        const float sx = p2.x - p1.x, sy = p2.y - p1.y, ex = e2.x - e1.x, ey = e2.y - e1.y;
        const float denominator = sx * ey - sy * ex;
        if (std::fabs(denominator) < 1e-9f) continue;
        const float t = ((e1.x - p1.x) * ey - (e1.y - p1.y) * ex) / denominator;
        if (finite(t) && t > 1.0f) {
            object->setState(QNPObject::kStateDestroyed);
            return;
        }
    }
}

// ----- Restart ----------------------------------------------------------------------------------

void QNPScreenScene::resetWorld() {
    if (!m_world || !m_gameLayer) return;
    // A restarted world starts with every switch button on.
    QNPObjectButtonSwitch::clearSwitchStates();
    QNPNavigationController* nav = QNPNavigationController::sharedController();
    const std::string worldKey = nav->worldKey();
    // 1. The world's music starts with the sound controller.
    // 2.
    qn::QNScoreRecord& record = qn::scoreRecord(worldKey);
    record.coins.current = 0;
    record.coins.hasSnapshot = true;
    record.coins.snapshot = 0;
    // 3.
    m_input->reset();
    m_gameLayer->reset();
    m_gameLayer->setPosition(CCPointZero);
    m_gameLayer->setFollowFactor(1.0f);
    // 4.
    m_speedDecay = 0.0f;
    m_gameOverCountdown = m_gameOverDelay;
    // 5.
    CCLog("[QNPScreenScene] - flash: %f", 0.0);
    m_flashLeft = m_flashDuration = 0.0f;
    if (m_flashSprite) m_flashSprite->setOpacity(0);
    CCLog("[QNPScreenScene] - shake: %f", 0.0);
    m_shakeLeft = 0.0f;
    setPosition(CCPointZero);
    // 6. Every object of the previous run goes (background layers stay), and so does whatever
    // was still queued for it.
    clearQueue();
    m_mirrors.clear();
    std::vector<CCNode*> removed;
    if (CCArray* children = m_gameLayer->getChildren())
        for (CCObject* child : children->data()) {
            auto* object = dynamic_cast<QNPObject*>(child);
            if (object && object->hasKind(QNPObject::kKindBackground)) continue;
            removed.push_back(static_cast<CCNode*>(child));
        }
    std::vector<QNPObject*> removedObjects;
    for (CCNode* node : removed)
        if (auto* object = dynamic_cast<QNPObject*>(node)) removedObjects.push_back(object);
    m_input->removeJointsOf(removedObjects);
    for (CCNode* node : removed) {
        node->retain();
        node->removeFromParentAndCleanup(true);
        if (auto* object = dynamic_cast<QNPObject*>(node)) {
            object->setState(QNPObject::kStateDestroyed);
            object->destroyBody();
        }
        node->release();
    }
    // 7. Background layers reset with the background subsystem.
    m_input->clearMotorJoints();
    m_input->clearActionListeners();
    // 8.
    for (QNModelLevelSection* section : m_sections)
        if (section->cooldownCounter() > 0) section->setCooldownCounter(section->cooldownCounter() - 1);
    // 9.
    m_paused = false;
    m_gameOver = false;
    m_lookAhead = kInitialLookAhead;
    m_cursor = 0.0f;
    // 10. The start section.
    auto buildAll = [this](const char* line) {
        for (int guard = 0; guard < 1000000; ++guard) {
            CCLog("%s", line);
            if (stepCreationQueue()) break;
        }
    };
    const int start = nav->startSection();
    bool placed = false;
    if (start != 0) {
        for (QNModelLevelSection* section : m_sections) {
            if ((int)section->id() != start) continue;
            m_cursor += placeSection(section, m_cursor);
            placed = true;
            buildAll("[destinetion] updaing object creation queue");
        }
    }
    if (!placed && !m_sections.empty()) {
        QNModelLevelSection* first = m_sections.front();
        nav->setStartSection((int)first->id());
        m_cursor += placeSection(first, m_cursor);
        buildAll("[start] updaing object creation queue");
    }
    const int startSectionId = nav->startSection();
    // 11. Restoring a checkpoint arrives with the checkpoint rules (saveCheckpoint below keeps the
    // record).
    // 12.
    qn::scoreRecord(worldKey).restoreSnapshot();
    qn::scoreRecord("").restoreSnapshot();
    // 13.
    for (auto& entry : m_objects) entry.first->setAnimationTime(0.0f);
    // 14.
    QNPGameplayParameters* parameters = QNPGameplayParameters::shared();
    parameters->currentGameSpeed = parameters->gameSpeedMin;
    m_magnet = false;
    // 15. Powerup buttons refill with the inventory.
    // 16.
    update(0.0f);
    buildAll("updaing object creation queue");
    // 17.
    ensureCharacter(startSectionId);
    // 18.
    if (QNModelScreenScene* model = worldModel()) m_gameLayer->setFollowFactor(model->cameraSmooth());
    QNPSettingsController::sharedSettings()->save();
}

void QNPScreenScene::ensureCharacter(int sectionId) {
    if (m_input->characters()->count() > 0) return;
    QNModelLevelSection* section = nullptr;
    const auto& all = QNModelController::sharedModelController()->modelListOfClass("QNModelLevelSection");
    for (QNModel* model : all)
        if ((int)model->id() == sectionId) section = dynamic_cast<QNModelLevelSection*>(model);
    if (!section) return;
    for (QNModel* model : all) {
        auto* init = dynamic_cast<QNModelLevelSection*>(model);
        if (!init || !init->isInitSection() || init->parentScreenId() != section->parentScreenId()) continue;
        for (QNModel* child : init->children())
            if (child->hasClassName("QNModelObjectAssetCharacter") && !isHiddenModel(child))
                createObject(child, (int)init->id(), CCPointZero, false);
    }
}

void QNPScreenScene::setGameOver(bool over) {
    if (m_gameOver && over) return;
    if (over) {
        // Lives: with lives left the world restarts at its checkpoint on the next frame.
        QNModel* health = m_input->firstCharacterHealth();
        if (health && health->hasClassName("QNModelComponentHealth")) {
            const int lives = livesAccess().get(health);
            if (lives < 1) {
                livesAccess().set(health, 0);
            } else {
                livesAccess().set(health, lives - 1);
                if (lives >= 2) {
                    m_restartPending = true;
                    return;
                }
            }
        }
    }
    m_gameOver = over;
    if (!over) {
        resetWorld();
        showAds();
        return;
    }
    setAnimationsPaused(true);
    // Every powerup enters its ending state; collected first, changed after the walk.
    std::vector<QNPObject*> objects;
    collectDescendants(m_gameLayer, objects);
    std::vector<QNPObject*> powerups;
    for (QNPObject* object : objects)
        if (object->hasKind(QNPObject::kKindPowerup)) powerups.push_back(object);
    for (QNPObject* object : powerups) object->retain();
    for (QNPObject* object : powerups) {
        object->setState(QNPObject::kStateDying);
        object->release();
    }
    QNPSettingsController::sharedSettings()->save();
    QNPObjectButtonSwitch::clearSwitchStates();
    if (m_overlay) m_overlay->setButtonsEnabled(false);
}

void QNPScreenScene::restartFromScratch() {
    const std::string worldKey = QNPNavigationController::sharedController()->worldKey();
    qn::checkpointRecord(worldKey).clear();
    qn::scoreRecord(worldKey).clearCurrent();
    qn::scoreRecord("").restoreSnapshot();
    resetWorld();
}

void QNPScreenScene::discardWorldProgress(bool showHudToo) {
    QNPNavigationController* nav = QNPNavigationController::sharedController();
    const std::string worldKey = nav->worldKey();
    // 1.
    qn::checkpointRecord(worldKey).clear();
    // 2.
    qn::QNScoreRecord& global = qn::scoreRecord("");
    qn::QNScoreRecord& world = qn::scoreRecord(worldKey);
    global.restoreSnapshot();
    if (!worldKey.empty()) world.restoreSnapshot();
    // 3. The world's part leaves the game-wide current values, never below 0.
    if (!worldKey.empty()) {
        global.distance.current = std::max(0.0, global.distance.current - world.distance.current);
        global.points.current = std::max(0.0, global.points.current - world.points.current);
        global.coins.current = std::max(0.0, global.coins.current - world.coins.current);
        // 4.
        world.clearCurrent();
    }
    global.saveSnapshot();
    // 5.
    if (nav->worldLayer() == this) {
        m_gameOver = false;
        resetWorld();
        showAds();
    }
    // 6.
    if (showHudToo) showHud();
    // 7.
    QNPSettingsController::sharedSettings()->save();
}

void QNPScreenScene::saveCheckpoint(const CCPoint& characterPosition, int sectionId) {
    const std::string worldKey = QNPNavigationController::sharedController()->worldKey();
    qn::QNCheckpointRecord& record = qn::checkpointRecord(worldKey);
    for (QNModelLevelSection* section : m_sections)
        if ((int)section->id() == sectionId) record.distance = section->placedStartDistance();
    record.characterX = characterPosition.x;
    record.characterY = characterPosition.y;
    record.sectionId = sectionId;
    qn::scoreRecord(worldKey).saveSnapshot();
    qn::scoreRecord("").saveSnapshot();
    QNPSettingsController::sharedSettings()->save();
}

void QNPScreenScene::activateNextCheckpoint() {
    CCLog("[QNPScreenScene] - next checkpoint: not available yet");
}

// ----- The object environment -------------------------------------------------------------------

void QNPScreenScene::characterCreated(QNPObject* character) {
    if (m_input) m_input->addCharacter(character);
}

bool QNPScreenScene::hasLivingCharacter() const {
    if (!m_input) return false;
    for (CCObject* object : m_input->characters()->data())
        if (static_cast<QNPObject*>(object)->state() != QNPObject::kStateDying) return true;
    return false;
}

CCPoint QNPScreenScene::charactersMeanPosition() const {
    return m_input ? m_input->focusPoint() : CCPointZero;
}

int QNPScreenScene::selectedCharacterIndex() const {
    return QNPSettingsController::sharedSettings()->selectedCharacter();
}
