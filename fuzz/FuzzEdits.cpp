#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Scenarios.h"

// Any bytes run as a program of edits, opens and saves.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string erreur = ScenarioEditions({reinterpret_cast<const char*>(data), size});
  if (!erreur.empty()) {
    std::fprintf(stderr, "edits: %s\n", erreur.c_str());
    std::abort();
  }
  return 0;
}
