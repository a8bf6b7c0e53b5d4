#pragma once
// The page parsing helpers: pick the line that holds a marker, take a line,
// cut out what stands between two markers. Lines are split at CR LF.
#include "platform/text.h"

// 1-based number of the first line containing needle, or 0. Case is ignored
// (ASCII letters) unless caseSensitive.
int FindLineContaining(const Text& text, const Text& needle, bool caseSensitive = false);

// A copy of line lineNumber (1-based), or the empty text when there is none.
Text GetLine(const Text& text, int lineNumber);

// What stands between the first startMarker at or after startPosition and
// the next endMarker after it; empty when either is missing. "#引号" in a
// marker stands for a double quote. Case counts unless ignoreCase.
Text TextBetween(const Text& text, const Text& startMarker, const Text& endMarker, int startPosition = 0,
                 bool ignoreCase = false);
