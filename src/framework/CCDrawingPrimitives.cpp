#include "framework/CCDrawingPrimitives.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>

#include "framework/CCGLProgram.h"
#include "framework/CCRenderer.h"
#include "framework/CCRendererGL.h"
#include "framework/CCShaderCache.h"

namespace cocos2d {

namespace {

constexpr unsigned int kMaxPoints = 1024;
ccColor4F g_color = {1.0f, 1.0f, 1.0f, 1.0f};
float g_pointSize = 1.0f;
// Scratch vertex storage shared by every primitive: no allocation per call.
float g_vertices[(kMaxPoints + 2) * 2];

void drawArrays(GLenum mode, const float* vertices, unsigned int count, const ccColor4F& color) {
    if (count == 0) return;
    CCRenderer* renderer = CCRenderer::sharedRenderer();
    renderer->flush();
    renderer->addDrawCalls(1);
    if (!qn::glReady()) return;
    CCGLProgram* program = CCShaderCache::sharedShaderCache()->programForKey(kCCShader_Position_uColor);
    if (!program) return;
    program->use();
    program->setUniformsForBuiltins(renderer->currentNodeModelView());
    // Premultiplied, to blend like every texture does.
    program->setUniformLocationWith4f(program->getUniformLocationForName("u_color"), color.r * color.a,
                                      color.g * color.a, color.b * color.a, color.a);
    program->setUniformLocationWith1f(program->getUniformLocationForName("u_pointSize"), g_pointSize);
    ccGLBlendFunc(CC_GL_ONE, CC_GL_ONE_MINUS_SRC_ALPHA);
    ccGLEnableVertexAttribs(kCCVertexAttribFlag_Position);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glVertexAttribPointer(kCCVertexAttrib_Position, 2, GL_FLOAT, GL_FALSE, 0, vertices);
    if (mode == GL_POINTS) glEnable(GL_VERTEX_PROGRAM_POINT_SIZE);
    glDrawArrays(mode, 0, (GLsizei)count);
}

unsigned int copyPoints(const CCPoint* points, unsigned int count) {
    count = std::min(count, kMaxPoints);
    for (unsigned int i = 0; i < count; ++i) {
        g_vertices[i * 2] = points[i].x;
        g_vertices[i * 2 + 1] = points[i].y;
    }
    return count;
}

} // namespace

void ccDrawColor4F(float r, float g, float b, float a) { g_color = ccColor4F{r, g, b, a}; }

void ccDrawColor4B(GLubyte r, GLubyte g, GLubyte b, GLubyte a) {
    g_color = ccColor4F{r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f};
}

void ccPointSize(float size) { g_pointSize = size > 0.0f ? size : 1.0f; }

void ccDrawPoint(const CCPoint& point) {
    unsigned int n = copyPoints(&point, 1);
    drawArrays(GL_POINTS, g_vertices, n, g_color);
}

void ccDrawLine(const CCPoint& origin, const CCPoint& destination) {
    const CCPoint points[2] = {origin, destination};
    unsigned int n = copyPoints(points, 2);
    drawArrays(GL_LINES, g_vertices, n, g_color);
}

void ccDrawRect(const CCPoint& origin, const CCPoint& destination) {
    const CCPoint points[4] = {origin, CCPoint(destination.x, origin.y), destination, CCPoint(origin.x, destination.y)};
    ccDrawPoly(points, 4, true);
}

void ccDrawSolidRect(const CCPoint& origin, const CCPoint& destination, const ccColor4F& color) {
    const CCPoint points[4] = {origin, CCPoint(destination.x, origin.y), destination, CCPoint(origin.x, destination.y)};
    ccDrawSolidPoly(points, 4, color);
}

void ccDrawPoly(const CCPoint* vertices, unsigned int count, bool closePolygon) {
    if (!vertices) return;
    unsigned int n = copyPoints(vertices, count);
    drawArrays(closePolygon ? GL_LINE_LOOP : GL_LINE_STRIP, g_vertices, n, g_color);
}

void ccDrawSolidPoly(const CCPoint* vertices, unsigned int count, const ccColor4F& color) {
    if (!vertices || count < 3) return;
    unsigned int n = copyPoints(vertices, count);
    drawArrays(GL_TRIANGLE_FAN, g_vertices, n, color);
}

void ccDrawCircle(const CCPoint& center, float radius, float angle, unsigned int segments, bool drawLineToCenter) {
    segments = std::min(std::max(segments, 3u), kMaxPoints);
    const float step = 2.0f * 3.14159265358979f / segments;
    for (unsigned int i = 0; i < segments; ++i) {
        float a = i * step + angle;
        g_vertices[i * 2] = center.x + radius * std::cos(a);
        g_vertices[i * 2 + 1] = center.y + radius * std::sin(a);
    }
    unsigned int n = segments;
    if (drawLineToCenter) {
        g_vertices[n * 2] = center.x;
        g_vertices[n * 2 + 1] = center.y;
        ++n;
    }
    drawArrays(GL_LINE_LOOP, g_vertices, n, g_color);
}

} // namespace cocos2d
