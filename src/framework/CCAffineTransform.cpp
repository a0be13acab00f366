#include "framework/CCAffineTransform.h"

#include <algorithm>
#include <cmath>

namespace cocos2d {

const CCAffineTransform CCAffineTransformIdentity = {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f};

CCAffineTransform CCAffineTransformMake(float a, float b, float c, float d, float tx, float ty) {
    return CCAffineTransform{a, b, c, d, tx, ty};
}

CCAffineTransform CCAffineTransformMakeIdentity() { return CCAffineTransformIdentity; }

CCPoint CCPointApplyAffineTransform(const CCPoint& p, const CCAffineTransform& t) {
    return CCPoint(t.a * p.x + t.c * p.y + t.tx, t.b * p.x + t.d * p.y + t.ty);
}

CCSize CCSizeApplyAffineTransform(const CCSize& s, const CCAffineTransform& t) {
    return CCSize(t.a * s.width + t.c * s.height, t.b * s.width + t.d * s.height);
}

CCRect CCRectApplyAffineTransform(const CCRect& rect, const CCAffineTransform& t) {
    const float top = rect.getMinY(), left = rect.getMinX();
    const float right = rect.getMaxX(), bottom = rect.getMaxY();
    CCPoint tl = CCPointApplyAffineTransform(CCPoint(left, top), t);
    CCPoint tr = CCPointApplyAffineTransform(CCPoint(right, top), t);
    CCPoint bl = CCPointApplyAffineTransform(CCPoint(left, bottom), t);
    CCPoint br = CCPointApplyAffineTransform(CCPoint(right, bottom), t);
    float minX = std::min({tl.x, tr.x, bl.x, br.x});
    float maxX = std::max({tl.x, tr.x, bl.x, br.x});
    float minY = std::min({tl.y, tr.y, bl.y, br.y});
    float maxY = std::max({tl.y, tr.y, bl.y, br.y});
    return CCRect(minX, minY, maxX - minX, maxY - minY);
}

CCAffineTransform CCAffineTransformTranslate(const CCAffineTransform& t, float tx, float ty) {
    return CCAffineTransformMake(t.a, t.b, t.c, t.d, t.tx + t.a * tx + t.c * ty, t.ty + t.b * tx + t.d * ty);
}

CCAffineTransform CCAffineTransformRotate(const CCAffineTransform& t, float angle) {
    const float s = std::sin(angle), c = std::cos(angle);
    return CCAffineTransformMake(t.a * c + t.c * s, t.b * c + t.d * s, t.c * c - t.a * s, t.d * c - t.b * s,
                                 t.tx, t.ty);
}

CCAffineTransform CCAffineTransformScale(const CCAffineTransform& t, float sx, float sy) {
    return CCAffineTransformMake(t.a * sx, t.b * sx, t.c * sy, t.d * sy, t.tx, t.ty);
}

CCAffineTransform CCAffineTransformConcat(const CCAffineTransform& t1, const CCAffineTransform& t2) {
    return CCAffineTransformMake(t1.a * t2.a + t1.b * t2.c, t1.a * t2.b + t1.b * t2.d, t1.c * t2.a + t1.d * t2.c,
                                 t1.c * t2.b + t1.d * t2.d, t1.tx * t2.a + t1.ty * t2.c + t2.tx,
                                 t1.tx * t2.b + t1.ty * t2.d + t2.ty);
}

bool CCAffineTransformEqualToTransform(const CCAffineTransform& t1, const CCAffineTransform& t2) {
    return t1.a == t2.a && t1.b == t2.b && t1.c == t2.c && t1.d == t2.d && t1.tx == t2.tx && t1.ty == t2.ty;
}

CCAffineTransform CCAffineTransformInvert(const CCAffineTransform& t) {
    const float det = t.a * t.d - t.b * t.c;
    if (det == 0.0f || !std::isfinite(det)) return CCAffineTransformIdentity;
    const float inv = 1.0f / det;
    return CCAffineTransformMake(inv * t.d, -inv * t.b, -inv * t.c, inv * t.a, inv * (t.c * t.ty - t.d * t.tx),
                                 inv * (t.b * t.tx - t.a * t.ty));
}

} // namespace cocos2d
