#pragma once
// The OpenGL view: the window's frame size and zoom, the design resolution with its policy, and
// the mapping between them. The window itself lives in the platform layer (qn::platformWindow());
// with no window at all the view still does all of its arithmetic.

#include <cstdint>
#include <string>

#include "framework/CCGeometry.h"

namespace qn {
class Window;
}

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

/// The window-message hook the shell installs: called before default handling; setting
/// *processed stops it.
typedef long (*CUSTOM_WND_PROC)(unsigned message, uintptr_t wParam, intptr_t lParam, bool* processed);

class CCEGLView {
public:
    static CCEGLView* sharedOpenGLView();

    /// The platform window the view draws into (qn::platformWindow(); null when there is none).
    qn::Window* getHWnd() const;
    /// The window's native handle as an integer (the X11 window id; 0 headless or without window).
    uint64_t getNativeHandle() const;
    /// Installs the message hook on the window (kept, and installed on a window set later with
    /// attachWindow).
    void setWndProc(CUSTOM_WND_PROC proc);
    CUSTOM_WND_PROC getWndProc() const { return m_wndProc; }
    /// Makes `window` the platform window (not owned) and applies the title and hook kept so far.
    void attachWindow(qn::Window* window);
    /// True when the window has a current OpenGL context.
    bool isOpenGLReady() const;
    /// Presents the frame (nothing without GL).
    void swapBuffers();
    /// Asks the run loop to stop (the window's quit flag); ended() reports it with no window too.
    void end();
    bool ended() const { return m_ended; }

    /// The window's client size in pixels.
    const CCSize& getFrameSize() const { return m_frameSize; }
    /// Sets the frame size and, with a window, resizes its client area (re-centred on its monitor).
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

    /// Sets the GL viewport to a rectangle in design points (origin bottom-left), through the
    /// letterbox mapping. Without GL it only records the rectangle (getLastViewPortInPixels).
    void setViewPortInPoints(float x, float y, float w, float h);
    /// Sets the GL scissor box to a rectangle in design points, as setViewPortInPoints.
    void setScissorInPoints(float x, float y, float w, float h);
    /// The pixel rectangle of the last setViewPortInPoints.
    const CCRect& getLastViewPortInPixels() const { return m_lastViewPort; }
    /// Design-point rectangle -> frame pixels (origin bottom-left), as the GL viewport wants it.
    CCRect pointsToPixels(float x, float y, float w, float h) const;

    /// Converts a frame point (pixels, origin top-left) to design points (origin bottom-left).
    CCPoint frameToDesign(const CCPoint& framePoint) const;
    /// Converts design points (origin bottom-left) to a frame point (pixels, origin top-left).
    CCPoint designToFrame(const CCPoint& designPoint) const;

    /// Sets the view's name, which is the window title.
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
    CUSTOM_WND_PROC m_wndProc = nullptr;
    CCRect m_lastViewPort;
    bool m_ended = false;
};

} // namespace cocos2d
