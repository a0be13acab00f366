#include "objects/QNPObjectAssetCharacter.h"

#include "objects/QNModelCharacter.h"
#include "objects/QNPGameplayParameters.h"
#include "presentation/QNModelAnimation.h"
#include "presentation/QNPAnimationObject.h"

using namespace cocos2d;

QNPObjectAssetCharacter* QNPObjectAssetCharacter::create(QNModelObjectAssetCharacter* model) {
    if (!model) return nullptr;
    auto* character = new QNPObjectAssetCharacter(model);
    character->autorelease();
    return character;
}

QNPObjectAssetCharacter::QNPObjectAssetCharacter(QNModelObjectAssetCharacter* model) : QNPObjectAsset(model) {
    m_kind = kKindCharacter;
    m_solid = true;
    m_destroyType = 2;
    QNModelAssetCharacter* asset = model->characterAsset();
    if (!asset) return;
    m_parameters->applyCharacterSettings(asset->gameplaySettings());
    if (auto* animation = dynamic_cast<QNModelAnimation*>(asset->defaultAnimation())) {
        m_defaultNode = QNPAnimationObject::create(animation, this, true);
        if (m_defaultNode) {
            m_defaultNode->retain();
            m_defaultNode->setOpacity(model->opacity(0, 0));
            addChild(m_defaultNode, model->depth());
        }
    }
}

QNPObjectAssetCharacter::~QNPObjectAssetCharacter() {
    if (m_defeatedNode) m_defeatedNode->setEndCallback(nullptr, nullptr);
    CC_SAFE_RELEASE(m_defaultNode);
    CC_SAFE_RELEASE(m_defeatedNode);
}

QNModelAssetCharacter* QNPObjectAssetCharacter::characterAsset() const {
    auto* model = dynamic_cast<QNModelObjectAssetCharacter*>(m_model);
    return model ? model->characterAsset() : nullptr;
}

bool QNPObjectAssetCharacter::castsShadow() const {
    if (m_state == kStateDying || m_state == kStateDestroyed) return false;
    QNModelAssetCharacter* asset = characterAsset();
    return asset && asset->castShadow();
}

void QNPObjectAssetCharacter::createBody(b2World* world, bool mayOmit) {
    QNPObjectAsset::createBody(world, mayOmit);
    if (!m_body) return;
    m_body->SetType(b2_dynamicBody);
    for (b2Fixture* f = m_body->GetFixtureList(); f; f = f->GetNext()) {
        b2Filter filter;
        filter.categoryBits = kCategory;
        filter.maskBits = kMask;
        filter.groupIndex = kGroup;
        f->SetFilterData(filter);
        f->SetSensor(false);
    }
    m_body->SetFixedRotation(m_parameters->fixedRotation);
}

void QNPObjectAssetCharacter::update(float dt) {
    if (m_body) {
        const b2Vec2& p = m_body->GetPosition();
        setPosition(ccp(p.x * kPointsPerMetre, p.y * kPointsPerMetre));
        setRotation(-m_body->GetAngle() * kRadiansToDegrees);
    }
    QNPObject::update(dt);
    if (m_killed) {
        m_killed = false;
        setState(kStateDying);
    }
}

void QNPObjectAssetCharacter::setState(int state) {
    if (state == kStateDying && m_invincible) return;
    if (m_state == kStateDestroyed) return;
    if (m_state == kStateDying && state != kStateDestroyed) return;
    QNPObjectAsset::setState(state);
    if (state == kStateDying) {
        QNModelAssetCharacter* asset = characterAsset();
        auto* animation =
            asset ? dynamic_cast<QNModelAnimation*>(asset->animationNamed("Defeated Animation")) : nullptr;
        if (animation && !m_defeatedNode) {
            m_defeatedNode = QNPAnimationObject::create(animation, this, true);
            if (m_defeatedNode) {
                m_defeatedNode->retain();
                m_defeatedNode->setOpacity(m_model->opacity(0, 0));
                m_defeatedNode->setEndCallback(
                    this, static_cast<SEL_CallFunc>(&QNPObjectAssetCharacter::deathAnimationDidEnd));
                addChild(m_defeatedNode, m_model->depth());
                m_defeatedNode->restart();
            }
        }
        setVisible(true);
        if (!m_defeatedNode || m_defeatedNode->durationFrames() <= 0) setState(kStateDestroyed);
    } else if (state == kStateDestroyed) {
        forEachChildObject([](QNPObject* child) { child->setState(kStateDestroyed); });
    }
}

void QNPObjectAssetCharacter::deathAnimationDidEnd() {
    CCLog("deathAnimationDidEnd --- ");
    setState(kStateDestroyed);
}
