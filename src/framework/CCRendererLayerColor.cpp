// How the renderer draws a colour layer: one untextured quad over its content rectangle, in the
// displayed colour and opacity, queued like any sprite so neighbouring layers batch.

#include <cstring>

#include "framework/CCLayer.h"
#include "framework/CCRenderer.h"
#include "framework/CCShaderCache.h"
#include "framework/CCTransformStack.h"

namespace cocos2d {

void CCLayerColor::draw() {
    const CCSize& size = getContentSize();
    if (size.width <= 0.0f || size.height <= 0.0f) return;
    const ccColor3B& c = getDisplayedColor();
    const GLubyte o = getDisplayedOpacity();
    // Straight colour for the layer's own blend function (source alpha by default); premultiplied
    // when the blend function expects it.
    const bool premultiplied = m_tBlendFunc.src == CC_GL_ONE;
    const ccColor4B color = premultiplied ? ccColor4B{(GLubyte)(c.r * o / 255), (GLubyte)(c.g * o / 255),
                                                      (GLubyte)(c.b * o / 255), o}
                                          : ccColor4B{c.r, c.g, c.b, o};
    const CCAffineTransform& t = CCTransformStack::top();
    const float xs[4] = {0.0f, 0.0f, size.width, size.width};
    const float ys[4] = {size.height, 0.0f, size.height, 0.0f};
    ccV3F_C4B_T2F_Quad quad;
    std::memset(&quad, 0, sizeof quad);
    ccV3F_C4B_T2F* corners[4] = {&quad.tl, &quad.bl, &quad.tr, &quad.br};
    for (int i = 0; i < 4; ++i) {
        corners[i]->vertices = ccVertex3F{t.a * xs[i] + t.c * ys[i] + t.tx, t.b * xs[i] + t.d * ys[i] + t.ty, 0.0f};
        corners[i]->colors = color;
    }
    CCGLProgram* program = CCShaderCache::sharedShaderCache()->programForKey(kCCShader_PositionColor);
    CCRenderer::sharedRenderer()->drawQuad(quad, nullptr, program, m_tBlendFunc);
}

} // namespace cocos2d
