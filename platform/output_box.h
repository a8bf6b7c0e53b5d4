#pragma once
// Where a load writes its text: the output box of the window, or any other
// sink (standard output for the command-line program). Calls may come from
// any thread.
#include "platform/text.h"

class OutputBox {
 public:
  virtual ~OutputBox() = default;
  virtual void SetContent(const Text& text) = 0;
  // Caret to the end, then insert there; no undo step.
  virtual void Append(const Text& text) = 0;
};
