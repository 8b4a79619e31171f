#pragma once

#include <exception>

namespace rovev {

// What every failure that SQLite reports is: its text comes from the fixed
// table of result codes, so the error is copied without allocating.
class database_failure : public std::exception {
 public:
  explicit database_failure(const char* message) noexcept : message_(message) {}

  const char* what() const noexcept override { return message_; }

 private:
  const char* message_;
};

}  // namespace rovev
