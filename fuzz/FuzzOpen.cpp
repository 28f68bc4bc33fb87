#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Scenarios.h"

// Any bytes opened as a handling file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string erreur = ScenarioOuverture({reinterpret_cast<const char*>(data), size});
  if (!erreur.empty()) {
    std::fprintf(stderr, "open: %s\n", erreur.c_str());
    std::abort();
  }
  return 0;
}
