#include "extract/render_question_list.h"

#include <algorithm>

#include "extract/text_helpers.h"
#include "platform/codepage.h"

namespace {

const Text& Comma() {
  static const Text comma = Utf16ToGbk(u"、");
  return comma;
}

// A list of as many empty texts as the parsed array has elements.
TextArray EmptyItems(JsonObject& json) {
  return TextArray(static_cast<std::size_t>(std::max(json.GetCount(), 0)));
}

// Fills the list with the JSON text of each element; the count is read anew.
void ReadItems(JsonObject& json, TextArray& items) {
  int n = std::min(json.GetCount(), static_cast<int>(items.size()));
  for (int i = 1; i <= n; ++i) items[i - 1] = json.GetItemText(i - 1, {}, true);
}

}  // namespace

bool RenderQuestionList(const Text& questionListJson, JsonObject& json, OutputBox& box) {
  TextArray items(1);
  bool parsed = json.Parse(questionListJson);
  if (parsed) items = EmptyItems(json);
  // A failed parse keeps the one empty item, which renders as an empty entry.
  ReadItems(json, items);

  for (const Text& item : items) {
    Text number = GetFieldText(item, "num");
    Text wording = GetFieldText(item, "question");
    box.Append(number + Comma() + wording + "\r\n");
    RenderOptions(TextBetween(item, "lpQuestionAnswerList\":", ",\"num\":"), box);
  }
  return parsed;
}

Text GetFieldText(const Text& objectJson, const Text& memberName) {
  JsonObject object;
  object.Parse(objectJson);
  Text result = object.GetText(memberName);
  object.Clear();
  return result;
}

void RenderOptions(const Text& optionsJson, OutputBox& box) {
  JsonObject options;
  TextArray items;
  if (options.Parse(optionsJson)) items = EmptyItems(options);
  ReadItems(options, items);

  for (const Text& item : items) {
    Text label = GetFieldText(item, "optionNum");
    Text optionText = GetFieldText(item, "contentType");
    box.Append("    " + label + Comma() + optionText);
  }
  box.Append("\r\n\r\n");
}
