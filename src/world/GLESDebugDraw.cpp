#include "world/GLESDebugDraw.h"

#include <vector>

#include "framework/CCDrawingPrimitives.h"

using namespace cocos2d;

namespace {
std::vector<CCPoint> toPoints(const b2Vec2* vertices, int32 count, float ratio) {
    std::vector<CCPoint> points;
    if (!vertices || count <= 0) return points;
    points.reserve((std::size_t)count);
    for (int32 i = 0; i < count; ++i) points.emplace_back(vertices[i].x * ratio, vertices[i].y * ratio);
    return points;
}
} // namespace

GLESDebugDraw::GLESDebugDraw() : m_ratio(20.0f) {}

void GLESDebugDraw::DrawPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color) {
    std::vector<CCPoint> points = toPoints(vertices, vertexCount, m_ratio);
    if (points.empty()) return;
    ccDrawColor4F(color.r, color.g, color.b, 1.0f);
    ccDrawPoly(points.data(), (unsigned int)points.size(), true);
}

void GLESDebugDraw::DrawSolidPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color) {
    std::vector<CCPoint> points = toPoints(vertices, vertexCount, m_ratio);
    if (points.empty()) return;
    ccDrawSolidPoly(points.data(), (unsigned int)points.size(),
                    ccColor4F{color.r * 0.5f, color.g * 0.5f, color.b * 0.5f, 0.5f});
    ccDrawColor4F(color.r, color.g, color.b, 1.0f);
    ccDrawPoly(points.data(), (unsigned int)points.size(), true);
}

void GLESDebugDraw::DrawCircle(const b2Vec2& center, float radius, const b2Color& color) {
    ccDrawColor4F(color.r, color.g, color.b, 1.0f);
    ccDrawCircle(CCPoint(center.x * m_ratio, center.y * m_ratio), radius * m_ratio, 0.0f, 16, false);
}

void GLESDebugDraw::DrawSolidCircle(const b2Vec2& center, float radius, const b2Vec2& axis,
                                    const b2Color& color) {
    DrawCircle(center, radius, color);
    DrawSegment(center, center + radius * axis, color);
}

void GLESDebugDraw::DrawSegment(const b2Vec2& p1, const b2Vec2& p2, const b2Color& color) {
    ccDrawColor4F(color.r, color.g, color.b, 1.0f);
    ccDrawLine(CCPoint(p1.x * m_ratio, p1.y * m_ratio), CCPoint(p2.x * m_ratio, p2.y * m_ratio));
}

void GLESDebugDraw::DrawTransform(const b2Transform& xf) {
    const float axisScale = 0.4f;
    DrawSegment(xf.p, xf.p + axisScale * xf.q.GetXAxis(), b2Color(1, 0, 0));
    DrawSegment(xf.p, xf.p + axisScale * xf.q.GetYAxis(), b2Color(0, 1, 0));
}

void GLESDebugDraw::DrawPoint(const b2Vec2& p, float size, const b2Color& color) {
    (void)size;
    ccDrawColor4F(color.r, color.g, color.b, 1.0f);
    ccDrawPoint(CCPoint(p.x * m_ratio, p.y * m_ratio));
}
