#pragma once
#include <charconv>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>

#include "Animgroup.h"
#include "Avion.h"
#include "Bateau.h"
#include "Caisse.h"
#include "Moto.h"

// Field order, extraction and insertion of every record, written once over any token source
// (Jetons, JetonsFlux) and any output (std::string, std::ostream).

// The integer member that ends a record's line, or nullptr for the records without one.
inline bivar<std::int32_t>* EntierDe(CAISSE& r) {
  return &r.m_nAnimGroup;
}
inline bivar<std::int32_t>* EntierDe(ANIMGROUP& r) {
  return &r.SpecialFlag;
}
inline bivar<std::int32_t>* EntierDe(MorvaneStruct&) {
  return nullptr;
}
inline const bivar<std::int32_t>* EntierDe(const CAISSE& r) {
  return &r.m_nAnimGroup;
}
inline const bivar<std::int32_t>* EntierDe(const ANIMGROUP& r) {
  return &r.SpecialFlag;
}
inline const bivar<std::int32_t>* EntierDe(const MorvaneStruct&) {
  return nullptr;
}

// A failed extraction keeps `valeur`; while the defaults are read, `origine` follows it anyway.
template <class Source>
void Extraire(Source& source, bivar<std::string>& champ) {
  std::string_view jeton;
  if (source.texte(jeton)) champ.valeur.assign(jeton);
  if (LectureDefauts) champ.origine = champ.valeur;
}

template <class Source>
void Extraire(Source& source, bivar<std::int32_t>& champ) {
  source.entier(champ.valeur);
  if (LectureDefauts) champ.origine = champ.valeur;
}

// Text members in member order, then the integer member.
template <class Source, class Record>
void ExtraireRecord(Source& source, Record& r) {
  for (bivar<std::string>* champ : r.textes()) Extraire(source, *champ);
  if (bivar<std::int32_t>* entier = EntierDe(r)) Extraire(source, *entier);
}

template <class Record>
void RemettreDefauts(Record& r) {
  for (bivar<std::string>* champ : r.textes()) champ->valeur = champ->origine;
  if (bivar<std::int32_t>* entier = EntierDe(r)) entier->valeur = entier->origine;
}

// Makes the current values the defaults: a vehicle an opened file adds has no other reference.
template <class Record>
void AdopterValeurs(Record& r) {
  for (bivar<std::string>* champ : r.textes()) champ->origine = champ->valeur;
  if (bivar<std::int32_t>* entier = EntierDe(r)) entier->origine = entier->valeur;
}

inline void Ajouter(std::string& sortie, std::string_view texte) {
  sortie.append(texte);
}
inline void Ajouter(std::ostream& sortie, std::string_view texte) {
  sortie.write(texte.data(), static_cast<std::streamsize>(texte.size()));
}

// Plain decimal whatever the stream's locale: no grouping, no plus sign, no padding.
template <class Sortie>
void AjouterEntier(Sortie& sortie, std::int32_t n) {
  char chiffres[16];
  const auto fin = std::to_chars(chiffres, chiffres + sizeof chiffres, n).ptr;
  Ajouter(sortie, std::string_view(chiffres, static_cast<std::size_t>(fin - chiffres)));
}

// Values only, one blank between them; an anim group also puts a blank before its first value.
template <class Sortie, class Record>
void InsererRecord(Sortie& sortie, const Record& r) {
  bool blanc = std::is_same_v<Record, ANIMGROUP>;
  for (const bivar<std::string>* champ : r.textes()) {
    if (blanc) Ajouter(sortie, " ");
    Ajouter(sortie, champ->valeur);
    blanc = true;
  }
  if (const bivar<std::int32_t>* entier = EntierDe(r)) {
    Ajouter(sortie, " ");
    AjouterEntier(sortie, entier->valeur);
  }
}
