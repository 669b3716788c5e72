// Paths and names derived from the store folder and the folder keys (no Win32 needed).
#pragma once

#include <string>

namespace quendrel {

// The store folder with a "\" appended when missing; an empty root becomes "\" (the current drive's
// root folder), as the mail client's settings are used unchecked.
std::string StoreFolderPath(const std::string& storeRoot);

// The name an alert shows for a store file path: the part after the last "\" or ":", cut before its
// last "."; empty when that part has no dot.
std::string AlertFolderName(const std::string& path);

}  // namespace quendrel
