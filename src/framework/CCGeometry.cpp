#include "framework/CCGeometry.h"

#include <algorithm>
#include <cfloat>

namespace cocos2d {

const CCPoint CCPointZero(0.0f, 0.0f);
const CCSize CCSizeZero(0.0f, 0.0f);
const CCRect CCRectZero(0.0f, 0.0f, 0.0f, 0.0f);

bool CCPoint::fuzzyEquals(const CCPoint& o, float variance) const {
    return std::fabs(x - o.x) <= variance && std::fabs(y - o.y) <= variance;
}

float CCPoint::getAngle(const CCPoint& other) const {
    CCPoint a = normalize();
    CCPoint b = other.normalize();
    float angle = std::atan2(a.cross(b), a.dot(b));
    if (std::fabs(angle) < FLT_EPSILON) return 0.0f;
    return angle;
}

CCPoint CCPoint::normalize() const {
    float length = getLength();
    if (length == 0.0f) return CCPoint(0.0f, 0.0f);
    return *this / length;
}

CCPoint CCPoint::rotateByAngle(const CCPoint& pivot, float angle) const {
    return pivot + (*this - pivot).rotate(forAngle(angle));
}

bool CCPoint::isLineIntersect(const CCPoint& A, const CCPoint& B, const CCPoint& C, const CCPoint& D, float* S,
                              float* T) {
    if ((A.x == B.x && A.y == B.y) || (C.x == D.x && C.y == D.y)) return false;
    const float BAx = B.x - A.x, BAy = B.y - A.y;
    const float DCx = D.x - C.x, DCy = D.y - C.y;
    const float ACx = A.x - C.x, ACy = A.y - C.y;
    const float denom = DCy * BAx - DCx * BAy;
    if (denom == 0.0f) return false;
    if (S) *S = (DCx * ACy - DCy * ACx) / denom;
    if (T) *T = (BAx * ACy - BAy * ACx) / denom;
    return true;
}

bool CCPoint::isSegmentIntersect(const CCPoint& A, const CCPoint& B, const CCPoint& C, const CCPoint& D) {
    float s = 0.0f, t = 0.0f;
    return isLineIntersect(A, B, C, D, &s, &t) && s >= 0.0f && s <= 1.0f && t >= 0.0f && t <= 1.0f;
}

CCPoint CCPoint::getIntersectPoint(const CCPoint& A, const CCPoint& B, const CCPoint& C, const CCPoint& D) {
    float s = 0.0f, t = 0.0f;
    if (isLineIntersect(A, B, C, D, &s, &t)) return A + (B - A) * s;
    return CCPointZero;
}

bool CCRect::containsPoint(const CCPoint& p) const {
    return p.x >= getMinX() && p.x <= getMaxX() && p.y >= getMinY() && p.y <= getMaxY();
}

bool CCRect::intersectsRect(const CCRect& r) const {
    return !(getMaxX() < r.getMinX() || r.getMaxX() < getMinX() || getMaxY() < r.getMinY() ||
             r.getMaxY() < getMinY());
}

CCRect CCRect::unionWithRect(const CCRect& r) const {
    float minX = std::min(getMinX(), r.getMinX());
    float minY = std::min(getMinY(), r.getMinY());
    float maxX = std::max(getMaxX(), r.getMaxX());
    float maxY = std::max(getMaxY(), r.getMaxY());
    return CCRect(minX, minY, maxX - minX, maxY - minY);
}

} // namespace cocos2d
