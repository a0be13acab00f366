#include "shell/Screenshot.h"

#include <GL/gl.h>
#include <vector>

#include "framework/CCImage.h"
#include "platform/DebugLog.h"
#include "platform/Window.h"

namespace qn {
namespace {

std::vector<unsigned char> g_pixels;
int g_width = 0;
int g_height = 0;

bool readPixels(Window* window, GLenum buffer) {
    if (!window || !window->hasGLContext()) return false;
    WindowRect client = window->clientRect();
    int width = client.width(), height = client.height();
    if (width <= 0 || height <= 0) return false;
    g_pixels.assign(static_cast<size_t>(width) * height * 4, 0);
    glReadBuffer(buffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, g_pixels.data());
    if (glGetError() != GL_NO_ERROR) {
        g_pixels.clear();
        return false;
    }
    g_width = width;
    g_height = height;
    return true;
}

} // namespace

bool captureScreenshot(Window* window) {
    return readPixels(window, GL_BACK);
}

bool saveScreenshot(Window* window, const std::string& path) {
    if (g_pixels.empty() && !readPixels(window, GL_FRONT)) {
        logLine("[Screenshot] no GL frame to save (no OpenGL context in this run): %s not written",
                path.c_str());
        return false;
    }
    // GL rows run bottom to top.
    if (!cocos2d::writePng(path, g_pixels.data(), g_width, g_height, true, true)) {
        logLine("[Screenshot] cannot write %s", path.c_str());
        return false;
    }
    logLine("[Screenshot] wrote %s (%dx%d)", path.c_str(), g_width, g_height);
    return true;
}

} // namespace qn
