// The stand-in's record of what it was told to do, for tests that drive it from another process.
#pragma once

#include <string>

namespace quendrel::standin {

// Appends lines to one text file; a log with an empty path records nothing.
class CommandLog {
public:
  explicit CommandLog(std::string path) : path_(std::move(path)) {}

  // Opens, appends one line and closes, so a reader in another process sees each line at once.
  void Append(const std::string& line) const;

private:
  std::string path_;
};

}  // namespace quendrel::standin
