#pragma once
// A touch (a mouse press on the desktop) in design points, origin bottom-left, and the event
// object passed with it.

#include "framework/CCGeometry.h"
#include "framework/CCObject.h"

namespace cocos2d {

class CCTouch : public CCObject {
public:
    CCTouch() = default;

    /// Starts the touch at `point`: start, previous and current locations all become it.
    void setTouchInfo(int id, const CCPoint& point);
    /// Moves the touch: the current location becomes the previous one.
    void moveTo(const CCPoint& point);

    int getID() const { return m_nId; }
    CCPoint getLocation() const { return m_point; }
    CCPoint getPreviousLocation() const { return m_prevPoint; }
    CCPoint getStartLocation() const { return m_startPoint; }
    /// Current minus previous location.
    CCPoint getDelta() const { return m_point - m_prevPoint; }
    /// The same points; there is no separate view space on this platform.
    CCPoint getLocationInView() const { return m_point; }
    CCPoint getPreviousLocationInView() const { return m_prevPoint; }

private:
    int m_nId = 0;
    CCPoint m_point;
    CCPoint m_prevPoint;
    CCPoint m_startPoint;
};

/// Passed with touches; carries nothing on this platform.
class CCEvent : public CCObject {};

} // namespace cocos2d
