#pragma once

#include <algorithm>
#include <boost/filesystem/path.hpp>
#include <cerrno>
#include <iterator>
#include <map>
#include <string>
#include <utility>

#include "os/input_files.hpp"

namespace rovev::testing {

// Bytes held in memory as an opened input, handed out at most chunk bytes
// at a time, as a file is read through a buffer; a read that reaches
// fails_at fails there.
class memory_stream final : public input_stream {
 public:
  explicit memory_stream(std::string bytes, std::size_t chunk = std::string::npos,
                         std::size_t fails_at = std::string::npos)
      : bytes_(std::move(bytes)), chunk_(chunk), end_(std::min(fails_at, bytes_.size())) {
    setg(bytes_.data(), bytes_.data(), bytes_.data());
  }
  bool read_failed() const override { return failed_; }
  std::uintmax_t size() const override { return bytes_.size(); }

 protected:
  int_type underflow() override {
    const std::size_t at = static_cast<std::size_t>(egptr() - bytes_.data());
    if (at == end_) {
      failed_ = end_ < bytes_.size();
      return traits_type::eof();
    }
    char* next = bytes_.data() + at;
    deliver(next, next + std::min(chunk_, end_ - at));
    return traits_type::to_int_type(*next);
  }

 private:
  std::string bytes_;
  std::size_t chunk_;
  std::size_t end_;
  bool failed_ = false;
};

// Input files held in memory, for an importer to read instead of the disk;
// a folder is there when a file is below it. A file that does not open still
// has its size; a folder can be made to fail its listing, an entry its
// status, and an entry can be listed without its type, asking for which
// fails (as on a file system that gives no type in its listings).
class memory_files final : public input_files {
 public:
  void add(const boost::filesystem::path& file, std::string bytes, bool opens = true,
           std::size_t read_fails_at = std::string::npos) {
    files_[file] = {std::move(bytes), opens, read_fails_at, {}};
  }
  void fail_listing(const boost::filesystem::path& folder, int error) {
    unlistable_[folder] = error;
  }
  // A file, unless something is below it.
  void fail_status(const boost::filesystem::path& entry, int error) {
    if (!holds_below(entry)) files_[entry];
    unknown_[entry] = error;
  }
  void list_untyped(const boost::filesystem::path& entry, int error) {
    files_[entry];
    untyped_[entry] = error;
  }
  // A symbolic link: listed as no folder, followed by stat and open.
  void add_link(const boost::filesystem::path& link, const boost::filesystem::path& target) {
    files_[link].link_to = target;
  }

  std::optional<status> stat(const boost::filesystem::path& file) override {
    const boost::filesystem::path followed = follow(file);
    if (unknown_.count(followed) != 0 || untyped_.count(followed) != 0) return std::nullopt;
    const auto found = files_.find(followed);
    if (found != files_.end()) return status{kind::regular, found->second.bytes.size()};
    if (holds_below(followed)) return status{kind::folder, 0};
    return std::nullopt;
  }

  // Read through a buffer of the disk's size.
  std::unique_ptr<input_stream> open(const boost::filesystem::path& file) override {
    const boost::filesystem::path followed = follow(file);
    const auto found = files_.find(followed);
    if (found == files_.end() || !found->second.opens || unknown_.count(followed) != 0) {
      return nullptr;
    }
    return std::make_unique<memory_stream>(found->second.bytes, 64 * 1024,
                                           found->second.read_fails_at);
  }

  // The entries below the folder, in the order of their names. A name that
  // is a file, or below which there is nothing, fails as the disk fails it.
  listing list(const boost::filesystem::path& folder) override {
    listing listed;
    const auto fail = [&listed, &folder](int error) {
      listed.failure = file_system_failure{
          file_system_failure::operation::open_folder,
          boost::system::error_code(error, boost::system::generic_category()), folder};
      return listed;
    };
    if (const auto error = unlistable_.find(folder); error != unlistable_.end()) {
      return fail(error->second);
    }
    if (files_.count(folder) != 0) return fail(ENOTDIR);
    if (!holds_below(folder)) return fail(ENOENT);
    for (const auto& [file, held] : files_) {
      const boost::filesystem::path below = file.lexically_relative(folder);
      if (below.empty() || *below.begin() == ".." || *below.begin() == ".") continue;
      const boost::filesystem::path name = *below.begin();
      if (!listed.entries.empty() && listed.entries.back().name == name) continue;
      input_files::entry entry{name, std::next(below.begin()) != below.end(), {}};
      if (const auto error = untyped_.find(folder / name); error != untyped_.end()) {
        entry = {name, false,
                 boost::system::error_code(error->second, boost::system::generic_category())};
      }
      listed.entries.push_back(entry);
    }
    return listed;
  }

 private:
  // Whether a file lies below the folder, which makes it one.
  bool holds_below(const boost::filesystem::path& folder) const {
    return std::any_of(files_.begin(), files_.end(), [&folder](const auto& held) {
      const boost::filesystem::path below = held.first.lexically_relative(folder);
      return !below.empty() && *below.begin() != ".." && *below.begin() != ".";
    });
  }

  // What a name stands for, links followed; a loop, or a link to nothing,
  // stands for no file.
  boost::filesystem::path follow(boost::filesystem::path name) const {
    for (int links = 0; links < 8; ++links) {
      const auto found = files_.find(name);
      if (found == files_.end() || found->second.link_to.empty()) return name;
      name = found->second.link_to;
    }
    return {};
  }

  struct file {
    std::string bytes;
    bool opens = true;
    std::size_t read_fails_at = std::string::npos;
    boost::filesystem::path link_to;  // empty for no link
  };
  std::map<boost::filesystem::path, file> files_;
  std::map<boost::filesystem::path, int> unlistable_;
  std::map<boost::filesystem::path, int> unknown_;
  std::map<boost::filesystem::path, int> untyped_;
};

}  // namespace rovev::testing
