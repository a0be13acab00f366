#include "presentation/QNModelSpriteContainer.h"

#include <algorithm>
#include <cmath>

#include "framework/CCActionInterval.h"
#include "framework/CCAnimation.h"
#include "framework/CCArray.h"
#include "framework/CCDictionary.h"
#include "framework/CCFileUtils.h"
#include "framework/CCSprite.h"
#include "framework/CCSpriteFrame.h"
#include "framework/CCString.h"
#include "framework/CCTextureCache.h"
#include "model/QNDataText.h"
#include "model/QNModelController.h"
#include "model/QNPAttributeFloat.h"
#include "presentation/QNModelSprite.h"

using namespace cocos2d;

QNModelSpriteContainer::QNModelSpriteContainer() : QNModel("QNModelSpriteContainer") {
    auto colourAdjustment = [this](const char* name) {
        auto* attribute = static_cast<QNPAttributeFloat*>(addAttribute(name, QNPAttribute::kTypeFloat));
        attribute->setDefault(0.0f);
        return attribute;
    };
    m_brightness = colourAdjustment("Brightness");
    m_contrast = colourAdjustment("Contrast");
    m_hue = colourAdjustment("Hue");
    m_saturation = colourAdjustment("Saturation");
}

QNModelSpriteContainer::~QNModelSpriteContainer() {
    clearSprites();
}

void QNModelSpriteContainer::clearSprites() {
    std::vector<QNModelSprite*> sprites;
    sprites.swap(m_sprites);
    for (QNModelSprite* sprite : sprites) sprite->release();
}

bool QNModelSpriteContainer::initWithDictionary(CCDictionary* dict) {
    if (!QNModel::initWithDictionary(dict)) return false;
    m_duration = ccTextToFloat(qn::textFor(dict, "duration").c_str());
    m_animationSpeed = ccTextToFloat(qn::textFor(dict, "animationSpeed").c_str());
    if (m_animationSpeed == 0.0f || !std::isfinite(m_animationSpeed)) m_animationSpeed = 1.0f;
    if (!std::isfinite(m_duration)) m_duration = 0.0f;
    return true;
}

CCDictionary* QNModelSpriteContainer::attributesDictionary() {
    CCDictionary* dict = QNModel::attributesDictionary();
    qn::setText(dict, "duration", "%f", m_duration);
    qn::setText(dict, "animationSpeed", "%f", m_animationSpeed);
    return dict;
}

CCDictionary* QNModelSpriteContainer::connectionsDictionary() {
    CCDictionary* dict = QNModel::connectionsDictionary();
    CCArray* ids = CCArray::createWithCapacity((unsigned int)m_sprites.size());
    for (QNModelSprite* sprite : m_sprites) ids->addObject(CCString::createWithFormat("%u", sprite->id()));
    dict->setObject(ids, "sprites");
    return dict;
}

void QNModelSpriteContainer::initConnections(CCDictionary* dict) {
    QNModel::initConnections(dict);
    if (!dict) return;
    if (auto* ids = dynamic_cast<CCArray*>(dict->objectForKey("sprites"))) {
        QNModelController* controller = QNModelController::sharedModelController();
        for (CCObject* element : ids->data()) {
            auto* text = dynamic_cast<CCString*>(element);
            if (!text) continue;
            addSprite(dynamic_cast<QNModelSprite*>(controller->modelById(text->uintValue())));
        }
    }
    if (m_duration == 0.0f) m_duration = (float)m_sprites.size() / kFramesPerSecond;
}

void QNModelSpriteContainer::copyFrom(QNModel* other) {
    QNModel::copyFrom(other);
    auto* container = dynamic_cast<QNModelSpriteContainer*>(other);
    if (!container || container == this) return;
    clearSprites();
    for (QNModelSprite* sprite : container->m_sprites) {
        addSprite(dynamic_cast<QNModelSprite*>(sprite->duplicate()));
    }
    setStandalone(container->m_standalone);
    m_duration = (float)m_sprites.size() / kFramesPerSecond;
}

void QNModelSpriteContainer::remove() {
    retain();
    QNModel::remove();
    std::vector<QNModelSprite*> sprites = m_sprites;
    for (QNModelSprite* sprite : sprites) sprite->retain();
    for (QNModelSprite* sprite : sprites) {
        sprite->remove();
        sprite->release();
    }
    release();
}

