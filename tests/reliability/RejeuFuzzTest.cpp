#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "Outils.h"
#include "Scenarios.h"

namespace fs = std::filesystem;

namespace {

struct Cible {
  const char* nom;
  std::string (*scenario)(std::string_view);
};

void PrintTo(const Cible& c, std::ostream* os) {
  *os << c.nom;
}

// Every seed and every input a fuzz run once failed on, run through the same scenarios here,
// with g++ and, in the sanitizer build, its sanitizers.
class RejeuFuzz : public ::testing::TestWithParam<Cible> {};

TEST_P(RejeuFuzz, EveryKeptInputStillPasses) {
  int entrees = 0;
  for (const char* dossier : {"corpus", "regressions"}) {
    const fs::path d = fs::path(QUINTREL_FUZZ_DIR) / dossier / GetParam().nom;
    if (!fs::exists(d)) continue;
    for (const auto& f : fs::directory_iterator(d)) {
      ++entrees;
      EXPECT_EQ(GetParam().scenario(LireTout(f.path())), "") << f.path();
    }
  }
  EXPECT_GT(entrees, 0) << "no seed under " << QUINTREL_FUZZ_DIR;
}

INSTANTIATE_TEST_SUITE_P(Cibles, RejeuFuzz,
                         ::testing::Values(Cible{"open", ScenarioOuverture},
                                           Cible{"edits", ScenarioEditions}),
                         [](const auto& info) { return std::string(info.param.nom); });

}  // namespace
