#pragma once
// The input controller turns input actions into effects on the game. The menu side is the keypad
// delegate that passes the back key on to the running screen and turns the arrow and select key
// codes into highlight moves and presses there. The world side keeps the player characters, the
// held direction and motor actions, the keyboard-driven motor joints and the action listeners, and
// answers where the characters are.
//
// Instances: the keypad instance is made on first use of sharedInputController() and registered
// with the keypad dispatcher; it serves menus. A running world makes its own instance
// (createForWorld), which is the shared one while the world lives and is never registered with the
// keypad dispatcher (the world's screen gets key events through the keypad instance).

#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "framework/CCGeometry.h"
#include "framework/CCKeypadDispatcher.h"
#include "framework/CCObject.h"

class b2Body;
class b2RevoluteJoint;
class QNModel;
class QNModelLinker;
class QNPObject;

namespace cocos2d {
class CCArray;
}

class QNPInputController : public cocos2d::CCObject, public cocos2d::CCKeypadDelegate {
public:
    /// What a character does with an action: `pressed` false for a release; `direction` is the
    /// sum of the held direction actions after the change. Installed by the character runtime.
    using CharacterActionHandler = std::function<void(QNPObject* character, int actionId, bool pressed,
                                                      const cocos2d::CCPoint& direction)>;

    /// The running world's controller when there is one, else the keypad instance (created on first
    /// use and then registered with the keypad dispatcher).
    static QNPInputController* sharedInputController();
    /// The shared instance when it exists, else nullptr.
    static QNPInputController* sharedInputControllerIfExists();
    /// Unregisters and drops the keypad instance (a world's controller stays with its world).
    static void destroySharedInputController();
    /// A new controller for a world (the caller owns the reference); it is the shared one until
    /// releaseWorldController.
    static QNPInputController* createForWorld();
    /// Stops `controller` being the shared one (when it is) and releases the caller's reference.
    static void releaseWorldController(QNPInputController* controller);
    static void setCharacterActionHandler(CharacterActionHandler handler);

    ~QNPInputController() override;

    /// Menu key codes: 11 press the highlighted button, 12-15 move the highlight up, down, left,
    /// right on the running screen; 1-10 press the character actions of the table (1 move left,
    /// 2 right, 3 up, 4 down, 5 shoot, 6 jump, 7/8 motors, 9/10 rotate).
    void menuKey(int code);

    void keyBackClicked() override;
    void onKeyDown(int keyCode) override;
    void onKeyUp(int keyCode) override;

    // ----- Actions -----
    /// Action `id` pressed by `sender` (may be nullptr): characters, motors, then listeners.
    void actionPressed(int id, cocos2d::CCObject* sender);
    void actionReleased(int id, cocos2d::CCObject* sender);
    /// The held direction and motor actions, in press order.
    const std::vector<int>& heldActions() const { return m_held; }
    /// Sum of the held direction actions.
    cocos2d::CCPoint direction() const;

    // ----- Characters -----
    /// Appends and retains `character` (nullptr and repeats are ignored).
    void addCharacter(QNPObject* character);
    void removeCharacter(QNPObject* character);
    /// The characters (retained by the controller).
    cocos2d::CCArray* characters() const { return m_characters; }
    /// Some character is not dying; or none was added since the last reset.
    bool hasPlayingCharacter() const;
    /// Mean position of the characters that are neither dying nor destroyed (the previous point
    /// when none qualifies).
    cocos2d::CCPoint focusPoint();
    /// The union of the characters' fixture boxes in points; zero without characters.
    cocos2d::CCRect charactersRect() const;
    /// The first character's "QNModelComponentHealth" model, or nullptr.
    QNModel* firstCharacterHealth() const;
    /// The first character's z-order in its parent; 0 without characters.
    int firstCharacterZOrder() const;
    /// Moves every character not dying by (dx, dy): its body when it has one, else its node, where
    /// (unless `lockToward`) a coordinate is kept when the move would go against the step's sign.
    void shiftAllBy(float dx, float dy, bool lockToward);
    /// Every character: invincibility off (by the handler), state 4.
    void killAll();
    /// Removes the characters, held actions and focus point; expects characters again.
    void reset();

    // ----- Motors and listeners -----
    /// Registers a revolute joint driven by actions 9 and 10 at the linker's speed.
    void addMotorJoint(b2RevoluteJoint* joint, QNModelLinker* linker);
    /// Drops every motor joint attached to the body of one of `objects`.
    void removeJointsOf(const std::vector<QNPObject*>& objects);
    std::size_t motorJointCount() const { return m_motors.size(); }
    void clearMotorJoints() { m_motors.clear(); }
    /// Objects told setSpawnActive while action `id` is held (through the listener hook).
    void addActionListener(int id, QNPObject* object);
    void removeActionListener(QNPObject* object);
    void clearActionListeners() { m_listeners.clear(); }
    /// How a listener is told (installed by the unit runtime).
    static void setListenerHandler(std::function<void(QNPObject* listener, bool active)> handler);

private:
    QNPInputController();
    void steerCharacters(int id, bool pressed);
    void updateMotorSpeeds();

    cocos2d::CCArray* m_characters = nullptr;
    std::vector<int> m_held;
    struct MotorJoint {
        b2RevoluteJoint* joint;
        QNModelLinker* linker;
        // Kept so that entries can be matched after a body (and with it the joint) went away.
        b2Body* bodyA;
        b2Body* bodyB;
    };
    std::vector<MotorJoint> m_motors;
    std::map<int, std::vector<QNPObject*>> m_listeners;
    bool m_expectsCharacters = true;
    cocos2d::CCPoint m_focusPoint;
};
