#pragma once
// What composite animations need from the layers that own placed objects and their runtimes:
// the object layer reads a child model's depth, parent and starting transform and builds its
// runtime node; runtime nodes that can play inside a composite animation implement
// QNPAnimationChild so the animation can restart, stop, pause, fade and re-parent them.

#include "framework/CCGeometry.h"

namespace cocos2d {
class CCNode;
}

class QNModel;
class QNModelAnimation;

/// How a child object model is placed in its composite animation.
struct QNChildPlacement {
    int depth = 0;                   ///< z order among its siblings
    unsigned int parentObjectId = 0; ///< id of the object model it is attached to; 0 for none
    cocos2d::CCPoint position;       ///< position at time 0 of track 0
    float rotation = 0.0f;           ///< rotation at time 0 of track 0
    float scaleX = 1.0f;             ///< scale at time 0 of track 0
    float scaleY = 1.0f;
    bool hasSpawner = false; ///< the model carries a spawner component
};

/// Implemented by the object layer and installed once at start-up; the default places every child
/// at depth 0 with no transform and builds nothing.
class QNPAnimationChildFactory {
public:
    virtual ~QNPAnimationChildFactory() = default;

    /// The depth of an object model (the animation model keeps its children sorted by it).
    virtual int depthOf(const QNModel* child) const;
    /// Where `child` goes in its animation.
    virtual QNChildPlacement placementOf(const QNModel* child) const;
    /// The runtime node for `child`, not yet added to anything; autoreleased; nullptr leaves the
    /// child out. `owner` is the node showing the animation. Units, particles, lights, trails, flags
    /// and powerups come from the object factory: with `spawnersActive` their spawning switch
    /// follows whether the model has a spawner; in a running world (a world model) they get the
    /// world's game layer and their body, else no game layer; powerups are marked as belonging to
    /// an animation. Images get "Stick To Edge" switched off and become image widgets at the
    /// animation's speed and looping flag. Other classes give nullptr.
    virtual cocos2d::CCNode* buildChild(QNModel* child, QNModelAnimation* animation, cocos2d::CCNode* owner,
                                        bool spawnersActive);

    /// The installed factory (never nullptr).
    static QNPAnimationChildFactory* shared();
    /// Installs `factory` (not owned; nullptr restores the default).
    static void setShared(QNPAnimationChildFactory* factory);
};

/// The operations a composite animation applies to its runtime children. Image widgets play frame
/// animations; particle objects have emitters; other objects take opacity and the game layer.
class QNPAnimationChild {
public:
    enum Kind { kImage, kParticles, kObject };

    virtual ~QNPAnimationChild() = default;
    virtual Kind animationChildKind() const = 0;

    /// Images: restart, stop, pause, resume the frame animation, show frame `n`.
    virtual void restartFrames() {}
    virtual void stopFrames() {}
    virtual void pauseFrames() {}
    virtual void resumeFrames() {}
    virtual void showFrame(int n) { (void)n; }
    /// Images: the multiplier of the opacity track; objects: their own opacity.
    virtual void setAnimationOpacity(float opacity) { (void)opacity; }
    /// Particles: start the emitters again, or stop them emitting.
    virtual void resetEmitters() {}
    virtual void stopEmitters() {}
    /// Objects: the world's game layer they live in (nullptr for none).
    virtual void setAnimationGameLayer(cocos2d::CCNode* layer) { (void)layer; }
};
