#pragma once
#include "Fichiers.h"
#include <filesystem>
#include <string>
#include <string_view>

#include "Catalogue.h"

// Sets the defaults-reading flag for one test and always clears it again.
class DrapeauDefauts {
 public:
  explicit DrapeauDefauts(bool valeur) { LectureDefauts = valeur; }
  ~DrapeauDefauts() { LectureDefauts = false; }
  DrapeauDefauts(const DrapeauDefauts&) = delete;
  DrapeauDefauts& operator=(const DrapeauDefauts&) = delete;
};

// A file of tests/handling/fixtures, as bytes.
std::string Fixture(std::string_view nom);

// Start-up: reads `texte` as the stock text (creates every record).
void LireDefauts(Catalogue& catalogue, std::string_view texte);
// Opening a file as the editor does: return the car records, read as a file, attach.
void Ouvrir(Catalogue& catalogue, std::string_view texte);

// "p0 p1 ... p<n-1>": n distinct tokens.
std::string Suite(std::string_view prefixe, int n);
// Full data lines whose values are Suite(prefixe, ...): a car line (35 texts + anim group),
// a "!", "$" or "%" line, an anim group line (19 texts + flag).
std::string LigneVoiture(std::string_view nom, std::string_view prefixe, int groupe = 1);
std::string LigneSpeciale(char genre, std::string_view nom, std::string_view prefixe);
std::string LigneGroupe(int numero, std::string_view prefixe, int drapeau = 0);

// Every entry of every map with each field's default and current value; a special record also
// shows its car record. Two catalogues holding the same data describe alike.
std::string Decrire(const Catalogue& catalogue);


