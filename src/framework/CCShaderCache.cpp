#include "framework/CCShaderCache.h"

namespace cocos2d {

namespace {

const char* kPositionTextureColorVert = R"(#version 120
attribute vec4 a_position;
attribute vec4 a_color;
attribute vec2 a_texCoord;
uniform mat4 CC_MVPMatrix;
varying vec4 v_fragmentColor;
varying vec2 v_texCoord;
void main() {
    gl_Position = CC_MVPMatrix * a_position;
    v_fragmentColor = a_color;
    v_texCoord = a_texCoord;
}
)";

const char* kPositionTextureColorFrag = R"(#version 120
uniform sampler2D CC_Texture0;
varying vec4 v_fragmentColor;
varying vec2 v_texCoord;
void main() {
    gl_FragColor = v_fragmentColor * texture2D(CC_Texture0, v_texCoord);
}
)";

const char* kPositionColorVert = R"(#version 120
attribute vec4 a_position;
attribute vec4 a_color;
uniform mat4 CC_MVPMatrix;
varying vec4 v_fragmentColor;
void main() {
    gl_Position = CC_MVPMatrix * a_position;
    v_fragmentColor = a_color;
}
)";

const char* kPositionColorFrag = R"(#version 120
varying vec4 v_fragmentColor;
void main() {
    gl_FragColor = v_fragmentColor;
}
)";

const char* kPositionTextureVert = R"(#version 120
attribute vec4 a_position;
attribute vec2 a_texCoord;
uniform mat4 CC_MVPMatrix;
varying vec2 v_texCoord;
void main() {
    gl_Position = CC_MVPMatrix * a_position;
    v_texCoord = a_texCoord;
}
)";

const char* kPositionTextureFrag = R"(#version 120
uniform sampler2D CC_Texture0;
varying vec2 v_texCoord;
void main() {
    gl_FragColor = texture2D(CC_Texture0, v_texCoord);
}
)";

const char* kPositionUColorVert = R"(#version 120
attribute vec4 a_position;
uniform mat4 CC_MVPMatrix;
uniform vec4 u_color;
uniform float u_pointSize;
varying vec4 v_fragmentColor;
void main() {
    gl_Position = CC_MVPMatrix * a_position;
    gl_PointSize = u_pointSize;
    v_fragmentColor = u_color;
}
)";

const char* kPositionUColorFrag = R"(#version 120
varying vec4 v_fragmentColor;
void main() {
    gl_FragColor = v_fragmentColor;
}
)";

const char* kPositionTextureUColorVert = R"(#version 120
attribute vec4 a_position;
attribute vec2 a_texCoord;
uniform mat4 CC_MVPMatrix;
varying vec2 v_texCoord;
void main() {
    gl_Position = CC_MVPMatrix * a_position;
    v_texCoord = a_texCoord;
}
)";

const char* kPositionTextureUColorFrag = R"(#version 120
uniform sampler2D CC_Texture0;
uniform vec4 u_color;
varying vec2 v_texCoord;
void main() {
    gl_FragColor = texture2D(CC_Texture0, v_texCoord) * u_color;
}
)";

CCShaderCache* g_sharedCache = nullptr;

CCGLProgram* makeProgram(const char* vert, const char* frag, bool color, bool tex) {
    CCGLProgram* p = new CCGLProgram();
    p->initWithVertexShaderByteArray(vert, frag);
    p->addAttribute(kCCAttributeNamePosition, kCCVertexAttrib_Position);
    if (color) p->addAttribute(kCCAttributeNameColor, kCCVertexAttrib_Color);
    if (tex) p->addAttribute(kCCAttributeNameTexCoord, kCCVertexAttrib_TexCoords);
    return p;
}

} // namespace

CCShaderCache* CCShaderCache::sharedShaderCache() {
    if (!g_sharedCache) g_sharedCache = new CCShaderCache();
    return g_sharedCache;
}

void CCShaderCache::purgeSharedShaderCache() {
    delete g_sharedCache;
    g_sharedCache = nullptr;
}

CCShaderCache::CCShaderCache() { loadDefaultShaders(); }

CCShaderCache::~CCShaderCache() {
    for (auto& entry : m_programs) entry.second->release();
}

void CCShaderCache::loadDefaultShaders() {
    struct Def {
        const char* key;
        const char* vert;
        const char* frag;
        bool color, tex;
    };
    const Def defs[] = {
        {kCCShader_PositionTextureColor, kPositionTextureColorVert, kPositionTextureColorFrag, true, true},
        {kCCShader_PositionColor, kPositionColorVert, kPositionColorFrag, true, false},
        {kCCShader_PositionTexture, kPositionTextureVert, kPositionTextureFrag, false, true},
        {kCCShader_Position_uColor, kPositionUColorVert, kPositionUColorFrag, false, false},
        {kCCShader_PositionTexture_uColor, kPositionTextureUColorVert, kPositionTextureUColorFrag, false, true},
    };
    for (const Def& d : defs) {
        CCGLProgram* p = makeProgram(d.vert, d.frag, d.color, d.tex);
        addProgram(p, d.key);
        p->release();
    }
}

void CCShaderCache::reloadDefaultShaders() { loadDefaultShaders(); }

CCGLProgram* CCShaderCache::programForKey(const char* key) {
    if (!key) return nullptr;
    auto it = m_programs.find(key);
    return it == m_programs.end() ? nullptr : it->second;
}

void CCShaderCache::addProgram(CCGLProgram* program, const char* key) {
    if (!program || !key) return;
    program->retain();
    auto it = m_programs.find(key);
    if (it != m_programs.end()) {
        it->second->release();
        it->second = program;
    } else {
        m_programs.emplace(key, program);
    }
}

} // namespace cocos2d
