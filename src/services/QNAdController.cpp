#include "services/QNAdController.h"

QNAdController* QNAdController::sharedController() {
    static QNAdController* instance = new QNAdController();
    return instance;
}
