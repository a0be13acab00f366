#pragma once
// What runtime objects need from the running world, without depending on the world's code. The
// world installs itself while it runs and clears itself on teardown; without one a default stands
// in: it registers nothing, has no character, a mean position of (0,0) and takes the selected
// character from the settings store.

#include "framework/CCGeometry.h"

class QNPObject;

class QNObjectEnvironment {
public:
    virtual ~QNObjectEnvironment() = default;
    /// A character was built by the factory: register it with the world's input controller.
    virtual void characterCreated(QNPObject* character) = 0;
    /// Whether some registered character is not dying.
    virtual bool hasLivingCharacter() const = 0;
    /// The mean position of the registered characters, in game-layer coordinates.
    virtual cocos2d::CCPoint charactersMeanPosition() const = 0;
    /// The index of the selected character in the progress store.
    virtual int selectedCharacterIndex() const = 0;

    /// The installed environment, or the default one (never nullptr).
    static QNObjectEnvironment* current();
    /// Installs `env` (not owned); nullptr restores the default.
    static void setCurrent(QNObjectEnvironment* env);
};
