#pragma once
// Buttons: a framework menu item built from a button model. It shows the model's picture (a
// pressed picture, or a darker copy, while selected; a darker one still while disabled), plays the
// screen's stage tracks on its transform and opacity, fades out after "Autohide", presses itself
// along an authored "Touch Emulation" curve, reports presses and releases to the input controller
// when it is a control button, plays its click and release sounds and answers its "Keyboard Key".
// The URL, Facebook and switch buttons change what a tap does.

#include <functional>
#include <map>

#include "framework/CCMenuItem.h"
#include "navigation/QNScreenWidget.h"
#include "presentation/QNWidgetPlayback.h"

class QNModel;
class QNModelObjectButton;
class QNPScreen;

class QNPObjectButton : public cocos2d::CCMenuItemSprite, public qn::QNScreenWidget {
public:
    /// Called with the input controller and the button on press or release.
    using Handler = std::function<void(cocos2d::CCObject* controller, QNPObjectButton* button)>;
    /// Plays a sound model as an effect; installed by the sound code (silent until then).
    using EffectPlayer = void (*)(QNModel* sound);
    static void setEffectPlayer(EffectPlayer player);

    /// The runtime of a navigation, control, URL, Facebook, sound-control or switch button model
    /// on `screen`; autoreleased, nullptr for other models.
    static QNPObjectButton* create(QNModelObjectButton* model, QNPScreen* screen);
    ~QNPObjectButton() override;

    // ----- Operations added to the menu item, in order -----
    virtual void setModel(QNModelObjectButton* model);
    virtual void resetTime();
    virtual void setAutohide(float seconds);
    virtual void setStage(int stage);

    /// The framework's selection, then (when enabled) the press handler and the click sound.
    void selected() override;
    /// The framework's unselection, then (when enabled) the release handler and the release sound.
    void unselected() override;
    /// Stage playback and touch emulation; nothing without a model.
    void update(float dt) override;
    /// Also registers the button under its model's "Keyboard Key" (one registration at a time).
    void setUserObject(cocos2d::CCObject* object) override;
    /// The framework's, and the press and release handlers are cleared.
    void setTarget(cocos2d::CCObject* target, cocos2d::SEL_MenuHandler selector) override;
    /// The input controller becomes the target (no selector) and the two handlers are kept.
    void setInputHandlers(cocos2d::CCObject* controller, Handler press, Handler release);

    QNModelObjectButton* buttonModel() const { return m_model; }
    float time() const { return m_playback.time(); }
    int stage() const { return m_playback.stage(); }
    bool faded() const { return m_playback.faded(); }
    bool touchEmulationPressed() const { return m_touchPressed; }
    /// The nearest screen this button is shown on, or nullptr.
    QNPScreen* owningScreen() const;

    // Screen stages.
    void setWidgetStage(int stage) override;
    void restartWidgetAnimation() override { resetTime(); }
    void updateWidget(float dt) override { update(dt); }

protected:
    QNPObjectButton() = default;
    static void playEffect(QNModel* sound);
    /// The framework's selection and unselection alone.
    void selectPicture() { CCMenuItemSprite::selected(); }
    void unselectPicture() { CCMenuItemSprite::unselected(); }

    QNModelObjectButton* m_model = nullptr;
    QNWidgetPlayback m_playback;
    Handler m_press;
    Handler m_release;
    bool m_touchPressed = false;
    int m_registeredKey = -1;

private:
    template <typename T> static T* build(QNModelObjectButton* model);
    bool initImages(QNModelObjectButton* model);
};

/// "Url Button": a tap opens the "URL".
class QNPObjectButtonUrl : public QNPObjectButton {
public:
    void activate() override;
};

/// "Facebook Button": a tap opens the Facebook page of "Facebook ID" and "Facebook URL".
class QNPObjectButtonFacebook : public QNPObjectButton {
public:
    void activate() override;
};

/// "Switch Button": each press flips it, sending component action 12 when it turns off and 11
/// when it turns on. Its state is kept per model across screens until the table is cleared.
class QNPObjectButtonSwitch : public QNPObjectButton {
public:
    /// Sends an input action id with the button as sender; installed by the input controller.
    using ActionSender = void (*)(int actionId, cocos2d::CCObject* sender);
    static void setActionSender(ActionSender sender);
    /// Forgets every switch state (a new scene, a world restart, a checkpoint restart).
    static void clearSwitchStates();
    /// The stored state of `model`, or true when none is stored.
    static bool storedState(const QNModel* model);

    void setModel(QNModelObjectButton* model) override;
    void selected() override;
    void unselected() override;
    bool isOn() const { return m_on; }

private:
    bool m_on = true;
};
