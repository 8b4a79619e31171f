#pragma once

#include <boost/filesystem/path.hpp>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "import/import_context.hpp"
#include "import/records/history_record.hpp"
#include "import/step_result.hpp"
#include "net/ipv4.hpp"
#include "net/ll_addr.hpp"

namespace rovev {

// The appliance a history file belongs to, as its name tells: that of a
// detection history file; none (0) for a movement history file.
struct history_file_appliance {
  std::int32_t id = 0;
};

// What became of a record whose slots were converted in their order: its
// row written, or the first slot that is no address or no number.
enum class row_outcome { written, bad_address, bad_number };

// A record's MAC slot and IPv4 slot (empty: 0.0.0.0), both named by the
// record's Slots, read in that order; false at the first that is no address.
template <class Slots>
bool read_addresses(const char* record, ll_addr& lladdr, ipv4_address& ipaddr) {
  const auto mac = ll_addr::from_text(slot_text(record, Slots::lladdr));
  if (!mac) return false;
  const std::string_view ipaddr_text = slot_text(record, Slots::ipaddr);
  const auto address =
      ipaddr_text.empty() ? std::optional(ipv4_address()) : ipv4_from_text(ipaddr_text);
  if (!address) return false;
  lladdr = *mac;
  ipaddr = *address;
  return true;
}

// What sets one history apart from the other.
struct history_kind {
  messages::start_line start;       // %s: the folder, quoted
  messages::finish_line<2> finish;  // %u: files found, records imported
  // On a terminal, %u: files found, records imported, share of the file read.
  messages::progress_line<3> progress;
  std::size_t record_size;
  // Whether an entry below the folder is one of this history's files, by its
  // name alone, and the appliance that name tells; nothing for another name.
  std::function<std::optional<history_file_appliance>(const boost::filesystem::path& name)> accepts;
  // Converts one record of the file and writes its row; the first failure
  // ends it. A date that cannot be read throws (boost::bad_lexical_cast, as a
  // number that is none, or std::out_of_range), and so does the database.
  std::function<row_outcome(const char* record, const history_file_appliance& appliance)> write_row;
  // The line of a number that is no number (%s: the failure's text); none
  // when such a record is reported like any other bad one.
  std::optional<messages::bad_number_line> bad_number;
  // The line of any other bad record (%s: the file's plain path).
  messages::bad_record_line bad_record;
};

// Walks the folder depth first, in the order the file system lists it,
// without entering links to folders, and imports every record of every
// accepted file; one transaction over the step. Each folder is listed whole
// and closed before the walk goes deeper, so depth costs no descriptors. A
// folder that cannot be listed is reported and left; the walk goes on.
step_result import_history(const import_context& context, const boost::filesystem::path& folder,
                           const history_kind& kind);

}  // namespace rovev
