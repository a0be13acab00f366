#pragma once
// The world screen: a world's layer, with its HUD or pause menu shown as an overlay UI screen.
//
// Only what navigation needs is here yet: the world's screen model, its overlay built from the
// navigation state, and pause, game-over and restart as plain flags. The physics world, the camera,
// section streaming, scores and the per-frame loop arrive with the world runtime.

#include "navigation/QNPScreen.h"

class QNPScreenUi;

class QNPScreenScene : public QNPScreen {
public:
    /// A world screen of the navigation controller's current world key; autoreleased, or nullptr.
    static QNPScreenScene* create();

    bool init() override;
    /// The overlay's answer when there is one.
    bool shouldShowBanner() override;
    /// Highlight keys and presses go to the overlay screen.
    void moveHighlight(int direction) override;
    void pressHighlightedButton() override;
    /// The back key goes to the overlay screen.
    void keyBackClicked() override;

    /// The UI screen shown over the world (HUD, pause menu, ...), or nullptr.
    QNPScreenUi* overlayLayer() const { return m_overlay; }
    /// Replaces the overlay by a UI screen of the navigation state's current screen (none when the
    /// state has no current screen).
    void refreshOverlay();
    void setPaused(bool paused);
    bool isPaused() const { return m_paused; }
    /// Opens the pause screen reached by the button's Name (or "Pause"), pauses and shows it;
    /// nothing when already paused or over.
    void openPause(cocos2d::CCObject* button);
    /// One UI screen back, shown as the overlay; popping back to the HUD resumes the world.
    void popOverlay();
    /// Unpauses the world.
    void resumeWorld();
    /// Starts the world again; `fromBeginning` drops its checkpoint too. The world runtime does
    /// the real restart; here the overlay goes back to the HUD.
    void discardWorldProgress(bool fromBeginning);
    void setGameOver(bool over) { m_gameOver = over; }
    bool isGameOver() const { return m_gameOver; }

private:
    QNPScreenUi* m_overlay = nullptr;
    bool m_paused = false;
    bool m_gameOver = false;
};
