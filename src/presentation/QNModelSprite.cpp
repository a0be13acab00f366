#include "presentation/QNModelSprite.h"

#include "framework/CCDictionary.h"
#include "framework/CCSprite.h"
#include "framework/CCSpriteFrameCache.h"
#include "framework/CCString.h"
#include "model/QNDataText.h"
#include "model/QNModelController.h"
#include "presentation/QNModelAtlas.h"
#include "presentation/QNModelSpriteContainer.h"

using namespace cocos2d;

QNModelSprite::QNModelSprite() : QNModel("QNModelSprite") {}

bool QNModelSprite::initWithDictionary(CCDictionary* dict) {
    if (!QNModel::initWithDictionary(dict)) return false;
    m_pos = CCPointFromString(qn::textFor(dict, "pos").c_str());
    m_offset = CCPointFromString(qn::textFor(dict, "offset").c_str());
    m_size = CCSizeFromString(qn::textFor(dict, "size").c_str());
    m_sourceSize = CCSizeFromString(qn::textFor(dict, "sourceSize").c_str());
    m_sourceRect = CCRectFromString(qn::textFor(dict, "sourceRect").c_str());
    return true;
}

CCDictionary* QNModelSprite::attributesDictionary() {
    CCDictionary* dict = QNModel::attributesDictionary();
    qn::setText(dict, "pos", "{%.2f,%.2f}", m_pos.x, m_pos.y);
    qn::setText(dict, "offset", "{%.2f,%.2f}", m_offset.x, m_offset.y);
    qn::setText(dict, "size", "{%.2f,%.2f}", m_size.width, m_size.height);
    qn::setText(dict, "sourceSize", "{%.2f,%.2f}", m_sourceSize.width, m_sourceSize.height);
    qn::setText(dict, "sourceRect", "{{%.2f,%.2f},{%.2f,%.2f}}", m_sourceRect.origin.x, m_sourceRect.origin.y,
                m_sourceRect.size.width, m_sourceRect.size.height);
    return dict;
}

void QNModelSprite::copyFrom(QNModel* other) {
    QNModel::copyFrom(other);
    auto* sprite = dynamic_cast<QNModelSprite*>(other);
    if (!sprite || sprite == this) return;
    m_pos = sprite->m_pos;
    m_offset = sprite->m_offset;
    m_size = sprite->m_size;
    m_sourceSize = sprite->m_sourceSize;
    m_sourceRect = sprite->m_sourceRect;
}

void QNModelSprite::remove() {
    // Retained while the atlases let go of it: an atlas may hold the last reference.
    retain();
    QNModelController* controller = QNModelController::sharedModelController();
    for (QNModel* model : controller->modelsOfClass("QNModelAtlas")) {
        if (auto* atlas = dynamic_cast<QNModelAtlas*>(model)) atlas->removeSprite(this);
    }
    QNModel::remove();
    release();
}

std::string QNModelSprite::frameName() const {
    char name[40];
    std::snprintf(name, sizeof name, "QNModelSprite_ID%u", id());
    return name;
}

CCSprite* QNModelSprite::createSprite() const {
    CCSpriteFrame* frame = spriteFrame();
    if (!frame) return nullptr;
    CCSprite* sprite = CCSprite::createWithSpriteFrame(frame);
    if (sprite) sprite->setAnchorPoint(ccp(0.5f, 0.5f));
    return sprite;
}

CCSpriteFrame* QNModelSprite::spriteFrame() const {
    return CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName(frameName().c_str());
}

QNModelSpriteContainer* QNModelSprite::container() const {
    QNModelController* controller = QNModelController::sharedModelController();
    for (QNModel* model : controller->modelListOfClass("QNModelSpriteContainer")) {
        auto* container = dynamic_cast<QNModelSpriteContainer*>(model);
        if (container && container->containsSprite(this)) return container;
    }
    return nullptr;
}
