#pragma once
// examtext-cli: the load pipeline for saved pages named on the command line,
// without the window and the dialog.
#include <ostream>

// Exit statuses.
constexpr int kCliOk = 0;
constexpr int kCliUnreadable = 1;
constexpr int kCliNoQuestionList = 2;
constexpr int kCliUsage = 64;
constexpr int kCliOutputFailed = 74;  // standard output could not be written

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
