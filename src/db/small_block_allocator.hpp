#pragma once

#include <sqlite3.h>

#include <cstdint>

namespace rovev {

// SQLite's memory for a single-threaded program: blocks up to 4 KiB come
// from a free list per 16-byte size class, refilled from 64 KiB chunks;
// larger ones come from malloc. Debian's SQLite has no lookaside, so each
// statement it parses makes dozens of small allocations of a few sizes;
// served from the free lists, a detection import runs a fifth fewer
// instructions. The chunks are kept until SQLite shuts down, so memory is
// bounded by the most blocks of each class that SQLite ever holds at once.
const sqlite3_mem_methods& small_block_methods();

// How many small blocks the free lists have handed out in this process.
std::uint64_t small_blocks_served();

}  // namespace rovev
