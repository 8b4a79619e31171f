#pragma once

#include <cstddef>
#include <string_view>

#include "base/report.hpp"
#include "os/input_files.hpp"

namespace rovev {

// A history record is a row of fixed-width text slots closed by a 24-byte
// marker; a slot's text ends at its first NUL.
constexpr std::string_view record_marker = "QZKTQZKTQZKTQZKTQZKTQZKT";
constexpr std::size_t slot_width = 24;

// A text slot of a record: where it begins and how many bytes it takes.
class record_slot {
 public:
  // The slot of the usual width that begins at offset.
  constexpr explicit record_slot(std::size_t offset) : offset_(offset) {}
  // The same slot, so many bytes wide.
  constexpr record_slot wide(std::size_t width) const {
    record_slot wider(offset_);
    wider.width_ = width;
    return wider;
  }

  constexpr std::size_t offset() const { return offset_; }
  constexpr std::size_t width() const { return width_; }

 private:
  std::size_t offset_;
  std::size_t width_ = slot_width;
};

// The slots of a detection record; 144 is not read.
struct detection_slot {
  static constexpr record_slot lladdr{0};
  static constexpr record_slot ipaddr{24};
  static constexpr record_slot hostname{48};
  static constexpr record_slot workgroup{72};
  static constexpr record_slot detect_time{96};
  static constexpr record_slot confirmed_time{120};
};
constexpr std::size_t detection_record_size = 192;

// The slots of a movement record; the name is 48 bytes wide.
struct movement_slot {
  static constexpr record_slot lladdr{0};
  static constexpr record_slot name = record_slot(24).wide(48);
  static constexpr record_slot ipaddr{72};
  static constexpr record_slot hostname{96};
  static constexpr record_slot workgroup{120};
  static constexpr record_slot source{144};
  static constexpr record_slot destination{168};
  static constexpr record_slot confirmed_table{192};
};
constexpr std::size_t movement_record_size = 240;

// Reads the next record whose marker is intact into buffer. A damaged record
// is reported on the err channel and the stream is searched for the next
// marker, whose following byte starts the next record. False at the end of
// the stream (a short last fragment included) or on a read failure.
bool read_history_record(input_stream& bytes, char* buffer, std::size_t record_size, report& out);

// The text of a slot: its bytes up to the first NUL, or the whole slot when
// it holds none.
std::string_view slot_text(const char* record, record_slot slot);

}  // namespace rovev
