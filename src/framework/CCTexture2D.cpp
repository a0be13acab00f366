#include "framework/CCTexture2D.h"

#include <GL/glew.h>

#include "framework/CCGLProgram.h"
#include "framework/CCImage.h"
#include "framework/CCRendererGL.h"

namespace cocos2d {

CCTexture2D::~CCTexture2D() {
    if (m_name && qn::glReady() && m_contextGeneration == qn::glContextGeneration()) ccGLDeleteTexture(m_name);
}

bool CCTexture2D::initWithImage(CCImage* image) {
    if (!image || !image->getData()) return false;
    return initWithData(image->getData(), image->getWidth(), image->getHeight(), image->isPremultipliedAlpha());
}

bool CCTexture2D::initWithData(const unsigned char* rgba, int width, int height, bool premultiplied) {
    if (!rgba || width <= 0 || height <= 0) return false;
    m_pixels.assign(rgba, rgba + (size_t)width * height * 4);
    m_width = width;
    m_height = height;
    m_premultiplied = premultiplied;
    m_renderTarget = false;
    m_name = 0;
    return true;
}

bool CCTexture2D::initAsRenderTarget(int width, int height) {
    if (width <= 0 || height <= 0 || width > 8192 || height > 8192) return false;
    m_pixels.clear();
    m_width = width;
    m_height = height;
    m_premultiplied = true;
    m_renderTarget = true;
    m_name = 0;
    return true;
}

ccColor4B CCTexture2D::pixelAt(int x, int y) const {
    if (m_pixels.empty() || x < 0 || y < 0 || x >= m_width || y >= m_height) return ccColor4B{0, 0, 0, 0};
    const unsigned char* p = &m_pixels[((size_t)y * m_width + x) * 4];
    return ccColor4B{p[0], p[1], p[2], p[3]};
}

unsigned int CCTexture2D::getName() {
    if (!qn::glReady()) return 0;
    if (!m_name || m_contextGeneration != qn::glContextGeneration()) upload();
    if (m_filterDirty && m_name) {
        ccGLBindTexture2D(m_name);
        GLint filter = m_linear ? GL_LINEAR : GL_NEAREST;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
        m_filterDirty = false;
    }
    return m_name;
}

void CCTexture2D::upload() {
    if (m_width <= 0 || m_height <= 0) return;
    GLuint name = 0;
    glGenTextures(1, &name);
    m_name = name;
    m_contextGeneration = qn::glContextGeneration();
    ccGLBindTexture2D(m_name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    GLint filter = m_linear ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, m_width, m_height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 m_pixels.empty() ? nullptr : m_pixels.data());
    m_filterDirty = false;
}

void CCTexture2D::setAntiAliasTexParameters() {
    if (!m_linear) m_filterDirty = true;
    m_linear = true;
}

void CCTexture2D::setAliasTexParameters() {
    if (m_linear) m_filterDirty = true;
    m_linear = false;
}

} // namespace cocos2d
