// The registry as Wine keeps it in a prefix's system.reg, Windows-1252 text and the mapping of
// Windows paths into the prefix. Pure standard library: it builds and runs on every platform.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <system_error>
#include <vector>

#include "Registre.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

// Unicode of the Windows-1252 bytes 0x80..0x9F; every other byte is its own code point. The
// five undefined bytes keep their C1 code point, as Windows converts them.
constexpr std::array<char16_t, 32> kAnsi80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t PointDepuisAnsi(unsigned char c) {
  return c >= 0x80 && c < 0xA0 ? kAnsi80[c - 0x80] : c;
}

std::optional<char> AnsiDepuisPoint(char32_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<char>(u);
  const auto trouve = std::find(kAnsi80.begin(), kAnsi80.end(), u);
  if (trouve == kAnsi80.end()) return std::nullopt;
  return static_cast<char>(0x80 + (trouve - kAnsi80.begin()));
}

void AjouterUtf8(std::string& sortie, char32_t u) {
  if (u < 0x80) {
    sortie += static_cast<char>(u);
  } else if (u < 0x800) {
    sortie += static_cast<char>(0xC0 | (u >> 6));
    sortie += static_cast<char>(0x80 | (u & 0x3F));
  } else if (u < 0x10000) {
    sortie += static_cast<char>(0xE0 | (u >> 12));
    sortie += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    sortie += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    sortie += static_cast<char>(0xF0 | (u >> 18));
    sortie += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
    sortie += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    sortie += static_cast<char>(0x80 | (u & 0x3F));
  }
}

// One UTF-8 sequence at texte[pos]; pos moves past it, or by one byte when it is malformed
// (overlong, surrogate, truncated), which gives nullopt.
std::optional<char32_t> LireUtf8(std::string_view texte, std::size_t& pos) {
  const auto octet = [&](std::size_t i) { return static_cast<unsigned char>(texte[i]); };
  const unsigned char tete = octet(pos++);
  if (tete < 0x80) return tete;
  int suite = 0;
  char32_t u = 0;
  if (tete >= 0xC2 && tete <= 0xDF) {
    suite = 1;
    u = tete & 0x1F;
  } else if (tete >= 0xE0 && tete <= 0xEF) {
    suite = 2;
    u = tete & 0x0F;
  } else if (tete >= 0xF0 && tete <= 0xF4) {
    suite = 3;
    u = tete & 0x07;
  } else {
    return std::nullopt;
  }
  if (pos + suite > texte.size()) return std::nullopt;
  for (int k = 0; k < suite; ++k) {
    if ((octet(pos + k) & 0xC0) != 0x80) return std::nullopt;
    u = (u << 6) | (octet(pos + k) & 0x3F);
  }
  constexpr std::array<char32_t, 4> kMinimum = {0, 0x80, 0x800, 0x10000};
  if (u < kMinimum[suite] || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) return std::nullopt;
  pos += suite;
  return u;
}

// UTF-16 as Wine stores registry text -> Windows-1252, as the ANSI registry API converts it:
// what the code page lacks becomes '?'.
std::string AnsiDepuisUtf16(std::u16string_view texte) {
  std::string sortie;
  for (std::size_t i = 0; i < texte.size(); ++i) {
    const char16_t u = texte[i];
    const bool paire = u >= 0xD800 && u <= 0xDBFF && i + 1 < texte.size() &&
                       texte[i + 1] >= 0xDC00 && texte[i + 1] <= 0xDFFF;
    if (paire) ++i;
    sortie += paire ? '?' : AnsiDepuisPoint(u).value_or('?');
  }
  return sortie;
}

int ValeurChiffre(char c, int base) {
  int v = 99;
  if (c >= '0' && c <= '9') v = c - '0';
  if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
  return v < base ? v : -1;
}

// Wine's numeric escapes: \x with up to four hex digits, \ with up to three octal digits.
std::optional<char16_t> LireNombre(std::string_view ligne, std::size_t& pos, int base,
                                   int maxChiffres) {
  int valeur = 0;
  int lus = 0;
  for (; lus < maxChiffres && pos < ligne.size(); ++lus, ++pos) {
    const int chiffre = ValeurChiffre(ligne[pos], base);
    if (chiffre < 0) break;
    valeur = valeur * base + chiffre;
  }
  if (lus == 0) return std::nullopt;
  return static_cast<char16_t>(valeur);
}

