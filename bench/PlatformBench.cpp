// The per-frame cost of the platform layer: a pump with a frame's worth of posted messages through
// a hook, and a frame's worth of injected input events to the listeners.

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "platform/HeadlessWindow.h"
#include "platform/Input.h"

namespace {

int64_t eventsPerFrame(benchmark::State&, int64_t full) {
    return std::getenv("QN_BENCH_SMOKE") ? 4 : full;
}

long countingHook(unsigned, uintptr_t wParam, intptr_t, bool* processed) {
    *processed = wParam != 0;
    return 0;
}

void BM_PumpPostedMessages(benchmark::State& state) {
    qn::HeadlessWindow window(qn::WindowRect::fromSize(0, 0, 1920, 1080));
    window.setWndProc(countingHook);
    const int64_t count = eventsPerFrame(state, state.range(0));
    for (auto _ : state) {
        for (int64_t i = 0; i < count; ++i) window.postMessage(qn::WM_USER + 1, 1, 0);
        window.pumpMessages();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_PumpPostedMessages)->Arg(16)->Arg(256);

class NullListener : public OIS::KeyListener, public OIS::JoyStickListener {
public:
    bool keyPressed(const OIS::KeyEvent& e) override { return sink += e.key, true; }
    bool keyReleased(const OIS::KeyEvent& e) override { return sink -= e.key, true; }
    bool buttonPressed(const OIS::JoyStickEvent&, int b) override { return sink += b, true; }
    bool buttonReleased(const OIS::JoyStickEvent&, int b) override { return sink -= b, true; }
    bool axisMoved(const OIS::JoyStickEvent& e, int a) override { return sink += e.state.mAxes[a].abs, true; }
    long sink = 0;
};

void BM_InjectedInputEvents(benchmark::State& state) {
    qn::HeadlessWindow window(qn::WindowRect::fromSize(0, 0, 1920, 1080));
    std::unique_ptr<qn::InputBackend> input = qn::startInputBackend("sdl", &window);
    NullListener listener;
    input->setListeners(&listener, &listener);
    const int64_t count = eventsPerFrame(state, state.range(0));
    for (auto _ : state) {
        for (int64_t i = 0; i < count; ++i) {
            input->injectKey(true, OIS::KC_SPACE, ' ');
            input->injectKey(false, OIS::KC_SPACE, 0);
            input->injectButton(true, 0);
            input->injectAxis(1, static_cast<int>(i));
        }
        input->capture();
    }
    benchmark::DoNotOptimize(listener.sink);
    state.SetItemsProcessed(state.iterations() * count * 4);
}
BENCHMARK(BM_InjectedInputEvents)->Arg(16);

} // namespace
