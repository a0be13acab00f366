#pragma once
// The image widget: the sprite animation of an image model (a picture, a looping animation, a
// backdrop), playing the screen's opening, idle and closing tracks on its transform and opacity.
// Composite animations show their pictures with it too, driving its frames and opacity.

#include "framework/CCNode.h"
#include "navigation/QNScreenWidget.h"
#include "presentation/QNAnimationChildren.h"
#include "presentation/QNWidgetPlayback.h"

namespace cocos2d {
class CCAction;
class CCSprite;
} // namespace cocos2d

class QNModelObjectImage;

class QNPObjectImage : public cocos2d::CCNode, public qn::QNScreenWidget, public QNPAnimationChild {
public:
    /// A widget for `model` (not retained) whose picture plays at `speed`, forever when `loop`;
    /// autoreleased. A model without "Image" gives a widget with no children that still follows
    /// its transform tracks.
    static QNPObjectImage* create(QNModelObjectImage* model, float speed, bool loop);
    ~QNPObjectImage() override;

    /// time += dt, autohide, transform at (time, stage), then unless faded the opacity.
    void update(float dt) override;
    /// Time 0, sprites opaque again (unless faded) and their frame animation from its start.
    virtual void restart();
    /// The track played; the time is left alone.
    virtual void setStage(int stage);

    QNModelObjectImage* imageModel() const { return m_model; }
    bool faded() const { return m_playback.faded(); }
    float time() const { return m_playback.time(); }
    int stage() const { return m_playback.stage(); }
    float opacityMultiplier() const { return m_opacityMultiplier; }
    /// The frame animation of the picture (tag 76), or nullptr.
    cocos2d::CCAction* frameAction() const { return m_frameAction; }

    // Screen stages.
    void setWidgetStage(int stage) override { setStage(stage); }
    void restartWidgetAnimation() override;
    void updateWidget(float dt) override { update(dt); }

    // Inside composite animations.
    Kind animationChildKind() const override { return kImage; }
    void restartFrames() override { restart(); }
    void pauseFrames() override;
    void resumeFrames() override;
    void stopFrames() override;
    void showFrame(int n) override;
    void setAnimationOpacity(float opacity) override { m_opacityMultiplier = opacity; }

private:
    QNPObjectImage() = default;
    template <typename Op> void forEachSprite(Op op);

    QNModelObjectImage* m_model = nullptr;
    QNWidgetPlayback m_playback;
    cocos2d::CCAction* m_frameAction = nullptr;
    float m_opacityMultiplier = 1.0f;
};
