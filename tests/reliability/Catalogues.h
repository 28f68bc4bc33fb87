#pragma once
#include <string>
#include <string_view>

#include "Catalogue.h"

// The stock text with CR LF line ends, as the game's own file holds it.
std::string TexteJeu();

// A catalogue as the main window holds it once `fichier` has been opened: the stock text read
// as defaults, then the file read and the car records attached.
class CatalogueOuvert {
 public:
  explicit CatalogueOuvert(std::string_view fichier);
  Catalogue catalogue;
};

// The line the writer gives a record (without its line end), found in the written text by its
// first tokens ("NAME", "! NAME", "^ 7").
std::string LigneEcrite(const std::string& texte, const std::string& debut);
