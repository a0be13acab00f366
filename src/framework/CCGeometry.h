#pragma once
// Points, sizes and rectangles in points (floats), with the point helpers the program uses.

#include <cmath>

namespace cocos2d {

class CCSize;

class CCPoint {
public:
    float x = 0.0f;
    float y = 0.0f;

    CCPoint() = default;
    CCPoint(float px, float py) : x(px), y(py) {}
    explicit CCPoint(const CCSize& size);

    void setPoint(float px, float py) { x = px; y = py; }
    bool equals(const CCPoint& other) const { return x == other.x && y == other.y; }
    /// True when both coordinates differ by at most `variance`.
    bool fuzzyEquals(const CCPoint& other, float variance) const;

    CCPoint operator+(const CCPoint& o) const { return CCPoint(x + o.x, y + o.y); }
    CCPoint operator-(const CCPoint& o) const { return CCPoint(x - o.x, y - o.y); }
    CCPoint operator-() const { return CCPoint(-x, -y); }
    CCPoint operator*(float a) const { return CCPoint(x * a, y * a); }
    CCPoint operator/(float a) const { return CCPoint(x / a, y / a); }
    CCPoint& operator+=(const CCPoint& o) { x += o.x; y += o.y; return *this; }
    CCPoint& operator-=(const CCPoint& o) { x -= o.x; y -= o.y; return *this; }
    CCPoint& operator*=(float a) { x *= a; y *= a; return *this; }
    bool operator==(const CCPoint& o) const { return equals(o); }
    bool operator!=(const CCPoint& o) const { return !equals(o); }

    float getLength() const { return std::sqrt(x * x + y * y); }
    float getLengthSq() const { return x * x + y * y; }
    float getDistance(const CCPoint& o) const { return (*this - o).getLength(); }
    float getDistanceSq(const CCPoint& o) const { return (*this - o).getLengthSq(); }
    /// Angle of the vector in radians, from +x counter-clockwise.
    float getAngle() const { return std::atan2(y, x); }
    /// Signed angle from this vector to `other`, in radians.
    float getAngle(const CCPoint& other) const;
    float dot(const CCPoint& o) const { return x * o.x + y * o.y; }
    float cross(const CCPoint& o) const { return x * o.y - y * o.x; }
    CCPoint getPerp() const { return CCPoint(-y, x); }
    CCPoint getRPerp() const { return CCPoint(y, -x); }
    /// The unit vector; a zero vector stays (0, 0) rather than becoming NaN.
    CCPoint normalize() const;
    /// Complex multiplication: rotates this by the angle of `o` and scales by its length.
    CCPoint rotate(const CCPoint& o) const { return CCPoint(x * o.x - y * o.y, x * o.y + y * o.x); }
    CCPoint unrotate(const CCPoint& o) const { return CCPoint(x * o.x + y * o.y, y * o.x - x * o.y); }
    /// Rotates by `angle` radians around `pivot`.
    CCPoint rotateByAngle(const CCPoint& pivot, float angle) const;
    CCPoint lerp(const CCPoint& other, float alpha) const { return *this * (1.0f - alpha) + other * alpha; }

    static CCPoint forAngle(float a) { return CCPoint(std::cos(a), std::sin(a)); }
    /// Where lines A-B and C-D cross, as parameters: P = A + S (B - A) = C + T (D - C).
    /// False when the lines are parallel (or either is a point).
    static bool isLineIntersect(const CCPoint& A, const CCPoint& B, const CCPoint& C, const CCPoint& D,
                                float* S = nullptr, float* T = nullptr);
    /// True when segments A-B and C-D cross.
    static bool isSegmentIntersect(const CCPoint& A, const CCPoint& B, const CCPoint& C, const CCPoint& D);
    /// Where lines A-B and C-D cross; (0, 0) when they are parallel.
    static CCPoint getIntersectPoint(const CCPoint& A, const CCPoint& B, const CCPoint& C, const CCPoint& D);
};

class CCSize {
public:
    float width = 0.0f;
    float height = 0.0f;

    CCSize() = default;
    CCSize(float w, float h) : width(w), height(h) {}
    explicit CCSize(const CCPoint& p) : width(p.x), height(p.y) {}

    void setSize(float w, float h) { width = w; height = h; }
    bool equals(const CCSize& o) const { return width == o.width && height == o.height; }
    CCSize operator+(const CCSize& o) const { return CCSize(width + o.width, height + o.height); }
    CCSize operator-(const CCSize& o) const { return CCSize(width - o.width, height - o.height); }
    CCSize operator*(float a) const { return CCSize(width * a, height * a); }
    CCSize operator/(float a) const { return CCSize(width / a, height / a); }
    bool operator==(const CCSize& o) const { return equals(o); }
    bool operator!=(const CCSize& o) const { return !equals(o); }
};

inline CCPoint::CCPoint(const CCSize& size) : x(size.width), y(size.height) {}

class CCRect {
public:
    CCPoint origin;
    CCSize size;

    CCRect() = default;
    CCRect(float x, float y, float w, float h) : origin(x, y), size(w, h) {}

