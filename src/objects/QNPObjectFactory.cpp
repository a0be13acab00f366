#include "objects/QNPObjectFactory.h"

#include "model/QNModel.h"
#include "objects/QNPObject.h"

QNPObject* createObject(QNModel* objectModel) {
    (void)objectModel;
    return nullptr;
}
