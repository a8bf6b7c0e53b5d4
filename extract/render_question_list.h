#pragma once
// Turns a question list's JSON text into readable text at the end of an
// output box: per question its number and wording, then its options on one
// line, then an empty line.
#include "json/json_object.h"
#include "platform/output_box.h"
#include "platform/text.h"

// Parses the list into json (which keeps it) and appends every question.
// Gives whether the list parsed; the output is the same either way.
bool RenderQuestionList(const Text& questionListJson, JsonObject& json, OutputBox& box);

// One member of one JSON object text, as plain text; empty when missing.
Text GetFieldText(const Text& objectJson, const Text& memberName);

// Appends the options of one question, then the question's closing line break.
void RenderOptions(const Text& optionsJson, OutputBox& box);
