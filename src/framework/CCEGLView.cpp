#include "framework/CCEGLView.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>

#include "platform/Window.h"

namespace cocos2d {

CCEGLView* CCEGLView::sharedOpenGLView() {
    static CCEGLView* view = new CCEGLView();
    return view;
}

CCEGLView::CCEGLView() = default;
CCEGLView::~CCEGLView() = default;

namespace {

/// Frame sizes are whole pixels of a real client area; nonsense (negative, NaN, huge) becomes 0.
float sanePixels(float value) {
    if (!(value > 0.0f)) return 0.0f;
    return std::min(value, 32767.0f);
}

/// ceil() that ignores float noise: 1136.0001 is 1136, not 1137.
float ceilPixels(float value) {
    return std::ceil(value - 0.001f);
}

} // namespace

qn::Window* CCEGLView::getHWnd() const {
    return qn::platformWindow();
}

uint64_t CCEGLView::getNativeHandle() const {
    qn::Window* window = getHWnd();
    return window ? window->nativeHandle() : 0;
}

void CCEGLView::setWndProc(CUSTOM_WND_PROC proc) {
    m_wndProc = proc;
    if (qn::Window* window = getHWnd()) window->setWndProc(proc);
}

void CCEGLView::attachWindow(qn::Window* window) {
    qn::setPlatformWindow(window);
    if (!window) return;
    if (!m_viewName.empty()) window->setTitle(m_viewName);
    if (m_wndProc) window->setWndProc(m_wndProc);
}

bool CCEGLView::isOpenGLReady() const {
    qn::Window* window = getHWnd();
    return window && window->hasGLContext();
}

void CCEGLView::swapBuffers() {
    if (qn::Window* window = getHWnd()) window->swapBuffers();
}

void CCEGLView::end() {
    m_ended = true;
    if (qn::Window* window = getHWnd()) window->requestQuit();
}

void CCEGLView::setFrameSize(float width, float height) {
    m_frameSize.setSize(sanePixels(width), sanePixels(height));
    updateDesignResolution();
    // The window follows; its size messages may come back here through the shell's hook with the
    // same size, which changes nothing more.
    if (qn::Window* window = getHWnd())
        window->setClientSize(static_cast<int>(m_frameSize.width), static_cast<int>(m_frameSize.height));
}

void CCEGLView::setFrameZoomFactor(float zoom) {
    m_frameZoomFactor = zoom;
}

void CCEGLView::setDesignResolutionSize(float width, float height, ResolutionPolicy policy) {
    if (width <= 0.0f || height <= 0.0f || policy == kResolutionUnKnown) return;
    m_requestedDesignSize.setSize(width, height);
    m_resolutionPolicy = policy;
    updateDesignResolution();
}

void CCEGLView::updateDesignResolution() {
    m_designResolutionSize = m_requestedDesignSize;
    if (m_resolutionPolicy == kResolutionUnKnown || m_requestedDesignSize.width <= 0.0f ||
        m_requestedDesignSize.height <= 0.0f || m_frameSize.width <= 0.0f || m_frameSize.height <= 0.0f) {
        m_scaleX = m_scaleY = 1.0f;
        m_viewPortRect = CCRect(0, 0, m_frameSize.width, m_frameSize.height);
        return;
    }
    m_scaleX = m_frameSize.width / m_requestedDesignSize.width;
    m_scaleY = m_frameSize.height / m_requestedDesignSize.height;
    switch (m_resolutionPolicy) {
    case kResolutionNoBorder:
        m_scaleX = m_scaleY = std::max(m_scaleX, m_scaleY);
        break;
    case kResolutionShowAll:
        m_scaleX = m_scaleY = std::min(m_scaleX, m_scaleY);
        break;
    case kResolutionFixedHeight:
        m_scaleX = m_scaleY;
        m_designResolutionSize.width = ceilPixels(m_frameSize.width / m_scaleX);
        break;
    case kResolutionFixedWidth:
        m_scaleY = m_scaleX;
        m_designResolutionSize.height = ceilPixels(m_frameSize.height / m_scaleY);
        break;
    default:
        break;
    }
    float viewW = m_designResolutionSize.width * m_scaleX;
    float viewH = m_designResolutionSize.height * m_scaleY;
    m_viewPortRect =
        CCRect((m_frameSize.width - viewW) / 2.0f, (m_frameSize.height - viewH) / 2.0f, viewW, viewH);
}

CCSize CCEGLView::getVisibleSize() const {
    if (m_resolutionPolicy == kResolutionNoBorder && m_scaleX > 0.0f && m_scaleY > 0.0f)
        return CCSize(m_frameSize.width / m_scaleX, m_frameSize.height / m_scaleY);
    return m_designResolutionSize;
}

CCPoint CCEGLView::getVisibleOrigin() const {
    if (m_resolutionPolicy == kResolutionNoBorder) {
        CCSize visible = getVisibleSize();
        return CCPoint((m_designResolutionSize.width - visible.width) / 2.0f,
                       (m_designResolutionSize.height - visible.height) / 2.0f);
    }
    return CCPointZero;
}

CCPoint CCEGLView::frameToDesign(const CCPoint& p) const {
    float x = (p.x - m_viewPortRect.origin.x) / m_scaleX;
    float y = (m_frameSize.height - p.y - m_viewPortRect.origin.y) / m_scaleY;
    return CCPoint(x, y);
}

CCPoint CCEGLView::designToFrame(const CCPoint& p) const {
    float x = p.x * m_scaleX + m_viewPortRect.origin.x;
    float y = m_frameSize.height - (p.y * m_scaleY + m_viewPortRect.origin.y);
    return CCPoint(x, y);
}

CCRect CCEGLView::pointsToPixels(float x, float y, float w, float h) const {
    float zoom = m_frameZoomFactor;
    return CCRect((x * m_scaleX + m_viewPortRect.origin.x) * zoom,
                  (y * m_scaleY + m_viewPortRect.origin.y) * zoom, w * m_scaleX * zoom, h * m_scaleY * zoom);
}

void CCEGLView::setViewPortInPoints(float x, float y, float w, float h) {
    m_lastViewPort = pointsToPixels(x, y, w, h);
    if (!isOpenGLReady()) return;
    glViewport(static_cast<GLint>(m_lastViewPort.origin.x), static_cast<GLint>(m_lastViewPort.origin.y),
               static_cast<GLsizei>(m_lastViewPort.size.width),
               static_cast<GLsizei>(m_lastViewPort.size.height));
}

void CCEGLView::setScissorInPoints(float x, float y, float w, float h) {
    if (!isOpenGLReady()) return;
    CCRect r = pointsToPixels(x, y, w, h);
    glScissor(static_cast<GLint>(r.origin.x), static_cast<GLint>(r.origin.y),
              static_cast<GLsizei>(r.size.width), static_cast<GLsizei>(r.size.height));
}

void CCEGLView::setViewName(const std::string& name) {
    m_viewName = name;
    if (qn::Window* window = getHWnd()) window->setTitle(name);
}

} // namespace cocos2d
