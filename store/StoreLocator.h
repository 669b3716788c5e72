// Finding the mail client's store folder.
#pragma once

#include <string>

namespace quendrel {

// The folder in which the mail client keeps its ".dbx" files for the current user, from its own
// registry settings, with environment references expanded; empty when none is configured. No
// trailing "\" is added. Asked afresh by every caller.
std::string GetStoreRoot();

}  // namespace quendrel
