#pragma once
// The model of the loading bar: a placed object with no attributes of its own.

#include "objects/QNModelObject.h"

class QNModelObjectLoadingBar : public QNModelObject {
public:
    QNModelObjectLoadingBar() : QNModelObject("QNModelObjectLoadingBar", "Loading Bar") {}

protected:
    QNModel* createEmptyCopy() const override { return new QNModelObjectLoadingBar(); }
};
