#pragma once
// Platform services: sharing, reviews, game services, web links, confirmation dialogs, the window
// mode and leaving the game. On this platform most complete at once and do nothing; the window
// mode and exit reach the game window.

#include <string>

class QNPlatformServices {
public:
    /// The single instance, created on first use.
    static QNPlatformServices* sharedServices();

    /// Asks the game window for full screen (true) or a window (false): posts the window-mode
    /// request (WM_USER with 1 or 0) to it. Nothing without a window.
    void setWindowMode(bool fullScreen);
    /// Logs "Exit", prints "Doing exit..." on standard output and posts the close request to the
    /// game window.
    void exitGame();
    /// A yes/no question; the answer on this platform is yes, at once.
    bool confirm(const std::string& text) {
        (void)text;
        return true;
    }
    void openUrl(const std::string& url) { (void)url; }
    void openFacebookPage(const std::string& id, const std::string& url) {
        (void)id;
        (void)url;
    }
    void openReview() {}
    void openGameServices() {}
    void shareScore() {}
    /// Whether the device is a television-style one (never on this platform).
    bool isTelevision() const { return false; }

private:
    QNPlatformServices() = default;
};
