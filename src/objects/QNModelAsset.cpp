#include "objects/QNModelAsset.h"

#include "model/QNPAttributeReference.h"
#include "model/QNPAttributeShape.h"
#include "objects/QNModelPolygon.h"

QNModelAsset::QNModelAsset(const std::string& className, const std::string& displayName)
    : QNModelCompound(className, displayName) {
    m_shape = static_cast<QNPAttributeShape*>(addAttribute("Collision Shape", QNPAttribute::kTypeShape));
    auto* empty = new QNModelPolygon();
    m_shape->setShape(empty);
    empty->release();
}

QNModelPolygon* QNModelAsset::collisionShape() const {
    return dynamic_cast<QNModelPolygon*>(m_shape->shape());
}

bool QNModelAsset::isValidAtScale(float sx, float sy) const {
    QNModelPolygon* shape = collisionShape();
    return shape && !shape->isEmpty() && shape->isUsable(sx, sy);
}

QNModelObjectAsset::QNModelObjectAsset(const std::string& className, const std::string& displayName)
    : QNModelObject(className, displayName) {
    m_asset = static_cast<QNPAttributeAsset*>(addAttribute("Asset", QNPAttribute::kTypeAsset));
}

QNModelAsset* QNModelObjectAsset::asset() const {
    return dynamic_cast<QNModelAsset*>(m_asset->target());
}

void QNModelObjectAsset::setAsset(QNModelAsset* asset) {
    m_asset->setTarget(asset);
}

QNModel* QNModelObjectAsset::displayAnimation() const {
    QNModelAsset* a = asset();
    return a ? a->defaultAnimation() : nullptr;
}

QNModelPolygon* QNModelObjectAsset::collisionShape() const {
    QNModelAsset* a = asset();
    return a ? a->collisionShape() : nullptr;
}

QNPAttributeShape* QNModelObjectAsset::collisionShapeAttribute() const {
    QNModelAsset* a = asset();
    return a ? a->collisionShapeAttribute() : nullptr;
}
