#pragma once
// The collision shape of an object: an owned, never registered shape model whose own keys are merged
// into this attribute's dictionary. Also the path attribute, which stores nothing of its own (the
// points live in the owning path model).

#include <functional>

#include "model/QNPAttribute.h"

class QNPAttributeShape : public QNPAttribute {
public:
    enum ShapeType { kShapeNone = 0, kShapePolygon = 1, kShapeCircle = 2 };

    /// Makes a new, unregistered shape model for a shape type (1 polygon, 2 circle), owned by the
    /// caller; nullptr for other types. The collision-shape code installs its own; until then
    /// plain models named "QNModelPolygon" and "QNModelCircle" are made.
    using ShapeFactory = std::function<QNModel*(int shapeType)>;
    static void setShapeFactory(ShapeFactory factory);
    /// Calls the installed factory.
    static QNModel* createShape(int shapeType);

    QNPAttributeShape() : QNPAttribute(kTypeShape) {}
    ~QNPAttributeShape() override;

    /// The shape model (owned by this attribute), or nullptr.
    QNModel* shape() const { return m_shape; }
    int shapeType() const { return m_shapeType; }
    /// Takes `shape` (retained), derives the type from its class name and notifies.
    void setShape(QNModel* shape);

    void loadAttributes(cocos2d::CCDictionary* value) override;
    /// Takes a duplicate of the other's shape; when the other has none, this one ends without a shape.
    void copyFrom(QNPAttribute* other) override;

protected:
    void writeAttributes(cocos2d::CCDictionary* dict) override;

private:
    void replaceShape(QNModel* shape);

    QNModel* m_shape = nullptr;
    int m_shapeType = kShapeNone;
};

class QNPAttributePath : public QNPAttribute {
public:
    QNPAttributePath() : QNPAttribute(kTypePath) {}
};
