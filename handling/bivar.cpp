#include "bivar.h"

#include "Champs.h"
#include "Jetons.h"

bool LectureDefauts = false;

std::istream& operator>>(std::istream& in, bivar<std::string>& champ) {
  JetonsFlux source(in);
  Extraire(source, champ);
  return in;
}

std::istream& operator>>(std::istream& in, bivar<std::int32_t>& champ) {
  JetonsFlux source(in);
  Extraire(source, champ);
  return in;
}
