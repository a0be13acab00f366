#pragma once
// The null window back-end for headless runs: no SDL video and no GL. It keeps the style,
// placement and show state that the shared Window logic decides, with a fixed monitor rectangle.
// Maximising gives a client area of the monitor's size at its origin; restoring brings back the
// last normal placement; minimising keeps the placement. No border thickness is modelled, so the
// client size equals the window size.

#include "platform/Window.h"

namespace qn {

class HeadlessWindow : public Window {
public:
    /// A window of 960 x 540 centred on `monitor`.
    explicit HeadlessWindow(const WindowRect& monitor);

    bool isHeadless() const override { return true; }
    bool hasGLContext() const override { return false; }
    void swapBuffers() override {}
    void setVSync(bool) override {}
    uint64_t nativeHandle() const override { return 0; }
    WindowRect monitorRect() const override { return m_monitor; }
    /// Remembers the path; reports whether the file exists (nothing is decoded headless).
    bool setIconFromFile(const std::string& path) override;
    const std::string& iconPath() const { return m_iconPath; }

protected:
    void applyStyle(uint32_t) override {}
    void applyTitle(const std::string&) override {}
    void applyPlacement(const WindowRect&) override {}
    void applyShowState(int, const WindowRect&) override {}
    void pollEvents() override {}

private:
    WindowRect m_monitor;
    std::string m_iconPath;
};

} // namespace qn
