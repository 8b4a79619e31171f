#include "record_encoding.hpp"

#include <arpa/inet.h>
#include <iconv.h>

#include <cstring>
#include <stdexcept>
#include <vector>

#include "import/records/history_record.hpp"

namespace rovev::sample {
namespace {

void put_slot(std::string& record, std::size_t offset, std::size_t width, std::string_view text) {
  const std::size_t length = std::min(text.size(), width - 1);
  record.replace(offset, length, text.substr(0, length));
}

void put_marker(std::string& record) {
  record.replace(record.size() - record_marker.size(), record_marker.size(), record_marker);
}

void put_ipv4(std::string& record, std::size_t offset, const std::string& text) {
  in_addr address{};
  if (inet_pton(AF_INET, text.c_str(), &address) != 1) throw std::invalid_argument(text);
  std::memcpy(record.data() + offset, &address.s_addr, 4);
}

void put_little_endian(std::string& record, std::size_t offset, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) record[offset + i] = static_cast<char>(bits >> (8 * i) & 0xFF);
}

}  // namespace

std::string encode_detection_record(const detection_fields& fields) {
  std::string record(detection_record_size, '\0');
  put_slot(record, 0, slot_width, fields.lladdr);
  put_slot(record, 24, slot_width, fields.ipaddr);
  put_slot(record, 48, slot_width, fields.hostname);
  put_slot(record, 72, slot_width, fields.workgroup);
  put_slot(record, 96, slot_width, fields.detect_time);
  put_slot(record, 120, slot_width, fields.confirmed_time);
  put_marker(record);
  return record;
}

std::string encode_movement_record(const movement_fields& fields) {
  std::string record(movement_record_size, '\0');
  put_slot(record, 0, slot_width, fields.lladdr);
  put_slot(record, 24, 48, fields.name);
  put_slot(record, 72, slot_width, fields.ipaddr);
  put_slot(record, 96, slot_width, fields.hostname);
  put_slot(record, 120, slot_width, fields.workgroup);
  put_slot(record, 144, slot_width, fields.source);
  put_slot(record, 168, slot_width, fields.destination);
  put_slot(record, 192, slot_width, fields.confirmed_time);
  put_marker(record);
  return record;
}

std::string encode_host_record(const host_fields& fields) {
  std::string record(58, '\0');
  for (std::size_t i = 0; i < 6; ++i) record[i] = static_cast<char>(fields.lladdr[i]);
  put_ipv4(record, 6, fields.ipaddr);
  put_ipv4(record, 10, fields.netaddr);
  record.replace(14, std::min<std::size_t>(fields.name.size(), 33),
                 fields.name.substr(0, std::min<std::size_t>(fields.name.size(), 33)));
  put_little_endian(record, 47, fields.regist_time);
  put_little_endian(record, 51, fields.expire_time);
  record[55] = static_cast<char>(fields.flags);
  return record;
}

std::string to_cp932(std::string_view utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no CP932 converter");
  std::vector<char> buffer(utf8.size() * 2 + 8);
  char* in = const_cast<char*>(utf8.data());
  std::size_t in_left = utf8.size();
  char* out = buffer.data();
  std::size_t out_left = buffer.size();
  const std::size_t result = iconv(cd, &in, &in_left, &out, &out_left);
  iconv_close(cd);
  if (result == static_cast<std::size_t>(-1)) throw std::runtime_error("not CP932 text");
  return std::string(buffer.data(), out);
}

}  // namespace rovev::sample
