#include "support/memory_files.hpp"

namespace rovev::testing {
namespace {

class memory_stream final : public input_stream {
 public:
  explicit memory_stream(std::string bytes) : bytes_(std::move(bytes)) {
    setg(bytes_.data(), bytes_.data(), bytes_.data() + bytes_.size());
  }
  bool read_failed() const override { return false; }

 private:
  std::string bytes_;
};

}  // namespace

void memory_files::add(const boost::filesystem::path& file, std::string bytes, bool opens) {
  files_[file] = {std::move(bytes), opens};
}

std::optional<input_files::status> memory_files::stat(const boost::filesystem::path& file) {
  const auto found = files_.find(file);
  if (found == files_.end()) return std::nullopt;
  return status{kind::regular, found->second.bytes.size()};
}

std::unique_ptr<input_stream> memory_files::open(const boost::filesystem::path& file) {
  const auto found = files_.find(file);
  if (found == files_.end() || !found->second.opens) return nullptr;
  return std::make_unique<memory_stream>(found->second.bytes);
}

}  // namespace rovev::testing
