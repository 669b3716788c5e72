// Scratch folders and files for tests.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quendrel::test {

// A fresh empty folder below the system's temporary folder, removed with everything in it when the
// object goes.
class ScratchDir {
public:
  explicit ScratchDir(std::string_view hint = "quendrel");
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // Path of a file in the folder, as the native narrow string (ANSI on Windows).
  std::string File(std::string_view name) const;

private:
  std::filesystem::path path_;
};

void WriteFile(const std::string& path, std::string_view bytes);
// The Windows path of a file the build made: the build knows its Unix path, and Wine's drive Z: is
// the Unix root. A path that is no Unix path comes back as it is.
std::string BuildFilePath(std::string_view unixPath);
std::string ReadFile(const std::string& path);

}  // namespace quendrel::test