void QNModelSpriteContainer::setStandalone(bool standalone) {
    m_standalone = standalone;
    for (QNModelSprite* sprite : m_sprites) sprite->setStandaloneTexture(standalone);
}

void QNModelSpriteContainer::addSprite(QNModelSprite* sprite) {
    if (!sprite || containsSprite(sprite)) return;
    sprite->retain();
    m_sprites.push_back(sprite);
}

void QNModelSpriteContainer::removeSprite(QNModelSprite* sprite) {
    auto it = std::find(m_sprites.begin(), m_sprites.end(), sprite);
    if (it == m_sprites.end()) return;
    m_sprites.erase(it);
    sprite->release();
}

bool QNModelSpriteContainer::containsSprite(const QNModelSprite* sprite) const {
    return std::find(m_sprites.begin(), m_sprites.end(), sprite) != m_sprites.end();
}

CCSprite* QNModelSpriteContainer::animatedSprite(float speed, bool loop) {
    if (m_sprites.empty()) {
        CCLog("null sprite or sprites count");
        return nullptr;
    }
    CCSprite* node = m_sprites.front()->createSprite();
    if (!node) {
        CCLog("null sprite model");
        return nullptr;
    }
    node->retain();
    if (m_sprites.size() == 1) return node;
    CCArray* frames = CCArray::createWithCapacity((unsigned int)m_sprites.size());
    for (QNModelSprite* sprite : m_sprites) {
        if (CCSpriteFrame* frame = sprite->spriteFrame()) frames->addObject(frame);
    }
    // A zero or non-finite speed would give an endless frame; such a container shows its first frame.
    const float delay = (1.0f / kFramesPerSecond) / speed / m_animationSpeed;
    if (!std::isfinite(delay) || delay <= 0.0f) return node;
    CCAnimate* animate = CCAnimate::create(CCAnimation::createWithSpriteFrames(frames, delay));
    if (!animate) return node;
    CCAction* action = loop ? static_cast<CCAction*>(CCRepeatForever::create(animate)) : animate;
    action->setTag(kFrameActionTag);
    node->runAction(action);
    return node;
}

CCSpriteFrame* QNModelSpriteContainer::frameAt(int index) const {
    // No sprites: no frame (a modulo by zero otherwise).
    if (m_sprites.empty()) return nullptr;
    const int count = (int)m_sprites.size();
    if (index < 0) index = 0;
    return m_sprites[(std::size_t)(index % count)]->spriteFrame();
}

int QNModelSpriteContainer::currentFrameIndex() const {
    if (m_sprites.empty()) return -1;
    const double frame = std::floor((double)animationTime() * kFramesPerSecond);
    if (!std::isfinite(frame)) return 0;
    const long long count = (long long)m_sprites.size();
    // Clamp before converting, then keep the index non-negative for times before 0.
    const long long whole = (long long)std::max(-9.0e15, std::min(9.0e15, frame));
    return (int)(((whole % count) + count) % count);
}

CCSize QNModelSpriteContainer::frameSize() const {
    const int index = currentFrameIndex();
    return index < 0 ? CCSizeZero : m_sprites[(std::size_t)index]->size();
}

CCSize QNModelSpriteContainer::frameSourceSize() const {
    const int index = currentFrameIndex();
    return index < 0 ? CCSizeZero : m_sprites[(std::size_t)index]->sourceSize();
}

void QNModelSpriteContainer::setTimeScaled(float t) {
    setAnimationTime(m_animationSpeed * t);
}

CCTexture2D* QNModelSpriteContainer::standaloneTexture() {
    if (!m_standalone || m_sprites.empty()) return nullptr;
    QNModelSprite* sprite = m_sprites.front();
    CCTextureCache* cache = CCTextureCache::sharedTextureCache();
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    char path[64];
    std::snprintf(path, sizeof path, "data/effects/QNModelSprite_ID%u.png", sprite->id());
    if (CCTexture2D* cached = cache->textureForKey(path)) {
        if (!sprite->isReloadPending()) return cached;
        sprite->setReloadPending(false);
        cache->removeTextureForKey(path);
        return files->isFileExist(path) ? cache->addImage(path) : nullptr;
    }
    if (files->isFileExist(path)) {
        if (CCTexture2D* texture = cache->addImage(path)) return texture;
    }
    std::snprintf(path, sizeof path, "data/images/QNModelSprite_ID%u.png", sprite->id());
    if (files->isFileExist(path)) return cache->addImage(path);
    return nullptr;
}
