#pragma once
// Runtime objects of a world: scene-graph nodes built from placed object models by the factory
// (QNPObjectFactory.h). A QNPObject has a state, a kind bit-mask, its components and, for asset
// objects, a physics body made from the asset's collision shape. Bodies and fixtures carry the
// object as user data; an object being destroyed first clears that user data and the joints that
// hold it, so contact callbacks and other objects never see a dead object.

#include <functional>
#include <map>
#include <set>
#include <vector>

#include <box2d/box2d.h>

#include "framework/CCGeometry.h"
#include "framework/CCNode.h"
#include "presentation/QNAnimationChildren.h"

class QNComponent;
class QNModel;
class QNModelObject;
class QNModelObjectAsset;
class QNPGameplayParameters;

class QNPObject : public cocos2d::CCNode {
public:
    /// Kind bits.
    enum Kind {
        kKindCharacter = 1,
        kKindUnit = 2,
        kKindPowerup = 4,
        kKindBackground = 8,
        kKindSpawned = 16,
        kKindEffect = 32,
        kKindLabel = 64,
        kKindLogic = 128,
        kKindTeleport = 256,
        kKindCaptured = 512,
        kKindGroup = 1024,
        kKindMirror = 2048,
    };
    /// States shared by every kind; subclasses use other values too.
    enum State {
        kStateActive = 0,
        kStatePowerupActive = 1,
        kStateDying = 4,
        kStateDestroyed = 5,
    };
    /// Points per physics metre and its inverse.
    static constexpr float kPhysicsScale = 0.05f;
    static constexpr float kPointsPerMetre = 20.0f;
    static constexpr float kDegreesToRadians = 0.017453292f;
    static constexpr float kRadiansToDegrees = 57.29578f;

    /// The object a body or fixture belongs to (its user data), or nullptr.
    static QNPObject* fromBody(const b2Body* body);
    static QNPObject* fromFixture(const b2Fixture* fixture);
    /// Call right before deleting `world`: every object whose body lives there forgets it (and
    /// bodies kept for later destruction are dropped), so no object touches the dead world.
    static void worldWillBeDestroyed(b2World* world);
    /// Destroys the bodies of objects that went away while `world` was stepping. The world calls
    /// it after each step; also done by any later body destruction outside a step.
    static void destroyDeferredBodies(b2World* world);

    QNPObject();
    ~QNPObject() override;

    /// Pending state, components, children (state-5 children are removed afterwards), visibility.
    void update(float dt) override;

    // Operations in slot order.
    /// Calls postPhysicsUpdate of every component.
    virtual void postPhysicsUpdate();
    virtual void reset() {}
    /// Stores the state and tells every component.
    virtual void setState(int state);
    /// A 100 by 100 rectangle centred on the position in game-layer coordinates.
    virtual cocos2d::CCRect boundingBox();
    virtual void wakeUp() {}
    /// The first fixture's box in physics units; an empty box (all zero) without a body.
    virtual b2AABB fixtureBounds();
    virtual void setSpawning(bool spawning) { m_spawning = spawning; }
    virtual void setGameLayer(cocos2d::CCNode* layer) { m_gameLayer = layer; }
    virtual void setKind(int kind) { m_kind = kind; }
    /// True when a visible child with a positive tag exists, or there is no game layer, or the
    /// bounding box meets the view rectangle widened by the view margins.
    virtual bool isOnScreen();
    /// The object model (not retained by callers); nullptr here.
    virtual QNModel* model() const { return nullptr; }
    virtual bool castsShadow() const { return false; }
    virtual void setEnabled(bool enabled) { m_enabled = enabled ? 1 : 0; }
    /// A joint between this object's body and another body is about to be destroyed because the
    /// other body goes away; drop any pointer to it. Nothing by default.
    virtual void jointWillBeDestroyed(b2Joint* joint) { (void)joint; }

    int state() const { return m_state; }
    int kind() const { return m_kind; }
    /// Whether every bit of `bits` is set.
    bool hasKind(int bits) const { return (m_kind & bits) == bits; }
    bool isSpawning() const { return m_spawning; }
    bool isAwake() const { return m_awake; }
    b2Body* body() const { return m_body; }
    cocos2d::CCNode* gameLayer() const { return m_gameLayer; }
    const std::vector<QNComponent*>& components() const { return m_components; }
    int pendingState() const { return m_pendingState; }
    /// Applied by the next update (contact callbacks run inside the physics step).
    void setPendingState(int state) { m_pendingState = state; }
    bool isEnabled() const { return m_enabled != 0; }
    /// The position in game-layer coordinates (offset by the parent's position when the parent is
    /// not the game layer).
    cocos2d::CCPoint gameLayerPosition() const;

