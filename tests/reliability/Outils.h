#pragma once
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// A fresh folder under the system's temporary folder; removed with everything in it, whatever
// permissions a test left on it.
class DossierTemporaire {
 public:
  DossierTemporaire();
  ~DossierTemporaire();
  DossierTemporaire(const DossierTemporaire&) = delete;
  DossierTemporaire& operator=(const DossierTemporaire&) = delete;

  const std::filesystem::path& chemin() const { return chemin_; }

 private:
  std::filesystem::path chemin_;
};

std::string LireTout(const std::filesystem::path& chemin);
void EcrireTout(const std::filesystem::path& chemin, std::string_view octets);
// Names of the entries of a folder, hidden ones included, sorted; empty if it does not exist.
std::vector<std::string> Entrees(const std::filesystem::path& dossier);

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
