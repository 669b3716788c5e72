#include "toolkit/Registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "tests/support/PrivateRegistry.h"

namespace quendrel::toolkit {
namespace {

class RegistryTest : public testing::Test {
protected:
  void SetUp() override { test::ClearCurrentUser(); }

  // Stores a value behind the layer's back, as a hand edit would.
  static void SetRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Quendrel", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }
};

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const RegistryError& error) {
    return error.what();
  }
  return "(no error)";
}

TEST_F(RegistryTest, ValuesRoundTripWithTheirRegistryTypes) {
  Registry reg;
  ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Quendrel", true));
  reg.WriteBool("b", true);
  reg.WriteInteger("i", -1);
  reg.WriteString("s", "Gr\xFC\xDF" "e");
  reg.WriteDateTime("d", 46000.625);
  EXPECT_TRUE(reg.ReadBool("b"));
  EXPECT_EQ(reg.ReadInteger("i"), -1);
  EXPECT_EQ(reg.ReadString("s"), "Gr\xFC\xDF" "e");
  EXPECT_EQ(reg.ReadDateTime("d"), 46000.625);
  EXPECT_TRUE(reg.ValueExists("i"));
  EXPECT_FALSE(reg.ValueExists("missing"));

  // What other programs see: a DWORD 0xFFFFFFFF and 8 little-endian bytes.
  DWORD type = 0, dword = 0, size = sizeof dword;
  GetKeyValue(HKEY_CURRENT_USER, "SOFTWARE\\Quendrel", "i", &type, &dword, &size);
  EXPECT_EQ(type, DWORD{REG_DWORD});
  EXPECT_EQ(dword, 0xFFFFFFFFu);
  unsigned char bytes[16] = {};
  size = sizeof bytes;
  GetKeyValue(HKEY_CURRENT_USER, "SOFTWARE\\Quendrel", "d", &type, bytes, &size);
  EXPECT_EQ(type, DWORD{REG_BINARY});
  ASSERT_EQ(size, 8u);
  double expected = 46000.625;
  EXPECT_EQ(std::memcmp(bytes, &expected, 8), 0);
}

