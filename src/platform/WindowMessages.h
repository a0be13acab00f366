#pragma once
// Window message numbers, system commands, size types, show commands, position flags and window
// styles, with the values a Win32 window uses, so the shell's message hook reads as it would there.

#include <cstdint>

namespace qn {

// Messages.
constexpr unsigned WM_SIZE = 0x0005;
constexpr unsigned WM_CLOSE = 0x0010;
constexpr unsigned WM_WINDOWPOSCHANGING = 0x0046;
constexpr unsigned WM_SYSCOMMAND = 0x0112;
constexpr unsigned WM_EXITSIZEMOVE = 0x0232;
constexpr unsigned WM_USER = 0x0400;

// System commands (wParam of WM_SYSCOMMAND; the low four bits are reserved and masked off).
constexpr uintptr_t SC_SIZE = 0xF000;
constexpr uintptr_t SC_MINIMIZE = 0xF020;
constexpr uintptr_t SC_MAXIMIZE = 0xF030;
constexpr uintptr_t SC_CLOSE = 0xF060;
constexpr uintptr_t SC_RESTORE = 0xF120;

// Size types (wParam of WM_SIZE; lParam is width | height << 16).
constexpr uintptr_t SIZE_RESTORED = 0;
constexpr uintptr_t SIZE_MINIMIZED = 1;
constexpr uintptr_t SIZE_MAXIMIZED = 2;

// Show commands, and the placement's show states (SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED).
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;

// Position flags (WindowPos::flags).
constexpr unsigned SWP_NOSIZE = 0x0001;
constexpr unsigned SWP_NOMOVE = 0x0002;
constexpr unsigned SWP_NOZORDER = 0x0004;
constexpr unsigned SWP_NOACTIVATE = 0x0010;
constexpr unsigned SWP_SHOWWINDOW = 0x0040;
constexpr unsigned SWP_NOCOPYBITS = 0x0100;

// Window styles.
constexpr uint32_t WS_THICKFRAME = 0x00040000;
constexpr uint32_t WS_CAPTION = 0x00C00000;
constexpr uint32_t WS_OVERLAPPEDWINDOW = 0x00CF0000;
constexpr uint32_t WS_VISIBLE = 0x10000000;
constexpr uint32_t WS_POPUP = 0x80000000;

/// The WM_SIZE lParam for a client size: width in the low word, height in the high word.
inline intptr_t makeSizeLParam(int width, int height) {
    return static_cast<intptr_t>(((static_cast<uint32_t>(height) & 0xFFFFu) << 16) |
                                 (static_cast<uint32_t>(width) & 0xFFFFu));
}
/// The low and high words of a WM_SIZE lParam.
inline int loWord(intptr_t value) {
    return static_cast<int>(static_cast<uint32_t>(value) & 0xFFFFu);
}
inline int hiWord(intptr_t value) {
    return static_cast<int>((static_cast<uint32_t>(value) >> 16) & 0xFFFFu);
}

/// The position record that WM_WINDOWPOSCHANGING's lParam points to; the hook may change it.
struct WindowPos {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    unsigned flags = 0;
};

} // namespace qn
