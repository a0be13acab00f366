#pragma once
// The loading bar: a thin grey bar, 400 by 4 points centred on its position, filled as far as the
// incremental loading of the project data has come. It plays track 0 of its model's transform and
// opacity; neither its rotation nor its scale changes the bar itself.

#include "framework/CCNode.h"
#include "navigation/QNScreenWidget.h"
#include "presentation/QNWidgetPlayback.h"

class QNModelObjectLoadingBar;

class QNPObjectLoadingBar : public cocos2d::CCNode, public qn::QNScreenWidget {
public:
    /// A bar for `model` (not retained); autoreleased.
    static QNPObjectLoadingBar* create(QNModelObjectLoadingBar* model);
    ~QNPObjectLoadingBar() override;

    void update(float dt) override;
    /// Updates with 0.
    void draw() override;
    /// The node as usual, then the bar in the parent's coordinates.
    void visit() override;
    virtual void restart() { m_playback.reset(); }
    virtual void setStage(int stage) { m_playback.setStage(stage); }

    /// The filled fraction of the bar: the model controller's loading percentage / 100.
    static float progressFraction();

    // The screen's stage changes do not reach loading bars: they play track 0 only.
    void setWidgetStage(int) override {}
    void restartWidgetAnimation() override {}
    void updateWidget(float dt) override { update(dt); }

private:
    QNPObjectLoadingBar() = default;

    QNModelObjectLoadingBar* m_model = nullptr;
    // Never screen-anchored and never fading: only the transform and opacity tracks play.
    QNWidgetPlayback m_playback;
};
