#pragma once
// The player character: a dynamic body that only meets category-1 fixtures (characters never touch
// each other), shown through its default animation. The factory registers it with the running
// world through QNObjectEnvironment. Steering, jumping, ground detection and the gun follow.

#include "objects/QNPObject.h"

class QNModelAssetCharacter;
class QNModelObjectAssetCharacter;
class QNPAnimationObject;

class QNPObjectAssetCharacter : public QNPObjectAsset {
public:
    /// Character states beyond the shared ones.
    enum { kStateIdle = 0, kStateMoving = 1, kStateShooting = 2, kStateJumping = 3 };
    /// Fixture filter of characters.
    static constexpr uint16 kCategory = 2;
    static constexpr uint16 kMask = 1;
    static constexpr int16 kGroup = -1;

    /// A character for `model`, autoreleased; nullptr without a model.
    static QNPObjectAssetCharacter* create(QNModelObjectAssetCharacter* model);
    ~QNPObjectAssetCharacter() override;

    /// Node follows the body, then the object update (pending state, components, children,
    /// visibility) and the killed flag. Replaces the asset update: no loop sound, wake-up, sleep or
    /// velocity factor.
    void update(float dt) override;
    /// Dying is refused while invincible; once dying only 5 is accepted; 5 accepts nothing.
    void setState(int state) override;
    /// The base body made dynamic, with the character filter, solid, rotation fixed by the gameplay
    /// parameters.
    void createBody(b2World* world, bool mayOmit) override;
    /// The asset's "Cast Shadow", false while dying or destroyed.
    bool castsShadow() const override;

    void setInvincible(bool invincible) { m_invincible = invincible; }
    bool isInvincible() const { return m_invincible; }
    QNPAnimationObject* defaultNode() const { return m_defaultNode; }
    QNPAnimationObject* defeatedNode() const { return m_defeatedNode; }
    QNModelAssetCharacter* characterAsset() const;

protected:
    explicit QNPObjectAssetCharacter(QNModelObjectAssetCharacter* model);

private:
    void deathAnimationDidEnd();

    QNPAnimationObject* m_defaultNode = nullptr;  // retained
    QNPAnimationObject* m_defeatedNode = nullptr; // retained
    bool m_invincible = false;
};
