// Process entry point of the player.
#include "shell/Entry.h"

int main(int argc, char** argv) { return qn::playerMain(argc, argv); }
