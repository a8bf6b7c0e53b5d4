#pragma once
// Where the pipeline tests find their pages, and reading one whole.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace test_files {

inline const std::filesystem::path kPages = std::filesystem::path(EXAMTEXT_TEST_DATA) / "pages";
inline const std::filesystem::path kSamples = std::filesystem::path(EXAMTEXT_TEST_DATA) / ".." / ".." / "samples";

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace test_files
