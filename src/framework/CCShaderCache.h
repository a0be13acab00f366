#pragma once
// The shared shader programs by key. Programs exist from the start (headless too) and are
// compiled on first use with a GL context.

#include <map>
#include <string>

#include "framework/CCGLProgram.h"

namespace cocos2d {

#define kCCShader_PositionTextureColor "ShaderPositionTextureColor"
#define kCCShader_PositionColor "ShaderPositionColor"
#define kCCShader_PositionTexture "ShaderPositionTexture"
#define kCCShader_Position_uColor "ShaderPosition_uColor"
#define kCCShader_PositionTexture_uColor "ShaderPositionTexture_uColor"

class CCShaderCache {
public:
    static CCShaderCache* sharedShaderCache();
    /// Drops every program (tests).
    static void purgeSharedShaderCache();

    /// The program for `key`, owned by the cache; nullptr for an unknown key.
    CCGLProgram* programForKey(const char* key);
    /// Stores (and retains) a program under `key`, replacing one already there.
    void addProgram(CCGLProgram* program, const char* key);
    /// Recreates the built-in programs (after a new GL context).
    void reloadDefaultShaders();

private:
    CCShaderCache();
    ~CCShaderCache();
    void loadDefaultShaders();

    std::map<std::string, CCGLProgram*> m_programs;
};

} // namespace cocos2d
