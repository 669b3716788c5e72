// Keeps one folder key per store file of the mail client, and the settings page's folder list.
#pragma once

#include "core/FolderList.h"
#include "core/Settings.h"
#include "toolkit/Registry.h"

namespace quendrel {

// Creates the missing settings of the set, then (while alwayscheck is on) drops folder keys whose
// store file is gone and adds an unticked key for every new "*.dbx" file except "Folders.dbx".
void UpdateFolderKeys(DefaultSet defaults);

// Rebuilds the list from the folder keys of the open program key, ticking the watched ones. Leaves
// it unchanged when alwayscheck is off or there are no folder keys.
void FillFolderList(toolkit::Registry& programKey, FolderList& list);

// A tick change in the folder list: writes the current item's state to its folder key's checked.
void skinCheckBoxClickCheck(const FolderList& list);

}  // namespace quendrel
