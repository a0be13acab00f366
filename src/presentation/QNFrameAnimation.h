#pragma once
// Control of the frame animation that a sprite container's animatedSprite runs on its node (the
// action tagged 76): restart, pause, resume, stop and showing one frame.

namespace cocos2d {
class CCAction;
class CCNode;
class CCSprite;
} // namespace cocos2d

class QNModelSpriteContainer;

namespace qn {

/// Runs the frame animation of `sprite` again from its start: the running tagged action is held,
/// every action of the sprite stops and the held action runs again. When the sprite no longer runs
/// a tagged action, `remembered` (the widget's own frame action, may be nullptr) is run instead.
void restartFrameAnimation(cocos2d::CCNode* sprite, cocos2d::CCAction* remembered);
/// Pauses every action of `sprite` in its action manager.
void pauseFrameAnimation(cocos2d::CCNode* sprite);
/// Resumes every action of `sprite`.
void resumeFrameAnimation(cocos2d::CCNode* sprite);
/// When `sprite` runs a tagged frame action, stops all its actions.
void stopFrameAnimation(cocos2d::CCNode* sprite);
/// Shows frame `n` of `container` (frameAt rules) on `sprite`; nothing without a frame.
void showContainerFrame(cocos2d::CCSprite* sprite, const QNModelSpriteContainer* container, int n);

} // namespace qn
