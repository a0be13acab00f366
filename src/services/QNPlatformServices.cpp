#include "services/QNPlatformServices.h"

#include <cstdio>

#include "framework/CCObject.h"
#include "platform/Window.h"
#include "platform/WindowMessages.h"

QNPlatformServices* QNPlatformServices::sharedServices() {
    static QNPlatformServices* instance = new QNPlatformServices();
    return instance;
}

void QNPlatformServices::setWindowMode(bool fullScreen) {
    if (qn::Window* window = qn::platformWindow()) window->postMessage(qn::WM_USER, fullScreen ? 1 : 0, 0);
}

void QNPlatformServices::exitGame() {
    cocos2d::CCLog("Exit");
    std::printf("Doing exit...\n");
    std::fflush(stdout);
    if (qn::Window* window = qn::platformWindow()) window->postMessage(qn::WM_CLOSE, 0, 0);
}
