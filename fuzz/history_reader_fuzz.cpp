// Both history readers over arbitrary bytes, read whole and a few bytes at a
// time, against the byte-by-byte search the files have always been read
// with: the same records, each with its marker, and the same damaged ones.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "import/records/history_record.hpp"
#include "support/memory_files.hpp"

namespace {

struct counting_report final : rovev::report {
  void write(channel, std::string_view) override { ++lines; }
  std::size_t lines = 0;
};

struct outcome {
  std::vector<std::string> records;
  std::size_t damaged = 0;
  bool operator==(const outcome& other) const {
    return records == other.records && damaged == other.damaged;
  }
};

// The search as it was written first: byte by byte, the byte that breaks a
// partial match not compared again.
outcome read_bytewise(const std::string& bytes, std::size_t size) {
  const std::string_view marker = rovev::record_marker;
  outcome result;
  std::size_t at = 0;
  while (at + size <= bytes.size()) {
    const std::string record = bytes.substr(at, size);
    at += size;
    if (record.compare(size - marker.size(), marker.size(), marker) == 0) {
      result.records.push_back(record);
      continue;
    }
    ++result.damaged;
    std::size_t matched = 0;
    while (at < bytes.size() && matched < marker.size()) {
      matched = bytes[at++] == marker[matched] ? matched + 1 : 0;
    }
    if (matched < marker.size()) break;
  }
  return result;
}

outcome read_all(const std::string& bytes, std::size_t size, std::size_t chunk) {
  rovev::testing::memory_stream stream(bytes, chunk);
  std::vector<char> record(size);
  counting_report out;
  outcome result;
  while (rovev::read_history_record(stream, record.data(), size, out)) {
    result.records.emplace_back(record.data(), size);
  }
  result.damaged = out.lines;
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t chunk = data[0] % 64 + 1;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  for (const std::size_t record_size :
       {rovev::detection_record_size, rovev::movement_record_size}) {
    const outcome expected = read_bytewise(bytes, record_size);
    if (!(read_all(bytes, record_size, std::string::npos) == expected)) std::abort();
    if (!(read_all(bytes, record_size, chunk) == expected)) std::abort();
  }
  return 0;
}
