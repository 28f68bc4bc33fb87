#include "Fichiers.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

// Not mkdtemp: its 0700 folder would shut out the tests that run a child as another user.
DossierTemporaire::DossierTemporaire() {
  std::random_device alea;
  do
    chemin_ = fs::temp_directory_path() /
              ("quintrel-" + std::to_string(alea()) + "-" + std::to_string(alea()));
  while (!fs::create_directory(chemin_));
}

DossierTemporaire::~DossierTemporaire() {
  std::error_code ec;
  if (!fs::exists(chemin_, ec)) return;
  // A test may have taken write permission away from a folder; give it back to clean up.
  for (const auto& e : fs::recursive_directory_iterator(chemin_, ec))
    if (e.is_directory(ec)) fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
  fs::permissions(chemin_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(chemin_, ec);
}

std::string DossierTemporaire::contenu() const {
  std::string liste;
  for (const auto& nom : Entrees(chemin_)) liste += (liste.empty() ? "" : " ") + nom;
  return liste;
}

std::string LireTout(const fs::path& chemin) {
  std::ifstream f(chemin, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

void EcrireTout(const fs::path& chemin, std::string_view octets) {
  std::error_code ec;
  if (chemin.has_parent_path()) fs::create_directories(chemin.parent_path(), ec);
  std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
  f.write(octets.data(), static_cast<std::streamsize>(octets.size()));
  if (!f) throw std::runtime_error("cannot write " + chemin.string());
}

std::vector<std::string> Entrees(const fs::path& dossier) {
  std::vector<std::string> noms;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dossier, ec)) noms.push_back(e.path().filename());
  std::sort(noms.begin(), noms.end());
  return noms;
}
