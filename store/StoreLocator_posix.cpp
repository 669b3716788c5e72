#include "store/StoreLocator.h"

namespace quendrel {

// Native builds have no mail client settings to ask: no store folder, so no file is read as the
// folder list.
std::string GetStoreRoot() {
  return {};
}

}  // namespace quendrel
