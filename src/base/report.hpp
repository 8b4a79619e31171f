#pragma once

#include <boost/format.hpp>
#include <string>
#include <string_view>

#include "base/messages.hpp"

namespace rovev {

// Where every layer that speaks sends its lines. Progress, finish and error
// lines take the out channel; the history readers' damaged-record lines and
// the missing-folder message take the err channel. A line is a template of
// the message catalogue filled printf-style; the template may be converted
// for the output, its arguments (paths, error texts, numbers) are written
// as their bytes.
class report {
 public:
  enum class channel { out, err };

  virtual ~report() = default;

  template <class... Args>
  void out(std::string_view message, const Args&... args) {
    line(channel::out, message, args...);
  }

  // An error line ("    [Error]: " and the message) on the out channel.
  template <class... Args>
  void error(std::string_view message, const Args&... args) {
    line(channel::out, messages::error_line(message), args...);
  }

  template <class... Args>
  void err(std::string_view message, const Args&... args) {
    line(channel::err, message, args...);
  }

  // Bytes as they are, line ends included.
  virtual void write(channel where, std::string_view bytes) = 0;

 protected:
  // The template as the output wants it; UTF-8 as stored unless overridden.
  virtual std::string localize(std::string_view utf8_template) {
    return std::string(utf8_template);
  }

 private:
  template <class... Args>
  void line(channel where, std::string_view message, const Args&... args) {
    boost::format text(localize(message));
    (void)(text % ... % args);
    std::string bytes = text.str();
    bytes += '\n';
    write(where, bytes);
  }
};

}  // namespace rovev