// The escape at ligne[pos] (just after a backslash), when it is one of Wine's own; pos moves
// past it. Any other escaped character stands for itself and is left to the caller.
std::optional<char16_t> LireEchappement(std::string_view ligne, std::size_t& pos) {
  static constexpr std::string_view kLettres = "abefnrtv";
  static constexpr std::string_view kControles = "\a\b\x1b\f\n\r\t\v";
  const char c = ligne[pos];
  if (const auto i = kLettres.find(c); i != std::string_view::npos) {
    ++pos;
    return static_cast<char16_t>(kControles[i]);
  }
  if (c == 'x') {
    ++pos;
    return LireNombre(ligne, pos, 16, 4).value_or(u'x');
  }
  if (c >= '0' && c <= '7') return LireNombre(ligne, pos, 8, 3);
  return std::nullopt;
}

// The escaped text in ligne from pos up to the unescaped `fin`, as UTF-16 code units; pos
// moves past `fin`. nullopt when the line ends first.
std::optional<std::u16string> LireTexteEchappe(std::string_view ligne, std::size_t& pos, char fin) {
  std::u16string sortie;
  while (pos < ligne.size()) {
    if (ligne[pos] == fin) {
      ++pos;
      return sortie;
    }
    if (ligne[pos] == '\\') {
      if (++pos == ligne.size()) break;
      if (const auto echappe = LireEchappement(ligne, pos)) {
        sortie += *echappe;
        continue;
      }
    }
    const char32_t u = LireUtf8(ligne, pos).value_or(U'\uFFFD');
    if (u >= 0x10000) {
      sortie += static_cast<char16_t>(0xD800 + ((u - 0x10000) >> 10));
      sortie += static_cast<char16_t>(0xDC00 + ((u - 0x10000) & 0x3FF));
    } else {
      sortie += static_cast<char16_t>(u);
    }
  }
  return std::nullopt;
}

// A key path compared without regard to case or stray separators: "Software\\A\\" == "SOFTWARE\a".
std::string CleNormalisee(std::string_view cle) {
  std::string sortie;
  for (const auto composant : ComposantsWindows(cle)) {
    if (!sortie.empty()) sortie += '\\';
    sortie += composant;
  }
  return MajusculesAnsi(sortie);
}

// The text data of a value line after its '=': "...", str:"..." or str(N):"..." (N in hex,
// Wine's notation for the other text types). Binary and number data give nullopt.
std::optional<std::u16string> LireDonneeTexte(std::string_view ligne, std::size_t pos) {
  auto reste = ligne.substr(pos);
  if (reste.starts_with("str:")) {
    reste.remove_prefix(4);
  } else if (reste.starts_with("str(")) {
    const auto fermante = reste.find("):");
    if (fermante == std::string_view::npos) return std::nullopt;
    reste.remove_prefix(fermante + 2);
  }
  if (!reste.starts_with('"')) return std::nullopt;
  std::size_t i = 1;
  return LireTexteEchappe(reste, i, '"');
}

std::string_view SansBlancsEnTete(std::string_view ligne) {
  const auto debut = ligne.find_first_not_of(" \t");
  return debut == std::string_view::npos ? std::string_view{} : ligne.substr(debut);
}

// The name on disk for `nom` (Windows-1252) inside `dossier`: the exact UTF-8 spelling when it
// exists, else an entry equal to it without regard to case (the first in sorted order, should
// several differ only in case), else the given spelling.
std::string NomSurDisque(const fs::path& dossier, std::string_view nom) {
  const std::string utf8 = Utf8DepuisAnsi(nom);
  std::error_code erreur;
  if (fs::exists(dossier / utf8, erreur)) return utf8;
  const std::string cherche = MajusculesAnsi(nom);
  std::vector<std::string> candidats;
  for (fs::directory_iterator it(dossier, erreur), fin; !erreur && it != fin;
       it.increment(erreur)) {
    const std::string entree = it->path().filename().string();
    const auto ansi = AnsiDepuisUtf8(entree);
    if (ansi && MajusculesAnsi(*ansi) == cherche) candidats.push_back(entree);
  }
  if (candidats.empty()) return utf8;
  return *std::min_element(candidats.begin(), candidats.end());
}

}  // namespace

std::vector<std::string_view> ComposantsWindows(std::string_view chemin) {
  std::vector<std::string_view> composants;
  std::size_t debut = 0;
  while (debut <= chemin.size()) {
    const auto fin = std::min(chemin.find_first_of("\\/", debut), chemin.size());
    const auto composant = chemin.substr(debut, fin - debut);
    if (!composant.empty() && composant != ".") composants.push_back(composant);
    debut = fin + 1;
  }
  return composants;
}

std::string Utf8DepuisAnsi(std::string_view ansi) {
  std::string sortie;
  for (const char c : ansi) AjouterUtf8(sortie, PointDepuisAnsi(static_cast<unsigned char>(c)));
  return sortie;
}

std::optional<std::string> AnsiDepuisUtf8(std::string_view utf8) {
  std::string sortie;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const auto u = LireUtf8(utf8, pos);
    const auto c = u ? AnsiDepuisPoint(*u) : std::nullopt;
    if (!c) return std::nullopt;
    sortie += *c;
  }
  return sortie;
}

