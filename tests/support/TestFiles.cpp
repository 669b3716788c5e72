#include "tests/support/TestFiles.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace quendrel::test {

ScratchDir::ScratchDir(std::string_view hint) {
  static std::atomic<unsigned> serial{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  path_ = std::filesystem::temp_directory_path() /
          (std::string(hint) + "-" + std::to_string(stamp) + "-" + std::to_string(serial++));
  std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;  // a file still open elsewhere must not fail the test run
  std::filesystem::remove_all(path_, ignored);
}

std::string ScratchDir::File(std::string_view name) const { return (path_ / name).string(); }

std::string BuildFilePath(std::string_view unixPath) {
  std::string path(unixPath);
  if (path.empty() || path.front() != '/') return path;
  path.insert(0, "Z:");
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

}  // namespace quendrel::test
