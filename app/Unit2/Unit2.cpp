#include "Unit2.h"

#include <cstddef>
#include <ostream>

// Defined in the source that CMake generates from handling.dat.
extern const unsigned char kStockHandlingBytes[];
extern const std::size_t kStockHandlingBytesSize;

std::string_view DefaultHandlingText() {
  return {reinterpret_cast<const char*>(kStockHandlingBytes), kStockHandlingBytesSize};
}

void InsertDefaultHandlingText(std::ostream& out) {
  const std::string_view text = DefaultHandlingText();
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}
