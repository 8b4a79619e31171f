#include <windows.h>

#include <utility>

#include "support/read_only.hpp"

namespace rovev::testing {

// Windows makes a file read-only by its attribute; a folder's attribute
// keeps nothing out of it, so none is made.
read_only::read_only(boost::filesystem::path path) : path_(std::move(path)) {
  const DWORD attributes = ::GetFileAttributesW(path_.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return;
  mode_ = attributes;
  if (::SetFileAttributesW(path_.c_str(), attributes | FILE_ATTRIBUTE_READONLY)) {
    how_ = how::permissions;
  }
}

read_only::~read_only() {
  if (how_ == how::permissions) ::SetFileAttributesW(path_.c_str(), mode_);
}

}  // namespace rovev::testing
