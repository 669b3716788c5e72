// Identifiers that Windows carries back for us as 32-bit numbers.
#include <gtest/gtest.h>

#include "tray/IdTable.h"

namespace quendrel {
namespace {

TEST(IdTable, IdentifiersAreSmallDistinctAndNotReusedForNewcomers) {
  TIdTable<int> table;
  int a = 1, b = 2, c = 3;
  const auto idA = table.Add(&a);
  const auto idB = table.Add(&b);
  EXPECT_NE(idA, 0u);
  EXPECT_NE(idA, idB);
  EXPECT_EQ(table.Find(idA), &a);
  EXPECT_EQ(table.Find(idB), &b);

  table.Remove(idA);
  EXPECT_EQ(table.Find(idA), nullptr);  // a late message for a freed object finds nothing
  const auto idC = table.Add(&c);
  EXPECT_NE(idC, idA);
  EXPECT_EQ(table.Find(idA), nullptr);
  EXPECT_EQ(table.Count(), 2u);

  // What a 64-bit message parameter may carry beyond 32 bits is no identifier of ours.
  EXPECT_EQ(table.Find((std::uint64_t{1} << 32) | idB), nullptr);
  EXPECT_EQ(table.Find(0), nullptr);
}

}  // namespace
}  // namespace quendrel
