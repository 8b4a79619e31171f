#pragma once

#include <algorithm>
#include <boost/filesystem/path.hpp>
#include <map>
#include <string>
#include <utility>

#include "base/input_files.hpp"

namespace rovev::testing {

// Bytes held in memory as an opened input, handed out at most chunk bytes
// at a time, as a file is read through a buffer.
class memory_stream final : public input_stream {
 public:
  explicit memory_stream(std::string bytes, std::size_t chunk = std::string::npos)
      : bytes_(std::move(bytes)), chunk_(chunk) {
    setg(bytes_.data(), bytes_.data(), bytes_.data());
  }
  bool read_failed() const override { return false; }

 protected:
  int_type underflow() override {
    const std::size_t at = static_cast<std::size_t>(egptr() - bytes_.data());
    if (at == bytes_.size()) return traits_type::eof();
    char* next = bytes_.data() + at;
    setg(next, next, next + std::min(chunk_, bytes_.size() - at));
    return traits_type::to_int_type(*next);
  }

 private:
  std::string bytes_;
  std::size_t chunk_;
};

// Input files held in memory, for an importer to read instead of the disk.
// A file that does not open still has its size.
class memory_files final : public input_files {
 public:
  void add(const boost::filesystem::path& file, std::string bytes, bool opens = true) {
    files_[file] = {std::move(bytes), opens};
  }

  std::optional<status> stat(const boost::filesystem::path& file) override {
    const auto found = files_.find(file);
    if (found == files_.end()) return std::nullopt;
    return status{kind::regular, found->second.bytes.size()};
  }

  std::unique_ptr<input_stream> open(const boost::filesystem::path& file) override {
    const auto found = files_.find(file);
    if (found == files_.end() || !found->second.opens) return nullptr;
    return std::make_unique<memory_stream>(found->second.bytes);
  }

 private:
  struct file {
    std::string bytes;
    bool opens;
  };
  std::map<boost::filesystem::path, file> files_;
};

}  // namespace rovev::testing
