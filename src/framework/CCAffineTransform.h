#pragma once
// 2-D affine transforms: [a c tx; b d ty; 0 0 1] applied to column vectors.

#include "framework/CCGeometry.h"

namespace cocos2d {

struct CCAffineTransform {
    float a, b, c, d;
    float tx, ty;
};

CCAffineTransform CCAffineTransformMake(float a, float b, float c, float d, float tx, float ty);
CCAffineTransform CCAffineTransformMakeIdentity();
extern const CCAffineTransform CCAffineTransformIdentity;

CCPoint CCPointApplyAffineTransform(const CCPoint& point, const CCAffineTransform& t);
CCSize CCSizeApplyAffineTransform(const CCSize& size, const CCAffineTransform& t);
/// The bounding box of the transformed rectangle.
CCRect CCRectApplyAffineTransform(const CCRect& rect, const CCAffineTransform& t);

CCAffineTransform CCAffineTransformTranslate(const CCAffineTransform& t, float tx, float ty);
/// Rotates by `angle` radians (counter-clockwise in a y-up space).
CCAffineTransform CCAffineTransformRotate(const CCAffineTransform& t, float angle);
CCAffineTransform CCAffineTransformScale(const CCAffineTransform& t, float sx, float sy);
/// t1 applied first, then t2.
CCAffineTransform CCAffineTransformConcat(const CCAffineTransform& t1, const CCAffineTransform& t2);
bool CCAffineTransformEqualToTransform(const CCAffineTransform& t1, const CCAffineTransform& t2);
/// The inverse; a singular transform yields the identity.
CCAffineTransform CCAffineTransformInvert(const CCAffineTransform& t);

} // namespace cocos2d
