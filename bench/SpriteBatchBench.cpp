// Sprite batching: N sprites of one atlas visited and drawn each frame, without GL (the batching
// and counting alone) and, when an off-screen GL context can be made, with GL. Reports the time
// per sprite and the draw calls of a frame against N (expected: ceil(N / quad capacity)).
// With QN_BENCH_SMOKE set only N = 100 runs.

#include <benchmark/benchmark.h>

#include <GL/glew.h>
#include <SDL.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "framework/CCAutoreleasePool.h"
#include "framework/CCEGLView.h"
#include "framework/CCRenderer.h"
#include "framework/CCRendererGL.h"
#include "framework/CCSprite.h"
#include "framework/CCSpriteBatchNode.h"
#include "framework/CCSpriteFrame.h"
#include "framework/CCTexture2D.h"

using namespace cocos2d;

namespace {

/// A 256 x 256 atlas of 64 frames of 32 x 32 and a batch node of `count` sprites spread over a
/// 1136 x 640 design, each showing one of the frames.
CCSpriteBatchNode* makeScene(int count) {
    std::vector<unsigned char> pixels(256 * 256 * 4);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = (unsigned char)((i * 37) & 0xFF);
    CCTexture2D* atlas = new CCTexture2D();
    atlas->initWithData(pixels.data(), 256, 256, true);
    CCSpriteBatchNode* batch = CCSpriteBatchNode::createWithTexture(atlas, (unsigned int)count);
    atlas->release();
    batch->retain();
    for (int i = 0; i < count; ++i) {
        int f = i % 64;
        CCSpriteFrame* frame = CCSpriteFrame::createWithTexture(atlas, CCRect((f % 8) * 32.0f, (f / 8) * 32.0f, 32, 32));
        CCSprite* s = CCSprite::createWithSpriteFrame(frame);
        s->setPosition(CCPoint((float)((i * 7919) % 1136), (float)((i * 104729) % 640)));
        s->setRotation((float)(i % 360));
        batch->addChild(s);
    }
    CCPoolManager::sharedPoolManager()->pop();
    return batch;
}

void runFrames(benchmark::State& state, bool withGL) {
    const int count = (int)state.range(0);
    CCSpriteBatchNode* scene = makeScene(count);
    CCRenderer* renderer = CCRenderer::sharedRenderer();
    for (auto _ : state) {
        renderer->beginFrame();
        scene->visit();
        renderer->endFrame();
        if (withGL) glFinish();
    }
    state.counters["sprites"] = count;
    state.counters["draw_calls"] = renderer->lastFrameDrawCalls();
    state.counters["expected_calls"] = std::ceil(count / (double)CCRenderer::kQuadCapacity);
    state.counters["time_per_sprite"] =
        benchmark::Counter((double)count, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    scene->release();
}

void BM_SpriteBatchHeadless(benchmark::State& state) {
    qn::setGLDisabled(true);
    runFrames(state, false);
    qn::setGLDisabled(false);
}

void BM_SpriteBatchGL(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        state.SkipWithError("no SDL video");
        return;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_Window* window = SDL_CreateWindow("bench", 0, 0, 1136, 640, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (!context || !qn::glReady()) {
        state.SkipWithError("no off-screen GL context");
    } else {
        CCEGLView::sharedOpenGLView()->setFrameSize(1136, 640);
        CCEGLView::sharedOpenGLView()->setDesignResolutionSize(1136, 640, kResolutionShowAll);
        runFrames(state, true);
    }
    if (context) SDL_GL_DeleteContext(context);
    if (window) SDL_DestroyWindow(window);
    qn::glContextLost();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void sizes(benchmark::internal::Benchmark* b) {
    if (std::getenv("QN_BENCH_SMOKE")) {
        b->Arg(100);
        return;
    }
    for (int n : {1000, 2000, 5000, 10000, 20000}) b->Arg(n);
}

} // namespace

BENCHMARK(BM_SpriteBatchHeadless)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpriteBatchGL)->Apply(sizes)->Unit(benchmark::kMicrosecond);