std::string MajusculesAnsi(std::string_view ansi) {
  std::string sortie(ansi);
  for (char& c : sortie) {
    const auto o = static_cast<unsigned char>(c);
    if ((o >= 'a' && o <= 'z') || (o >= 0xE0 && o <= 0xFE && o != 0xF7)) {
      c = static_cast<char>(o - 0x20);
    } else if (o == 0x9A || o == 0x9C || o == 0x9E) {  // š œ ž
      c = static_cast<char>(o - 0x10);
    } else if (o == 0xFF) {  // ÿ
      c = static_cast<char>(0x9F);
    }
  }
  return sortie;
}

std::optional<std::string> LireValeurWine(std::string_view texteSystemReg, std::string_view cle,
                                          std::string_view nom) {
  // The Wow6432Node view first: there a 32-bit installer's keys live in a 64-bit prefix.
  std::vector<std::string> vues;
  const std::string cleNormalisee = CleNormalisee(cle);
  const auto composants = ComposantsWindows(cleNormalisee);
  if (composants.size() > 1 && composants[0] == "SOFTWARE" && composants[1] != "WOW6432NODE") {
    vues.push_back("SOFTWARE\\WOW6432NODE" + cleNormalisee.substr(composants[0].size()));
  }
  vues.push_back(cleNormalisee);
  const std::string nomCherche = MajusculesAnsi(nom);

  // Wine's own loader lets a later line win over an earlier one for the same value.
  std::vector<std::optional<std::u16string>> trouves(vues.size());
  std::ptrdiff_t vueCourante = -1;
  for (std::size_t debut = 0; debut < texteSystemReg.size();) {
    const auto finLigne = std::min(texteSystemReg.find('\n', debut), texteSystemReg.size());
    auto ligne = SansBlancsEnTete(texteSystemReg.substr(debut, finLigne - debut));
    debut = finLigne + 1;
    if (ligne.ends_with('\r')) ligne.remove_suffix(1);

    std::size_t pos = 1;
    if (ligne.starts_with('[')) {
      const auto section = LireTexteEchappe(ligne, pos, ']');
      const auto vue =
          section ? std::find(vues.begin(), vues.end(), CleNormalisee(AnsiDepuisUtf16(*section)))
                  : vues.end();
      vueCourante = vue == vues.end() ? -1 : vue - vues.begin();
      continue;
    }
    if (vueCourante < 0) continue;
    std::optional<std::u16string> nomLigne;
    if (ligne.starts_with('"')) {
      nomLigne = LireTexteEchappe(ligne, pos, '"');
    } else if (ligne.starts_with('@')) {
      nomLigne.emplace();  // the key's default value, which has no name
    }
    if (!nomLigne || pos >= ligne.size() || ligne[pos] != '=') continue;
    if (MajusculesAnsi(AnsiDepuisUtf16(*nomLigne)) != nomCherche) continue;
    trouves[vueCourante] = LireDonneeTexte(ligne, pos + 1);
  }

  for (const auto& trouve : trouves) {
    if (!trouve) continue;
    std::string texte = AnsiDepuisUtf16(*trouve);
    // Wine leaves out the terminating zero; the buffer must hold it too.
    if (texte.size() + 1 > kTailleTamponRegistre) return std::nullopt;
    return texte.substr(0, texte.find('\0'));
  }
  return std::nullopt;
}

std::filesystem::path PrefixeWine() {
  if (const char* prefixe = std::getenv("WINEPREFIX"); prefixe && *prefixe) return prefixe;
  const char* maison = std::getenv("HOME");
  return fs::path(maison ? maison : "") / ".wine";
}

std::filesystem::path CheminDansPrefixe(const std::filesystem::path& prefixe,
                                        std::string_view cheminWindows) {
  fs::path base = prefixe / "drive_c";
  auto reste = cheminWindows;
  const bool lecteur =
      reste.size() >= 2 && reste[1] == ':' &&
      ((reste[0] >= 'a' && reste[0] <= 'z') || (reste[0] >= 'A' && reste[0] <= 'Z'));
  if (lecteur) {
    const char lettre = static_cast<char>(reste[0] | 0x20);
    if (lettre != 'c') base = prefixe / "dosdevices" / (std::string(1, lettre) + ":");
    reste.remove_prefix(2);
  }

  std::vector<std::string> noms;
  fs::path dossier = base;
  for (const auto composant : ComposantsWindows(reste)) {
    if (composant == "..") {
      if (!noms.empty()) noms.pop_back();
      dossier = base;
      for (const auto& nom : noms) dossier /= nom;
      continue;
    }
    noms.push_back(NomSurDisque(dossier, composant));
    dossier /= noms.back();
  }
  return dossier;
}

}  // namespace platform
