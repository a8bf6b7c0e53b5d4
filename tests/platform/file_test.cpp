#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/codepage.h"
#include "platform/file.h"

namespace {

namespace fs = std::filesystem;

class FileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("examtext_file_test_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Writes bytes to a file named by a UTF-8 name; returns its path as GBK.
  Text Write(const std::string& utf8Name, const std::string& bytes) {
    const fs::path path = dir_ / utf8Name;
    std::ofstream(path, std::ios::binary) << bytes;
    return Utf16ToGbk(Utf8ToUtf16(path.string()));
  }

  fs::path dir_;
};

std::size_t OpenDescriptors() {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) ++n;
  return n;
}

const std::string kBytes = std::string("line\r\n\0\x1A\xD6\xD0\r\n", 11) + "\n";

TEST_F(FileTest, ReadsEveryByteUnchanged) {
  EXPECT_EQ(ReadWholeFile(Write("page.html", kBytes)), kBytes);
}

TEST_F(FileTest, GbkPathNamesTheUtf8File) {
  const Text gbkPath = Write("\xE8\xAF\x95\xE9\xA2\x98.html", kBytes);  // 试题.html
  ASSERT_NE(gbkPath.find("\xCA\xD4\xCC\xE2"), std::string::npos) << "path arrives as GBK";
  EXPECT_EQ(ReadWholeFile(gbkPath), kBytes);
}

TEST_F(FileTest, MissingEmptyOrDirectoryGivesEmpty) {
  EXPECT_EQ(ReadWholeFile(Text(dir_.string()) + "/missing"), "");
  EXPECT_EQ(ReadWholeFile(Write("empty", "")), "");
  EXPECT_EQ(ReadWholeFile(dir_.string()), "");
  EXPECT_EQ(ReadWholeFile(""), "");
  ReadOnlyFile file;
  EXPECT_FALSE(file.Open(dir_.string()));
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(file.ReadAll(), "");
}

TEST_F(FileTest, LargeFileReadWhole) {
  std::string big(300000, 'x');
  for (std::size_t i = 0; i < big.size(); i += 7) big[i] = static_cast<char>(i);
  EXPECT_EQ(ReadWholeFile(Write("big", big)), big);
}

TEST_F(FileTest, HandleReadsFromStartEveryTimeAndLetsOthersWrite) {
  const Text path = Write("shared", "first");
  ReadOnlyFile file(path);
  ASSERT_TRUE(file.IsOpen());
  EXPECT_EQ(file.ReadAll(), "first");
  EXPECT_EQ(file.ReadAll(), "first");
  // While it is open, others may write the file and read it by its path.
  std::ofstream(dir_ / "shared", std::ios::binary | std::ios::app) << "+more";
  EXPECT_EQ(ReadWholeFile(path), "first+more");
  EXPECT_EQ(file.ReadAll(), "first+more");
  file.Close();
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(file.ReadAll(), "");
  file.Close();  // closing twice is harmless
}

TEST_F(FileTest, HandlesCloseOnDestructionAndAfterReads) {
  const Text path = Write("counted", "x");
  const std::size_t before = OpenDescriptors();
  {
    ReadOnlyFile file(path);
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(OpenDescriptors(), before + 1);
  }
  EXPECT_EQ(OpenDescriptors(), before);
  for (int i = 0; i < 3; ++i) ReadWholeFile(path);
  EXPECT_EQ(OpenDescriptors(), before);
}

TEST_F(FileTest, MovedHandleOwnsTheFile) {
  ReadOnlyFile a(Write("moved", "data"));
  ReadOnlyFile b(std::move(a));
  EXPECT_FALSE(a.IsOpen());  // NOLINT(bugprone-use-after-move): moved-from state is specified
  EXPECT_EQ(b.ReadAll(), "data");
  ReadOnlyFile c;
  c = std::move(b);
  EXPECT_EQ(c.ReadAll(), "data");
  EXPECT_TRUE(c.Open(Write("other", "next")));
  EXPECT_EQ(c.ReadAll(), "next");
}

}  // namespace
