#pragma once

#include <boost/filesystem/path.hpp>
#include <boost/format.hpp>
#include <string>
#include <string_view>

// The one owner of standard output and standard error. Message templates are
// held as UTF-8 and written in the character set of the user's locale; the
// arguments put into a template (paths, error texts, numbers) are written as
// their bytes. Every line is flushed, so the two streams keep their order.
namespace rovev::console {

// Reads the locale (LC_ALL from the environment) and chooses the output
// character set. Until it is called, everything is written as UTF-8.
void use_user_locale();
// The same for a named character set (as nl_langinfo(CODESET) gives it).
void use_charset(const std::string& charset);

// The template text in the console's character set.
std::string localize(std::string_view utf8_text);

// The path in its quoted form: in double quotes, with an ampersand before
// every double quote or ampersand inside it.
std::string quoted(const boost::filesystem::path& path);

void write_out(std::string_view bytes);
void write_err(std::string_view bytes);

template <class... Args>
std::string format(std::string_view utf8_template, const Args&... args) {
  boost::format f(localize(utf8_template));
  (void)(f % ... % args);
  return f.str();
}

// One line on standard output: the template filled printf-style.
template <class... Args>
void out(std::string_view utf8_template, const Args&... args) {
  write_out(format(utf8_template, args...) + '\n');
}

// One line on standard error.
template <class... Args>
void err(std::string_view utf8_template, const Args&... args) {
  write_err(format(utf8_template, args...) + '\n');
}

}  // namespace rovev::console
