#pragma once

#include <cstddef>
#include <string_view>

#include "os/input_files.hpp"
#include "base/report.hpp"

namespace rovev {

// A history record is a row of fixed-width text slots closed by a 24-byte
// marker; a slot's text ends at its first NUL.
constexpr std::string_view record_marker = "QZKTQZKTQZKTQZKTQZKTQZKT";
constexpr std::size_t slot_width = 24;

// Where the slots of a detection record begin; 144 is not read.
namespace detection_slot {
constexpr std::size_t lladdr = 0;
constexpr std::size_t ipaddr = 24;
constexpr std::size_t hostname = 48;
constexpr std::size_t workgroup = 72;
constexpr std::size_t detect_time = 96;
constexpr std::size_t confirmed_time = 120;
}  // namespace detection_slot
constexpr std::size_t detection_record_size = 192;

// Where the slots of a movement record begin; the name is 48 bytes wide.
namespace movement_slot {
constexpr std::size_t lladdr = 0;
constexpr std::size_t name = 24;
constexpr std::size_t name_width = 48;
constexpr std::size_t ipaddr = 72;
constexpr std::size_t hostname = 96;
constexpr std::size_t workgroup = 120;
constexpr std::size_t source = 144;
constexpr std::size_t destination = 168;
constexpr std::size_t confirmed_table = 192;
}  // namespace movement_slot
constexpr std::size_t movement_record_size = 240;

// Reads the next record whose marker is intact into buffer. A damaged record
// is reported on the err channel and the stream is searched for the next
// marker, whose following byte starts the next record. False at the end of
// the stream (a short last fragment included) or on a read failure.
bool read_history_record(input_stream& bytes, char* buffer, std::size_t record_size, report& out);

// The text of a slot: its bytes up to the first NUL, or the whole slot when
// it holds none.
std::string_view slot_text(const char* record, std::size_t offset, std::size_t width = slot_width);

}  // namespace rovev
