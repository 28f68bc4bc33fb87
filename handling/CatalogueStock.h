#pragma once
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "Catalogue.h"

// What the catalogue owns: every record it ever created, by kind, and the names of the special
// records the last read of an opened file added (AttachCarRecords releases those it cannot
// link to a car record).
struct Catalogue::Stock {
  template <typename T>
  using Liste = std::vector<std::unique_ptr<T>>;

  std::tuple<Liste<CAISSE>, Liste<MOTO>, Liste<AVION>, Liste<BATEAU>, Liste<ANIMGROUP>> records;
  std::vector<std::string> motosAjoutees, avionsAjoutes, bateauxAjoutes;
};
