#pragma once
// A GLSL 1.20 shader program. It keeps its sources and is compiled the first time it is used
// while an OpenGL context is current; with no context every call is a harmless no-op, so code
// that draws can run headless unchanged.

#include <string>
#include <vector>

#include "framework/CCObject.h"
#include "framework/CCRendererMatrix.h"

namespace cocos2d {

/// Vertex attribute slots shared by every program.
enum {
    kCCVertexAttrib_Position = 0,
    kCCVertexAttrib_Color = 1,
    kCCVertexAttrib_TexCoords = 2,
};

/// Bits for ccGLEnableVertexAttribs.
enum {
    kCCVertexAttribFlag_None = 0,
    kCCVertexAttribFlag_Position = 1 << 0,
    kCCVertexAttribFlag_Color = 1 << 1,
    kCCVertexAttribFlag_TexCoords = 1 << 2,
    kCCVertexAttribFlag_PosColorTex = kCCVertexAttribFlag_Position | kCCVertexAttribFlag_Color |
                                      kCCVertexAttribFlag_TexCoords,
};

#define kCCAttributeNamePosition "a_position"
#define kCCAttributeNameColor "a_color"
#define kCCAttributeNameTexCoord "a_texCoord"
#define kCCUniformMVPMatrix_s "CC_MVPMatrix"
#define kCCUniformSampler_s "CC_Texture0"

class CCGLProgram : public CCObject {
public:
    CCGLProgram() = default;
    ~CCGLProgram() override;

    /// Keeps the two sources; compilation waits for the first use with a GL context.
    bool initWithVertexShaderByteArray(const char* vertexSource, const char* fragmentSource);
    /// Binds an attribute name to a slot at link time.
    void addAttribute(const char* name, unsigned int index);
    /// Compiles and links now when a context is current. False on a GL compile or link error
    /// (logged); true without GL.
    bool link();
    /// Kept for the framework's call sequence; uniform locations are looked up lazily.
    void updateUniforms() {}

    /// Makes the program current (compiling it first when needed).
    void use();
    /// Sets CC_MVPMatrix from the projection and model-view stacks, and the sampler to unit 0.
    void setUniformsForBuiltins();
    /// Sets CC_MVPMatrix to projection * modelView.
    void setUniformsForBuiltins(const kmMat4& modelView);

    /// The location of a uniform, or -1 (always -1 without GL).
    int getUniformLocationForName(const char* name);
    void setUniformLocationWith1i(int location, int v);
    void setUniformLocationWith1f(int location, float v);
    void setUniformLocationWith4f(int location, float a, float b, float c, float d);
    void setUniformLocationWith4fv(int location, const float* values, unsigned int count);
    void setUniformLocationWithMatrix4fv(int location, const float* matrix, unsigned int count);

    /// The GL program name (0 until compiled, and always without GL).
    unsigned int getProgram() const { return m_program; }
    /// True once compiled and linked in a GL context.
    bool isLinked() const { return m_linked; }

private:
    bool compileAndLink();

    std::string m_vertexSource;
    std::string m_fragmentSource;
    std::vector<std::pair<std::string, unsigned int>> m_attributes;
    std::vector<std::pair<std::string, int>> m_uniformCache;
    unsigned int m_program = 0;
    unsigned int m_contextGeneration = 0;
    int m_mvpLocation = -1;
    int m_samplerLocation = -1;
    bool m_linked = false;
    bool m_failed = false;
};

/// GL state with a small cache so runs of equal state cost nothing. No-ops without GL.
void ccGLUseProgram(unsigned int program);
void ccGLBindTexture2D(unsigned int textureName);
void ccGLBlendFunc(unsigned int src, unsigned int dst);
void ccGLEnableVertexAttribs(unsigned int flags);
void ccGLDeleteProgram(unsigned int program);
void ccGLDeleteTexture(unsigned int textureName);
/// Forgets the cached state (after code that changed GL state directly, or a new context).
void ccGLInvalidateStateCache();

} // namespace cocos2d
