// A strict little JSON checker for tool output: true when text is exactly one valid JSON value
// (whitespace around it allowed) and every string is valid UTF-8.
#pragma once

#include <string_view>

namespace quendrel::test {

bool IsValidJson(std::string_view text);

}  // namespace quendrel::test
