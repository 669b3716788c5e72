// What a store file's name says about how it is read.
#pragma once

#include <string>
#include <string_view>

namespace quendrel {

// The name of the folder list file, compared byte for byte: "Folders.dbx" is not it.
inline constexpr std::string_view kFolderListName = "folders.dbx";

// The store folder with a "\" appended when missing; an empty root becomes "\" (the current
// drive's root folder), as the mail client's settings are used unchecked.
std::string StoreFolderPath(std::string_view StoreRoot);

// The name part of a path: the text after its last "\" or ":" (natively also "/").
std::string_view FileNamePart(std::string_view Path);

// True when the name part of FileName (after its last "\" or ":") is exactly "folders.dbx": such
// a file keeps its tree's root at header offset 48 instead of 228.
bool HasFolderListName(std::string_view FileName);

// True when FileName is exactly StoreRoot, a "\" when StoreRoot does not end in one, and
// "folders.dbx": only that file is decoded as folder records. (An empty StoreRoot thus names
// "\folders.dbx".)
bool IsFolderListFile(std::string_view FileName, std::string_view StoreRoot);

}  // namespace quendrel