TEST_F(RegistryTest, FailuresNameTheValue) {
  const DWORD dword = 7;
  const char text[] = "1";
  const unsigned char shortBinary[4] = {1, 2, 3, 4};
  SetRaw("dword", REG_DWORD, &dword, sizeof dword);
  SetRaw("text", REG_SZ, text, sizeof text);
  SetRaw("short", REG_BINARY, shortBinary, sizeof shortBinary);

  Registry reg;
  ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Quendrel", false));
  struct Case {
    const char* what;
    std::function<void()> action;
    std::string expected;
  } cases[] = {
      {"missing bool", [&] { reg.ReadBool("checked"); }, "Failed to get data for 'checked'"},
      {"missing time", [&] { reg.ReadDateTime("mailtime"); }, "Failed to get data for 'mailtime'"},
      {"time stored as dword", [&] { reg.ReadDateTime("dword"); }, "Invalid data type for 'dword'"},
      {"time of 4 bytes", [&] { reg.ReadDateTime("short"); }, "Invalid data type for 'short'"},
      {"bool stored as text", [&] { reg.ReadBool("text"); }, "Invalid data type for 'text'"},
      {"text stored as dword", [&] { reg.ReadString("dword"); }, "Invalid data type for 'dword'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ErrorOf(c.action), c.expected);
  }
}

TEST_F(RegistryTest, MissingKeyOpensNothingAndLaterAccessFails) {
  Registry reg;
  EXPECT_FALSE(reg.OpenKey("\\SOFTWARE\\Quendrel\\A.dbx", false));
  EXPECT_FALSE(reg.HasOpenKey());
  EXPECT_EQ(ErrorOf([&] { reg.WriteBool("checked", true); }), "Failed to set data for 'checked'");
  EXPECT_EQ(ErrorOf([&] { reg.ReadString("mailreceived"); }), "Failed to get data for 'mailreceived'");
  EXPECT_FALSE(reg.ValueExists("checked"));
  // A failed open also closes the key opened before: nothing may be written into the wrong key.
  ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Quendrel", true));
  EXPECT_FALSE(reg.OpenKey("\\SOFTWARE\\Quendrel\\Gone.dbx", false));
  EXPECT_EQ(ErrorOf([&] { reg.WriteBool("checked", true); }), "Failed to set data for 'checked'");
  ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Quendrel", false));
  EXPECT_FALSE(reg.ValueExists("checked"));
}

TEST_F(RegistryTest, SubKeysAreListedAndDeletedWithTheirContents) {
  Registry reg;
  ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Quendrel", true));
  EXPECT_FALSE(reg.HasSubKeys());
  EXPECT_TRUE(reg.GetKeyNames().empty());
  for (const char* name : {"b.dbx", "A.dbx", "C.dbx\\deeper"}) {
    Registry sub;
    ASSERT_TRUE(sub.OpenKey(std::string("\\SOFTWARE\\Quendrel\\") + name, true));
    sub.WriteBool("checked", true);
  }
  // Relative paths go below the open key.
  ASSERT_TRUE(reg.OpenKey("\\SOFTWARE", false));
  ASSERT_TRUE(reg.OpenKey("Quendrel", false));
  EXPECT_TRUE(reg.HasSubKeys());
  EXPECT_EQ(reg.GetKeyNames(), (std::vector<std::string>{"A.dbx", "b.dbx", "C.dbx"}));

  EXPECT_TRUE(reg.DeleteKey("\\SOFTWARE\\Quendrel\\C.dbx"));
  EXPECT_FALSE(reg.DeleteKey("\\SOFTWARE\\Quendrel\\C.dbx"));
  EXPECT_TRUE(reg.DeleteKey("b.dbx"));
  EXPECT_EQ(reg.GetKeyNames(), std::vector<std::string>{"A.dbx"});
  // The program key itself is never deleted through an empty name.
  EXPECT_FALSE(reg.DeleteKey("\\"));
  EXPECT_TRUE(reg.HasSubKeys());
}

TEST_F(RegistryTest, KeyTreeDeleteEmptiesAKeyOrRemovesItWithEverythingBelow) {
  for (const char* name : {"A\\x\\y\\z", "A\\w", "B"}) {
    Registry sub;
    ASSERT_TRUE(sub.OpenKey(std::string("\\SOFTWARE\\Quendrel\\") + name, true));
    sub.WriteInteger("n", 1);
  }
  SetRaw("top", REG_DWORD, "\1\0\0\0", 4);
  EXPECT_EQ(DeleteKeyTree(HKEY_CURRENT_USER, "SOFTWARE\\Quendrel\\A"), ERROR_SUCCESS);
  EXPECT_EQ(DeleteKeyTree(HKEY_CURRENT_USER, "SOFTWARE\\Quendrel\\A"), ERROR_FILE_NOT_FOUND);
  Registry reg;
  ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Quendrel", false));
  EXPECT_EQ(reg.GetKeyNames(), std::vector<std::string>{"B"});
  EXPECT_TRUE(reg.ValueExists("top"));

  // An empty name empties the key given and keeps it.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Quendrel", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  EXPECT_EQ(DeleteKeyTree(key, ""), ERROR_SUCCESS);
  DWORD subKeys = 1, values = 1;
  EXPECT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr, nullptr,
                             nullptr, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(subKeys, 0u);
  EXPECT_EQ(values, 0u);
  EXPECT_TRUE(reg.OpenKey("\\SOFTWARE\\Quendrel", false));
}

TEST_F(RegistryTest, TextIsCutAtItsFirstZeroAndMayLackOne) {
  const char unterminated[3] = {'a', 'b', 'c'};
  const char embedded[6] = {'x', 'y', '\0', 'z', 'z', '\0'};
  SetRaw("raw", REG_SZ, unterminated, sizeof unterminated);
  SetRaw("embedded", REG_SZ, embedded, sizeof embedded);
  SetRaw("empty", REG_SZ, "", 0);
  Registry reg;
  ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Quendrel", false));
  EXPECT_EQ(reg.ReadString("raw"), "abc");
  EXPECT_EQ(reg.ReadString("embedded"), "xy");
  EXPECT_EQ(reg.ReadString("empty"), "");
  EXPECT_TRUE(reg.DeleteValue("raw"));
  EXPECT_FALSE(reg.DeleteValue("raw"));
}

}  // namespace
}  // namespace quendrel::toolkit
