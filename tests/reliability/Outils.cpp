#include "Outils.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;


void PrintTo(const Etat& e, std::ostream* os) {
  *os << e.arbre.size() << " entries:";
  for (const auto& n : e.arbre) *os << " " << n;
  *os << "; " << e.octets.size() << " bytes; mode " << std::oct << static_cast<int>(e.droits)
      << std::dec;
}

Etat Photo(const fs::path& racine, const fs::path& cible) {
  Etat e;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(racine, ec); !ec && it != fs::end(it);
       it.increment(ec))
    e.arbre.push_back(fs::relative(it->path(), racine).string());
  std::sort(e.arbre.begin(), e.arbre.end());
  if (fs::is_regular_file(cible, ec)) e.octets = LireTout(cible);
  e.droits = fs::status(cible, ec).permissions();
  return e;
}

namespace {

constexpr const char* kEnfant = "QUINTREL_TEST_COMME_NOBODY";
constexpr const char* kSetpriv = "setpriv --reuid=65534 --regid=65534 --clear-groups";

// Runs a shell command, returns its exit status and everything it printed.
int Executer(const std::string& commande, std::string& sortie) {
  FILE* flux = ::popen((commande + " 2>&1").c_str(), "r");
  if (!flux) return -1;
  std::array<char, 4096> tampon;
  std::size_t n;
  while ((n = std::fread(tampon.data(), 1, tampon.size(), flux)) > 0)
    sortie.append(tampon.data(), n);
  const int statut = ::pclose(flux);
  return WIFEXITED(statut) ? WEXITSTATUS(statut) : -1;
}

std::string Guillemets(const std::string& texte) {
  std::string sortie = "'";
  for (char c : texte) sortie += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return sortie + "'";
}

struct ProgrammeNobody {
  fs::path chemin;       // what nobody runs: this program, or a copy of it
  std::string obstacle;  // why nobody can run neither, or ""
};

bool NobodyPeutLancer(const fs::path& programme, std::string& sortie) {
  return Executer(std::string(kSetpriv) + " " + Guillemets(programme) + " --gtest_list_tests",
                  sortie) == 0;
}

// This program, when nobody may run it where it is; otherwise a copy in a folder nobody can
// reach (a build under /root, say). The copy lives as long as the process.
const ProgrammeNobody& PourNobody(const fs::path& programme) {
  static DossierTemporaire copies;
  static const ProgrammeNobody resultat = [&] {
    std::string sortie;
    if (NobodyPeutLancer(programme, sortie)) return ProgrammeNobody{programme, ""};
    const fs::path copie = copies.chemin() / programme.filename();
    std::error_code ec;
    fs::permissions(copies.chemin(),
                    fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                        fs::perms::others_read | fs::perms::others_exec,
                    ec);
    fs::copy_file(programme, copie, ec);
    if (!ec && NobodyPeutLancer(copie, sortie)) return ProgrammeNobody{copie, ""};
    return ProgrammeNobody{{},
                           "this test needs an unprivileged user, and nobody cannot run " +
                               programme.string() +
                               " (nor a copy of it) through setpriv: " + sortie.substr(0, 300)};
  }();
  return resultat;
}

void Sauter(const std::string& raison) {
  GTEST_SKIP() << raison;
}

}  // namespace

bool RejouerCommeNobody() {
  if (::geteuid() != 0) return false;
  if (std::getenv(kEnfant)) {
    ADD_FAILURE() << "the child process still runs as root";
    return true;
  }
  std::error_code ec;
  const fs::path programme = fs::read_symlink("/proc/self/exe", ec);
  if (ec) {
    Sauter("this test needs an unprivileged user; /proc/self/exe is not readable");
    return true;
  }
  const ProgrammeNobody& lance = PourNobody(programme);
  if (!lance.obstacle.empty()) {
    Sauter(lance.obstacle);
    return true;
  }
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string nom = std::string(test->test_suite_name()) + "." + test->name();
  std::string sortie;
  const int statut = Executer(std::string("env ") + kEnfant + "=1 " + kSetpriv + " " +
                                  Guillemets(lance.chemin) + " --gtest_filter=" + Guillemets(nom),
                              sortie);
  EXPECT_EQ(statut, 0) << "as nobody:\n" << sortie;
  if (statut == 0 && sortie.find("[  SKIPPED ]") != std::string::npos)
    Sauter("skipped as nobody:\n" + sortie);
  else
    EXPECT_NE(sortie.find("[       OK ] " + nom), std::string::npos) << "as nobody:\n" << sortie;
  return true;
}