    /// Detaches the body from contacts and joints and destroys it; inside a step the body is
    /// only detached and destroyed by destroyDeferredBodies after the step.
    void destroyBody();

protected:
    /// Takes `component` (retained) after setOwner(this); nullptr is skipped.
    void addComponent(QNComponent* component);
    /// Makes `body` this object's body and stamps it and its fixtures with this object.
    void adoptBody(b2Body* body);
    /// Calls `op` for every child that is a QNPObject, over a retained copy of the children.
    void forEachChildObject(const std::function<void(QNPObject*)>& op);

    int m_state = kStateActive;
    int m_kind = 0;
    bool m_spawning = false;
    bool m_awake = false;
    b2Body* m_body = nullptr;
    cocos2d::CCNode* m_gameLayer = nullptr; // not retained: the layer is our ancestor
    std::vector<QNComponent*> m_components; // retained
    int m_pendingState = -1;
    int m_enabled = 1;

private:
    // Scratch lists kept between frames so the update allocates nothing once warm.
    std::vector<cocos2d::CCNode*> m_walk; // retained copy of the children while they update
    std::vector<QNPObject*> m_doomed;     // state-5 children found by the update
    bool m_walking = false;
};

/// Common runtime of every asset object (character, units, powerups, paths, teleports, logic, effects):
/// velocities, solidity, destroy type, wake-up and sleep, the loop sound, the body made from the
/// asset's collision shape, animation layers, attached nodes and listeners.
class QNPObjectAsset : public QNPObject, public QNPAnimationChild {
public:
    enum ListenerKind { kListenerDestroyed = 0, kListenerContact = 1 };
    /// Called with (this, other): other is nullptr for kListenerDestroyed.
    using Listener = std::function<void(QNPObject* self, QNPObject* other)>;
    /// Animation-layer keys.
    enum LayerKey {
        kLayerHealthDamage = 0,
        kLayerPowerup = 1,
        kLayerIsoJump = 2,
        kLayerRotationMapper = 3,
        kLayerMove = 4,
    };
    /// The loop sound goes through these; until a sound engine installs them every sound is silent
    /// (start answers -1).
    struct SoundHooks {
        std::function<int(QNModel* sound)> startLoop; // sound id or -1
        std::function<void(int id)> stop;
        std::function<float(int id)> volume;
        std::function<void(int id, float volume)> setVolume;
        std::function<int(QNModel* sound)> playEffect; // sound id or -1
    };
    /// Plays `sound` once through the hooks; -1 when silent or without a sound.
    static int playSound(QNModel* sound);
    /// Stops a sound started through the hooks (-1 is ignored).
    static void stopSound(int id);
    static void setSoundHooks(const SoundHooks& hooks);
    static const SoundHooks& soundHooks();

    /// A plain asset object for `model` (autoreleased), or nullptr without a model.
    static QNPObjectAsset* create(QNModelObject* model);

    explicit QNPObjectAsset(QNModelObject* model);
    ~QNPObjectAsset() override;

    /// The QNPObject update, then loop sound, wake-up, sleep, body sync, velocity factor, killed.
    void update(float dt) override;
    /// Also shows or hides the active animation layer.
    void setVisible(bool visible) override;
    /// Base behaviour; other states than 0 stop the loop sound; 4 reaches QNPObject children;
    /// 5 calls and drops the kind-0 listeners.
    void setState(int state) override;
    QNModel* model() const override;

    // Operations in slot order.
    /// Static body at the node's position and angle, one fixture from the collision shape at the
    /// node's scale; none at a zero scale, for a pure decoration when `mayOmit`, or without a
    /// usable shape. Also none when the world is locked (stepping), or a body exists already.
    virtual void createBody(b2World* world, bool mayOmit);
    /// Calls every contact listener with (this, other).
    virtual void beginContact(QNPObject* other, b2Contact* contact, bool isCharacterSide);
    virtual void endContact(QNPObject* other, b2Contact* contact) { (void)other, (void)contact; }
    virtual void preSolve(QNPObject* other, b2Contact* contact, const b2Manifold* oldManifold) {
        (void)other, (void)contact, (void)oldManifold;
    }
    /// Keeps the speed and points the linear velocity along (x, y).
    virtual void setDirection(float x, float y);
    virtual void spawn() {}
    virtual float wakeUpDistance() { return 1000.0f; }
    virtual float sleepDistance() { return 0.0f; }
    virtual void updateBounds() {}
    virtual bool isGround() { return true; }
    virtual void setOpacity(float opacity) { m_opacity = opacity; }

