// An exception that reaches the application's error box fails the running test unless the test
// captures it or lets the real box come up.
#include "tests/support/ErrorBox.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <stdexcept>

namespace quendrel::test {
namespace {

void RaiseInTheErrorBox(const char* text) {
  toolkit::Application.HandleException(std::make_exception_ptr(std::runtime_error(text)));
}

TEST(ErrorBox, AnExceptionThatReachesItFailsTheTest) {
  EXPECT_NONFATAL_FAILURE(RaiseInTheErrorBox("Failed to get data for 'checked'"),
                          "error box: Failed to get data for 'checked'");
}

TEST(ErrorBox, CapturedForAScopeThenFailingAgain) {
  {
    CapturedErrors errors;
    RaiseInTheErrorBox("first");
    {
      CapturedErrors inner;
      RaiseInTheErrorBox("second");
      EXPECT_EQ(inner.Texts(), std::vector<std::string>{"second"});
    }
    RaiseInTheErrorBox("third");
    EXPECT_EQ(errors.Texts(), (std::vector<std::string>{"first", "third"}));
  }
  EXPECT_NONFATAL_FAILURE(RaiseInTheErrorBox("after"), "after");
}

TEST(ErrorBox, TheRealBoxWhenATestAsksForIt) {
  {
    AllowErrorBox box;
    EXPECT_EQ(AnswerMessageBox([] { RaiseInTheErrorBox("Invalid data type for 'mailtime'"); }),
              "Invalid data type for 'mailtime'");
  }
  EXPECT_NONFATAL_FAILURE(RaiseInTheErrorBox("after"), "after");
}

// A test that clears the handler leaves the next test guarded all the same.
TEST(ErrorBox, ClearedByATest) { toolkit::Application.OnException = nullptr; }
TEST(ErrorBox, GuardedAgainInTheNextTest) { EXPECT_NONFATAL_FAILURE(RaiseInTheErrorBox("next"), "next"); }

}  // namespace
}  // namespace quendrel::test
