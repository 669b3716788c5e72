// quendrel-dbxgen: writes ".dbx" store files for demos, benchmarks and hand-made test cases.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tools/dbxgen/MessageList.h"
#include "tools/dbxgen/SampleMail.h"
#include "tools/dbxwriter/DbxWriter.h"

namespace {

using namespace quendrel::dbx;

constexpr const char* kUsage =
    "usage: quendrel-dbxgen --demo DIR\n"
    "       quendrel-dbxgen --messages N [--unread K] [--seed S] FILE.dbx\n"
    "       quendrel-dbxgen --append N [--seed S] FILE.dbx\n"
    "       quendrel-dbxgen --from LIST.txt FILE.dbx\n"
    "\n"
    "  --demo DIR      write a demo store into DIR (created if missing): Inbox.dbx with read and\n"
    "                  unread mail, Outbox.dbx, Sent Items.dbx, Deleted Items.dbx, Folders.dbx\n"
    "  --messages N    write FILE.dbx with N generated messages, the newest K unread (default 0)\n"
    "  --append N      add N generated unread messages to FILE.dbx (created if missing), the way\n"
    "                  the mail client receives mail\n"
    "  --seed S        generated senders, subjects and times depend on S only (default 1)\n"
    "  --from LIST.txt write FILE.dbx from a description, one message per line, fields separated\n"
    "                  by tabs: read|unread, received time YYYY-MM-DD HH:MM:SS (UTC), sender name,\n"
    "                  sender address, subject. Empty lines and lines starting with # are skipped.\n";

int Fail(const std::string& message) {
  std::fprintf(stderr, "quendrel-dbxgen: %s\n", message.c_str());
  return 1;
}

std::optional<long long> Number(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const long long value = std::strtoll(text.c_str(), &end, 10);
  if (*end != '\0' || value < 0) return std::nullopt;
  return value;
}

int FromDescription(const std::string& listPath, const std::string& target) {
  std::ifstream in(listPath, std::ios::binary);
  if (!in) return Fail("cannot read " + listPath);
  std::stringstream text;
  text << in.rdbuf();
  const MessageList list = ParseMessageList(text.str());
  if (list.badLine != 0) return Fail(listPath + ":" + std::to_string(list.badLine) + ": not a message line");
  return WriteMessageFile(target, list.messages) ? 0 : Fail("cannot write " + target);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Fail("no command given (see --help)");
  if (args[0] == "--help" || args[0] == "-h") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (args[0] == "--demo") {
    if (args.size() != 2) return Fail("--demo takes one folder");
    std::error_code error;
    std::filesystem::create_directories(args[1], error);
    return WriteDemoStore(args[1]) ? 0 : Fail("cannot write the demo store into " + args[1]);
  }
  if (args[0] == "--from") {
    if (args.size() != 3) return Fail("--from takes a description file and a store file");
    return FromDescription(args[1], args[2]);
  }
  if (args[0] != "--messages" && args[0] != "--append") return Fail("unknown option " + args[0] + " (see --help)");

  SampleOptions sample;
  std::string target;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--messages" || arg == "--append" || arg == "--unread" || arg == "--seed") {
      const std::optional<long long> value = i + 1 < args.size() ? Number(args[i + 1]) : std::nullopt;
      if (!value || (arg != "--seed" && *value > 10'000'000)) return Fail(arg + " needs a number");
      ++i;
      if (arg == "--seed")
        sample.seed = static_cast<uint64_t>(*value);
      else if (arg == "--unread")
        sample.unread = static_cast<int>(*value);
      else
        sample.count = static_cast<int>(*value);
    } else if (target.empty() && arg.rfind("--", 0) != 0) {
      target = arg;
    } else {
      return Fail("unexpected argument " + arg + " (see --help)");
    }
  }
  if (target.empty()) return Fail("no store file given");

  if (args[0] == "--append") {
    sample.unread = sample.count;
    sample.firstIndex = 0;
    // Appended mail arrives now, a second apart, so that each append is news to a watcher.
    std::vector<MessageSpec> messages = SampleMessages(sample);
    const uint64_t now = FileTimeFromUtc(1970, 1, 1, 0, 0, 0) +
                         static_cast<uint64_t>(std::time(nullptr)) * 10'000'000ull;
    for (size_t i = 0; i < messages.size(); ++i) {
      messages[i].receivedTime = now + i * 10'000'000ull;
      messages[i].sentTime = messages[i].receivedTime - 300 * 10'000'000ull;
    }
    return AppendMessages(target, messages) ? 0 : Fail("cannot append to " + target);
  }
  if (sample.unread > sample.count) return Fail("--unread exceeds --messages");
  return WriteMessageFile(target, SampleMessages(sample)) ? 0 : Fail("cannot write " + target);
}
