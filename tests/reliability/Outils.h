#pragma once
#include "Fichiers.h"
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>


// Everything a failed save may not change: every file and folder under a test's folder, the
// target's bytes and its permission bits.
struct Etat {
  std::vector<std::string> arbre;
  std::string octets;
  std::filesystem::perms droits = std::filesystem::perms::unknown;
  bool operator==(const Etat&) const = default;
};
void PrintTo(const Etat& e, std::ostream* os);
Etat Photo(const std::filesystem::path& racine, const std::filesystem::path& cible);

// Root ignores permission bits, so a test of them must run as an ordinary user. Called first
// in such a test: returns false when the process is not root (the test goes on here); as root,
// runs this same test again in a child process as nobody (through setpriv), reports the
// child's failures here and returns true (the test ends here). When no child can run as
// nobody, the test is skipped with the reason.
bool RejouerCommeNobody();
