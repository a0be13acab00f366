#include "world/QNModelWorldComponents.h"

#include "model/QNPAttributeFloat.h"

namespace {
QNPAttributeFloat* addFloat(QNModel* model, const char* name, float initial) {
    auto* attribute = static_cast<QNPAttributeFloat*>(model->addAttribute(name, QNPAttribute::kTypeFloat));
    attribute->setDefault(initial);
    return attribute;
}
} // namespace

QNModelComponentForcedMovement::QNModelComponentForcedMovement()
    : QNModelComponent("QNModelComponentForcedMovement") {
    // "Froce Min" is the key the data files use.
    m_minimum = addFloat(this, "Froce Min", 3.0f);
    m_maximum = addFloat(this, "Force Max", 10.0f);
    m_increase = addFloat(this, "Force Increase", 0.1f);
}

float QNModelComponentForcedMovement::minimum() const {
    return m_minimum->value();
}
float QNModelComponentForcedMovement::maximum() const {
    return m_maximum->value();
}
float QNModelComponentForcedMovement::increase() const {
    return m_increase->value();
}

void QNModelComponentForcedMovement::setValues(float minimum, float maximum, float increase) {
    m_minimum->set(minimum, true);
    m_maximum->set(maximum, true);
    m_increase->set(increase, true);
}

QNModelComponentDeletionThreshold::QNModelComponentDeletionThreshold()
    : QNModelComponent("QNModelComponentDeletionThreshold") {
    m_back = addFloat(this, "Back Deletion Threshold", 300.0f);
    m_sides = addFloat(this, "Sides Deletion Threshold", 550.0f);
}

float QNModelComponentDeletionThreshold::backThreshold() const {
    return m_back->value();
}
float QNModelComponentDeletionThreshold::sidesThreshold() const {
    return m_sides->value();
}

void QNModelComponentDeletionThreshold::setValues(float back, float sides) {
    m_back->set(back, true);
    m_sides->set(sides, true);
}
