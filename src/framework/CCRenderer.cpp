#include "framework/CCRenderer.h"

#include <GL/glew.h>
#include <SDL.h>

#include <cstddef>
#include <cstring>

#include "framework/CCDirector.h"
#include "framework/CCEGLView.h"
#include "framework/CCGLProgram.h"
#include "framework/CCImage.h"
#include "framework/CCRendererGL.h"
#include "framework/CCTexture2D.h"
#include "framework/CCTransformStack.h"
#include "platform/DebugLog.h"

namespace cocos2d {

CCRenderer* CCRenderer::sharedRenderer() {
    static CCRenderer* renderer = new CCRenderer();
    return renderer;
}

CCRenderer::CCRenderer() {
    m_quads.resize(kQuadCapacity);
    m_indices.resize(kQuadCapacity * 6);
    for (unsigned int i = 0; i < kQuadCapacity; ++i) {
        // tl, bl, tr, br -> two triangles (bl, tl, tr) and (tr, br, bl) sharing the diagonal.
        unsigned short base = (unsigned short)(i * 4);
        unsigned short* idx = &m_indices[i * 6];
        idx[0] = base + 0;
        idx[1] = base + 1;
        idx[2] = base + 2;
        idx[3] = base + 3;
        idx[4] = base + 2;
        idx[5] = base + 1;
    }
    m_targets.reserve(8);
    kmMat4Identity(&m_runCamera);
}

void CCRenderer::applyScreenProjection() {
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    CCSize design = view->getDesignResolutionSize();
    CCSize frame = view->getFrameSize();
    int drawableW = (int)frame.width, drawableH = (int)frame.height;
    bool gl = qn::glReady();
    if (gl) {
        if (SDL_Window* window = SDL_GL_GetCurrentWindow()) SDL_GL_GetDrawableSize(window, &drawableW, &drawableH);
    }
    if (design.width <= 0.0f || design.height <= 0.0f) design = frame;
    if (design.width <= 0.0f || design.height <= 0.0f) design = CCSize((float)drawableW, (float)drawableH);
    kmMat4 projection;
    kmMat4OrthographicProjection(&projection, 0.0f, design.width, 0.0f, design.height, -1024.0f, 1024.0f);
    kmGLMatrixMode(KM_GL_PROJECTION);
    kmGLLoadMatrix(&projection);
    kmGLMatrixMode(KM_GL_MODELVIEW);

    // The design area maps onto the viewport rectangle of the view (letterboxed by ShowAll);
    // frame pixels may differ from drawable pixels on high-density screens.
    CCRect rect = view->getViewPortRect();
    float sx = frame.width > 0.0f ? drawableW / frame.width : 1.0f;
    float sy = frame.height > 0.0f ? drawableH / frame.height : 1.0f;
    if (rect.size.width <= 0.0f || rect.size.height <= 0.0f) {
        m_viewport[0] = m_viewport[1] = 0;
        m_viewport[2] = drawableW;
        m_viewport[3] = drawableH;
    } else {
        m_viewport[0] = (int)(rect.origin.x * sx + 0.5f);
        m_viewport[1] = (int)(rect.origin.y * sy + 0.5f);
        m_viewport[2] = (int)(rect.size.width * sx + 0.5f);
        m_viewport[3] = (int)(rect.size.height * sy + 0.5f);
    }
    if (!gl) return;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDisable(GL_SCISSOR_TEST);
    glViewport(0, 0, drawableW, drawableH);
    // Bars outside the design area are always black; the design area gets the clear colour.
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glViewport(m_viewport[0], m_viewport[1], m_viewport[2], m_viewport[3]);
    if (m_clearColor.r != 0.0f || m_clearColor.g != 0.0f || m_clearColor.b != 0.0f) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(m_viewport[0], m_viewport[1], m_viewport[2], m_viewport[3]);
        glClearColor(m_clearColor.r, m_clearColor.g, m_clearColor.b, m_clearColor.a);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
    }
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
}

void CCRenderer::beginFrame() {
    m_queued = 0;
    m_drawCalls = 0;
    m_targets.clear();
    m_currentFbo = 0;
    m_runTexture = nullptr;
    m_runProgram = nullptr;
    kmGLResetStacks();
    CCTransformStack::loadIdentity();
    if (qn::glReady()) ccGLInvalidateStateCache();
    applyScreenProjection();
}

void CCRenderer::endFrame() {
    flush();
    while (!m_targets.empty()) popRenderTarget();
    m_lastFrameDrawCalls = m_drawCalls;
    if (m_captureFrames && qn::glReady()) {
        int w = m_viewport[0] * 2 + m_viewport[2], h = m_viewport[1] * 2 + m_viewport[3];
        if (SDL_Window* window = SDL_GL_GetCurrentWindow()) SDL_GL_GetDrawableSize(window, &w, &h);
        if (w > 0 && h > 0) {
            m_lastFrame.resize((size_t)w * h * 4);
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, m_lastFrame.data());
            m_lastFrameSize[0] = w;
            m_lastFrameSize[1] = h;
        }
    }
}

void CCRenderer::attachToDirector() {
    CCDirector::sharedDirector()->setDrawHooks([this]() { beginFrame(); },
                                               [this]() {
                                                   endFrame();
                                                   CCDirector::sharedDirector()->setLastFrameDrawCalls(
                                                       m_lastFrameDrawCalls);
                                               });
}

