#include "model/QNPAttributeShape.h"

#include "framework/CCDictionary.h"
#include "model/QNDataText.h"
#include "model/QNModel.h"

using namespace cocos2d;

namespace {
QNPAttributeShape::ShapeFactory& shapeFactory() {
    static QNPAttributeShape::ShapeFactory factory;
    return factory;
}

int typeOfShape(const QNModel* shape) {
    if (!shape) return QNPAttributeShape::kShapeNone;
    if (shape->hasClassName("QNModelPolygon")) return QNPAttributeShape::kShapePolygon;
    if (shape->hasClassName("QNModelCircle")) return QNPAttributeShape::kShapeCircle;
    return QNPAttributeShape::kShapeNone;
}
} // namespace

void QNPAttributeShape::setShapeFactory(ShapeFactory factory) {
    shapeFactory() = std::move(factory);
}

QNModel* QNPAttributeShape::createShape(int shapeType) {
    if (shapeFactory()) return shapeFactory()(shapeType);
    if (shapeType == kShapePolygon) return new QNModel("QNModelPolygon");
    if (shapeType == kShapeCircle) return new QNModel("QNModelCircle");
    return nullptr;
}

QNPAttributeShape::~QNPAttributeShape() {
    CC_SAFE_RELEASE(m_shape);
}

void QNPAttributeShape::replaceShape(QNModel* shape) {
    CC_SAFE_RETAIN(shape);
    CC_SAFE_RELEASE(m_shape);
    m_shape = shape;
}

void QNPAttributeShape::setShape(QNModel* shape) {
    replaceShape(shape);
    m_shapeType = typeOfShape(shape);
    changed();
}

void QNPAttributeShape::loadAttributes(CCDictionary* value) {
    QNPAttribute::loadAttributes(value);
    if (!qn::isPresent(value, "shapeType")) return;
    m_shapeType = ccTextToInt(qn::textFor(value, "shapeType").c_str());
    QNModel* shape =
        (m_shapeType == kShapePolygon || m_shapeType == kShapeCircle) ? createShape(m_shapeType) : nullptr;
    replaceShape(shape);
    if (shape) {
        shape->release(); // createShape gave us a reference; replaceShape took its own
        shape->initWithDictionary(value);
    }
}

void QNPAttributeShape::writeAttributes(CCDictionary* dict) {
    if (m_shape) {
        CCDictionary* own = m_shape->attributesDictionary();
        CCDictElement* element = nullptr;
        CCDICT_FOREACH(own, element) {
            dict->setObject(element->getObject(), element->getKey());
        }
    }
    qn::setText(dict, "shapeType", "%d", m_shapeType);
}

void QNPAttributeShape::copyFrom(QNPAttribute* other) {
    QNPAttribute::copyFrom(other);
    auto* that = dynamic_cast<QNPAttributeShape*>(other);
    if (!that || that == this) return;
    QNModel* copy = that->m_shape ? that->m_shape->duplicate() : nullptr;
    replaceShape(copy);
    m_shapeType = typeOfShape(copy);
    if (copy) changed();
}
