#include "db/small_block_allocator.hpp"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace rovev {
namespace {

// Every block is preceded by its usable size, which keeps blocks 8-byte
// aligned (as SQLite requires) and answers xSize; a size above
// largest_small marks a block of malloc's.
using block_header = std::uint64_t;
constexpr std::size_t granule = 16;
constexpr std::size_t largest_small = 4096;
constexpr std::size_t class_count = largest_small / granule;
constexpr std::size_t chunk_size = 64 * 1024;

struct free_block {
  free_block* next;
};

// A chunk begins with the link to the chunk carved before it.
struct chunk_link {
  chunk_link* previous;
};

std::size_t class_of(std::size_t size) { return size == 0 ? 0 : (size - 1) / granule; }

// SQLite's memory lives as long as the library, so the pool is one of the
// process: SQLite's methods take no argument to find it by. SQLite is set up
// single-threaded, so nothing guards it.
class block_pool {
 public:
  void* allocate(std::size_t size) {
    if (size > largest_small) {
      const std::size_t usable = rounded(size);
      auto* header = static_cast<block_header*>(std::malloc(sizeof(block_header) + usable));
      if (header == nullptr) return nullptr;
      *header = usable;
      return header + 1;
    }
    ++served_;
    const std::size_t size_class = class_of(size);
    if (free_block* block = free_[size_class]) {
      free_[size_class] = block->next;
      return block;
    }
    return carve(size_class);
  }

  void release(void* block) {
    if (block == nullptr) return;
    block_header* header = static_cast<block_header*>(block) - 1;
    if (*header > largest_small) {
      std::free(header);
      return;
    }
    auto* freed = static_cast<free_block*>(block);
    const std::size_t size_class = class_of(*header);
    freed->next = free_[size_class];
    free_[size_class] = freed;
  }

  void* reallocate(void* block, std::size_t size) {
    if (block == nullptr) return allocate(size);
    const std::size_t held = usable_size(block);
    if (rounded(size) == held) return block;
    if (held > largest_small && size > largest_small) {
      const std::size_t usable = rounded(size);
      auto* header = static_cast<block_header*>(
          std::realloc(static_cast<block_header*>(block) - 1, sizeof(block_header) + usable));
      if (header == nullptr) return nullptr;
      *header = usable;
      return header + 1;
    }
    void* moved = allocate(size);
    if (moved == nullptr) return nullptr;
    std::memcpy(moved, block, held < size ? held : size);
    release(block);
    return moved;
  }

  static std::size_t usable_size(const void* block) {
    return block == nullptr ? 0
                            : static_cast<std::size_t>(static_cast<const block_header*>(block)[-1]);
  }

  static std::size_t rounded(std::size_t size) {
    if (size > largest_small) return (size + 7) & ~std::size_t{7};
    return (class_of(size) + 1) * granule;
  }

  std::uint64_t served() const { return served_; }

  // Gives every chunk back; the pool starts empty again.
  void clear() {
    while (chunks_ != nullptr) {
      chunk_link* previous = chunks_->previous;
      std::free(chunks_);
      chunks_ = previous;
    }
    for (free_block*& list : free_) list = nullptr;
    next_ = end_ = nullptr;
  }

 private:
  // A new block of the class from the current chunk; what is left of a
  // chunk too small for it is not used.
  void* carve(std::size_t size_class) {
    const std::size_t size = (size_class + 1) * granule;
    const std::size_t stride = sizeof(block_header) + size;
    if (static_cast<std::size_t>(end_ - next_) < stride) {
      auto* chunk = static_cast<chunk_link*>(std::malloc(chunk_size));
      if (chunk == nullptr) return nullptr;
      chunk->previous = chunks_;
      chunks_ = chunk;
      next_ = reinterpret_cast<char*>(chunk) + sizeof(chunk_link);
      end_ = reinterpret_cast<char*>(chunk) + chunk_size;
    }
    auto* header = reinterpret_cast<block_header*>(next_);
    next_ += stride;
    *header = size;
    return header + 1;
  }

  free_block* free_[class_count] = {};
  chunk_link* chunks_ = nullptr;
  char* next_ = nullptr;  // the unused rest of the newest chunk
  char* end_ = nullptr;
  std::uint64_t served_ = 0;
};

block_pool pool;

// SQLite passes only positive sizes; anything else is taken as the least.
std::size_t size_of(int size) { return size > 0 ? static_cast<std::size_t>(size) : 1; }

}  // namespace

std::uint64_t small_blocks_served() { return pool.served(); }

const sqlite3_mem_methods& small_block_methods() {
  static const sqlite3_mem_methods methods{
      [](int size) { return pool.allocate(size_of(size)); },
      [](void* block) { pool.release(block); },
      [](void* block, int size) { return pool.reallocate(block, size_of(size)); },
      [](void* block) { return static_cast<int>(block_pool::usable_size(block)); },
      [](int size) { return static_cast<int>(block_pool::rounded(size_of(size))); },
      [](void*) { return SQLITE_OK; },
      [](void*) { pool.clear(); },
      nullptr,
  };
  return methods;
}

}  // namespace rovev
