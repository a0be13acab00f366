#pragma once
// Box2D's debug drawing through the framework's drawing primitives (shader
// "ShaderPosition_uColor", colour in "u_color"), in points (20 per physics metre). The world
// attaches one to its physics world with shape and joint drawing on, and never asks it to draw.

#include <box2d/box2d.h>

class GLESDebugDraw : public b2Draw {
public:
    GLESDebugDraw();
    void DrawPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color) override;
    void DrawSolidPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color) override;
    void DrawCircle(const b2Vec2& center, float radius, const b2Color& color) override;
    void DrawSolidCircle(const b2Vec2& center, float radius, const b2Vec2& axis,
                         const b2Color& color) override;
    void DrawSegment(const b2Vec2& p1, const b2Vec2& p2, const b2Color& color) override;
    void DrawTransform(const b2Transform& xf) override;
    void DrawPoint(const b2Vec2& p, float size, const b2Color& color) override;

private:
    float m_ratio;
};
