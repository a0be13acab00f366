#pragma once
// The world screen: the layer that runs one world. It owns the Box2D world and the game layer (the
// camera node) in which every runtime object lives, drives the per-frame order of camera, physics,
// objects, section streaming and game speed, counts the distance score, shows a UI screen as its
// overlay (HUD, pause menu, game-over screen) and turns pause, back and game-over conditions into
// navigation steps.
//
// Ownership: the world owns its b2World, its contact listener and debug-draw object, its input
// controller and its creation queue. Runtime objects are children of the game layer; on teardown
// they go before the b2World.

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/CCGeometry.h"
#include "navigation/QNPScreen.h"
#include "objects/QNObjectEnvironment.h"

class b2World;
class b2Draw;
class QNModel;
class QNModelLevelSection;
class QNModelScreenScene;
class QNPContactListener;
class QNPGameFieldCamera;
class QNPInputController;
class QNPObject;
class QNPScreenUi;

namespace cocos2d {
class CCArray;
class CCSprite;
} // namespace cocos2d

class QNPScreenScene : public QNPScreen, public QNObjectEnvironment {
public:
    /// The overlay's z-order.
    static constexpr int kOverlayZOrder = 10000;
    /// Look-ahead at every reset: sections are placed while the cursor is behind it.
    static constexpr float kInitialLookAhead = 1400.0f;
    /// Children of one section created per queue step.
    static constexpr int kCreationBatch = 20;

    /// How the remaining-lives counter of a health model is read and written (the health
    /// component installs its own; the default keeps a counter per model started from "Lives").
    struct LivesAccess {
        std::function<int(QNModel* health)> get;
        std::function<void(QNModel* health, int lives)> set;
    };
    static void setLivesAccess(LivesAccess access);

    /// A world screen of the navigation controller's current world key; autoreleased, or nullptr.
    static QNPScreenScene* create();
    ~QNPScreenScene() override;

    // ----- Screen operations the world replaces -----
    bool init() override;
    /// The per-frame update (see the .cpp for the order).
    void update(float dt) override;
    /// The framework's, then resetWorld.
    void onEnter() override;
    void onExit() override;
    void setTouchEnabled(bool enabled) override;
    void moveHighlight(int direction) override;
    void pressHighlightedButton() override;
    bool shouldShowBanner() override;
    void performButtonAction(QNModel* buttonModel) override;
    /// The world model keyed `key` (created when missing).
    QNModelScreen* modelForKey(const std::string& key) override;
    /// The back key: restart after game over, else the pause screen, else one overlay back.
    void keyBackClicked() override;
    /// To the overlay first, then as an input action: 19 up, 20 down, 21 left, 22 right, 23 jump;
    /// 96, 99 and 100 jump too.
    void onKeyDown(int keyCode) override;
    void onKeyUp(int keyCode) override;

    /// The per-physics-step update: objects, deletion, speed, distance, streaming, magnet.
    virtual void fixedStep(float dt);
    /// When paused: unpause, ads, resume animations; then show the content, restart its animations
    /// and its music.
    virtual void resumeWorld();

    // ----- Operations offered to screens, objects and powerups -----
    void flash(float seconds);
    void shake(float seconds);
    void setPaused(bool paused);
    void openPause(cocos2d::CCObject* sender);
    /// Opens the screen `name` over the world, or goes to the world `name`. Called during the
    /// physics step or an object update it is carried out after the fixed step.
    void jumpTo(const std::string& name, bool pause, bool restartOld, bool saveScores);
    void refreshOverlay();
    void showHud();
    void popOverlay();
    void setMagnet(bool active) { m_magnet = active; }
    void requestRestart() { m_restartPending = true; }
    void killAllEnemies();
    /// Leaves for the "End" world; deferred like jumpTo.
    void endRun();

    bool isPaused() const { return m_paused; }
    bool isGameOver() const { return m_gameOver; }
    bool isMagnetActive() const { return m_magnet; }
    bool isRestartPending() const { return m_restartPending; }
    QNPInputController* inputController() const { return m_input; }
    QNPGameFieldCamera* gameLayer() const { return m_gameLayer; }
    b2World* physicsWorld() const { return m_world.get(); }
    QNPScreenUi* overlayLayer() const { return m_overlay; }
    QNModelScreenScene* worldModel() const;

