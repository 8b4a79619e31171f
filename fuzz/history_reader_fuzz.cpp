// Both history readers over arbitrary bytes, and the slots of every record
// they deliver: every delivered record carries its marker.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "import/records/history_record.hpp"

namespace {

struct silent_report final : rovev::report {
  void write(channel, std::string_view) override {}
};

template <std::size_t size>
void read_all(const std::string& bytes,
              bool (*reader)(std::istream&, char (&)[size], rovev::report&)) {
  std::istringstream stream(bytes);
  char record[size];
  silent_report out;
  while (reader(stream, record, out)) {
    if (std::memcmp(record + size - rovev::record_marker.size(), rovev::record_marker.data(),
                    rovev::record_marker.size()) != 0) {
      std::abort();
    }
    for (std::size_t offset = 0; offset + rovev::slot_width <= size; offset += rovev::slot_width) {
      if (rovev::slot_text(record, offset).size() > rovev::slot_width) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  read_all<rovev::detection_record_size>(bytes, rovev::read_detection_history_record);
  read_all<rovev::movement_record_size>(bytes, rovev::read_movement_history_record);
  return 0;
}
