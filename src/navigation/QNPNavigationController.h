#pragma once
// The one navigation state of the process: the current world key, the stack of UI screen keys and
// the level section the next world starts at. Buttons, observers, screen jumps and the start-up
// sequence ask it to follow a named output of the navigation graph; it then builds (and caches)
// the framework scene that shows the new state.

#include <string>
#include <vector>

namespace cocos2d {
class CCScene;
}

class QNModel;
class QNNode;
class QNPAttributeAction;
class QNPScreen;
class QNPScreenScene;

class QNPNavigationController {
public:
    /// Results of backTo.
    enum BackResult { kBackNothing = 0, kBackNewScene = 1, kBackOverlay = 2 };

    /// The single instance, created on first use; it lives for the whole process.
    static QNPNavigationController* sharedController();

    /// The scene for the current state, built on demand and cached (retained here until the state
    /// changes); nullptr when its layer cannot be built.
    cocos2d::CCScene* currentScene();
    /// The world layer (tag 0 child of the cached scene) while a world is current, else nullptr.
    QNPScreenScene* worldLayer() const;
    /// The UI layer shown on top: the world's overlay in a world, else the scene's tag 0 child.
    QNPScreen* topScreenLayer() const;
    /// The key of the current UI screen, or "".
    std::string currentScreenKey() const;
    const std::string& worldKey() const { return m_worldKey; }
    const std::vector<std::string>& screenStack() const { return m_screenStack; }
    /// Position of the current screen in the stack, or -1 for none.
    int currentScreenIndex() const { return m_currentScreen; }

    /// The attribute `name` on the node of the current world, or nullptr.
    QNPAttributeAction* findWorldAction(const std::string& name) const;
    /// The attribute `name` on the node of the current UI screen, or nullptr.
    QNPAttributeAction* findScreenAction(const std::string& name) const;
    /// The screen model the output `name` leads to, or nullptr.
    QNModel* destinationOf(const std::string& name, bool fromWorld) const;

    /// Follows `name` to a world node; true when a world was entered.
    bool goToWorld(const std::string& name, bool fromScreen, bool saveScores);
    /// Follows `name` to a UI node and pushes its screen; true when a screen was pushed.
    bool openScreen(const std::string& name, bool fromWorld);
    /// Makes `key` the current world with its HUD (if any) as the only screen.
    void enterWorld(const std::string& key);
    /// Moves to the wanted world and screen (see BackResult).
    int backTo(const std::string& wantedWorld, const std::string& wantedScreen, bool saveScores);
    /// Makes the world's HUD the only screen; false when the world has none.
    bool showWorldHud();
    /// Steps one screen back; false on the first entry.
    bool popScreen();

    void setStartSection(int sectionId) { m_startSectionId = sectionId; }
    int startSection() const { return m_startSectionId; }
    /// The id of the section after `sectionId` in the same world, or 0.
    int nextSectionInWorld(int sectionId) const;

    /// Back to the initial state (start marker only, no world, no scene); for tests and reloads.
    void reset();

private:
    QNPNavigationController();
    void dropScene();
    /// The node of `className` whose linked model has the key `key`.
    static QNNode* nodeForKey(const char* className, const std::string& key);
    /// The key of the HUD screen of the current world, or "".
    std::string worldHudKey() const;
    void saveOrRestoreScores(bool save) const;

    std::string m_worldKey;
    std::vector<std::string> m_screenStack;
    int m_currentScreen = 0;
    cocos2d::CCScene* m_cachedScene = nullptr;
    int m_startSectionId = 0;
};
