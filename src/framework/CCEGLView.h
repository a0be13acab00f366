#pragma once
// The OpenGL view: the window's frame size and zoom, the design resolution with its policy, and
// the mapping between them. The window itself lives in the platform layer.

#include <string>

#include "framework/CCGeometry.h"

namespace cocos2d {

enum ResolutionPolicy {
    /// Stretch the design area over the whole frame (aspect not kept).
    kResolutionExactFit,
    /// Fill the frame keeping the aspect; the design area is cropped.
    kResolutionNoBorder,
    /// Show the whole design area keeping the aspect; letterboxed.
    kResolutionShowAll,
    /// Keep the design height; the design width follows the frame's aspect.
    kResolutionFixedHeight,
    /// Keep the design width; the design height follows the frame's aspect.
    kResolutionFixedWidth,
    kResolutionUnKnown,
};

class CCEGLView {
public:
    static CCEGLView* sharedOpenGLView();

    /// The window's client size in pixels.
    const CCSize& getFrameSize() const { return m_frameSize; }
    virtual void setFrameSize(float width, float height);
    float getFrameZoomFactor() const { return m_frameZoomFactor; }
    virtual void setFrameZoomFactor(float zoom);

    /// Sets the design size and how it maps onto the frame; recomputed on every frame-size change.
    virtual void setDesignResolutionSize(float width, float height, ResolutionPolicy policy);
    /// The design size after the policy (the fixed-width and fixed-height policies adjust one side).
    const CCSize& getDesignResolutionSize() const { return m_designResolutionSize; }
    ResolutionPolicy getResolutionPolicy() const { return m_resolutionPolicy; }
    /// The part of the design area that is visible, in design points.
    CCSize getVisibleSize() const;
    CCPoint getVisibleOrigin() const;
    float getScaleX() const { return m_scaleX; }
    float getScaleY() const { return m_scaleY; }
    /// The frame rectangle (pixels, origin bottom-left) that the design area is drawn into.
    const CCRect& getViewPortRect() const { return m_viewPortRect; }

    /// Converts a frame point (pixels, origin top-left) to design points (origin bottom-left).
    CCPoint frameToDesign(const CCPoint& framePoint) const;
    /// Converts design points (origin bottom-left) to a frame point (pixels, origin top-left).
    CCPoint designToFrame(const CCPoint& designPoint) const;

    void setViewName(const std::string& name);
    const std::string& getViewName() const { return m_viewName; }

protected:
    CCEGLView();
    virtual ~CCEGLView();
    void updateDesignResolution();

    CCSize m_frameSize;
    CCSize m_requestedDesignSize;
    CCSize m_designResolutionSize;
    ResolutionPolicy m_resolutionPolicy = kResolutionUnKnown;
    CCRect m_viewPortRect;
    float m_scaleX = 1.0f;
    float m_scaleY = 1.0f;
    float m_frameZoomFactor = 1.0f;
    std::string m_viewName;
};

} // namespace cocos2d
