#pragma once
// The action manager: runs every action on its target each frame. The director schedules it on its
// scheduler at system priority, so actions advance before any other update.
//
// Ownership: actions and their targets are retained while an action runs. Re-entrancy: actions may
// be added or removed (including the one stepping, and every action of its target) from inside a
// step or a callback; removed actions are stopped at once (a sequence stopped by one of its own
// callbacks runs nothing after it) and never stepped again and their release, like the release
// of a target with no actions left, waits for the end of the pass. Actions added during a pass
// take their first step on the next pass.

#include <unordered_map>
#include <vector>

#include "framework/CCObject.h"

namespace cocos2d {

class CCAction;
class CCNode;

class CCActionManager : public CCObject {
public:
    CCActionManager();
    ~CCActionManager() override;

    /// Starts `action` on `target` (both retained). An action already running is not added twice.
    void addAction(CCAction* action, CCNode* target, bool paused);
    void removeAllActions();
    void removeAllActionsFromTarget(CCObject* target);
    void removeAction(CCAction* action);
    /// Removes the first running action of `target` with `tag`.
    void removeActionByTag(int tag, CCObject* target);
    CCAction* getActionByTag(int tag, CCObject* target) const;
    unsigned int numberOfRunningActionsInTarget(CCObject* target) const;
    /// Paused targets' actions are not stepped (actions added later keep the target's state).
    void pauseTarget(CCObject* target);
    void resumeTarget(CCObject* target);
    bool isTargetPaused(CCObject* target) const;

    /// Steps every action of every unpaused target by `dt` and removes the finished ones.
    void update(float dt) override;

private:
    struct Element {
        CCNode* target;
        bool paused;
        bool removed;
        std::vector<CCAction*> actions; // nullptr marks an action removed during a pass
        unsigned int liveCount;
    };

    void removeActionAt(Element* element, std::size_t index);
    void removeElement(Element* element);
    void purge();

    bool m_bLocked = false;
    bool m_bNeedsPurge = false;
    std::vector<Element*> m_elements;
    std::unordered_map<const CCObject*, Element*> m_byTarget;
    std::vector<CCObject*> m_deferredReleases;
};

} // namespace cocos2d
