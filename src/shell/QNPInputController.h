#pragma once
// The input controller turns input actions into effects on the game. This is its menu side: it is
// the keypad delegate that passes the back key on to the running screen and turns the arrow and
// select key codes into highlight moves and presses there. Characters, motors and component
// subscriptions join it with the world.

#include "framework/CCKeypadDispatcher.h"
#include "framework/CCObject.h"

class QNPInputController : public cocos2d::CCObject, public cocos2d::CCKeypadDelegate {
public:
    /// The shared instance; created on first use and then registered with the keypad dispatcher.
    static QNPInputController* sharedInputController();
    /// The shared instance when it exists, else nullptr.
    static QNPInputController* sharedInputControllerIfExists();
    /// Unregisters and drops the shared instance.
    static void destroySharedInputController();

    ~QNPInputController() override;

    /// Menu key codes: 11 press the highlighted button, 12-15 move the highlight up, down, left,
    /// right on the running screen. Codes 1-10 are character actions (nothing on a menu).
    void menuKey(int code);

    void keyBackClicked() override;
    void onKeyDown(int keyCode) override;
    void onKeyUp(int keyCode) override;

private:
    QNPInputController() = default;
};
