#include <iostream>

#include "app/cli.h"

int main(int argc, char** argv) { return RunCli(argc, argv, std::cout, std::cerr); }
