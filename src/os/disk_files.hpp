#pragma once

#include "os/input_files.hpp"

namespace rovev {

// The file system's files. Only regular files are opened, and the open never
// waits: nothing blocks on a FIFO or reads a device.
class disk_files final : public input_files {
 public:
  std::optional<status> stat(const boost::filesystem::path& file) override;
  std::unique_ptr<input_stream> open(const boost::filesystem::path& file) override;
  listing list(const boost::filesystem::path& folder) override;
};

}  // namespace rovev
