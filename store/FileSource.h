// A byte source over a store file on disk.
#pragma once

#include <memory>
#include <string>

#include "store/ByteSource.h"

namespace quendrel {

// Opens FileName for reading only, without keeping the mail client from writing, renaming or
// deleting it meanwhile; the file closes when the source goes. Null when it cannot be opened.
std::unique_ptr<ByteSource> OpenFileSource(const std::string& FileName);

}  // namespace quendrel
