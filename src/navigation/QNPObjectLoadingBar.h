#pragma once
// The loading bar: a thin grey bar, 400 by 4 points centred on its position, filled as far as the
// incremental loading of the project data has come. It plays track 0 of its model's transform and
// opacity; neither its rotation nor its scale changes the bar itself.

#include "framework/CCNode.h"
#include "navigation/QNScreenWidget.h"

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
    virtual void restart() { m_time = 0.0f; }
    virtual void setStage(int stage) { m_stage = stage; }

    /// The filled fraction of the bar: the model controller's loading percentage / 100.
    static float progressFraction();

    // The screen's stage changes do not reach loading bars: they play track 0 only.
    void setWidgetStage(int) override {}
    void restartWidgetAnimation() override {}
    void updateWidget(float dt) override { update(dt); }

private:
    QNPObjectLoadingBar() = default;
    void applyPose();

    QNModelObjectLoadingBar* m_model = nullptr;
    float m_time = 0.0f;
    int m_stage = 0;
};
