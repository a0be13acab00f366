#pragma once
// Powerups: the powerup asset (look, type, start animation, sounds, rewards, duration, appearance
// chance) and the placed powerup.

#include "objects/QNModelAsset.h"

class QNPAttributeFloat;

class QNModelAssetPowerup : public QNModelAsset {
public:
    /// Name of the appearance-chance attribute, spelt as the data files spell it (with a Cyrillic
    /// "с" in "Chanсe").
    static const char* const kAppearanceChance;

    QNModelAssetPowerup();

    /// "Idle Animation".
    QNModel* defaultAnimation() const override;
    /// Percent, 100 by default.
    float appearanceChance() const;

protected:
    QNModel* createEmptyCopy() const override { return new QNModelAssetPowerup(); }

private:
    QNPAttributeFloat* m_chance = nullptr;
};

class QNModelObjectAssetPowerup : public QNModelObjectAsset {
public:
    QNModelObjectAssetPowerup() : QNModelObjectAsset("QNModelObjectAssetPowerup", "Untitled") {}

    /// The powerup asset's "Idle Sound".
    QNModel* loopSound() const override;
    QNModelAssetPowerup* powerup() const { return dynamic_cast<QNModelAssetPowerup*>(asset()); }

protected:
    QNModel* createEmptyCopy() const override { return new QNModelObjectAssetPowerup(); }
};