    void setRect(float x, float y, float w, float h) { origin.setPoint(x, y); size.setSize(w, h); }
    float getMinX() const { return origin.x; }
    float getMidX() const { return origin.x + size.width / 2.0f; }
    float getMaxX() const { return origin.x + size.width; }
    float getMinY() const { return origin.y; }
    float getMidY() const { return origin.y + size.height / 2.0f; }
    float getMaxY() const { return origin.y + size.height; }
    bool equals(const CCRect& o) const { return origin.equals(o.origin) && size.equals(o.size); }
    bool operator==(const CCRect& o) const { return equals(o); }
    bool containsPoint(const CCPoint& p) const;
    bool intersectsRect(const CCRect& r) const;
    /// The smallest rectangle holding both.
    CCRect unionWithRect(const CCRect& r) const;
};

extern const CCPoint CCPointZero;
extern const CCSize CCSizeZero;
extern const CCRect CCRectZero;

#define CCPointMake(x, y) cocos2d::CCPoint((float)(x), (float)(y))
#define CCSizeMake(w, h) cocos2d::CCSize((float)(w), (float)(h))
#define CCRectMake(x, y, w, h) cocos2d::CCRect((float)(x), (float)(y), (float)(w), (float)(h))

// The free-function point helpers.
inline CCPoint ccp(float x, float y) { return CCPoint(x, y); }
inline CCPoint ccpNeg(const CCPoint& v) { return -v; }
inline CCPoint ccpAdd(const CCPoint& a, const CCPoint& b) { return a + b; }
inline CCPoint ccpSub(const CCPoint& a, const CCPoint& b) { return a - b; }
inline CCPoint ccpMult(const CCPoint& v, float s) { return v * s; }
inline CCPoint ccpMidpoint(const CCPoint& a, const CCPoint& b) { return (a + b) * 0.5f; }
inline float ccpDot(const CCPoint& a, const CCPoint& b) { return a.dot(b); }
inline float ccpCross(const CCPoint& a, const CCPoint& b) { return a.cross(b); }
inline CCPoint ccpPerp(const CCPoint& v) { return v.getPerp(); }
inline CCPoint ccpRPerp(const CCPoint& v) { return v.getRPerp(); }
inline CCPoint ccpProject(const CCPoint& a, const CCPoint& b) { return b * (a.dot(b) / b.dot(b)); }
inline CCPoint ccpRotate(const CCPoint& a, const CCPoint& b) { return a.rotate(b); }
inline CCPoint ccpUnrotate(const CCPoint& a, const CCPoint& b) { return a.unrotate(b); }
inline float ccpLengthSQ(const CCPoint& v) { return v.getLengthSq(); }
inline float ccpLength(const CCPoint& v) { return v.getLength(); }
inline float ccpDistance(const CCPoint& a, const CCPoint& b) { return a.getDistance(b); }
inline float ccpDistanceSQ(const CCPoint& a, const CCPoint& b) { return a.getDistanceSq(b); }
inline CCPoint ccpNormalize(const CCPoint& v) { return v.normalize(); }
inline CCPoint ccpForAngle(float a) { return CCPoint::forAngle(a); }
inline float ccpToAngle(const CCPoint& v) { return v.getAngle(); }
inline float ccpAngleSigned(const CCPoint& a, const CCPoint& b) { return a.getAngle(b); }
inline CCPoint ccpRotateByAngle(const CCPoint& v, const CCPoint& pivot, float angle) {
    return v.rotateByAngle(pivot, angle);
}
inline CCPoint ccpLerp(const CCPoint& a, const CCPoint& b, float alpha) { return a.lerp(b, alpha); }
inline bool ccpFuzzyEqual(const CCPoint& a, const CCPoint& b, float variance) { return a.fuzzyEquals(b, variance); }
inline bool ccpLineIntersect(const CCPoint& A, const CCPoint& B, const CCPoint& C, const CCPoint& D, float* S,
                             float* T) {
    return CCPoint::isLineIntersect(A, B, C, D, S, T);
}
inline bool ccpSegmentIntersect(const CCPoint& A, const CCPoint& B, const CCPoint& C, const CCPoint& D) {
    return CCPoint::isSegmentIntersect(A, B, C, D);
}
inline CCPoint ccpIntersectPoint(const CCPoint& A, const CCPoint& B, const CCPoint& C, const CCPoint& D) {
    return CCPoint::getIntersectPoint(A, B, C, D);
}
inline float clampf(float value, float lo, float hi) {
    if (lo > hi) { float t = lo; lo = hi; hi = t; }
    return value < lo ? lo : (value > hi ? hi : value);
}
inline CCPoint ccpClamp(const CCPoint& p, const CCPoint& lo, const CCPoint& hi) {
    return CCPoint(clampf(p.x, lo.x, hi.x), clampf(p.y, lo.y, hi.y));
}

#define CC_DEGREES_TO_RADIANS(__ANGLE__) ((__ANGLE__) * 0.01745329252f)
#define CC_RADIANS_TO_DEGREES(__ANGLE__) ((__ANGLE__) * 57.29577951f)

} // namespace cocos2d
