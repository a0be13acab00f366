#include "framework/CCGLProgram.h"

#include <GL/glew.h>

#include <cstring>

#include "framework/CCRendererGL.h"
#include "platform/DebugLog.h"

namespace cocos2d {

namespace {

struct GLStateCache {
    unsigned int program = ~0u;
    unsigned int texture = ~0u;
    unsigned int blendSrc = ~0u;
    unsigned int blendDst = ~0u;
    unsigned int attribs = ~0u;
};
GLStateCache g_cache;

unsigned int compileShader(GLenum type, const std::string& source) {
    GLuint shader = glCreateShader(type);
    const GLchar* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[512] = {0};
        glGetShaderInfoLog(shader, sizeof log - 1, nullptr, log);
        qn::logLine("[CCGLProgram] shader compile error: %s", log);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

} // namespace

CCGLProgram::~CCGLProgram() {
    if (m_program && qn::glReady() && m_contextGeneration == qn::glContextGeneration())
        ccGLDeleteProgram(m_program);
}

bool CCGLProgram::initWithVertexShaderByteArray(const char* vertexSource, const char* fragmentSource) {
    if (!vertexSource || !fragmentSource) return false;
    m_vertexSource = vertexSource;
    m_fragmentSource = fragmentSource;
    m_linked = false;
    m_failed = false;
    return true;
}

void CCGLProgram::addAttribute(const char* name, unsigned int index) {
    if (name) m_attributes.emplace_back(name, index);
}

bool CCGLProgram::link() {
    if (!qn::glReady()) return true;
    return compileAndLink();
}

bool CCGLProgram::compileAndLink() {
    if (m_linked && m_contextGeneration == qn::glContextGeneration()) return true;
    if (m_failed && m_contextGeneration == qn::glContextGeneration()) return false;
    m_contextGeneration = qn::glContextGeneration();
    m_linked = false;
    m_failed = true;
    m_uniformCache.clear();
    GLuint vs = compileShader(GL_VERTEX_SHADER, m_vertexSource);
    GLuint fs = compileShader(GL_FRAGMENT_SHADER, m_fragmentSource);
    if (!vs || !fs) {
        if (vs) glDeleteShader(vs);
        if (fs) glDeleteShader(fs);
        return false;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    for (const auto& a : m_attributes) glBindAttribLocation(program, a.second, a.first.c_str());
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        char log[512] = {0};
        glGetProgramInfoLog(program, sizeof log - 1, nullptr, log);
        qn::logLine("[CCGLProgram] program link error: %s", log);
        glDeleteProgram(program);
        return false;
    }
    m_program = program;
    m_mvpLocation = glGetUniformLocation(program, kCCUniformMVPMatrix_s);
    m_samplerLocation = glGetUniformLocation(program, kCCUniformSampler_s);
    m_linked = true;
    m_failed = false;
    return true;
}

void CCGLProgram::use() {
    if (!qn::glReady() || !compileAndLink()) return;
    ccGLUseProgram(m_program);
}

void CCGLProgram::setUniformsForBuiltins() {
    kmMat4 modelView;
    kmGLGetMatrix(KM_GL_MODELVIEW, &modelView);
    setUniformsForBuiltins(modelView);
}

void CCGLProgram::setUniformsForBuiltins(const kmMat4& modelView) {
    if (!qn::glReady() || !compileAndLink()) return;
    kmMat4 projection, mvp;
    kmGLGetMatrix(KM_GL_PROJECTION, &projection);
    kmMat4Multiply(&mvp, &projection, &modelView);
    ccGLUseProgram(m_program);
    if (m_mvpLocation >= 0) glUniformMatrix4fv(m_mvpLocation, 1, GL_FALSE, mvp.mat);
    if (m_samplerLocation >= 0) glUniform1i(m_samplerLocation, 0);
}

int CCGLProgram::getUniformLocationForName(const char* name) {
    if (!name || !qn::glReady() || !compileAndLink()) return -1;
    for (const auto& u : m_uniformCache)
        if (u.first == name) return u.second;
    int location = glGetUniformLocation(m_program, name);
    m_uniformCache.emplace_back(name, location);
    return location;
}

void CCGLProgram::setUniformLocationWith1i(int location, int v) {
    if (location < 0 || !qn::glReady()) return;
    use();
    glUniform1i(location, v);
}

void CCGLProgram::setUniformLocationWith1f(int location, float v) {
    if (location < 0 || !qn::glReady()) return;
    use();
    glUniform1f(location, v);
}

void CCGLProgram::setUniformLocationWith4f(int location, float a, float b, float c, float d) {
    if (location < 0 || !qn::glReady()) return;
    use();
    glUniform4f(location, a, b, c, d);
}

void CCGLProgram::setUniformLocationWith4fv(int location, const float* values, unsigned int count) {
    if (location < 0 || !values || !qn::glReady()) return;
    use();
    glUniform4fv(location, (GLsizei)count, values);
}

void CCGLProgram::setUniformLocationWithMatrix4fv(int location, const float* matrix, unsigned int count) {
    if (location < 0 || !matrix || !qn::glReady()) return;
    use();
    glUniformMatrix4fv(location, (GLsizei)count, GL_FALSE, matrix);
}

void ccGLUseProgram(unsigned int program) {
    if (!qn::glReady() || g_cache.program == program) return;
    g_cache.program = program;
    glUseProgram(program);
}

void ccGLBindTexture2D(unsigned int textureName) {
    if (!qn::glReady() || g_cache.texture == textureName) return;
    g_cache.texture = textureName;
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, textureName);
}

void ccGLBlendFunc(unsigned int src, unsigned int dst) {
    if (!qn::glReady() || (g_cache.blendSrc == src && g_cache.blendDst == dst)) return;
    g_cache.blendSrc = src;
    g_cache.blendDst = dst;
    if (src == GL_ONE && dst == GL_ZERO) {
        glDisable(GL_BLEND);
    } else {
        glEnable(GL_BLEND);
        glBlendFunc(src, dst);
    }
}

void ccGLEnableVertexAttribs(unsigned int flags) {
    if (!qn::glReady() || g_cache.attribs == flags) return;
    g_cache.attribs = flags;
    const unsigned int slots[3] = {kCCVertexAttrib_Position, kCCVertexAttrib_Color, kCCVertexAttrib_TexCoords};
    for (int i = 0; i < 3; ++i) {
        if (flags & (1u << i))
            glEnableVertexAttribArray(slots[i]);
        else
            glDisableVertexAttribArray(slots[i]);
    }
}

void ccGLDeleteProgram(unsigned int program) {
    if (!qn::glReady() || !program) return;
    if (g_cache.program == program) g_cache.program = ~0u;
    glDeleteProgram(program);
}

void ccGLDeleteTexture(unsigned int textureName) {
    if (!qn::glReady() || !textureName) return;
    if (g_cache.texture == textureName) g_cache.texture = ~0u;
    glDeleteTextures(1, &textureName);
}

void ccGLInvalidateStateCache() { g_cache = GLStateCache(); }

} // namespace cocos2d
