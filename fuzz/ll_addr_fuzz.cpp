// Link-layer address text: anything accepted prints a text that reads back
// as the same address.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "net/ll_addr.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  rovev::ll_addr address;
  if (!address.parse(text)) return 0;
  const std::string canonical(address.to_text());
  rovev::ll_addr again;
  if (canonical.size() != 17 || !again.parse(canonical) || again.octets() != address.octets()) {
    std::abort();
  }
  return 0;
}
