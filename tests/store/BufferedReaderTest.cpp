// The read-ahead window answers as direct reads of the source would.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "store/BufferedReader.h"
#include "store/MemorySource.h"

namespace quendrel::test {
namespace {

// Bytes that can grow or change between reads, and that record what they were asked for.
class ChangingSource : public ByteSource {
 public:
  std::string bytes;
  bool fail = false;
  size_t largestRead = 0;
  int reads = 0;

  std::optional<size_t> ReadAt(uint64_t offset, std::span<uint8_t> buffer) override {
    ++reads;
    largestRead = std::max(largestRead, buffer.size());
    if (fail) return std::nullopt;
    return MemorySource(bytes).ReadAt(offset, buffer);
  }
  std::optional<uint64_t> Length() override {
    if (fail) return std::nullopt;
    return bytes.size();
  }
};

std::string Pattern(size_t size) {
  std::string s(size, '\0');
  for (size_t i = 0; i < size; ++i) s[i] = static_cast<char>(i * 131 + i / 251);
  return s;
}

std::string View(std::span<const uint8_t> v) {
  return std::string(v.begin(), v.end());
}

TEST(BufferedReader, AnswersLikeDirectReads) {
  const std::string data = Pattern(3'000'000);
  MemorySource source(data);
  BufferedReader reader(source);
  std::mt19937 random(7);
  uint64_t offset = 0;
  for (int i = 0; i < 4000; ++i) {
    // Steps forward and back, sometimes jumps anywhere, also past the end; sizes up to 16 KiB; all within the
    // budget.
    const uint32_t kind = random() % 10;
    if (kind < 5) {
      offset += random() % 2000;
    } else if (kind < 7) {
      offset -= std::min<uint64_t>(offset, random() % 2000);  // backwards, as a walk unwinds
    } else {
      offset = random() % (data.size() + 5000);
    }
    const size_t size = kind == 9 ? random() % 16'384 : random() % 600;
    const auto got = reader.Read(offset, size);
    ASSERT_TRUE(got.has_value());
    const std::string expected = offset < data.size() ? data.substr(offset, size) : std::string();
    if (View(*got) != expected) {
      ADD_FAILURE() << "read " << size << " at " << offset;
      break;
    }
  }
}

TEST(BufferedReader, SeesTheFileGrowAndIsNotCutShortByItsWindow) {
  ChangingSource source;
  source.bytes = Pattern(1000);
  BufferedReader reader(source);
  ASSERT_EQ(reader.Read(990, 20)->size(), 10u);  // the data ends first
  source.bytes = Pattern(5000);                  // the mail client appends
  EXPECT_EQ(View(*reader.Read(990, 20)), Pattern(5000).substr(990, 20));
  EXPECT_EQ(View(*reader.Read(4000, 100)), Pattern(5000).substr(4000, 100));
}

TEST(BufferedReader, LargeRequestsAllocateNoMoreThanTheDataHolds) {
  ChangingSource source;
  source.bytes = Pattern(10'000);
  BufferedReader reader(source);
  const auto got = reader.Read(9000, 200'000'000);
  ASSERT_TRUE(got.has_value());
  EXPECT_EQ(got->size(), 1000u);
  EXPECT_LE(source.largestRead, 10'000u);
}

// A request larger than a window gets a buffer of its own, which keeps its bytes when the windows'
// shared memory comes later.
TEST(BufferedReader, ALargeRequestFirstThenWindowsAnswerRight) {
  ChangingSource source;
  source.bytes = Pattern(3'000'000);
  BufferedReader reader(source);
  ASSERT_EQ(View(*reader.Read(100, 2'000'000)), source.bytes.substr(100, 2'000'000));
  ASSERT_EQ(View(*reader.Read(2'500'000, 100)), source.bytes.substr(2'500'000, 100));
  const int reads = source.reads;
  EXPECT_EQ(View(*reader.Read(1'000'000, 5000)), source.bytes.substr(1'000'000, 5000));
  EXPECT_EQ(View(*reader.Read(2'500'050, 20)), source.bytes.substr(2'500'050, 20));
  EXPECT_EQ(source.reads, reads) << "both were inside what had been read";
}

TEST(BufferedReader, FailuresAndSpentBudgetGiveNothing) {
  ChangingSource source;
  source.bytes = Pattern(1000);
  source.fail = true;
  BufferedReader failing(source);
  EXPECT_FALSE(failing.Read(0, 10).has_value());

  source.fail = false;
  BufferedReader reader(source);
  const uint64_t budget = BufferedReader::kBudgetPerByte * 1000 + BufferedReader::kBudgetSlack;
  uint64_t requests = 0;
  while (reader.Read(0, 100).has_value() && requests < 1'000'000) ++requests;
  // The first request also paid for reading the source.
  EXPECT_EQ(requests, 1 + (budget - 100 - BufferedReader::kRequestCost - BufferedReader::kSourceReadCost) /
                              (100 + BufferedReader::kRequestCost));
  EXPECT_LE(source.reads, 2) << "repeated reads of one place come from the window";
}

}  // namespace
}  // namespace quendrel::test
