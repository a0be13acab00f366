#pragma once
// The two components a world model may carry: the forced movement (the game speed's minimum,
// maximum and increase per step) and the deletion thresholds (how far behind and beside the view
// objects live). The world reads them in place of its own legacy attributes when present.

#include "model/QNModelComponent.h"

class QNPAttributeFloat;

class QNModelComponentForcedMovement : public QNModelComponent {
public:
    QNModelComponentForcedMovement();

    float minimum() const;
    float maximum() const;
    float increase() const;
    void setValues(float minimum, float maximum, float increase);

protected:
    QNModel* createEmptyCopy() const override { return new QNModelComponentForcedMovement(); }

private:
    QNPAttributeFloat* m_minimum = nullptr;
    QNPAttributeFloat* m_maximum = nullptr;
    QNPAttributeFloat* m_increase = nullptr;
};

class QNModelComponentDeletionThreshold : public QNModelComponent {
public:
    QNModelComponentDeletionThreshold();

    float backThreshold() const;
    float sidesThreshold() const;
    void setValues(float back, float sides);

protected:
    QNModel* createEmptyCopy() const override { return new QNModelComponentDeletionThreshold(); }

private:
    QNPAttributeFloat* m_back = nullptr;
    QNPAttributeFloat* m_sides = nullptr;
};
