#include "app/command_line.hpp"

#include <sqlite3.h>

#include <boost/program_options.hpp>
#include <boost/version.hpp>
#include <sstream>
#include <string>

#include "app/import_driver.hpp"
#include "import/appliance_id_map.hpp"

namespace rovev {
namespace {

namespace po = boost::program_options;

constexpr const char* version_text = ZOV_VERSION;  // the project's version, set by the build

po::options_description make_options() {
  po::options_description options("options", 80, 40);
  options.add_options()("help,h", "help")("version,v", "show version")(
      "path,p", po::value<std::string>(), "base path");
  return options;
}

std::string listing(const po::options_description& options) {
  std::ostringstream text;
  text << options << '\n';
  return text.str();
}

}  // namespace

int run_command_line(int argc, const char* const argv[], report& out) {
  const po::options_description options = make_options();
  po::variables_map values;
  try {
    po::store(po::parse_command_line(argc, argv, options), values);
    po::notify(values);
  } catch (const po::error& error) {
    out.write(report::channel::out, std::string(error.what()) + '\n' + listing(options));
    // A usage error must not look like a successful import.
    return 1;
  }

  if (values.count("help") != 0) {
    out.write(report::channel::out, listing(options));
    return 0;
  }
  if (values.count("version") != 0) {
    out.out_line(messages::version_banner, version_text, __DATE__, __TIME__, BOOST_LIB_VERSION,
                 sqlite3_libversion());
    out.out_line(messages::version_maker);
    return 0;
  }
  if (values.count("path") == 0) {
    out.err_line(messages::folder_missing);
    return 1;
  }

  appliance_id_map appliance_ids;
  const boost::filesystem::path base_folder(values["path"].as<std::string>());
  return run_import(base_folder, appliance_ids, out);
}

}  // namespace rovev
