// Random sequences of window operations and window-manager actions on the headless window, with a
// hook that itself reacts by calling back into the window (as the shell's hook does). The window
// must never crash, recurse without bound, or leave its show state and sizes out of range.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/HeadlessWindow.h"

namespace {

struct Reader {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    bool more() const { return at < size; }
    uint8_t byte() { return at < size ? data[at++] : 0; }
    int number() { return static_cast<int16_t>(byte() | (byte() << 8)); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Reader in{data, size};
    qn::HeadlessWindow window(qn::WindowRect::fromSize(0, 0, 1920, 1080));
    uint8_t hookMode = in.byte();
    window.setWndProc([&](unsigned m, uintptr_t w, intptr_t l, bool* processed) {
        if (hookMode & 1) *processed = (m == qn::WM_WINDOWPOSCHANGING);
        if ((hookMode & 2) && m == qn::WM_WINDOWPOSCHANGING)
            reinterpret_cast<qn::WindowPos*>(l)->flags |= qn::SWP_NOMOVE;
        if ((hookMode & 4) && m == qn::WM_SIZE && w == qn::SIZE_RESTORED) window.show(qn::SW_SHOWMAXIMIZED);
        if ((hookMode & 8) && m == qn::WM_SYSCOMMAND) window.show(qn::SW_SHOWNORMAL);
        if ((hookMode & 16) && m == qn::WM_SIZE) window.setClientSize(qn::loWord(l), qn::hiWord(l));
        if ((hookMode & 32) && m == qn::WM_USER) window.postMessage(qn::WM_USER, w, l);
        return 0L;
    });
    while (in.more()) {
        switch (in.byte() % 8) {
        case 0:
            window.setWindowPos(in.number(), in.number(), in.number(), in.number(), in.byte());
            break;
        case 1:
            window.setClientSize(in.number(), in.number());
            break;
        case 2:
            window.show(in.byte() % 12);
            break;
        case 3:
            window.postMessage(in.byte() % 2 ? qn::WM_USER : qn::WM_SYSCOMMAND,
                               0xF000 + (in.byte() % 20) * 0x10, 0);
            break;
        case 4:
            window.pumpMessages();
            break;
        case 5:
            window.simulateWindowManagerAction(static_cast<qn::WindowAction>(in.byte() % 5), in.number(),
                                               in.number());
            break;
        case 6:
            window.setStyle(in.byte() % 2 ? 0x90000000u : 0x10CF0000u);
            break;
        default:
            window.sendMessage(in.byte(), in.byte(), in.number());
            break;
        }
        int state = window.showState();
        if (state != qn::SW_SHOWNORMAL && state != qn::SW_SHOWMAXIMIZED && state != qn::SW_SHOWMINIMIZED)
            std::abort();
        qn::WindowRect r = window.clientRect();
        if (r.width() < 0 || r.height() < 0 || r.width() > 0x7FFF || r.height() > 0x7FFF) std::abort();
    }
    return 0;
}
