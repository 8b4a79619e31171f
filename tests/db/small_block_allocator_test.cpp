// The allocator keeps SQLite's contract: 8-byte alignment, the size of a
// live block as rounded, blocks that never overlap, and a reallocation
// that keeps the bytes, between size classes and malloc's blocks alike.
#include "db/small_block_allocator.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace rovev {
namespace {

struct block {
  void* at;
  int size;
  unsigned char fill;
};

bool holds(const block& each, int size) {
  const auto* bytes = static_cast<const unsigned char*>(each.at);
  return std::all_of(bytes, bytes + size, [&](unsigned char b) { return b == each.fill; });
}

TEST(small_block_allocator, keeps_sqlites_contract) {
  const sqlite3_mem_methods& memory = small_block_methods();
  std::vector<block> blocks;
  for (const int size : {1, 8, 15, 16, 17, 100, 2424, 4095, 4096, 4097, 100000}) {
    for (int copy = 0; copy < 3; ++copy) {
      block each{memory.xMalloc(size), size, static_cast<unsigned char>(blocks.size() + 1)};
      ASSERT_NE(each.at, nullptr);
      EXPECT_EQ(reinterpret_cast<std::uintptr_t>(each.at) % 8, 0u) << size;
      EXPECT_GE(memory.xRoundup(size), size);
      EXPECT_EQ(memory.xSize(each.at), memory.xRoundup(size)) << size;
      // The whole rounded size is the caller's.
      std::fill_n(static_cast<unsigned char*>(each.at), memory.xSize(each.at), each.fill);
      blocks.push_back(each);
    }
  }
  for (block& each : blocks) {
    ASSERT_TRUE(holds(each, each.size)) << "overwritten: a block of " << each.size;
    for (const int size : {each.size + 1, each.size * 3 + 5000, 8, each.size}) {
      each.at = memory.xRealloc(each.at, size);
      ASSERT_NE(each.at, nullptr);
      EXPECT_TRUE(holds(each, std::min(size, each.size))) << each.size << " to " << size;
      EXPECT_EQ(memory.xSize(each.at), memory.xRoundup(size));
      std::fill_n(static_cast<unsigned char*>(each.at), size, each.fill);
      each.size = size;
    }
  }
  // A block given back is the next one given out of its class.
  void* freed = blocks.front().at;
  memory.xFree(freed);
  EXPECT_EQ(memory.xMalloc(blocks.front().size), freed);
  for (const block& each : blocks) memory.xFree(each.at);
  memory.xFree(nullptr);
  EXPECT_EQ(memory.xSize(nullptr), 0);
}

}  // namespace
}  // namespace rovev
