#include <gtest/gtest.h>

#include "tools/msimn/StandInOptions.h"

namespace quendrel::standin {
namespace {

TEST(StandInOptions, CommandLines) {
  struct Case {
    std::vector<std::string> args;
    bool ok;
    std::optional<uint32_t> receive;
    std::string store;
    bool help;
  };
  const Case cases[] = {
      {{}, true, std::nullopt, "", false},
      {{"--receive", "5", "--store", "C:\\mail"}, true, 5u, "C:\\mail", false},
      {{"--receive", "0"}, true, 0u, "", false},
      {{"--receive", "100000"}, true, 100000u, "", false},
      {{"/?"}, true, std::nullopt, "", true},
      {{"--receive"}, false, std::nullopt, "", false},
      {{"--receive", "-1"}, false, std::nullopt, "", false},
      {{"--receive", "100001"}, false, std::nullopt, "", false},
      {{"--receive", "12x"}, false, std::nullopt, "", false},
      {{"--receive", "99999999999999999999"}, false, std::nullopt, "", false},
      {{"--store"}, false, std::nullopt, "", false},
      {{"--store", ""}, false, std::nullopt, "", false},
      {{"--bogus"}, false, std::nullopt, "", false},
  };
  for (const Case& c : cases) {
    std::string joined;
    for (const auto& arg : c.args) joined += "[" + arg + "]";
    SCOPED_TRACE(joined);
    ParseResult result = ParseStandInOptions(c.args);
    EXPECT_EQ(result.error.empty(), c.ok) << result.error;
    if (!c.ok) continue;
    EXPECT_EQ(result.options.receive, c.receive);
    EXPECT_EQ(result.options.storeFolder, c.store);
    EXPECT_EQ(result.options.help, c.help);
  }
}

}  // namespace
}  // namespace quendrel::standin
