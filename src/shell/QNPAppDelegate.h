#pragma once
// The application object: prepares the view and the design resolution at launch, shows the first
// scene, and pauses and resumes the game when the window goes to the background and comes back.

#include "framework/CCApplication.h"

class QNPAppDelegate : public cocos2d::CCApplication {
public:
    QNPAppDelegate();
    ~QNPAppDelegate() override;

    bool applicationDidFinishLaunching() override;
    void applicationDidEnterBackground() override;
    void applicationWillEnterForeground() override;
};
