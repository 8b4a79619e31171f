// A date-time slot: the direct reading of the common form must agree with
// time_from_string on the value and on the kind of failure.
#include <boost/date_time/posix_time/posix_time.hpp>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "import/records/date_time_slot.hpp"

namespace {

enum class outcome { value, cast_failure, range_failure, other_failure };

template <class Reader>
outcome classify(Reader reader, boost::posix_time::ptime& time) {
  try {
    time = reader();
    return outcome::value;
  } catch (const boost::bad_lexical_cast&) {
    return outcome::cast_failure;
  } catch (const std::out_of_range&) {
    return outcome::range_failure;
  } catch (const std::exception&) {
    return outcome::other_failure;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A slot holds at most its width of text, up to its first NUL.
  std::string text(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 24));
  text = text.substr(0, text.find('\0'));
  boost::posix_time::ptime fast;
  boost::posix_time::ptime reference;
  const outcome fast_outcome = classify([&] { return rovev::read_date_time(text); }, fast);
  const outcome reference_outcome =
      classify([&] { return boost::posix_time::time_from_string(text); }, reference);
  if (fast_outcome != reference_outcome) std::abort();
  if (fast_outcome == outcome::value && fast != reference) std::abort();
  return 0;
}
