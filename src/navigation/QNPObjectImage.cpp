#include "navigation/QNPObjectImage.h"

#include "framework/CCAction.h"
#include "framework/CCActionManager.h"
#include "framework/CCDirector.h"
#include "framework/CCSprite.h"
#include "navigation/QNModelObjectImage.h"
#include "presentation/QNModelSpriteContainer.h"

using namespace cocos2d;

QNPObjectImage* QNPObjectImage::create(QNModelObjectImage* model, float speed, bool loop) {
    auto* image = new QNPObjectImage();
    image->autorelease();
    image->m_model = model;
    if (!model) return image;
    image->m_playback.setModel(model);
    image->m_playback.setAutohide(model->autohide());
    image->m_playback.setStickToEdge(model->sticksToEdge());
    if (auto* container = dynamic_cast<QNModelSpriteContainer*>(model->displayAnimation())) {
        if (CCSprite* sprite = container->animatedSprite(speed, loop)) {
            image->addChild(sprite);
            sprite->release(); // animatedSprite hands over one reference
            if (CCAction* action = sprite->getActionByTag(QNModelSpriteContainer::kFrameActionTag)) {
                action->retain();
                image->m_frameAction = action;
            }
        }
    }
    image->m_playback.applyTransform(image);
    image->setUserObject(model);
    image->setContentSize(model->contentSize());
    image->update(0.0f);
    return image;
}

QNPObjectImage::~QNPObjectImage() {
    CC_SAFE_RELEASE(m_frameAction);
}

template <typename Op> void QNPObjectImage::forEachSprite(Op op) {
    CCArray* children = getChildren();
    if (!children) return;
    for (CCObject* object : children->data())
        if (auto* sprite = dynamic_cast<CCSprite*>(object)) op(sprite);
}

void QNPObjectImage::update(float dt) {
    if (!m_model) return;
    m_playback.step(this, dt, m_opacityMultiplier);
}

void QNPObjectImage::restart() {
    if (!m_model) return;
    m_playback.reset();
    m_model->setAnimationTime(0.0f);
    const bool faded = m_playback.faded();
    forEachSprite([&](CCSprite* sprite) {
        if (!faded) sprite->setOpacity(255);
        if (CCAction* running = sprite->getActionByTag(QNModelSpriteContainer::kFrameActionTag)) {
            running->retain();
            sprite->stopAllActions();
            sprite->runAction(running);
            running->release();
        } else if (m_frameAction) {
            sprite->stopActionByTag(QNModelSpriteContainer::kFrameActionTag);
            sprite->runAction(m_frameAction);
        }
    });
}

void QNPObjectImage::setStage(int stage) {
    m_playback.setStage(stage);
}

void QNPObjectImage::restartWidgetAnimation() {
    restart();
    update(0.0f);
}

void QNPObjectImage::pauseFrames() {
    CCActionManager* actions = CCDirector::sharedDirector()->getActionManager();
    forEachSprite([&](CCSprite* sprite) { actions->pauseTarget(sprite); });
}

void QNPObjectImage::resumeFrames() {
    CCActionManager* actions = CCDirector::sharedDirector()->getActionManager();
    forEachSprite([&](CCSprite* sprite) { actions->resumeTarget(sprite); });
}

void QNPObjectImage::stopFrames() {
    forEachSprite([](CCSprite* sprite) {
        if (sprite->getActionByTag(QNModelSpriteContainer::kFrameActionTag)) sprite->stopAllActions();
    });
}

void QNPObjectImage::showFrame(int n) {
    auto* container = m_model ? dynamic_cast<QNModelSpriteContainer*>(m_model->displayAnimation()) : nullptr;
    CCSpriteFrame* frame = container ? container->frameAt(n) : nullptr;
    if (!frame) return;
    forEachSprite([&](CCSprite* sprite) { sprite->setDisplayFrame(frame); });
}
