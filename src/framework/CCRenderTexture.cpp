#include "framework/CCRenderTexture.h"

#include <GL/glew.h>

#include <vector>

#include "framework/CCGLProgram.h"
#include "framework/CCImage.h"
#include "framework/CCRenderer.h"
#include "framework/CCRendererGL.h"
#include "framework/CCRendererMatrix.h"
#include "framework/CCSprite.h"
#include "framework/CCTransformStack.h"
#include "platform/DebugLog.h"

namespace cocos2d {

CCRenderTexture* CCRenderTexture::create(int width, int height, CCTexture2DPixelFormat format) {
    CCRenderTexture* rt = new CCRenderTexture();
    if (!rt->initWithWidthAndHeight(width, height, format)) {
        delete rt;
        return nullptr;
    }
    return static_cast<CCRenderTexture*>(rt->autorelease());
}

CCRenderTexture::~CCRenderTexture() {
    if (m_drawing) end();
    if (m_fbo && qn::glReady() && m_fboGeneration == qn::glContextGeneration()) {
        GLuint fbo = m_fbo;
        glDeleteFramebuffers(1, &fbo);
    }
    CC_SAFE_RELEASE(m_texture);
}

bool CCRenderTexture::initWithWidthAndHeight(int width, int height, CCTexture2DPixelFormat format) {
    (void)format;
    if (!CCNode::init()) return false;
    m_texture = new CCTexture2D();
    if (!m_texture->initAsRenderTarget(width, height)) {
        qn::logLine("[CCRenderTexture] bad size %d x %d", width, height);
        CC_SAFE_RELEASE_NULL(m_texture);
        return false;
    }
    m_width = width;
    m_height = height;
    m_sprite = CCSprite::createWithTexture(m_texture);
    // The framebuffer's first row is the picture's bottom row.
    m_sprite->setFlipY(true);
    m_sprite->setBlendFunc(kCCBlendFuncDefault);
    addChild(m_sprite);
    return true;
}

bool CCRenderTexture::ensureFramebuffer() {
    if (!qn::glReady()) return false;
    if (m_fbo && m_fboGeneration == qn::glContextGeneration()) return true;
    if (!glGenFramebuffers || !glFramebufferTexture2D) {
        qn::logLine("[CCRenderTexture] framebuffer objects are not available; drawing is skipped");
        return false;
    }
    GLuint texture = m_texture->getName();
    GLuint fbo = 0;
    glGenFramebuffers(1, &fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (status != GL_FRAMEBUFFER_COMPLETE) {
        qn::logLine("[CCRenderTexture] incomplete framebuffer (0x%x)", (unsigned)status);
        glDeleteFramebuffers(1, &fbo);
        return false;
    }
    m_fbo = fbo;
    m_fboGeneration = qn::glContextGeneration();
    return true;
}

void CCRenderTexture::begin() {
    if (m_drawing) return;
    m_drawing = true;
    unsigned int fbo = ensureFramebuffer() ? m_fbo : 0u;
    CCRenderer::sharedRenderer()->pushRenderTarget(fbo, m_width, m_height);
    kmGLMatrixMode(KM_GL_MODELVIEW);
    kmGLPushMatrix();
    kmGLLoadIdentity();
    CCTransformStack::push();
    CCTransformStack::loadIdentity();
}

void CCRenderTexture::beginWithClear(float r, float g, float b, float a) {
    begin();
    if (m_fbo && qn::glReady()) {
        glClearColor(r, g, b, a);
        glClear(GL_COLOR_BUFFER_BIT);
    }
}

void CCRenderTexture::end() {
    if (!m_drawing) return;
    m_drawing = false;
    CCRenderer::sharedRenderer()->popRenderTarget();
    kmGLMatrixMode(KM_GL_MODELVIEW);
    kmGLPopMatrix();
    CCTransformStack::pop();
}

void CCRenderTexture::clear(float r, float g, float b, float a) {
    beginWithClear(r, g, b, a);
    end();
}

void CCRenderTexture::visit() {
    if (!m_bVisible || !m_sprite) return;
    CCTransformStack::push();
    CCTransformStack::multiply(nodeToParentTransform());
    m_sVisitTransform = CCTransformStack::top();
    m_sprite->visit();
    CCTransformStack::pop();
}

CCImage* CCRenderTexture::newCCImage() {
    if (!ensureFramebuffer()) return nullptr;
    CCRenderer::sharedRenderer()->flush();
    std::vector<unsigned char> pixels((size_t)m_width * m_height * 4);
    GLint previous = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    glBindFramebuffer(GL_FRAMEBUFFER, m_fbo);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, m_width, m_height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glBindFramebuffer(GL_FRAMEBUFFER, (GLuint)previous);
    std::vector<unsigned char> flipped(pixels.size());
    size_t row = (size_t)m_width * 4;
    for (int y = 0; y < m_height; ++y)
        std::copy(pixels.begin() + (size_t)(m_height - 1 - y) * row, pixels.begin() + (size_t)(m_height - y) * row,
                  flipped.begin() + (size_t)y * row);
    CCImage* image = new CCImage();
    image->initWithRawData(flipped.data(), m_width, m_height, true);
    return image;
}

bool CCRenderTexture::saveToFile(const char* path) {
    CCImage* image = newCCImage();
    if (!image) return false;
    bool ok = image->saveToFile(path);
    image->release();
    return ok;
}

} // namespace cocos2d
