// The file dialog functions themselves: which records they take and how
// they write an answer back.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/window_thread.h"
#include "seam_helpers.h"

namespace {

using namespace std::string_literals;

struct Record {
  explicit Record(DWORD flags, DWORD size = 255) : file(size, '\0') {
    record.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    record.lpstrFile = file.data();
    record.nMaxFile = size;
    record.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | flags;
  }
  std::string Buffer() const { return std::string(file.data(), file.size()); }

  std::vector<char> file;
  OPENFILENAMEA record{};
};

TEST(FileFunctions, RefuseARecordOfAnotherSizeWithoutAsking) {
  FileAnswer answer({{"/a"}});
  Record bad(0);
  bad.record.lStructSize = 88;
  EXPECT_EQ(GetOpenFileNameA(&bad.record), FALSE);
  EXPECT_EQ(GetOpenFileNameA(nullptr), FALSE);
  Record noBuffer(0);
  noBuffer.record.lpstrFile = nullptr;
  EXPECT_EQ(GetSaveFileNameA(&noBuffer.record), FALSE);
  EXPECT_TRUE(answer.Seen().empty());
}

TEST(FileFunctions, EachReportsItsKind) {
  FileAnswer answer({{"/a"}});
  Record r(0);
  GetOpenFileNameA(&r.record);
  GetSaveFileNameA(&r.record);
  GetOpenFileNamePreview(&r.record);
  GetSaveFileNamePreviewA(&r.record);
  ASSERT_EQ(answer.Seen().size(), 4u);
  EXPECT_EQ(answer.Seen()[0].kind, commdlg::DialogKind::Open);
  EXPECT_EQ(answer.Seen()[1].kind, commdlg::DialogKind::Save);
  EXPECT_EQ(answer.Seen()[2].kind, commdlg::DialogKind::OpenPreview);
  EXPECT_EQ(answer.Seen()[3].kind, commdlg::DialogKind::SavePreview);
}

TEST(FileFunctions, OnePathWithItsNameAndExtensionOffsets) {
  FileAnswer answer({{"/srv/data/page.htm"}});
  Record r(0);
  char title[16] = {};
  r.record.lpstrFileTitle = title;
  r.record.nMaxFileTitle = sizeof title;
  ASSERT_EQ(GetOpenFileNameA(&r.record), TRUE);
  EXPECT_EQ(r.Buffer().substr(0, 19), "/srv/data/page.htm\0"s);
  EXPECT_EQ(r.record.nFileOffset, 10);
  EXPECT_EQ(r.record.nFileExtension, 15);
  EXPECT_STREQ(title, "page.htm");
}

TEST(FileFunctions, MultiSelectListsFolderThenNames) {
  FileAnswer answer({{"/d/a.txt", "/d/b.txt"}});
  Record r(OFN_ALLOWMULTISELECT, 64);
  ASSERT_EQ(GetOpenFileNameA(&r.record), TRUE);
  EXPECT_EQ(r.Buffer().substr(0, 17), "/d\0a.txt\0b.txt\0\0\0"s);  // the rest of the buffer stays zero
  EXPECT_EQ(r.record.nFileOffset, 3);
}

TEST(FileFunctions, MultiSelectWithOneFileGivesItsPathAndTwoNuls) {
  FileAnswer answer({{"/d/a.txt"}});
  Record r(OFN_ALLOWMULTISELECT, 10);  // exactly path, NUL, NUL
  ASSERT_EQ(GetOpenFileNameA(&r.record), TRUE);
  EXPECT_EQ(r.Buffer(), "/d/a.txt\0\0"s);
}

TEST(FileFunctions, RefuseAnswersNoDialogCouldGive) {
  struct Case {
    std::vector<Text> paths;
    DWORD flags;
  };
  const Case cases[] = {
      {{"/d/a", "/e/b"}, OFN_ALLOWMULTISELECT},  // a dialog lists one folder
      {{"/d/a", "/d/b"}, 0},                     // several without multi-select
      {{"/d/"}, 0},                              // no name
      {{"/d/a\0b"s}, 0},
  };
  for (const Case& c : cases) {
    FileAnswer answer(c.paths);
    Record r(c.flags);
    EXPECT_EQ(GetOpenFileNameA(&r.record), FALSE) << c.paths.front();
    EXPECT_EQ(r.Buffer(), std::string(255, '\0'));
  }
}

TEST(FileFunctions, SaveIgnoresMultiSelect) {
  FileAnswer answer({{"/d/a", "/d/b"}});
  Record r(OFN_ALLOWMULTISELECT);
  EXPECT_EQ(GetSaveFileNameA(&r.record), FALSE);
}

TEST(FileFunctions, FailWithoutAnAnswererAfterTheRuntimeEnded) {
  // No runtime to show the dialog: the function fails rather than hang.
  window_thread::Shutdown();
  Record r(0);
  EXPECT_EQ(GetOpenFileNameA(&r.record), FALSE);
  window_thread::Restart();
}

}  // namespace
