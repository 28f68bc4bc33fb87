#include "Catalogues.h"

#include <gtest/gtest.h>

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

std::string LigneEcrite(const std::string& texte, const std::string& debut) {
  for (std::size_t pos = 0; pos < texte.size();) {
    const std::size_t fin = texte.find("\r\n", pos);
    const std::string ligne = texte.substr(pos, fin == std::string::npos ? fin : fin - pos);
    if (ligne.starts_with(debut + " ")) return ligne;
    if (fin == std::string::npos) break;
    pos = fin + 2;
  }
  ADD_FAILURE() << "no written line starts with " << debut;
  return {};
}
