#pragma once
// The player character's models: the character asset (looks, sounds, game-over effects, shop
// data), its gameplay-settings component (handling values that override the gameplay parameters)
// and the placed character.

#include "model/QNModelComponent.h"
#include "objects/QNModelAsset.h"

class QNPAttributeAnimation;
class QNPAttributeBoolean;
class QNPAttributeFloat;

class QNModelAssetCharacter : public QNModelAsset {
public:
    QNModelAssetCharacter();

    /// "Default Animation".
    QNModel* defaultAnimation() const override;
    /// An animation attribute's target by name ("Default Animation", "Jump Animation", ...).
    QNModel* animationNamed(const char* name) const;
    /// A sound attribute's target by name ("Jump Sound", ...).
    QNModel* soundNamed(const char* name) const;
    /// A float attribute's value by name ("Game Over Delay", "Fall Attribute", ...); 0 when absent.
    float floatNamed(const char* name) const;
    bool castShadow() const;
    bool autoTilt() const;
    /// The "QNModelComponentCharacterGameplaySettings" child, or nullptr.
    QNModel* gameplaySettings() const;

protected:
    QNModel* createEmptyCopy() const override { return new QNModelAssetCharacter(); }

private:
    QNPAttributeBoolean* m_castShadow = nullptr;
    QNPAttributeBoolean* m_autoTilt = nullptr;
};

class QNModelComponentCharacterGameplaySettings : public QNModelComponent {
public:
    /// Defaults of the table; projects of editor major version 1 start with other speeds.
    QNModelComponentCharacterGameplaySettings();

protected:
    QNModel* createEmptyCopy() const override { return new QNModelComponentCharacterGameplaySettings(); }
};

class QNModelObjectAssetCharacter : public QNModelObjectAsset {
public:
    QNModelObjectAssetCharacter() : QNModelObjectAsset("QNModelObjectAssetCharacter", "Untitled") {}

    /// The asset as a character asset, or nullptr.
    QNModelAssetCharacter* characterAsset() const;

protected:
    QNModel* createEmptyCopy() const override { return new QNModelObjectAssetCharacter(); }
};
