#pragma once
// An output box that keeps every call it gets, so tests can check both the
// final text and how it was written.
#include <string>
#include <vector>

#include "platform/codepage.h"
#include "platform/output_box.h"

class RecordingBox : public OutputBox {
 public:
  RecordingBox() = default;
  explicit RecordingBox(Text oldContent) : content(std::move(oldContent)) {}

  void SetContent(const Text& text) override {
    content = text;
    pieces.clear();
    ++setContentCalls;
  }
  void Append(const Text& text) override {
    content += text;
    pieces.push_back(text);
  }

  Text content;
  std::vector<Text> pieces;  // appends since the last SetContent
  int setContentCalls = 0;
};

// Test texts are written in UTF-8; the pipeline's texts are GBK.
inline Text Gbk(const std::string& utf8) { return Utf16ToGbk(Utf8ToUtf16(utf8)); }

// What a load gives when there is no question list: an empty entry.
inline const Text kNoQuestions = "\xA1\xA2\r\n\r\n\r\n";
