#include "Catalogues.h"

#include "Unit2.h"

std::string TexteJeu() {
  std::string texte;
  for (const char c : DefaultHandlingText()) {
    if (c == '\n') texte += '\r';
    texte += c;
  }
  return texte;
}

CatalogueOuvert::CatalogueOuvert(std::string_view fichier) {
  LectureDefauts = true;
  ReadHandlingText(catalogue, DefaultHandlingText());
  LectureDefauts = false;
  ReadHandlingText(catalogue, fichier);
  AttachCarRecords(catalogue);
}
