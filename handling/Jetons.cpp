#include "Jetons.h"

#include <limits>

std::size_t LireEntier(std::string_view texte, std::int32_t& n) {
  std::size_t i = 0;
  bool negatif = false;
  if (i < texte.size() && (texte[i] == '+' || texte[i] == '-')) {
    negatif = texte[i] == '-';
    ++i;
  }
  const std::size_t premierChiffre = i;
  // The magnitude of INT32_MIN; anything larger cannot fit whatever the sign.
  constexpr std::int64_t plafond = std::int64_t{1} << 31;
  std::int64_t valeur = 0;
  bool deborde = false;
  for (; i < texte.size() && texte[i] >= '0' && texte[i] <= '9'; ++i) {
    if (!deborde) {
      valeur = valeur * 10 + (texte[i] - '0');
      deborde = valeur > plafond;
    }
  }
  if (i == premierChiffre || deborde) return 0;
  if (negatif) valeur = -valeur;
  if (valeur > std::numeric_limits<std::int32_t>::max()) return 0;
  n = static_cast<std::int32_t>(valeur);
  return i;
}

bool Jetons::debutJeton() {
  if (echec_) return false;
  std::size_t i = 0;
  while (i < reste_.size() && EstBlanc(reste_[i])) ++i;
  reste_.remove_prefix(i);
  echec_ = reste_.empty();
  return !echec_;
}

bool Jetons::texte(std::string_view& jeton) {
  if (!debutJeton()) return false;
  std::size_t fin = 0;
  while (fin < reste_.size() && !EstBlanc(reste_[fin])) ++fin;
  jeton = reste_.substr(0, fin);
  reste_.remove_prefix(fin);
  return true;
}

bool Jetons::entier(std::int32_t& n) {
  if (!debutJeton()) return false;
  const std::size_t lus = LireEntier(reste_, n);
  echec_ = lus == 0;
  reste_.remove_prefix(lus);
  return !echec_;
}

namespace {
using Traits = std::istream::traits_type;
bool EstChiffre(int c) {
  return c >= '0' && c <= '9';
}
}  // namespace

bool JetonsFlux::debutJeton() {
  const std::istream::sentry sentinelle(in_, true);
  if (!sentinelle) return false;
  std::streambuf* tampon = in_.rdbuf();
  int c = tampon->sgetc();
  while (c != Traits::eof() && EstBlanc(Traits::to_char_type(c))) c = tampon->snextc();
  if (c == Traits::eof()) {
    in_.setstate(std::ios::eofbit | std::ios::failbit);
    return false;
  }
  return true;
}

bool JetonsFlux::texte(std::string_view& jeton) {
  if (!debutJeton()) return false;
  std::streambuf* tampon = in_.rdbuf();
  tampon_.clear();
  int c = tampon->sgetc();
  for (; c != Traits::eof() && !EstBlanc(Traits::to_char_type(c)); c = tampon->snextc())
    tampon_.push_back(Traits::to_char_type(c));
  if (c == Traits::eof()) in_.setstate(std::ios::eofbit);
  jeton = tampon_;
  return true;
}

bool JetonsFlux::entier(std::int32_t& n) {
  if (!debutJeton()) return false;
  std::streambuf* tampon = in_.rdbuf();
  // Only the sign and the digits are taken from the stream; what follows stays for the next
  // extraction.
  tampon_.clear();
  int c = tampon->sgetc();
  if (c == '+' || c == '-') {
    tampon_.push_back(Traits::to_char_type(c));
    c = tampon->snextc();
  }
  for (; EstChiffre(c); c = tampon->snextc()) tampon_.push_back(Traits::to_char_type(c));
  if (c == Traits::eof()) in_.setstate(std::ios::eofbit);
  if (LireEntier(tampon_, n) == 0) {
    in_.setstate(std::ios::failbit);
    return false;
  }
  return true;
}
