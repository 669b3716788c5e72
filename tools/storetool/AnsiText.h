// Converting the system's single-byte ANSI text, as store files hold it, to UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace quendrel::storetool {

std::string AnsiToUtf8(std::string_view ansi);

}  // namespace quendrel::storetool
