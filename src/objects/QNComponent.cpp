#include "objects/QNComponent.h"

#include "model/QNModel.h"

QNComponent* createComponent(QNModel* componentModel) {
    // No component kind has a runtime class yet: every model is skipped.
    (void)componentModel;
    return nullptr;
}
