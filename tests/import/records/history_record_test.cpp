#include "import/records/history_record.hpp"

#include <gtest/gtest.h>

#include "record_encoding.hpp"
#include "support/collected_report.hpp"
#include "support/memory_files.hpp"

namespace rovev {
namespace {

// A detection record whose host name slot tells records apart.
std::string record(int number) {
  sample::detection_fields fields;
  fields.hostname = "record" + std::to_string(number);
  return sample::encode_detection_record(fields);
}

using Names = std::vector<std::string>;

struct read_outcome {
  Names hostnames;
  Names err;
};

read_outcome read_chunked(const std::string& bytes, std::size_t chunk) {
  testing::memory_stream stream(bytes, chunk);
  char buffer[detection_record_size];
  read_outcome outcome;
  testing::collected_report out;
  while (read_history_record(stream, buffer, sizeof buffer, out)) {
    outcome.hostnames.emplace_back(slot_text(buffer, detection_slot::hostname));
  }
  EXPECT_EQ(out.out, Names{});
  outcome.err = out.err;
  return outcome;
}

// The bytes read whole, and a few at a time, so that markers and records
// cross the ends of what the input has read ahead.
read_outcome read_all(const std::string& bytes) {
  const read_outcome whole = read_chunked(bytes, std::string::npos);
  for (const std::size_t chunk : {1, 5, 191}) {
    const read_outcome chunked = read_chunked(bytes, chunk);
    EXPECT_EQ(chunked.hostnames, whole.hostnames) << chunk;
    EXPECT_EQ(chunked.err, whole.err) << chunk;
  }
  return whole;
}

const Names rejected{"    [Error]: 無効なレコードです"};

TEST(history_record_reader, delivers_whole_valid_records_only) {
  EXPECT_EQ(read_all("").hostnames, Names{});
  const auto trailing = read_all(record(1) + record(2) + std::string(100, 'x'));
  EXPECT_EQ(trailing.hostnames, (Names{"record1", "record2"}));
  EXPECT_EQ(trailing.err, Names{});
  EXPECT_EQ(read_all(record(1) + record(2).substr(0, 191)).hostnames, Names{"record1"});
}

TEST(history_record_reader, a_damaged_marker_costs_the_next_record_too) {
  std::string damaged = record(2);
  damaged.back() = 'X';
  const auto outcome = read_all(record(1) + damaged + record(3) + record(4));
  EXPECT_EQ(outcome.hostnames, (Names{"record1", "record4"}));
  EXPECT_EQ(outcome.err, rejected);

  const auto last = read_all(record(1) + damaged);
  EXPECT_EQ(last.hostnames, Names{"record1"});
  EXPECT_EQ(last.err, rejected);
}

TEST(history_record_reader, a_short_record_shifts_the_search) {
  sample::movement_fields fields;
  std::string bytes;
  for (int i = 1; i <= 4; ++i) {
    fields.name = "move" + std::to_string(i);
    std::string one = sample::encode_movement_record(fields);
    if (i == 2) one.erase(100, 10);
    bytes += one;
  }
  testing::memory_stream stream(bytes);
  char buffer[movement_record_size];
  Names names;
  testing::collected_report out;
  while (read_history_record(stream, buffer, sizeof buffer, out))
    names.emplace_back(slot_text(buffer, movement_slot::name));
  EXPECT_EQ(out.err, rejected);
  EXPECT_EQ(names, (Names{"move1", "move4"}));
}

TEST(history_record_reader, a_broken_partial_match_is_not_compared_again) {
  std::string damaged = record(2);
  damaged.back() = 'X';
  // Six marker bytes, then a full marker that begins at the breaking byte:
  // the reset count swallows its first byte, so this marker is not seen.
  const std::string trap = std::string(record_marker.substr(0, 6)) + std::string(record_marker);
  const auto outcome = read_all(record(1) + damaged + trap + record(3) + record(4));
  // Had the breaking byte been compared again, record 3 would follow the trap.
  EXPECT_EQ(outcome.hostnames, (Names{"record1", "record4"}));
  EXPECT_EQ(outcome.err, rejected);
}

TEST(history_record_reader, line_end_and_eof_bytes_are_plain_data) {
  std::string one = record(1);
  one.replace(60, 4, "\r\n\x1a\n");   // after the host name's NUL
  one.replace(150, 4, "\x1a\r\n\r");  // in the slot that is not read
  const auto outcome = read_all(one + record(2));
  EXPECT_EQ(outcome.hostnames, (Names{"record1", "record2"}));
  EXPECT_EQ(outcome.err, Names{});
}

TEST(slot_text, ends_at_the_first_nul_or_the_slot) {
  const char slots[] =
      "abc\0def"
      "0123456789ABCDEFGHIJKLMN"
      "tail";
  EXPECT_EQ(slot_text(slots, record_slot(0).wide(7)), "abc");
  EXPECT_EQ(slot_text(slots, record_slot(4).wide(3)), "def");
  EXPECT_EQ(slot_text(slots, record_slot(7)), "0123456789ABCDEFGHIJKLMN");
  EXPECT_EQ(slot_text(slots, record_slot(3).wide(4)), "");
}

}  // namespace
}  // namespace rovev
