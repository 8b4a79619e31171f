#include "import/records/history_record.hpp"

#include <cstring>

namespace rovev {
namespace {

// The search for the next marker. The byte that breaks a partial match is
// not compared with the marker's first byte again, so a marker that begins
// at such a byte is missed and the record after it is lost. Damaged files
// have always been read so; comparing the byte again would bring back
// records that every earlier import of the same file dropped. Outside a
// partial match only the marker's first byte matters, so the bytes up to
// the next one are passed over in one search.
bool skip_past_marker(input_stream& bytes) {
  std::size_t matched = 0;
  for (std::string_view ahead; !(ahead = bytes.ahead()).empty();) {
    std::size_t at = 0;
    while (at < ahead.size()) {
      if (matched == 0) {
        const void* first = std::memchr(ahead.data() + at, record_marker[0], ahead.size() - at);
        if (first == nullptr) break;
        at = static_cast<std::size_t>(static_cast<const char*>(first) - ahead.data()) + 1;
        matched = 1;
      } else if (ahead[at++] != record_marker[matched]) {
        matched = 0;
      } else if (++matched == record_marker.size()) {
        bytes.take(at);
        return true;
      }
    }
    bytes.take(ahead.size());
  }
  return false;
}

}  // namespace

bool read_history_record(input_stream& bytes, char* buffer, std::size_t record_size, report& out) {
  const std::size_t marker_offset = record_size - record_marker.size();
  const auto size = static_cast<std::streamsize>(record_size);
  for (;;) {
    if (bytes.sgetn(buffer, size) != size) return false;
    if (std::memcmp(buffer + marker_offset, record_marker.data(), record_marker.size()) == 0) {
      return true;
    }
    out.err_error(messages::damaged_record);
    if (!skip_past_marker(bytes)) return false;
  }
}

std::string_view slot_text(const char* record, record_slot slot) {
  const char* text = record + slot.offset();
  return std::string_view(text, strnlen(text, slot.width()));
}

}  // namespace rovev
