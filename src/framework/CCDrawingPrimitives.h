#pragma once
// Immediate drawing of lines, rectangles, polygons and points in the current node space (the
// transform stack's top, under the camera) with one colour. Each call flushes the quad queue and
// is one draw call. Without GL only the count is kept.

#include "framework/CCGeometry.h"
#include "framework/ccTypes.h"

namespace cocos2d {

/// The colour of the following primitives (straight alpha; premultiplied when drawn).
void ccDrawColor4F(float r, float g, float b, float a);
void ccDrawColor4B(GLubyte r, GLubyte g, GLubyte b, GLubyte a);
/// Point size in pixels for ccDrawPoint.
void ccPointSize(float size);
void ccDrawPoint(const CCPoint& point);
void ccDrawLine(const CCPoint& origin, const CCPoint& destination);
/// The outline of the rectangle with corners `origin` and `destination`.
void ccDrawRect(const CCPoint& origin, const CCPoint& destination);
/// The filled rectangle with corners `origin` and `destination`, in `color`.
void ccDrawSolidRect(const CCPoint& origin, const CCPoint& destination, const ccColor4F& color);
/// A polygon outline (closed when `closePolygon`); up to 1024 points are used.
void ccDrawPoly(const CCPoint* vertices, unsigned int count, bool closePolygon);
/// A filled convex polygon in `color`; up to 1024 points are used.
void ccDrawSolidPoly(const CCPoint* vertices, unsigned int count, const ccColor4F& color);
/// A circle outline of `segments` segments (at most 1024).
void ccDrawCircle(const CCPoint& center, float radius, float angle, unsigned int segments, bool drawLineToCenter);

} // namespace cocos2d
