// The dialogs run on a started GUI runtime, whose window thread is this
// main thread, as in the program.
#include "gui/session.h"

int main(int argc, char** argv) { return RunAllTestsOnRuntime(argc, argv); }