    // ----- Streaming -----
    /// Queues `section` at `distance`; returns its width.
    float placeSection(QNModelLevelSection* section, float distance);
    /// A section for `distance`, drawn with rand() among the eligible ones, or nullptr.
    QNModelLevelSection* chooseSection(float distance);
    /// Builds up to 20 children of the first queued section; true when the queue is empty or a
    /// section was finished.
    bool stepCreationQueue();
    /// The runtime object of `model` placed at its position + `offset`, or nullptr.
    QNPObject* createObject(QNModel* model, int sectionId, const cocos2d::CCPoint& offset, bool startFilter);
    /// Places a unit spawner's copy at the spawner's transform in game-layer space (z-order 1000
    /// without a spawner), in the game layer, with its body; false when it could not be placed.
    bool addSpawned(QNPObject* object, QNPObject* spawner);
    /// State 5 for an object wholly outside the back or a side of the deletion box.
    void checkDeletion(QNPObject* object);
    std::size_t creationQueueLength() const { return m_queue.size(); }
    float sectionCursor() const { return m_cursor; }
    float lookAhead() const { return m_lookAhead; }
    const std::vector<QNModelLevelSection*>& sections() const { return m_sections; }

    // ----- Restart -----
    void resetWorld();
    void setGameOver(bool over);
    void restartFromScratch();
    /// Drops the world's progress and checkpoint and restarts it (when it is the navigation state's
    /// world); `showHud` also brings the HUD back.
    void discardWorldProgress(bool showHud);
    /// Seams for checkpoints (their records and restore arrive with the checkpoint rules).
    void saveCheckpoint(const cocos2d::CCPoint& characterPosition, int sectionId);
    void activateNextCheckpoint();
    void ensureCharacter(int sectionId);

    // ----- The object environment -----
    void characterCreated(QNPObject* character) override;
    bool hasLivingCharacter() const override;
    cocos2d::CCPoint charactersMeanPosition() const override;
    int selectedCharacterIndex() const override;

    // ----- State, for the snapshot and tests -----
    float speedDecay() const { return m_speedDecay; }
    float gameOverCountdown() const { return m_gameOverCountdown; }
    float gameOverDelay() const { return m_gameOverDelay; }
    /// Opacity of the flash sprite (0..255).
    int flashOpacity() const;
    float shakeTimeLeft() const { return m_shakeLeft; }
    /// Physics steps made since the world was built.
    long physicsSteps() const { return m_physicsSteps; }
    /// The direction of travel (unit vector).
    cocos2d::CCPoint direction() const;
    /// Attached to the physics world, never drawn.
    b2Draw* debugDraw() const { return m_debugDraw.get(); }

    /// One-dimensional gradient noise (256 gradients and a permutation drawn once with rand()).
    static float noise1(float x);

private:
    QNPScreenScene();

    struct Placement {
        cocos2d::CCPoint offset;
        int nextChild = 0;
        QNModelLevelSection* section = nullptr;
        std::vector<QNPObject*> created; // retained
    };
    struct PendingJump {
        bool endRun = false;
        std::string name;
        bool pause = false, restartOld = false, saveScores = false;
    };

    void restartButtonTapped(cocos2d::CCObject* sender);
    void setAnimationsPaused(bool paused);
    void finishPlacement(Placement& placement);
    void clearQueue();
    void runPendingJump();
    void carryOutJump(const PendingJump& jump);
    void carryOutEndRun();
    /// Walks every QNPObject below `node` into `out` (retained by the caller's walk).
    static void collectDescendants(cocos2d::CCNode* node, std::vector<QNPObject*>& out);
    void updateNoCharacter(float dt);
    float computeGameOverDelay() const;
    void addDistance(float d);

    QNPGameFieldCamera* m_gameLayer = nullptr;
    std::unique_ptr<b2World> m_world;
    std::unique_ptr<QNPContactListener> m_contactListener;
    std::unique_ptr<b2Draw> m_debugDraw;
    cocos2d::CCArray* m_backgroundLayers = nullptr;
    QNPInputController* m_input = nullptr;
    std::vector<QNModelLevelSection*> m_sections; // retained
    float m_cursor = 0.0f;
    float m_lookAhead = kInitialLookAhead;
    QNPScreenUi* m_overlay = nullptr;
    bool m_paused = false;
    bool m_gameOver = false;
    bool m_magnet = false;
    bool m_restartPending = false;
    float m_speedDecay = 0.0f;
    float m_gameOverDelay = 1.0f;
    float m_gameOverCountdown = 1.0f;
    float m_shakeLeft = 0.0f;
    float m_flashLeft = 0.0f;
    float m_flashDuration = 0.0f;
    cocos2d::CCSprite* m_flashSprite = nullptr;
    std::vector<Placement> m_queue;
    std::vector<QNPObject*> m_mirrors;
    std::set<std::string> m_runningOverlayKeys;
    long m_physicsSteps = 0;
    bool m_environmentInstalled = false;
    // Set while the physics step and the fixed step run: jumps requested then wait.
    int m_stepDepth = 0;
    bool m_hasPendingJump = false;
    PendingJump m_pendingJump;
    // Reused every step so a frame allocates nothing.
    std::vector<cocos2d::CCNode*> m_walk;
    std::vector<QNPObject*> m_doomed;
};
