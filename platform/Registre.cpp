// The machine's registry and the game's paths: the Win32 API on Windows, the Wine prefix
// elsewhere. The Windows half is checked by scripts/check-windows-registry.
#include "Registre.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>

#include <cstring>
#else
#include <fstream>
#include <iterator>
#endif

namespace platform {
namespace {

#ifdef _WIN32
std::optional<std::string> LireRegistreMachine(std::string_view cle, std::string_view nom) {
  const std::string cleZ(cle);
  const std::string nomZ(nom);
  // A 32-bit installer writes under WOW6432Node on a 64-bit Windows: look there first.
  for (const REGSAM vue : {REGSAM{KEY_WOW64_32KEY}, REGSAM{KEY_WOW64_64KEY}}) {
    HKEY hCle = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, cleZ.c_str(), 0, KEY_QUERY_VALUE | vue, &hCle) !=
        ERROR_SUCCESS) {
      continue;
    }
    char tampon[kTailleTamponRegistre] = {};
    DWORD taille = sizeof tampon;
    const LONG etat = RegQueryValueExA(hCle, nomZ.c_str(), nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(tampon), &taille);
    RegCloseKey(hCle);
    if (etat == ERROR_SUCCESS) return std::string(tampon, strnlen(tampon, taille));
    // ERROR_MORE_DATA: the value does not fit the buffer, which the game treats as absent.
    if (etat != ERROR_FILE_NOT_FOUND) return std::nullopt;
  }
  return std::nullopt;
}

// Windows-1252 text is the ANSI code page here; the wide form keeps every character.
std::filesystem::path NomLocal(std::string_view ansi) {
  if (ansi.empty()) return {};
  const int taille = static_cast<int>(ansi.size());
  const int large = MultiByteToWideChar(CP_ACP, 0, ansi.data(), taille, nullptr, 0);
  std::wstring texte(static_cast<std::size_t>(large), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), taille, texte.data(), large);
  return texte;
}
#else
std::optional<std::string> LireRegistreMachine(std::string_view cle, std::string_view nom) {
  std::ifstream fichier(PrefixeWine() / "system.reg", std::ios::binary);
  if (!fichier) return std::nullopt;
  const std::string texte{std::istreambuf_iterator<char>(fichier),
                          std::istreambuf_iterator<char>()};
  return LireValeurWine(texte, cle, nom);
}

std::filesystem::path NomLocal(std::string_view ansi) {
  return Utf8DepuisAnsi(ansi);
}
#endif

}  // namespace

LecteurRegistre& registreDeTest() {
  static LecteurRegistre lecteur;
  return lecteur;
}

std::optional<std::string> LireRegistreHKLM(std::string_view cle, std::string_view nom) {
  auto valeur = registreDeTest() ? registreDeTest()(cle, nom) : LireRegistreMachine(cle, nom);
  if (!valeur || valeur->size() >= kTailleTamponRegistre) return std::nullopt;
  valeur->erase(std::min(valeur->find('\0'), valeur->size()));  // the text ends at its zero
  return valeur;
}

std::filesystem::path CheminJeu(std::string_view dossierWindows, std::string_view relatifWindows) {
  std::string chemin(dossierWindows);
  chemin += relatifWindows;
#ifdef _WIN32
  return NomLocal(chemin);
#else
  return CheminDansPrefixe(PrefixeWine(), chemin);
#endif
}

std::filesystem::path Joindre(const std::filesystem::path& dossier,
                              std::string_view relatifWindows) {
  std::filesystem::path chemin = dossier;
  for (const auto composant : ComposantsWindows(relatifWindows)) chemin /= NomLocal(composant);
  return chemin;
}

}  // namespace platform
