#pragma once

#include <cstddef>
#include <string_view>

namespace rovev {

// One output of the program: standard output, standard error or, in tests,
// an open file. A small value naming the stream; the process owns it.
class output_stream {
 public:
  // A descriptor of the C runtime: 1 for standard output, 2 for standard
  // error, or what fileno() gives for an open file.
  explicit output_stream(int descriptor) : descriptor_(descriptor) {}
  static constexpr int standard_output = 1;
  static constexpr int standard_error = 2;

  bool is_terminal() const;
  // The terminal's width now, in columns; 80 when it tells none.
  std::size_t columns() const;
  // Writes every byte: waits while the output cannot take them yet, and
  // tries again after an interruption. False when it failed for good (a
  // closed stream, a reader that has gone, a full device, a file-size
  // limit, an I/O error): the rest of the bytes are dropped.
  bool write_all(std::string_view bytes) const;

  // Whether a progress line can be drawn on err: err is a terminal whose
  // TERM is set and not "dumb", and nothing else can write to that terminal
  // between two draws, because out is that same terminal, a regular file or
  // the null device. A pipe, a FIFO, a socket or another terminal may have a
  // reader that writes to the same screen (| tee, | less).
  static bool shows_progress_on(output_stream out, output_stream err);

 private:
  friend class erasing_interruptions;  // writes from its handler
  int descriptor_;
};

}  // namespace rovev