bool CCRenderer::sameCamera() {
    unsigned int generation = kmGLGeneration();
    if (generation == m_runCameraGeneration) return true;
    kmMat4 camera;
    kmGLGetMatrix(KM_GL_MODELVIEW, &camera);
    m_runCameraGeneration = generation;
    return kmMat4AreEqual(&camera, &m_runCamera);
}

void CCRenderer::drawQuad(const ccV3F_C4B_T2F_Quad& quad, CCTexture2D* texture, CCGLProgram* program,
                          const ccBlendFunc& blend) {
    if (m_queued > 0) {
        bool sameState = texture == m_runTexture && program == m_runProgram && blend == m_runBlend;
        if (!sameState || !sameCamera() || m_queued == kQuadCapacity) flush();
    }
    if (m_queued == 0) {
        m_runTexture = texture;
        m_runProgram = program;
        m_runBlend = blend;
        kmGLGetMatrix(KM_GL_MODELVIEW, &m_runCamera);
        m_runCameraGeneration = kmGLGeneration();
    }
    m_quads[m_queued++] = quad;
}

void CCRenderer::flush() {
    if (m_queued == 0) return;
    ++m_drawCalls;
    unsigned int count = m_queued;
    m_queued = 0;
    if (!qn::glReady() || !m_runProgram) return;
    m_runProgram->use();
    m_runProgram->setUniformsForBuiltins(m_runCamera);
    ccGLBindTexture2D(m_runTexture ? m_runTexture->getName() : 0);
    ccGLBlendFunc(m_runBlend.src, m_runBlend.dst);
    ccGLEnableVertexAttribs(kCCVertexAttribFlag_PosColorTex);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    const char* base = reinterpret_cast<const char*>(m_quads.data());
    const GLsizei stride = sizeof(ccV3F_C4B_T2F);
    glVertexAttribPointer(kCCVertexAttrib_Position, 3, GL_FLOAT, GL_FALSE, stride,
                          base + offsetof(ccV3F_C4B_T2F, vertices));
    glVertexAttribPointer(kCCVertexAttrib_Color, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          base + offsetof(ccV3F_C4B_T2F, colors));
    glVertexAttribPointer(kCCVertexAttrib_TexCoords, 2, GL_FLOAT, GL_FALSE, stride,
                          base + offsetof(ccV3F_C4B_T2F, texCoords));
    glDrawElements(GL_TRIANGLES, (GLsizei)(count * 6), GL_UNSIGNED_SHORT, m_indices.data());
}

void CCRenderer::pushRenderTarget(unsigned int fbo, int width, int height) {
    flush();
    Target saved;
    std::memcpy(saved.viewport, m_viewport, sizeof m_viewport);
    kmGLGetMatrix(KM_GL_PROJECTION, &saved.projection);
    saved.fbo = m_currentFbo;
    m_targets.push_back(saved);
    kmMat4 projection;
    kmMat4OrthographicProjection(&projection, 0.0f, (float)width, 0.0f, (float)height, -1024.0f, 1024.0f);
    kmGLMatrixMode(KM_GL_PROJECTION);
    kmGLPushMatrix();
    kmGLLoadMatrix(&projection);
    kmGLMatrixMode(KM_GL_MODELVIEW);
    m_viewport[0] = m_viewport[1] = 0;
    m_viewport[2] = width;
    m_viewport[3] = height;
    m_currentFbo = fbo;
    if (!qn::glReady()) return;
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    glViewport(0, 0, width, height);
}

void CCRenderer::popRenderTarget() {
    if (m_targets.empty()) return;
    flush();
    Target saved = m_targets.back();
    m_targets.pop_back();
    kmGLMatrixMode(KM_GL_PROJECTION);
    kmGLPopMatrix();
    kmGLMatrixMode(KM_GL_MODELVIEW);
    std::memcpy(m_viewport, saved.viewport, sizeof m_viewport);
    m_currentFbo = saved.fbo;
    if (!qn::glReady()) return;
    glBindFramebuffer(GL_FRAMEBUFFER, saved.fbo);
    glViewport(m_viewport[0], m_viewport[1], m_viewport[2], m_viewport[3]);
}

kmMat4 CCRenderer::currentNodeModelView() const {
    kmMat4 camera, node, out;
    kmGLGetMatrix(KM_GL_MODELVIEW, &camera);
    kmMat4Identity(&node);
    CCAffineTransform world = CCTransformStack::top();
    CGAffineToGL(&world, node.mat);
    kmMat4Multiply(&out, &camera, &node);
    return out;
}

bool CCRenderer::saveScreenshot(const std::string& path) {
    if (!m_lastFrame.empty()) {
        return qn::writePng(path, m_lastFrame.data(), m_lastFrameSize[0], m_lastFrameSize[1], true, true);
    }
    if (!qn::glReady()) {
        qn::logLine("[CCRenderer] no OpenGL context: cannot write screenshot %s", path.c_str());
        return false;
    }
    int w = 0, h = 0;
    if (SDL_Window* window = SDL_GL_GetCurrentWindow()) SDL_GL_GetDrawableSize(window, &w, &h);
    if (w <= 0 || h <= 0) return false;
    std::vector<unsigned char> pixels((size_t)w * h * 4);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_FRONT);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glReadBuffer(GL_BACK);
    return qn::writePng(path, pixels.data(), w, h, true, true);
}

} // namespace cocos2d

namespace qn {

bool saveScreenshot(const std::string& path) { return cocos2d::CCRenderer::sharedRenderer()->saveScreenshot(path); }

void keepFramesForScreenshot(bool enabled) { cocos2d::CCRenderer::sharedRenderer()->setFrameCapture(enabled); }

} // namespace qn
