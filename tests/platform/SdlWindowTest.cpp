// The SDL window back-end on the offscreen video driver (a real GL context, no display): GL set-up,
// style and placement carried out on the SDL window, and its own changes not coming back as
// window-manager messages.

#include <gtest/gtest.h>

#include <GL/glew.h>
#include <SDL.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "platform/SdlWindow.h"

using namespace qn;

namespace {

class SdlWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        // QN_TEST_X11=1 SDL_VIDEODRIVER=x11 under xvfb-run -s "-noreset" checks the same on a real
        // X11 window (without -noreset the server resets between tests and refuses connections).
        if (!std::getenv("QN_TEST_X11")) setenv("SDL_VIDEODRIVER", "offscreen", 1);
        window = SdlWindow::create("qnplayer test", 640, 360, false);
        if (!window) GTEST_SKIP() << "no SDL video on this machine: " << SDL_GetError();
        window->setWndProc([this](unsigned m, uintptr_t w, intptr_t, bool*) {
            seen.push_back({m, w});
            return 0L;
        });
    }
    SDL_Window* sdl() const { return window->sdlWindow(); }
    WindowRect sdlRect() const {
        int x = 0, y = 0, w = 0, h = 0;
        SDL_GetWindowPosition(sdl(), &x, &y);
        SDL_GetWindowSize(sdl(), &w, &h);
        return WindowRect::fromSize(x, y, w, h);
    }

    std::unique_ptr<SdlWindow> window;
    std::vector<std::pair<unsigned, uintptr_t>> seen;
};

} // namespace

TEST_F(SdlWindowFixture, HasAWorkingGLContext) {
    if (!window->hasGLContext()) GTEST_SKIP() << "offscreen driver gave no GL context";
    EXPECT_FALSE(window->isHeadless());
    ASSERT_NE(glGetString(GL_VERSION), nullptr);
    EXPECT_NE(glCreateShader, nullptr);
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    unsigned char pixel[4] = {};
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[1], 255);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    window->swapBuffers();
}

TEST_F(SdlWindowFixture, StyleAndPlacementReachTheSdlWindow) {
    window->setTitle("Runner");
    EXPECT_STREQ(SDL_GetWindowTitle(sdl()), "Runner");

    // The offscreen driver keeps no border state; a real display (X11) does.
    const bool hasBorders = std::string(SDL_GetCurrentVideoDriver()) == "x11";
    window->setStyle(WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(window->style(), 0x90000000u);
    if (hasBorders) {
        EXPECT_TRUE(SDL_GetWindowFlags(sdl()) & SDL_WINDOW_BORDERLESS);
    }
    window->setStyle(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_EQ(window->style(), 0x10CF0000u);
    if (hasBorders) {
        EXPECT_FALSE(SDL_GetWindowFlags(sdl()) & SDL_WINDOW_BORDERLESS);
    }

    window->setWindowPos(40, 30, 800, 450, SWP_SHOWWINDOW);
    EXPECT_EQ(sdlRect(), WindowRect::fromSize(40, 30, 800, 450));
    EXPECT_EQ(window->windowRect(), sdlRect());

    window->show(SW_SHOWMAXIMIZED);
    EXPECT_EQ(window->showState(), SW_SHOWMAXIMIZED);
    EXPECT_EQ(sdlRect(), window->monitorRect());
    window->show(SW_RESTORE);
    EXPECT_EQ(sdlRect(), WindowRect::fromSize(40, 30, 800, 450));
}

TEST_F(SdlWindowFixture, OwnChangesDoNotComeBackAsMessages) {
    window->pumpMessages();
    window->setWindowPos(10, 10, 500, 300, 0);
    window->setClientSize(700, 400);
    window->show(SW_SHOWMAXIMIZED);
    window->show(SW_RESTORE);
    seen.clear();
    for (int i = 0; i < 3; ++i) window->pumpMessages();
    EXPECT_TRUE(seen.empty()) << "first spurious message 0x" << std::hex
                              << (seen.empty() ? 0 : seen[0].first);
    EXPECT_EQ(window->clientRect(), WindowRect::fromSize(0, 0, 700, 400));
    EXPECT_FALSE(window->quitRequested());
}

TEST_F(SdlWindowFixture, SimulatedDragDrivesTheRealWindow) {
    window->simulateWindowManagerAction(WindowAction::Resize, 900, 500);
    EXPECT_EQ(sdlRect().width(), 900);
    EXPECT_EQ(sdlRect().height(), 500);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().first, WM_EXITSIZEMOVE);
    window->simulateWindowManagerAction(WindowAction::Close);
    EXPECT_TRUE(window->quitRequested());
}

TEST_F(SdlWindowFixture, IconFromFileOrNone) {
    qntest::TempDir dir;
    EXPECT_FALSE(window->setIconFromFile(dir.path() + "/icon.ico"));
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 16, 16, 32, SDL_PIXELFORMAT_RGBA32);
    ASSERT_NE(surface, nullptr);
    SDL_FillRect(surface, nullptr, 0xFF0000FFu);
    std::string path = dir.path() + "/icon.bmp";
    ASSERT_EQ(SDL_SaveBMP(surface, path.c_str()), 0);
    SDL_FreeSurface(surface);
    EXPECT_TRUE(window->setIconFromFile(path));
}
