#pragma once

#include <cstddef>
#include <istream>
#include <string_view>

namespace rovev {

// A history record is a row of fixed-width text slots closed by a 24-byte
// marker. Detection records are 192 bytes:
//   0 MAC, 24 IPv4, 48 host name, 72 work group, 96 detection time,
//   120 confirmation time, 144 (not read), 168 marker
// movement records 240 bytes:
//   0 MAC, 24 name (48 wide), 72 IPv4, 96 host name, 120 work group,
//   144 source appliance, 168 destination appliance, 192 time, 216 marker
constexpr std::string_view record_marker = "QZKTQZKTQZKTQZKTQZKTQZKT";
constexpr std::size_t detection_record_size = 192;
constexpr std::size_t movement_record_size = 240;
constexpr std::size_t slot_width = 24;

// Reads the next record whose marker is intact into buffer. A damaged record
// is reported on standard error and the stream is searched for the next
// marker, whose following byte starts the next record. False at the end of
// the stream (a short last fragment included) or on a read failure.
bool read_history_record(std::istream& stream, char* buffer, std::size_t record_size);

bool read_detection_history_record(std::istream& stream, char (&buffer)[detection_record_size]);
bool read_movement_history_record(std::istream& stream, char (&buffer)[movement_record_size]);

// The text of a slot: its bytes up to the first NUL, or the whole slot when
// it holds none.
std::string_view slot_text(const char* record, std::size_t offset, std::size_t width = slot_width);

}  // namespace rovev
