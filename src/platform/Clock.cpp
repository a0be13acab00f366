#include "platform/Clock.h"

#include <chrono>

namespace qn {
namespace {
bool g_simulated = false;
double g_simulatedNow = 0.0;
} // namespace

double nowSeconds() {
    if (g_simulated) return g_simulatedNow;
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count();
}

void useSimulatedClock(double startSeconds) {
    g_simulated = true;
    g_simulatedNow = startSeconds;
}

void advanceSimulatedClock(double seconds) {
    if (g_simulated) g_simulatedNow += seconds;
}

bool isClockSimulated() { return g_simulated; }

} // namespace qn
