#pragma once
// The application object: prepares the view and the design resolution at launch, shows the first
// scene (the start screen with its loading splash), reads the project one step per drawn frame of
// that screen, then shows the start content; pauses and resumes the game when the window goes to
// the background and comes back. One static instance exists for the whole process.

#include "framework/CCApplication.h"

class QNPAppDelegate : public cocos2d::CCApplication {
public:
    QNPAppDelegate();
    ~QNPAppDelegate() override;

    bool applicationDidFinishLaunching() override;
    void applicationDidEnterBackground() override;
    void applicationWillEnterForeground() override;

    /// One loading step (called by the loading screen once per drawn frame from its 10th): reads
    /// the next data files; when the project is complete, finishes loading and shows the start
    /// content. Returns true once loading has completed.
    bool loadStep();

    /// The seconds above which building the first scene marks the device slow.
    static constexpr double kSlowDeviceSeconds = 0.4;

private:
    /// Everything that happens once every data file has been read.
    void finishLoading();
    /// Replaces the start screen by the start section's world, the start node's world or screen.
    void showStartContent();
};
