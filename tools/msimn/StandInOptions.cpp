#include "tools/msimn/StandInOptions.h"

#include <charconv>

namespace quendrel::standin {

namespace {

std::optional<uint32_t> ParseCount(const std::string& text) {
  uint32_t value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value > kMaxReceive) return std::nullopt;
  return value;
}

}  // namespace

ParseResult ParseStandInOptions(const std::vector<std::string>& args) {
  ParseResult result;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--help" || arg == "-h" || arg == "/?") {
      result.options.help = true;
    } else if (arg == "--regserver") {
      result.options.registerServer = true;
    } else if (arg == "--unregserver") {
      result.options.unregisterServer = true;
    } else if (arg == "-Embedding" || arg == "/Embedding") {
      result.options.embedding = true;
    } else if (arg == "--receive") {
      if (!hasValue) return {{}, "--receive needs a count"};
      auto count = ParseCount(args[++i]);
      if (!count) return {{}, "--receive needs a count from 0 to " + std::to_string(kMaxReceive)};
      result.options.receive = count;
    } else if (arg == "--store") {
      if (!hasValue || args[i + 1].empty()) return {{}, "--store needs a folder"};
      result.options.storeFolder = args[++i];
    } else {
      return {{}, "unknown option: " + arg};
    }
  }
  return result;
}

std::string HelpText() {
  return "msimn.exe - stand-in Outlook Express for testing Quendrel\n"
         "\n"
         "  --receive N   new messages per Send/Receive (0.." + std::to_string(kMaxReceive) +
         "; default: registry value\n"
         "                HKCU\\Software\\QuendrelStandIn \"receive\" (DWORD), else " +
         std::to_string(kDefaultReceive) + ")\n"
         "  --store DIR   keep the store in DIR (also: environment QUENDREL_STANDIN_STORE);\n"
         "                otherwise HKCU\\Software\\Microsoft\\Outlook Express \"Store Root\",\n"
         "                created below %LOCALAPPDATA% when missing\n"
         "  --regserver   register the folder-manager COM server (class and type library, HKLM)\n"
         "  --unregserver remove that registration\n"
         "  --help        this text\n"
         "\n"
         "Send/Receive: menu item or WM_COMMAND 40193. Each command and its lParam is appended to the\n"
         "file named by the environment variable QUENDREL_STANDIN_LOG, if set.\n"
         "A second start shows the running window and exits.\n"
         "While it runs it serves the mail store's folder manager (COM, running object) and tells\n"
         "subscribers OnNewMessage after each Send/Receive that stored mail.\n";
}

}  // namespace quendrel::standin
