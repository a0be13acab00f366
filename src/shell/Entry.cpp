#include "shell/Entry.h"

#include <cstdio>

namespace qn {

int playerMain(int argc, char** argv) {
    (void)argc;
    (void)argv;
    std::printf("qnplayer %s\n", QN_VERSION);
    return 0;
}

} // namespace qn
