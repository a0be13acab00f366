#pragma once

namespace qn {

/// Runs the player with its command line and returns the process exit status.
int playerMain(int argc, char** argv);

} // namespace qn
