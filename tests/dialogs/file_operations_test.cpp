// CommonDialog's file operations: the records they hand to the dialog
// functions and what they make of the answers.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <thread>

#include <unistd.h>

#include "dialogs/common_dialog.h"
#include "seam_helpers.h"

namespace {

using namespace std::string_literals;

const Text kTitle = "\xB4\xF2\xBF\xAA\xCA\xFD\xBE\xDD\xCE\xC4\xBC\xFE";  // 打开数据文件

struct FlagsCase {
  const char* name;
  std::function<void(const CommonDialog&)> call;
  DWORD flags;
  commdlg::DialogKind kind;
};

class Flags : public testing::TestWithParam<FlagsCase> {};

TEST_P(Flags, AreStartedAtExplorerPlusTheGivenOptions) {
  FileAnswer answer;
  GetParam().call(CommonDialog());
  ASSERT_EQ(answer.Seen().size(), 1u);
  EXPECT_EQ(answer.Last().record.Flags, GetParam().flags);
  EXPECT_EQ(answer.Last().kind, GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, Flags,
    testing::Values(
        FlagsCase{"OpenFileWithNothingGiven", [](const CommonDialog& d) { d.OpenFile(); }, 0x80000,
                  commdlg::DialogKind::Open},
        FlagsCase{"OpenFileWithAllFourOptions",
                  [](const CommonDialog& d) { d.OpenFile({}, {}, {}, {}, {}, {}, true, true, true, true); }, 0x83808,
                  commdlg::DialogKind::Open},
        FlagsCase{"OpenFileWithOptionsGivenFalse",
                  [](const CommonDialog& d) { d.OpenFile(false, {}, {}, {}, {}, {}, false, false, false, false); },
                  0x80000, commdlg::DialogKind::Open},
        FlagsCase{"OpenFileFileMustExistAlone",
                  [](const CommonDialog& d) { d.OpenFile({}, {}, {}, {}, {}, {}, {}, true); }, 0x81000,
                  commdlg::DialogKind::Open},
        FlagsCase{"OpenFileWithPreview", [](const CommonDialog& d) { d.OpenFile(true); }, 0x80000,
                  commdlg::DialogKind::OpenPreview},
        FlagsCase{"SaveFileOverwritePrompt",
                  [](const CommonDialog& d) { d.SaveFile({}, {}, {}, {}, {}, {}, true); }, 0x80002,
                  commdlg::DialogKind::Save},
        FlagsCase{"SaveFileOverwritePathNoChangeDir",
                  [](const CommonDialog& d) { d.SaveFile({}, {}, {}, {}, {}, {}, true, true, true); }, 0x8080A,
                  commdlg::DialogKind::Save},
        FlagsCase{"SaveFileWithPreview", [](const CommonDialog& d) { d.SaveFile(true); }, 0x80000,
                  commdlg::DialogKind::SavePreview},
        FlagsCase{"OpenFiles", [](const CommonDialog& d) { d.OpenFiles(); }, 0x80208, commdlg::DialogKind::Open},
        FlagsCase{"OpenFilesWithPreview", [](const CommonDialog& d) { d.OpenFiles(true); }, 0x80208,
                  commdlg::DialogKind::OpenPreview}),
    [](const testing::TestParamInfo<FlagsCase>& info) { return std::string(info.param.name); });

TEST(OpenFileRecord, AsTheLoadCallsItFromItsWorker) {
  FileAnswer answer({{"/home/u/page.htm"}});
  Text folder = "/opt/examtext";
  Text chosen;
  std::thread worker([&] { chosen = CommonDialog().OpenFile(std::nullopt, Text(kTitle), std::nullopt, std::nullopt, folder); });
  worker.join();

  EXPECT_EQ(chosen, "/home/u/page.htm");
  const SeenRecord& seen = answer.Last();
  EXPECT_EQ(seen.record.lStructSize, 76u);
  EXPECT_EQ(seen.record.hwndOwner, nullptr);  // a thread without windows
  EXPECT_EQ(seen.record.Flags, 0x80000u);
  EXPECT_EQ(seen.filter, "\0\0"s);
  EXPECT_EQ(seen.record.nMaxFile, 255u);
  EXPECT_EQ(seen.file, std::string(255, '\0'));  // an empty name box
  EXPECT_EQ(seen.title, kTitle);
  EXPECT_EQ(seen.initialDir, folder);
  EXPECT_EQ(seen.defaultExtension, std::nullopt);
  EXPECT_EQ(seen.record.nFilterIndex, 0u);
  EXPECT_EQ(seen.record.lpstrCustomFilter, nullptr);
}

TEST(OpenFileRecord, OmittedTextsStayNullWhileEmptyOnesArePassed) {
  FileAnswer answer;
  CommonDialog dialog;
  dialog.OpenFile();
  EXPECT_EQ(answer.Last().title, std::nullopt);
  EXPECT_EQ(answer.Last().initialDir, std::nullopt);
  EXPECT_EQ(answer.Last().defaultExtension, std::nullopt);
  // The own caption sits in the file-title member, with no room to be written.
  EXPECT_EQ(answer.Last().fileTitle, "Open a file");
  EXPECT_EQ(answer.Last().record.nMaxFileTitle, 0u);

  dialog.SaveFile({}, Text(), {}, {}, Text(), Text("txt"));
  EXPECT_EQ(answer.Last().title, "");
  EXPECT_EQ(answer.Last().initialDir, "");
  EXPECT_EQ(answer.Last().defaultExtension, "txt");
  EXPECT_EQ(answer.Last().fileTitle, "Save a file");
}

TEST(OpenFilesRecord, HasTheLargeBufferAndNoDefaultExtension) {
  FileAnswer answer;
  CommonDialog().OpenFiles({}, Text("t"), Text("A|*.a"), Text("/srv"));
  const SeenRecord& seen = answer.Last();
  EXPECT_EQ(seen.record.nMaxFile, 4096u);
  EXPECT_EQ(seen.file, std::string(4096, '\0'));
  EXPECT_EQ(seen.title, "t");
  EXPECT_EQ(seen.initialDir, "/srv");
  EXPECT_EQ(seen.filter, "A\0*.a\0\0"s);
  EXPECT_EQ(seen.defaultExtension, std::nullopt);
  EXPECT_EQ(seen.fileTitle, std::nullopt);
}

struct FilterCase {
  std::optional<Text> filter;
  std::string buffer;
};

class FilterBuffer : public testing::TestWithParam<FilterCase> {};

TEST_P(FilterBuffer, IsTheDoubleNulList) {
  FileAnswer answer;
  CommonDialog dialog;
  dialog.OpenFile({}, {}, {}, GetParam().filter);
  dialog.SaveFile({}, {}, {}, GetParam().filter);
  dialog.OpenFiles({}, {}, GetParam().filter);
  ASSERT_EQ(answer.Seen().size(), 3u);
  for (const SeenRecord& seen : answer.Seen()) EXPECT_EQ(seen.filter, GetParam().buffer);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, FilterBuffer,
    testing::Values(FilterCase{std::nullopt, "\0\0"s}, FilterCase{Text(), "\0\0"s},
                    FilterCase{Text("A|P"), "A\0P\0\0"s},
                    FilterCase{Text("Text|*.txt;*.log|All|*.*"), "Text\0*.txt;*.log\0All\0*.*\0\0"s},
                    // The second byte of a two-byte character is no "|".
                    FilterCase{Text("\x81\x7C|*.t"), "\x81\x7C\0*.t\0\0"s}));

TEST(DefaultFileName, IsCopiedIntoTheNameBoxWhenItFits) {
  FileAnswer answer;
  CommonDialog dialog;
  dialog.OpenFile({}, {}, Text("page.htm"));
  EXPECT_EQ(answer.Last().file, "page.htm" + std::string(255 - 8, '\0'));

  Text longest(254, 'n');
  dialog.SaveFile({}, {}, longest);
  EXPECT_EQ(answer.Last().file, longest + '\0');

  // One byte more would leave no room for the NUL: the box starts empty.
  dialog.SaveFile({}, {}, Text(255, 'n'));
  EXPECT_EQ(answer.Last().file, std::string(255, '\0'));
}

struct ResultCase {
  const char* name;
  std::optional<std::vector<Text>> answer;
  Text openFile;
  Text openFiles;
};

class Results : public testing::TestWithParam<ResultCase> {};

TEST_P(Results, AreTheChosenPaths) {
  FileAnswer answer(GetParam().answer);
  CommonDialog dialog;
  if (!GetParam().answer || GetParam().answer->size() == 1) {
    EXPECT_EQ(dialog.OpenFile({}, {}, {}, {}, {}, {}, {}, {}, {}, true), GetParam().openFile);
    EXPECT_EQ(dialog.SaveFile({}, {}, {}, {}, {}, {}, {}, {}, true), GetParam().openFile);
  }
  EXPECT_EQ(dialog.OpenFiles(), GetParam().openFiles);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, Results,
    testing::Values(
        ResultCase{"Cancel", std::nullopt, "", ""},
        ResultCase{"OneFile", std::vector<Text>{"/data/a.txt"}, "/data/a.txt", "/data/a.txt"},
        ResultCase{"ThreeInAFolder", std::vector<Text>{"/data/a.txt", "/data/b.txt", "/data/c.txt"}, "",
                   "/data/a.txt\r\n/data/b.txt\r\n/data/c.txt"},
        ResultCase{"TwoInTheRoot", std::vector<Text>{"/a.txt", "/b.txt"}, "", "/a.txt\r\n/b.txt"},
        ResultCase{"GbkNames", std::vector<Text>{"/\xCC\xE2/\xD6\xD0.txt", "/\xCC\xE2/\x81\x7C.txt"}, "",
                   "/\xCC\xE2/\xD6\xD0.txt\r\n/\xCC\xE2/\x81\x7C.txt"},
        // "|" is a legal character of a name here.
        ResultCase{"NameWithABar", std::vector<Text>{"/d/a|b.txt", "/d/c.txt"}, "", "/d/a|b.txt\r\n/d/c.txt"}),
    [](const testing::TestParamInfo<ResultCase>& info) { return std::string(info.param.name); });

TEST(BufferSize, AChoiceThatDoesNotFitWithItsNulFails) {
  CommonDialog dialog;
  Text fits = "/" + Text(253, 'f');  // 254 bytes and the NUL
  {
    FileAnswer answer({{fits}});
    EXPECT_EQ(dialog.OpenFile({}, {}, {}, {}, {}, {}, {}, {}, {}, true), fits);
  }
  {
    FileAnswer answer({{fits + "g"}});
    EXPECT_EQ(dialog.OpenFile({}, {}, {}, {}, {}, {}, {}, {}, {}, true), "");
    EXPECT_EQ(dialog.SaveFile({}, {}, {}, {}, {}, {}, {}, {}, true), "");
  }
  // Several: folder NUL, each name NUL, the closing NUL, in 4096 bytes.
  std::vector<Text> many;
  for (int i = 0; i < 16; ++i) many.push_back("/d/" + Text(250, static_cast<char>('a' + i)));
  // 2 + 1 + 16 * 251 + 1 = 4020 bytes fit; four more names do not.
  {
    FileAnswer answer(many);
    EXPECT_NE(dialog.OpenFiles(), "");
  }
  for (int i = 0; i < 4; ++i) many.push_back("/d/" + Text(250, static_cast<char>('q' + i)));
  {
    FileAnswer answer(many);
    EXPECT_EQ(dialog.OpenFiles(), "");
  }
}

// Keeps the process's current directory as it was.
class CurrentDirectory : public testing::Test {
 protected:
  void SetUp() override {
    original_ = std::filesystem::current_path();
    folder_ = std::filesystem::temp_directory_path() / ("examtext-cd-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    std::filesystem::current_path(original_);
    std::filesystem::remove_all(folder_);
  }
  Text ChosenFile() const { return (folder_ / "chosen.txt").string(); }

  std::filesystem::path original_;
  std::filesystem::path folder_;
};

TEST_F(CurrentDirectory, MovesToTheChosenFilesFolderWithoutNoChangeDir) {
  FileAnswer answer({{ChosenFile()}});
  EXPECT_EQ(CommonDialog().OpenFile(), ChosenFile());
  EXPECT_EQ(std::filesystem::current_path(), folder_);
}

TEST_F(CurrentDirectory, StaysWithNoChangeDir) {
  FileAnswer answer({{ChosenFile()}});
  CommonDialog dialog;
  EXPECT_EQ(dialog.OpenFile({}, {}, {}, {}, {}, {}, {}, {}, {}, true), ChosenFile());
  EXPECT_EQ(dialog.SaveFile({}, {}, {}, {}, {}, {}, {}, {}, true), ChosenFile());
  EXPECT_EQ(dialog.OpenFiles(), ChosenFile());  // it always asks for no change
  EXPECT_EQ(std::filesystem::current_path(), original_);
}

TEST_F(CurrentDirectory, StaysOnCancel) {
  FileAnswer answer;
  EXPECT_EQ(CommonDialog().SaveFile(), "");
  EXPECT_EQ(std::filesystem::current_path(), original_);
}

}  // namespace
