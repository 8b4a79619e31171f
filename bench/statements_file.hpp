#pragma once

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

// The statements SQLite ran for one import, in order, each as its length
// (4 bytes, little-endian) and its text, so that a text may hold any byte.
namespace rovev::bench {

inline void write_statement(std::ofstream& file, const std::string& text) {
  const auto length = static_cast<std::uint32_t>(text.size());
  const char size[4] = {static_cast<char>(length), static_cast<char>(length >> 8),
                        static_cast<char>(length >> 16), static_cast<char>(length >> 24)};
  file.write(size, 4);
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
}

inline std::vector<std::string> read_statements(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path);
  std::vector<std::string> statements;
  unsigned char size[4];
  while (file.read(reinterpret_cast<char*>(size), 4)) {
    const std::uint32_t length =
        size[0] | size[1] << 8 | size[2] << 16 | std::uint32_t{size[3]} << 24;
    std::string text(length, '\0');
    if (!file.read(text.data(), length)) throw std::runtime_error("cut short: " + path);
    statements.push_back(std::move(text));
  }
  return statements;
}

}  // namespace rovev::bench
