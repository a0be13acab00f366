#include "platform/HeadlessWindow.h"

#include <sys/stat.h>

namespace qn {

HeadlessWindow::HeadlessWindow(const WindowRect& monitor) : m_monitor(monitor) {
    if (m_monitor.width() <= 0 || m_monitor.height() <= 0) m_monitor = WindowRect::fromSize(0, 0, 1920, 1080);
    int w = 960, h = 540;
    initPlacement(WindowRect::fromSize(m_monitor.left + (m_monitor.width() - w) / 2,
                                       m_monitor.top + (m_monitor.height() - h) / 2, w, h));
}

bool HeadlessWindow::setIconFromFile(const std::string& path) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        m_iconPath.clear();
        return false;
    }
    m_iconPath = path;
    return true;
}

std::unique_ptr<Window> createHeadlessWindow(const WindowRect& monitor) {
    return std::make_unique<HeadlessWindow>(monitor);
}

} // namespace qn
