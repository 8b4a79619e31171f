#include "import/records/history_record.hpp"

#include <cstring>

namespace rovev {
namespace {

// Byte-wise search for the marker. The byte that breaks a partial match is
// not compared with the marker's first byte again, so a marker that begins
// at such a byte is missed and the record after it is lost. Damaged files
// have always been read so; comparing the byte again would bring back
// records that every earlier import of the same file dropped.
bool skip_past_marker(std::istream& stream) {
  std::size_t matched = 0;
  char byte;
  while (stream.get(byte)) {
    if (byte == record_marker[matched]) {
      if (++matched == record_marker.size()) return true;
    } else {
      matched = 0;
    }
  }
  return false;
}

}  // namespace

bool read_history_record(std::istream& stream, char* buffer, std::size_t record_size, report& out) {
  const std::size_t marker_offset = record_size - record_marker.size();
  for (;;) {
    if (!stream.read(buffer, static_cast<std::streamsize>(record_size))) return false;
    if (std::memcmp(buffer + marker_offset, record_marker.data(), record_marker.size()) == 0) {
      return true;
    }
    out.err_error(messages::damaged_record);
    if (!skip_past_marker(stream)) return false;
  }
}

bool read_detection_history_record(std::istream& stream, char (&buffer)[detection_record_size],
                                   report& out) {
  return read_history_record(stream, buffer, detection_record_size, out);
}

bool read_movement_history_record(std::istream& stream, char (&buffer)[movement_record_size],
                                  report& out) {
  return read_history_record(stream, buffer, movement_record_size, out);
}

std::string_view slot_text(const char* record, std::size_t offset, std::size_t width) {
  const char* slot = record + offset;
  return std::string_view(slot, strnlen(slot, width));
}

}  // namespace rovev
