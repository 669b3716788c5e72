// Shell calls of the main window: the help file and the maker's addresses.
#pragma once

#include <windows.h>

#include <string>

namespace quendrel {

inline constexpr char kHelpFileName[] = "quendrelhelp.chm";
inline constexpr char kHomepage[] = "http://www.quendrel.example/";
inline constexpr char kSolutionsPage[] = "http://www.quendrel.example/solutions.htm";
inline constexpr char kSupportMail[] = "mailto:support@quendrel.example";
inline constexpr char kContactMail[] = "mailto:contact@quendrel.example";

// The program's folder (its full path up to and including the last "\") followed by the help file.
std::string HelpFilePath();
// The program's full path up to and including its last "\".
std::string HelpFilePathIn(const std::string& programPath);

// "open" with no parameters and no working folder; what the shell answers is not looked at.
void ShellOpen(HWND owner, const std::string& target);

}  // namespace quendrel
