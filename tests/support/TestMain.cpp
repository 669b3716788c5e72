// Entry point of every test executable. Tests that use the toolkit also get ErrorBox.cpp linked in,
// which turns an exception reaching the application's error box into a failure of the running test.
#include <gtest/gtest.h>

#ifdef _WIN32
#include "tests/support/PrivateRegistry.h"
#endif

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
#ifdef _WIN32
  // Everything below writes to HKEY_CURRENT_USER as the program would; this process gets its own.
  quendrel::test::PrivateCurrentUser privateHkcu;
#endif
  return RUN_ALL_TESTS();
}