    // Inside composite animations: the animation's opacity and the world's game layer.
    QNPAnimationChild::Kind animationChildKind() const override { return QNPAnimationChild::kObject; }
    void setAnimationOpacity(float opacity) override { setOpacity(opacity); }
    void setAnimationGameLayer(cocos2d::CCNode* layer) override { setGameLayer(layer); }
    /// Adds `node` as a child under `key`; the layer with the lowest key shows (last added wins
    /// among equal keys). A node already present is ignored.
    virtual void addAnimationLayer(int key, cocos2d::CCNode* node);
    virtual void removeAnimationLayer(int key, cocos2d::CCNode* node);
    /// Makes `node` a child that plays and shows; ignored when already attached.
    virtual void attachNode(cocos2d::CCNode* node);
    virtual void detachNode(cocos2d::CCNode* node);

    // Listeners, added and removed by target (not retained).
    void addListener(int kind, const void* target, Listener callback);
    void removeListeners(const void* target);
    std::size_t listenerCount() const { return m_listeners.size(); }

    /// The object model as an asset object model (nullptr for other object models).
    QNModelObjectAsset* assetObjectModel() const;
    /// Projection of the position on the travel line through the characters' mean position;
    /// negative behind it.
    float signedDistance() const;
    /// The active animation layer node, or nullptr.
    cocos2d::CCNode* activeLayer() const { return m_activeLayer; }
    int activeLayerKey() const { return m_activeLayerKey; }
    bool hasAttachedNode(cocos2d::CCNode* node) const { return m_attachedNodes.count(node) != 0; }

    const cocos2d::CCPoint& linearVelocity() const { return m_linearVelocity; }
    void setLinearVelocity(const cocos2d::CCPoint& v) { m_linearVelocity = v; }
    float angularVelocity() const { return m_angularVelocity; }
    void setAngularVelocity(float w) { m_angularVelocity = w; }
    bool isFixedMover() const { return m_moving; }
    bool isSleeping() const { return m_sleeping; }
    float travelledDistance() const { return m_travelled; }
    bool isAttached() const { return m_attached; }
    /// Set by the world for objects attached to another placed object, and by animation playback.
    void setAttached(bool attached) { m_attached = attached; }
    bool isSolid() const { return m_solid; }
    void setSolid(bool solid) { m_solid = solid; }
    int destroyType() const { return m_destroyType; }
    void setDestroyType(int type) { m_destroyType = type; }
    int wakeUpMode() const { return m_wakeUpMode; }
    int sleepMode() const { return m_sleepMode; }
    float opacity() const { return m_opacity; }
    bool isKilled() const { return m_killed; }
    /// Set by damage; the next update moves the object to state 4.
    void setKilled(bool killed) { m_killed = killed; }
    int loopSoundId() const { return m_loopSoundId; }
    int sectionIndex() const { return m_sectionIndex; }
    void setSectionIndex(int index) { m_sectionIndex = index; }
    QNPGameplayParameters* parameters() const { return m_parameters; }

    /// The loop-sound step of the update alone (after game over only this part runs).
    void updateLoopSound(float dt);

protected:
    void stopLoopSound();
    /// Steps 3 to 9 of the asset update (everything after the loop sound, with a body).
    void updateBodySteps(float dt);
    void showLayer(cocos2d::CCNode* node, int key);

    cocos2d::CCPoint m_linearVelocity;
    float m_angularVelocity = 0.0f;
    bool m_moving = false;
    bool m_sleeping = false;
    float m_travelled = 0.0f;
    bool m_attached = false;
    bool m_solid = false;
    int m_destroyType = 0;
    int m_wakeUpMode = 0;
    int m_sleepMode = 0;
    QNModelObject* m_model = nullptr;              // retained
    std::set<cocos2d::CCNode*> m_attachedNodes;    // retained
    std::multimap<int, cocos2d::CCNode*> m_layers; // retained
    cocos2d::CCNode* m_activeLayer = nullptr;
    int m_activeLayerKey = -1;
    struct ListenerEntry {
        int kind;
        const void* target;
        Listener callback;
    };
    std::vector<ListenerEntry> m_listeners;
    float m_opacity = 1.0f;
    bool m_killed = false;
    QNModel* m_loopSound = nullptr; // registered model, kept alive by the controller
    int m_loopSoundId = -1;
    int m_sectionIndex = 0;
    QNPGameplayParameters* m_parameters = nullptr;
};
