#pragma once
// The program's clock. Interactive runs read the system clock; headless runs read a simulated
// clock that starts at a given second and advances by a fixed frame time, so a headless run is
// repeatable line for line.

namespace qn {

/// Seconds since the epoch, from the system or the simulated clock.
double nowSeconds();

/// Switches to the simulated clock starting at `startSeconds`.
void useSimulatedClock(double startSeconds);

/// Advances the simulated clock (no effect on the system clock).
void advanceSimulatedClock(double seconds);

/// True while the simulated clock is in use.
bool isClockSimulated();

} // namespace qn
