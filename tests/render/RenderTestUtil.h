#pragma once
// Helpers for the drawing tests: fixture paths, a log capture, an autorelease pool per test, and
// an off-screen GL context with pixel read-back and reference-picture comparison.

#include <GL/glew.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "framework/CCAutoreleasePool.h"
#include "framework/CCImage.h"
#include "framework/CCRendererGL.h"
#include "platform/DebugLog.h"

namespace qnrender {

inline std::string fixture(const std::string& name) { return std::string(QN_TEST_DATA_DIR) + "/render/" + name; }

/// Collects log lines for the life of the object, inside its own autorelease pool.
class LogAndPool {
public:
    LogAndPool() {
        qn::setLogCapture(&log);
        cocos2d::CCPoolManager::sharedPoolManager()->push();
    }
    ~LogAndPool() {
        cocos2d::CCPoolManager::sharedPoolManager()->pop();
        qn::setLogCapture(nullptr);
    }
    bool logged(const std::string& part) const { return log.find(part) != std::string::npos; }
    std::string log;
};

/// A hidden window with a GL 2.1 context on SDL's off-screen driver.
class OffscreenGL {
public:
    OffscreenGL(int width, int height) : m_width(width), m_height(height) {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            m_error = SDL_GetError();
            return;
        }
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        m_window = SDL_CreateWindow("render test", 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (!m_window) {
            m_error = SDL_GetError();
            return;
        }
        m_context = SDL_GL_CreateContext(m_window);
        if (!m_context) {
            m_error = SDL_GetError();
            return;
        }
        SDL_GL_MakeCurrent(m_window, m_context);
        if (!qn::glReady()) m_error = "GL functions could not be loaded";
    }
    ~OffscreenGL() {
        if (m_context) SDL_GL_DeleteContext(m_context);
        if (m_window) SDL_DestroyWindow(m_window);
        qn::glContextLost();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    bool ok() const { return m_error.empty(); }
    const std::string& error() const { return m_error; }

    /// The drawn frame as RGBA rows, top row first.
    std::vector<unsigned char> readPixels() const {
        std::vector<unsigned char> pixels((size_t)m_width * m_height * 4);
        glFinish();
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, m_width, m_height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        std::vector<unsigned char> flipped(pixels.size());
        size_t row = (size_t)m_width * 4;
        for (int y = 0; y < m_height; ++y)
            std::copy(pixels.begin() + (size_t)(m_height - 1 - y) * row,
                      pixels.begin() + (size_t)(m_height - y) * row, flipped.begin() + (size_t)y * row);
        for (size_t i = 3; i < flipped.size(); i += 4) flipped[i] = 255;
        return flipped;
    }
    int width() const { return m_width; }
    int height() const { return m_height; }

private:
    int m_width, m_height;
    SDL_Window* m_window = nullptr;
    SDL_GLContext m_context = nullptr;
    std::string m_error;
};

/// RGBA of pixel (x, y), counted from the top-left.
inline std::vector<int> pixelAt(const std::vector<unsigned char>& rgba, int width, int x, int y) {
    const unsigned char* p = &rgba[((size_t)y * width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

/// Compares a frame with the reference picture `name`: at most 0.5 % of the pixels may differ by
/// more than 16 in a channel. With QN_UPDATE_REFERENCES=1 the reference is rewritten instead.
inline ::testing::AssertionResult matchesReference(const std::vector<unsigned char>& rgba, int width, int height,
                                                   const std::string& name) {
    const std::string path = fixture(name);
    const char* update = std::getenv("QN_UPDATE_REFERENCES");
    if (update && std::string(update) == "1") {
        qn::writePng(path, rgba.data(), width, height, false, true);
        return ::testing::AssertionSuccess() << "rewrote " << path;
    }
    cocos2d::CCImage reference;
    if (!reference.initWithImageFile(path.c_str()))
        return ::testing::AssertionFailure() << "no reference picture " << path;
    if (reference.getWidth() != width || reference.getHeight() != height)
        return ::testing::AssertionFailure() << "reference " << name << " is " << reference.getWidth() << "x"
                                             << reference.getHeight() << ", frame is " << width << "x" << height;
    const unsigned char* ref = reference.getData();
    size_t differing = 0;
    for (size_t i = 0; i < (size_t)width * height; ++i) {
        for (int c = 0; c < 3; ++c) {
            if (std::abs((int)rgba[i * 4 + c] - (int)ref[i * 4 + c]) > 16) {
                ++differing;
                break;
            }
        }
    }
    if (differing * 200 > (size_t)width * height) {
        const std::string actual = ::testing::TempDir() + "/" + name + ".actual.png";
        qn::writePng(actual, rgba.data(), width, height, false, true);
        return ::testing::AssertionFailure() << differing << " pixels differ from " << name << " (frame written to "
                                             << actual << ")";
    }
    return ::testing::AssertionSuccess();
}

} // namespace qnrender
