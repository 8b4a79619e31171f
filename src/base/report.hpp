#pragma once

#include <boost/format.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "base/messages.hpp"

namespace rovev {

// Where every layer that speaks sends its lines. Start, finish and error
// lines go to the out channel (standard output); the history readers'
// damaged-record lines and the missing-folder message go to the err channel
// (standard error), and so does the progress line, which is no line of the
// run (see progress()). A line is a template of the message catalogue filled
// printf-style with exactly as many values as it takes; the template may be
// converted for the output, its values (paths, error texts, numbers) are
// written as their bytes.
class report {
 public:
  enum class channel { out, err };

  virtual ~report() = default;

  // A line on the out channel.
  template <std::size_t Arity, class... Args>
  void out_line(messages::message<Arity> message, const Args&... args) {
    line(channel::out, false, message, args...);
  }

  // An error line ("    [Error]: " and the message) on the out channel.
  template <std::size_t Arity, class... Args>
  void out_error(messages::message<Arity> message, const Args&... args) {
    line(channel::out, true, message, args...);
  }

  // A line on the err channel.
  template <std::size_t Arity, class... Args>
  void err_line(messages::message<Arity> message, const Args&... args) {
    line(channel::err, false, message, args...);
  }

  // An error line on the err channel.
  template <std::size_t Arity, class... Args>
  void err_error(messages::message<Arity> message, const Args&... args) {
    line(channel::err, true, message, args...);
  }

  // A progress line for a terminal, in place of the one before it, without
  // a line end (see progress_meter); on a report that shows none, nothing.
  template <std::size_t Arity, class... Args>
  void progress(messages::message<Arity> message, const Args&... args) {
    if (shows_progress()) draw_progress(progress_forms(message, args...));
  }
  // The forms of a progress line, longest first, each filled with the
  // values it names.
  template <std::size_t Arity, class... Args>
  static std::vector<std::string> progress_forms(messages::message<Arity>, const Args&... args);
  virtual bool shows_progress() const { return false; }
  // Erases the progress line, if one is drawn.
  virtual void erase_progress() {}

  // Bytes as they are, line ends included.
  virtual void write(channel where, std::string_view bytes) = 0;

 protected:
  // A UTF-8 text (a template, a progress line) as the output wants it;
  // UTF-8 as stored unless overridden.
  virtual std::string localize(std::string_view utf8_text) { return std::string(utf8_text); }
  // The progress line in UTF-8, its forms longest first, for the report to
  // choose the one that fits its terminal.
  virtual void draw_progress(const std::vector<std::string>&) {}

 private:
  template <std::size_t Arity, class... Args>
  void line(channel where, bool error, messages::message<Arity> message, const Args&... args) {
    std::string bytes = fill(
        message, localize(error ? messages::error_line(message.text) : std::string(message.text)),
        args...);
    bytes += '\n';
    write(where, bytes);
  }

  // The message's template, as given, filled with its values.
  template <std::size_t Arity, class... Args>
  static std::string fill(messages::message<Arity>, const std::string& text, const Args&... args) {
    static_assert(Arity == sizeof...(Args), "the message takes another number of values");
    boost::format filled(text);
    (void)(filled % ... % args);
    return filled.str();
  }
};

template <std::size_t Arity, class... Args>
std::vector<std::string> report::progress_forms(messages::message<Arity> message,
                                                const Args&... args) {
  static_assert(Arity == sizeof...(Args), "the message takes another number of values");
  std::vector<std::string> forms;
  for (std::string_view rest = message.text;;) {
    const std::size_t end = rest.find('|');
    boost::format filled{std::string(rest.substr(0, end))};
    // A shorter form names only some of the values.
    filled.exceptions(boost::io::all_error_bits ^ boost::io::too_many_args_bit);
    (void)(filled % ... % args);
    forms.push_back(filled.str());
    if (end == std::string_view::npos) return forms;
    rest.remove_prefix(end + 1);
  }
}

}  // namespace rovev
