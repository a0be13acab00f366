#pragma once
// Assets and the placed objects that use them. An asset (character, obstacle, powerup) carries the
// shared collision shape and, as its child models, the behaviour components of every object that
// uses it; a placed asset object refers to its asset through "Asset".

#include "objects/QNModelObject.h"

class QNModelPolygon;
class QNPAttributeAsset;
class QNPAttributeShape;

class QNModelAsset : public QNModelCompound {
public:
    explicit QNModelAsset(const std::string& className = "QNModelAsset", const std::string& displayName = "");

    /// The "Collision Shape" attribute.
    QNPAttributeShape* collisionShapeAttribute() const { return m_shape; }
    /// The shape (a QNModelPolygon or QNModelCircle), or nullptr.
    QNModelPolygon* collisionShape() const;
    /// The animation objects of this asset show by default (character: "Default Animation";
    /// obstacle: "Idle Animation"); nullptr here.
    virtual QNModel* defaultAnimation() const { return nullptr; }
    /// The shape exists, has points and makes a physics shape at the scale.
    bool isValidAtScale(float sx, float sy) const;

protected:
    QNModel* createEmptyCopy() const override { return new QNModelAsset(className(), ""); }

    QNPAttributeShape* m_shape = nullptr;
};

class QNModelObjectAsset : public QNModelObject {
public:
    explicit QNModelObjectAsset(const std::string& className = "QNModelObjectAsset",
                                const std::string& displayName = "Untitled");

    /// The asset's default animation.
    QNModel* displayAnimation() const override;

    // Operations in slot order.
    /// The asset's collision shape, or nullptr.
    virtual QNModelPolygon* collisionShape() const;
    virtual QNPAttributeShape* collisionShapeAttribute() const;
    /// The sound an object of this model loops while near; none here.
    virtual QNModel* loopSound() const { return nullptr; }

    /// The asset (a QNModelAsset), or nullptr.
    QNModelAsset* asset() const;
    void setAsset(QNModelAsset* asset);
    QNPAttributeAsset* assetAttribute() const { return m_asset; }

protected:
    QNModel* createEmptyCopy() const override { return new QNModelObjectAsset(className(), ""); }

    QNPAttributeAsset* m_asset = nullptr;
};
