#pragma once
#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

// Token sources shared by the record extraction: one over a line held in memory (the reader)
// and one over an input stream (the public >> operators). Both split on the same whitespace and
// read integers the same way, so a record reads alike from either.

// Longest line the reader takes (the game's own limit); a longer one is skipped whole, so the
// writer must never produce one.
constexpr std::size_t LongueurMaxLigne = 11999;

// Whitespace of a handling file. Every other byte, NUL and Ctrl-Z included, belongs to a token.
constexpr bool EstBlanc(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Optional sign, then decimal digits, stopping at the first other character. Returns how many
// characters were used, or 0 (and leaves `n` alone) when there is no digit or the number does
// not fit in a signed 32-bit integer.
std::size_t LireEntier(std::string_view texte, std::int32_t& n);

// Tokens of one line. Once an extraction fails, every later one fails too, so a short line
// leaves all the members after its last token untouched.
class Jetons {
 public:
  explicit Jetons(std::string_view ligne) : reste_(ligne) {}

  bool texte(std::string_view& jeton);
  // The token 2.5 gives 2 and leaves .5 for the next extraction, as a stream does.
  bool entier(std::int32_t& n);
  bool echec() const { return echec_; }

 private:
  bool debutJeton();

  std::string_view reste_;
  bool echec_ = false;
};

// The same extractions from a stream; a failure sets the stream's failbit.
class JetonsFlux {
 public:
  explicit JetonsFlux(std::istream& in) : in_(in) {}

  bool texte(std::string_view& jeton);
  bool entier(std::int32_t& n);
  bool echec() const { return in_.fail(); }

 private:
  bool debutJeton();

  std::istream& in_;
  std::string tampon_;
};
