// Where the stand-in keeps its store: the folder the mail client's registry settings name.
#pragma once

#include <optional>
#include <string>

namespace quendrel::standin {

struct StoreFolder {
  std::string path;    // expanded, without a trailing "\"
  std::string origin;  // how it was chosen, for the status text
  std::string error;   // set when no usable folder could be made
};

// The folder given on the command line or in QUENDREL_STANDIN_STORE (the registry is then left
// alone); else "Store Root" under HKCU "Software\Microsoft\Outlook Express", expanded; else a new
// identity folder below %LOCALAPPDATA%, written back as "Store Root". The folder is created.
StoreFolder ResolveStoreFolder(const std::string& explicitFolder);

// Messages per Send/Receive from HKCU "Software\QuendrelStandIn" "receive", if set.
std::optional<unsigned long> ReadReceiveSetting();

}  // namespace quendrel::standin
