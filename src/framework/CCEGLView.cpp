#include "framework/CCEGLView.h"

#include <algorithm>
#include <cmath>

namespace cocos2d {

CCEGLView* CCEGLView::sharedOpenGLView() {
    static CCEGLView* view = new CCEGLView();
    return view;
}

CCEGLView::CCEGLView() = default;
CCEGLView::~CCEGLView() = default;

void CCEGLView::setFrameSize(float width, float height) {
    m_frameSize.setSize(width, height);
    updateDesignResolution();
}

void CCEGLView::setFrameZoomFactor(float zoom) { m_frameZoomFactor = zoom; }

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
    case kResolutionNoBorder: m_scaleX = m_scaleY = std::max(m_scaleX, m_scaleY); break;
    case kResolutionShowAll: m_scaleX = m_scaleY = std::min(m_scaleX, m_scaleY); break;
    case kResolutionFixedHeight:
        m_scaleX = m_scaleY;
        m_designResolutionSize.width = std::ceil(m_frameSize.width / m_scaleX);
        break;
    case kResolutionFixedWidth:
        m_scaleY = m_scaleX;
        m_designResolutionSize.height = std::ceil(m_frameSize.height / m_scaleY);
        break;
    default: break;
    }
    float viewW = m_designResolutionSize.width * m_scaleX;
    float viewH = m_designResolutionSize.height * m_scaleY;
    m_viewPortRect = CCRect((m_frameSize.width - viewW) / 2.0f, (m_frameSize.height - viewH) / 2.0f, viewW, viewH);
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

void CCEGLView::setViewName(const std::string& name) { m_viewName = name; }

} // namespace cocos2d
