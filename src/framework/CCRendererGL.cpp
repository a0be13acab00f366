#include "framework/CCRendererGL.h"

#include <GL/glew.h>
#include <SDL.h>

#include "framework/CCGLProgram.h"
#include "platform/DebugLog.h"

namespace qn {

namespace {
enum class GLState { Unknown, Ready, Failed };
GLState g_state = GLState::Unknown;
void* g_context = nullptr;
bool g_disabled = false;
unsigned int g_generation = 0;
} // namespace

bool glReady() {
    if (g_disabled) return false;
    void* context = SDL_GL_GetCurrentContext();
    if (!context) return false;
    if (context != g_context) {
        // A different context than the one we set up for: start over.
        g_context = context;
        g_state = GLState::Unknown;
        ++g_generation;
        cocos2d::ccGLInvalidateStateCache();
    }
    if (g_state == GLState::Ready) return true;
    if (g_state == GLState::Failed) return false;
    glewExperimental = GL_TRUE;
    GLenum err = glewInit();
    // GLEW 2.2 reports "no GLX display" (4) in EGL contexts although it loaded the functions.
    if (err != GLEW_OK && !glCreateShader) {
        qn::logLine("[CCRenderer] OpenGL functions could not be loaded (GLEW error %u); drawing without GL",
                    (unsigned)err);
        g_state = GLState::Failed;
        return false;
    }
    if (!glCreateShader || !glGenBuffers) {
        qn::logLine("[CCRenderer] OpenGL 2.1 is not available; drawing without GL");
        g_state = GLState::Failed;
        return false;
    }
    g_state = GLState::Ready;
    return true;
}

void glContextLost() {
    g_context = nullptr;
    g_state = GLState::Unknown;
    cocos2d::ccGLInvalidateStateCache();
}

unsigned int glContextGeneration() { return g_generation; }

void setGLDisabled(bool disabled) { g_disabled = disabled; }

} // namespace qn
