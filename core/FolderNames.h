// Paths and names derived from the store folder and the folder keys (no Win32 needed).
#pragma once

#include <string>

#include "store/DbxFileName.h"  // StoreFolderPath, FileNamePart

namespace quendrel {

// The name an alert shows for a store file path: the part after the last "\" or ":", cut before its
// last "."; empty when that part has no dot.
std::string AlertFolderName(const std::string& path);

}  // namespace quendrel
