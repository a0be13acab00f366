#include "shell/QNPInputController.h"

#include "framework/CCDirector.h"
#include "navigation/QNPScreen.h"

using namespace cocos2d;

namespace {
QNPInputController*& shared() {
    static QNPInputController* instance = nullptr;
    return instance;
}
} // namespace

QNPInputController* QNPInputController::sharedInputController() {
    if (!shared()) {
        shared() = new QNPInputController();
        CCDirector::sharedDirector()->getKeypadDispatcher()->addDelegate(shared());
    }
    return shared();
}

QNPInputController* QNPInputController::sharedInputControllerIfExists() {
    return shared();
}

void QNPInputController::destroySharedInputController() {
    QNPInputController* controller = shared();
    if (!controller) return;
    shared() = nullptr;
    if (CCDirector* director = CCDirector::sharedDirectorIfExists())
        director->getKeypadDispatcher()->removeDelegate(controller);
    controller->release();
}

QNPInputController::~QNPInputController() {
    CCLog("QNPInputController - deallocated");
}

void QNPInputController::menuKey(int code) {
    CCLog("[QNPInputController] - keyPressed: %d", code);
    QNPScreen* screen = QNPScreen::runningScreen();
    if (!screen) return;
    if (code == 11)
        screen->pressHighlightedButton();
    else if (code >= 12 && code <= 15)
        screen->moveHighlight(code);
}

void QNPInputController::keyBackClicked() {
    CCLog("key Back CLCIKED");
    if (QNPScreen* screen = QNPScreen::runningScreen()) screen->keyBackClicked();
}

void QNPInputController::onKeyDown(int keyCode) {
    CCLog("[QNPInputController] key Down clicked");
    if (QNPScreen* screen = QNPScreen::runningScreen()) screen->onKeyDown(keyCode);
}

void QNPInputController::onKeyUp(int keyCode) {
    CCLog("[QNPInputController] key UP clicked");
    retain();
    if (QNPScreen* screen = QNPScreen::runningScreen()) screen->onKeyUp(keyCode);
    switch (keyCode) {
    case 4:
    case 97:
        keyBackClicked();
        break;
    case 19:
        menuKey(12);
        break;
    case 20:
        menuKey(13);
        break;
    case 21:
        menuKey(14);
        break;
    case 22:
        menuKey(15);
        break;
    case 23:
    case 96:
    case 99:
    case 100:
        menuKey(11);
        break;
    default:
        break;
    }
    release();
}
