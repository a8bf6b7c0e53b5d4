#include "gui/session.h"

int main(int argc, char** argv) { return RunAllTestsOnRuntime(argc, argv); }
