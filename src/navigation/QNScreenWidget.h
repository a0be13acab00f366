#pragma once
// What a screen asks of the widgets on it as it plays its three animation stages (0 opening,
// 1 idle, 2 closing). Widget classes (buttons, images, labels, loading bars, ...) implement it next
// to their framework base; the screen finds it with dynamic_cast on the node it built.

namespace qn {

class QNScreenWidget {
public:
    virtual ~QNScreenWidget() = default;
    /// The screen entered `stage`: play that track (buttons and labels also update once with 0).
    virtual void setWidgetStage(int stage) = 0;
    /// The stage restarted: restart the widget's own clock (images restart their animation and
    /// update with 0; most buttons reset their time; switch and unlock buttons keep theirs).
    virtual void restartWidgetAnimation() = 0;
    /// One frame of the screen's update.
    virtual void updateWidget(float dt) = 0;
};

} // namespace qn
