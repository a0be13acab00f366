#include "presentation/QNFrameAnimation.h"

#include "framework/CCAction.h"
#include "framework/CCActionManager.h"
#include "framework/CCNode.h"
#include "framework/CCSprite.h"
#include "presentation/QNModelSpriteContainer.h"

using namespace cocos2d;

namespace qn {

void restartFrameAnimation(CCNode* sprite, CCAction* remembered) {
    if (!sprite) return;
    CCAction* running = sprite->getActionByTag(QNModelSpriteContainer::kFrameActionTag);
    CCAction* action = running ? running : remembered;
    if (!action) return;
    // Held across stopAllActions, which drops the manager's reference.
    action->retain();
    sprite->stopAllActions();
    sprite->runAction(action);
    action->release();
}

void pauseFrameAnimation(CCNode* sprite) {
    if (sprite && sprite->getActionManager()) sprite->getActionManager()->pauseTarget(sprite);
}

void resumeFrameAnimation(CCNode* sprite) {
    if (sprite && sprite->getActionManager()) sprite->getActionManager()->resumeTarget(sprite);
}

void stopFrameAnimation(CCNode* sprite) {
    if (sprite && sprite->getActionByTag(QNModelSpriteContainer::kFrameActionTag)) sprite->stopAllActions();
}

void showContainerFrame(CCSprite* sprite, const QNModelSpriteContainer* container, int n) {
    if (!sprite || !container) return;
    if (CCSpriteFrame* frame = container->frameAt(n)) sprite->setDisplayFrame(frame);
}

} // namespace qn
