#include "record_encoding.hpp"

#include <boost/asio/ip/address_v4.hpp>
#include <cstring>
#include <stdexcept>

#include "os/charset_converter.hpp"

namespace rovev::sample {
namespace {

// The formats written out by hand, apart from the readers' own constants, so
// that an offset wrong on both sides cannot pass a test unseen.
constexpr std::string_view marker = "QZKTQZKTQZKTQZKTQZKTQZKT";
constexpr std::size_t slot = 24;

void put_slot(std::string& record, std::size_t offset, std::size_t width, std::string_view text) {
  const std::size_t length = std::min(text.size(), width - 1);
  record.replace(offset, length, text.substr(0, length));
}

void put_marker(std::string& record) {
  record.replace(record.size() - marker.size(), marker.size(), marker);
}

// In network order, as the platform reads the text (not as the tool does).
void put_ipv4(std::string& record, std::size_t offset, const std::string& text) {
  boost::system::error_code error;
  const auto address = boost::asio::ip::make_address_v4(text.c_str(), error);
  if (error) throw std::invalid_argument(text);
  const auto bytes = address.to_bytes();
  std::memcpy(record.data() + offset, bytes.data(), bytes.size());
}

void put_little_endian(std::string& record, std::size_t offset, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) record[offset + i] = static_cast<char>(bits >> (8 * i) & 0xFF);
}

}  // namespace

std::string encode_detection_record(const detection_fields& fields) {
  std::string record(192, '\0');
  put_slot(record, 0, slot, fields.lladdr);
  put_slot(record, 24, slot, fields.ipaddr);
  put_slot(record, 48, slot, fields.hostname);
  put_slot(record, 72, slot, fields.workgroup);
  put_slot(record, 96, slot, fields.detect_time);
  put_slot(record, 120, slot, fields.confirmed_time);
  put_marker(record);
  return record;
}

std::string encode_movement_record(const movement_fields& fields) {
  std::string record(240, '\0');
  put_slot(record, 0, slot, fields.lladdr);
  put_slot(record, 24, 48, fields.name);
  put_slot(record, 72, slot, fields.ipaddr);
  put_slot(record, 96, slot, fields.hostname);
  put_slot(record, 120, slot, fields.workgroup);
  put_slot(record, 144, slot, fields.source);
  put_slot(record, 168, slot, fields.destination);
  put_slot(record, 192, slot, fields.confirmed_time);
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
  charset_converter encoder("CP932", "UTF-8");
  std::string cp932;
  if (!encoder.convert(utf8, cp932)) throw std::runtime_error("not CP932 text");
  return cp932;
}

}  // namespace rovev::sample
