#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Files for tests: a temporary folder and whole-file reads and writes, in binary mode.

// A fresh folder under the system's temporary folder; removed with everything in it, whatever
// permissions a test left on it.
class DossierTemporaire {
 public:
  DossierTemporaire();
  ~DossierTemporaire();
  DossierTemporaire(const DossierTemporaire&) = delete;
  DossierTemporaire& operator=(const DossierTemporaire&) = delete;

  const std::filesystem::path& chemin() const { return chemin_; }
  // Names of its entries, sorted, separated by one blank.
  std::string contenu() const;

 private:
  std::filesystem::path chemin_;
};

std::string LireTout(const std::filesystem::path& chemin);
// Creates the missing folders on the way; throws when the file cannot be written.
void EcrireTout(const std::filesystem::path& chemin, std::string_view octets);
// Names of the entries of a folder, hidden ones included, sorted; empty if it does not exist.
std::vector<std::string> Entrees(const std::filesystem::path& dossier);
