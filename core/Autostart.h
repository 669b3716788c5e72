// The logon autostart entry: value "Quendrel" under the current user's Run key.
#pragma once

#include <string>

namespace quendrel {

inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kAutostartValue[] = "Quendrel";

// Writes the program's own full path in double quotes. The Run key is opened, never created; without
// it the write fails with "Failed to set data for 'Quendrel'".
void AddAutostartEntry();
// Removes the value; nothing happens when it or the Run key is missing.
void DeleteAutostartEntry();

// The text the entry holds: a quote, the running program's full path, a quote.
std::string AutostartCommand();

}  // namespace quendrel
