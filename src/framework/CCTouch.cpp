#include "framework/CCTouch.h"

namespace cocos2d {

void CCTouch::setTouchInfo(int id, const CCPoint& point) {
    m_nId = id;
    m_point = m_prevPoint = m_startPoint = point;
}

void CCTouch::moveTo(const CCPoint& point) {
    m_prevPoint = m_point;
    m_point = point;
}

} // namespace cocos2d
