#pragma once
// The ad networks. On this platform no network is available: every call completes at once and
// shows nothing. Screens call it through this interface so the ad logic (visit counters, hiding
// the content while an interstitial starts) runs as on platforms that have ads.

#include <string>

class QNAdController {
public:
    /// The single instance, created on first use.
    static QNAdController* sharedController();

    /// Prepares the networks named by the project; nothing here.
    void initAdNetworks() { m_initialised = true; }
    bool isInitialised() const { return m_initialised; }
    /// Shows a banner of `network` (a key such as "kAdMob"); nothing here.
    void showBanner(const std::string& network) {
        (void)network;
        ++m_bannersShown;
    }
    /// Shows an interstitial of `network`; nothing here.
    void showInterstitial(const std::string& network) {
        (void)network;
        ++m_interstitialsShown;
    }
    void hideBanner() {}
    void hideInterstitial() {}

    int bannersShown() const { return m_bannersShown; }
    int interstitialsShown() const { return m_interstitialsShown; }

private:
    QNAdController() = default;
    bool m_initialised = false;
    int m_bannersShown = 0;
    int m_interstitialsShown = 0;
};
