// Process entry point of the player.
#include "shell/Entry.h"
#include "shell/QNPAppDelegate.h"

// The application object exists before main runs, so the framework's run loop finds it.
static QNPAppDelegate appDelegate;

int main(int argc, char** argv) {
    return qn::playerMain(argc, argv);
}
