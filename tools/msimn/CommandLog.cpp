#include "tools/msimn/CommandLog.h"

#include <cstdio>
#include <memory>

namespace quendrel::standin {

void CommandLog::Append(const std::string& line) const {
  if (path_.empty()) return;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path_.c_str(), "ab"), &std::fclose);
  if (!file) return;  // a log that cannot be written must not stop the client
  std::fputs((line + "\n").c_str(), file.get());
}

}  // namespace quendrel::standin
