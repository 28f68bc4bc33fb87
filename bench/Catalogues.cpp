#include "Catalogues.h"

#include "Unit2.h"

std::unique_ptr<Catalogue> CatalogueStock() {
  auto catalogue = std::make_unique<Catalogue>();
  LectureDefauts = true;
  ReadHandlingText(*catalogue, DefaultHandlingText());
  // From here on every read is that of an opened file.
  LectureDefauts = false;
  return catalogue;
}

std::unique_ptr<Catalogue> CatalogueOuvert(std::string_view fichier) {
  auto catalogue = CatalogueStock();
  ReadHandlingText(*catalogue, fichier);
  AttachCarRecords(*catalogue);
  return catalogue;
}
