#include "app/cli.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "extract/load_question_file.h"
#include "extract/render_question_list.h"
#include "json/json_object.h"
#include "platform/codepage.h"

namespace {

constexpr std::string_view kUsage =
    "usage: examtext-cli [--gbk] PAGE...\n"
    "\n"
    "Writes the questions and options of each saved exam page to standard\n"
    "output, exactly as the window's text box would show them, pages one\n"
    "after another: as UTF-8, or with --gbk as GBK bytes.\n"
    "\n"
    "Exit status: 0 every page's question list was read; 1 a file could not\n"
    "be read; 2 a page had no question list or it did not parse (the highest\n"
    "status of all pages counts); 64 bad usage; 74 the output could not be\n"
    "written.\n";

std::string ToUtf8(const Text& gbk) { return Utf16ToUtf8(GbkToUtf16(gbk)); }

// The text box, written to standard output as the load goes.
class StreamBox : public OutputBox {
 public:
  StreamBox(std::ostream& out, bool gbk) : out_(out), gbk_(gbk) {}
  void SetContent(const Text& text) override { Append(text); }
  void Append(const Text& text) override { out_ << (gbk_ ? text : ToUtf8(text)); }

 private:
  std::ostream& out_;
  bool gbk_;
};

// A page as named on the command line (UTF-8) and as the pipeline names it.
struct PageName {
  std::string shown;
  Text path;
  // Without a GBK form the converted name would stand for another file.
  bool convertible;
};

PageName NameOf(std::string_view arg) {
  Text path = Utf16ToGbk(Utf8ToUtf16(arg));
  return {std::string(arg), path, ToUtf8(path) == arg};
}

int LoadPage(const PageName& page, StreamBox& box, std::ostream& err) {
  const std::string& shown = page.shown;
  auto notice = [&] { err << shown << ": " << ToUtf8(Utf16NoticeText()) << "\n"; };
  box.SetContent(Text());
  PageReading reading = page.convertible ? ReadQuestionPage(page.path, notice) : PageReading{};
  JsonObject json;
  bool parsed = RenderQuestionList(reading.questionList, json, box);
  if (!page.convertible) {
    err << shown << ": cannot be read (the name has no GBK form)\n";
    return kCliUnreadable;
  }
  if (!reading.opened) {
    err << shown << ": cannot be read\n";
    return kCliUnreadable;
  }
  if (reading.questionList.empty()) {
    err << shown << ": no question list found\n";
    return kCliNoQuestionList;
  }
  if (!parsed) {
    err << shown << ": the question list does not parse\n";
    return kCliNoQuestionList;
  }
  return kCliOk;
}

}  // namespace

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  bool gbk = false;
  std::vector<PageName> pages;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (!optionsEnded && arg == "--help") {
      out << kUsage;
      return kCliOk;
    }
    if (!optionsEnded && arg == "--gbk") {
      gbk = true;
    } else if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      err << "examtext-cli: unknown option " << arg << "\n" << kUsage;
      return kCliUsage;
    } else {
      // Command-line paths are UTF-8; the pipeline's texts are GBK.
      pages.push_back(NameOf(arg));
    }
  }
  if (pages.empty()) {
    err << kUsage;
    return kCliUsage;
  }
  StreamBox box(out, gbk);
  int status = kCliOk;
  for (const PageName& page : pages) {
    status = std::max(status, LoadPage(page, box, err));
    if (!out.flush()) {
      err << "examtext-cli: the output could not be written\n";
      return kCliOutputFailed;
    }
  }
  return status;
}
