// Entry point of every test executable. Tests that use the toolkit also get ErrorBox.cpp linked in,
// which turns an exception reaching the application's error box into a failure of the running test.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/PrivateRegistry.h"
#endif

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
#ifdef _WIN32
  // A run meant for an older Windows (QUENDREL_EXPECT_WINDOWS=major.minor, set for the runs in a Wine
  // prefix that reports XP x64) proves nothing unless the process is told that Windows.
  if (const char* expected = std::getenv("QUENDREL_EXPECT_WINDOWS")) {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    const std::string actual = std::to_string(version.dwMajorVersion) + "." + std::to_string(version.dwMinorVersion);
    if (actual != expected) {
      std::fprintf(stderr, "this run expects Windows %s, the system says %s\n", expected, actual.c_str());
      return 2;
    }
    std::printf("running where Windows says %s (build %lu)\n", actual.c_str(), version.dwBuildNumber);
  }
  // Everything below writes to HKEY_CURRENT_USER as the program would; this process gets its own.
  quendrel::test::PrivateCurrentUser privateHkcu;
#endif
  return RUN_ALL_TESTS();
}
