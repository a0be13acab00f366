#include "framework/CCActionManager.h"

#include <algorithm>

#include "framework/CCAction.h"
#include "framework/CCNode.h"

namespace cocos2d {

CCActionManager::CCActionManager() = default;

CCActionManager::~CCActionManager() {
    removeAllActions();
    purge();
}

void CCActionManager::addAction(CCAction* action, CCNode* target, bool paused) {
    if (!action || !target) return;
    Element* element;
    auto it = m_byTarget.find(target);
    if (it == m_byTarget.end()) {
        target->retain();
        element = new Element{target, paused, false, {}, 0};
        m_byTarget[target] = element;
        m_elements.push_back(element);
    } else {
        element = it->second;
        if (std::find(element->actions.begin(), element->actions.end(), action) != element->actions.end())
            return;
    }
    action->retain();
    element->actions.push_back(action);
    ++element->liveCount;
    action->startWithTarget(target);
}

void CCActionManager::removeActionAt(Element* element, std::size_t index) {
    CCAction* action = element->actions[index];
    // Stopped first, so a composite removed from inside its own step does not go on.
    action->stop();
    if (m_bLocked) {
        element->actions[index] = nullptr;
        m_deferredReleases.push_back(action);
        m_bNeedsPurge = true;
    } else {
        element->actions.erase(element->actions.begin() + (std::ptrdiff_t)index);
    }
    --element->liveCount;
    if (element->liveCount == 0) {
        removeElement(element);
        if (!m_bLocked) action->release();
        return;
    }
    if (!m_bLocked) action->release();
}

void CCActionManager::removeElement(Element* element) {
    if (element->removed) return;
    element->removed = true;
    m_byTarget.erase(element->target);
    std::vector<CCAction*> actions;
    for (CCAction*& action : element->actions) {
        if (action) {
            action->stop();
            actions.push_back(action);
        }
        action = nullptr;
    }
    element->liveCount = 0;
    if (m_bLocked) {
        m_deferredReleases.insert(m_deferredReleases.end(), actions.begin(), actions.end());
        m_deferredReleases.push_back(element->target);
        m_bNeedsPurge = true;
        return;
    }
    m_elements.erase(std::find(m_elements.begin(), m_elements.end(), element));
    CCObject* target = element->target;
    delete element;
    for (CCAction* action : actions) action->release();
    target->release();
}

void CCActionManager::removeAllActions() {
    std::vector<Element*> elements = m_elements;
    for (Element* element : elements) removeElement(element);
}

void CCActionManager::removeAllActionsFromTarget(CCObject* target) {
    auto it = m_byTarget.find(target);
    if (it != m_byTarget.end()) removeElement(it->second);
}

void CCActionManager::removeAction(CCAction* action) {
    if (!action) return;
    CCObject* target = action->getOriginalTarget();
    auto it = m_byTarget.find(target);
    if (it == m_byTarget.end()) return;
    Element* element = it->second;
    for (std::size_t i = 0; i < element->actions.size(); ++i) {
        if (element->actions[i] == action) {
            removeActionAt(element, i);
            return;
        }
    }
}

void CCActionManager::removeActionByTag(int tag, CCObject* target) {
    auto it = m_byTarget.find(target);
    if (it == m_byTarget.end()) return;
    Element* element = it->second;
    for (std::size_t i = 0; i < element->actions.size(); ++i) {
        CCAction* action = element->actions[i];
        if (action && action->getTag() == tag) {
            removeActionAt(element, i);
            return;
        }
    }
}

CCAction* CCActionManager::getActionByTag(int tag, CCObject* target) const {
    auto it = m_byTarget.find(target);
    if (it == m_byTarget.end()) return nullptr;
    for (CCAction* action : it->second->actions)
        if (action && action->getTag() == tag) return action;
    return nullptr;
}

unsigned int CCActionManager::numberOfRunningActionsInTarget(CCObject* target) const {
    auto it = m_byTarget.find(target);
    return it == m_byTarget.end() ? 0 : it->second->liveCount;
}

void CCActionManager::pauseTarget(CCObject* target) {
    auto it = m_byTarget.find(target);
    if (it != m_byTarget.end()) it->second->paused = true;
}

void CCActionManager::resumeTarget(CCObject* target) {
    auto it = m_byTarget.find(target);
    if (it != m_byTarget.end()) it->second->paused = false;
}

bool CCActionManager::isTargetPaused(CCObject* target) const {
    auto it = m_byTarget.find(target);
    return it != m_byTarget.end() && it->second->paused;
}

void CCActionManager::update(float dt) {
    if (m_bLocked) return;
    m_bLocked = true;
    const std::size_t elementCount = m_elements.size();
    for (std::size_t i = 0; i < elementCount; ++i) {
        Element* element = m_elements[i];
        const std::size_t actionCount = element->actions.size();
        for (std::size_t j = 0; j < actionCount && !element->removed && !element->paused; ++j) {
            CCAction* action = element->actions[j];
            if (!action) continue;
            action->step(dt);
            // The step may have removed this action (or every action of the target).
            if (element->actions[j] != action || !action->isDone()) continue;
            action->stop();
            if (element->actions[j] == action) removeActionAt(element, j);
        }
    }
    m_bLocked = false;
    purge();
}

void CCActionManager::purge() {
    if (!m_bNeedsPurge) return;
    m_bNeedsPurge = false;
    auto gone = std::remove_if(m_elements.begin(), m_elements.end(), [](Element* e) {
        if (e->removed) {
            delete e;
            return true;
        }
        e->actions.erase(std::remove(e->actions.begin(), e->actions.end(), nullptr), e->actions.end());
        return false;
    });
    m_elements.erase(gone, m_elements.end());
    std::vector<CCObject*> releases;
    releases.swap(m_deferredReleases);
    for (CCObject* object : releases) object->release();
}

} // namespace cocos2d
