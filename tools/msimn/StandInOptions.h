// Command line and settings of the stand-in mail client.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quendrel::standin {

// Upper bound of messages one Send/Receive delivers; keeps a mistyped count from filling the disk.
constexpr uint32_t kMaxReceive = 100000;
constexpr uint32_t kDefaultReceive = 1;

struct StandInOptions {
  std::optional<uint32_t> receive;  // messages per Send/Receive; unset: registry, else the default
  std::string storeFolder;          // empty: the mail client's registry settings decide
  bool help = false;
  bool registerServer = false;    // --regserver: the folder-manager class and type library into HKLM
  bool unregisterServer = false;  // --unregserver
  bool embedding = false;         // -Embedding: started by COM for the folder manager
};

struct ParseResult {
  StandInOptions options;
  std::string error;  // empty when the command line was understood
};

// Parses the arguments after the program name: --receive N, --store DIR, --help (also /? and -h),
// --regserver, --unregserver, and -Embedding (or /Embedding) that COM adds when it starts the server.
ParseResult ParseStandInOptions(const std::vector<std::string>& args);

// Text shown for --help and in the window.
std::string HelpText();

}  // namespace quendrel::standin
