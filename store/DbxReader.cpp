#include "store/DbxReader.h"

#include <memory>

#include "store/DbxLoad.h"
#include "store/FileSource.h"
#include "store/StoreLocator.h"

namespace quendrel {

void LoadDbxItems(const std::string& FileName, DbxItemList* List) {
  if (List == nullptr) return;
  try {
    const std::unique_ptr<ByteSource> file = OpenFileSource(FileName);
    if (!file) return;
    LoadDbxItemsFrom(*file, FileName, GetStoreRoot, *List);
  } catch (...) {
    // Silent by design: a failed open or allocation leaves the list as it is.
  }
}

void VisitDbxItems(const std::string& FileName, DbxRecordVisitor& Visitor) {
  std::unique_ptr<ByteSource> file;
  try {
    file = OpenFileSource(FileName);
  } catch (...) {
    return;  // as a file that is not there
  }
  if (file) VisitDbxItemsFrom(*file, FileName, GetStoreRoot, Visitor);
}

}  // namespace quendrel
