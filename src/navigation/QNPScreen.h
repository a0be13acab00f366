#pragma once
// The runtime base of every screen, menus and worlds alike: a layer built from a screen model. It
// builds the widgets into its content node (each button alone in a tag-100 menu), plays the three
// animation stages (0 opening, 1 idle, 2 closing), wires the buttons' taps, moves a keyboard or
// gamepad highlight between buttons and calls the ad hooks.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/CCLayer.h"

class QNModel;
class QNModelScreen;
class QNPScreenScene;

namespace cocos2d {
class CCMenuItem;
class CCScene;
} // namespace cocos2d

class QNPScreen : public cocos2d::CCLayer {
public:
    /// The tag of the one-button menus in the content node.
    static constexpr int kButtonMenuTag = 100;
    /// The z-order of the content node in the screen.
    static constexpr int kContentZOrder = 2000;

    QNPScreen();
    ~QNPScreen() override;

    /// Builds the screen from the screen model keyed `key` (a fresh "Untitled" model with that key
    /// when none exists). The screen retains its model.
    virtual bool loadWithKey(const std::string& key);
    /// Wires every ordinary button's tap to buttonTapped.
    bool init() override;
    /// One frame: stage time, stage changes, widgets, ad reveal.
    void update(float dt) override;
    /// The framework's, then showAds.
    void onEnter() override;
    /// Hides every widget of the content node first.
    void removeFromParent() override;

    // ----- Operations, in the order the screen family overrides them -----
    virtual void stopBackgroundMusic();
    virtual void playScreenMusic();
    /// Stage time 0 and every widget's clock restarted.
    virtual void restartObjectAnimations();
    virtual void removeAds();
    /// Activates the first highlighted button (table order).
    virtual void pressHighlightedButton();
    /// Moves the highlight: 12 up, 13 down, 14 left, 15 right.
    virtual void moveHighlight(int direction);
    virtual void highlightDefaultButton();
    /// Drops the widget of `model` (same id) from the screen and the table.
    virtual void removeObjectForModel(QNModel* model);
    virtual void showAds();
    virtual bool shouldShowBanner();
    /// The parent when it is a world screen, else nullptr.
    virtual QNPScreenScene* parentWorld();
    virtual void suspendScreen();
    virtual void closeOverlay();
    /// A bought or spent powerup; a menu screen only credits coins.
    virtual void usePowerup(QNModel* powerupModel, bool above);
    /// The tap target of ordinary buttons: plays the closing stage, then performButtonAction.
    virtual void buttonTapped(cocos2d::CCObject* sender);
    /// Nothing here; the UI screen navigates.
    virtual void performButtonAction(QNModel* buttonModel);
    virtual void openGameServices(cocos2d::CCObject* sender);
    /// The screen model keyed `key`, or nullptr.
    virtual QNModelScreen* modelForKey(const std::string& key);

    // ----- Stages -----
    /// Sets the stage and passes it to every widget, then restarts their clocks.
    void setStage(int stage);
    int stage() const { return m_stage; }
    float stageTime() const { return m_stageTime; }
    /// Plays the closing stage (close frames / 30 s), then runs `action`; at once when the screen
    /// has no closing stage. A pending action is replaced.
    void closeThen(std::function<void()> action);
    /// True while a close action waits for the closing stage to end.
    bool isClosing() const { return static_cast<bool>(m_closeAction); }

    /// Unschedules this screen, hides its widgets and ads (unless the incoming screen wants a
    /// banner) and replaces the running scene with `scene`.
    void runScene(cocos2d::CCScene* scene);

    // ----- Lookups -----
    QNModelScreen* model() const { return m_model; }
    /// The key of the screen's model ("" before loading).
    std::string key() const;
    cocos2d::CCNode* contentNode() const { return m_content; }
    /// The widgets in table (creation) order: each model with the node built for it.
    const std::vector<std::pair<QNModel*, cocos2d::CCNode*>>& objectTable() const { return m_objects; }
    /// The node built for `model`, or nullptr.
    cocos2d::CCNode* nodeForModel(const QNModel* model) const;
    /// The first button whose "Action" is `action`, or nullptr.
    cocos2d::CCMenuItem* buttonWithAction(const std::string& action) const;
    /// Every button whose "Action" is `action`, in table order.
    std::vector<cocos2d::CCMenuItem*> buttonsWithAction(const std::string& action) const;
    /// Gives every button with `action` the target and selector.
    void setTargetForAction(const std::string& action, cocos2d::CCObject* target,
                            cocos2d::SEL_MenuHandler selector);
    /// Every button in the table, in order.
    std::vector<cocos2d::CCMenuItem*> buttons() const;

    /// The running scene's first child when it is a screen.
    static QNPScreen* runningScreen();
    /// From the running screen down through children that are screens.
    static QNPScreen* innermostRunningScreen();

    bool skipNextInterstitial = false;

protected:
    /// Adds `node` built for `model` to the table (retained) and to `parent` at the model's depth.
    void enterObject(QNModel* model, cocos2d::CCNode* node, cocos2d::CCNode* parent);
    void runCloseAction(float dt);
    /// Logs "[key] hide ads" and hides the banner and the interstitial.
    void hideAds();

    QNModelScreen* m_model = nullptr;
    std::vector<std::pair<QNModel*, cocos2d::CCNode*>> m_objects;
    cocos2d::CCNode* m_content = nullptr;
    float m_adRevealDelay = 0.0f;
    bool m_contentHiddenForAd = false;
    int m_stage = 0;
    float m_stageTime = 0.0f;
    std::function<void()> m_closeAction;

private:
    // Reused by update so a frame allocates nothing.
    std::vector<cocos2d::CCNode*> m_updateNodes;
};
