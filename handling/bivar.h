#pragma once
#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

// Program-wide: set while the stock handling text is read, so that every value read then
// becomes the default as well as the current value. The first opened file clears it for good.
extern bool LectureDefauts;

// One field of a record: its default value (`origine`, from the stock text) and its current
// value (`valeur`, from the opened file and the user's edits). Text values are the file's
// bytes (Windows-1252), never reformatted.
template <typename T>
class bivar {
 public:
  T origine{};
  T valeur{};
};

// Extracts one whitespace-separated token into `valeur`; on failure `valeur` keeps its value
// and the stream fails. While LectureDefauts is set, `origine` then takes `valeur`.
std::istream& operator>>(std::istream& in, bivar<std::string>& champ);
// Optional sign and decimal digits, stopping at the first non-digit. No digit, or a number
// outside the signed 32-bit range, fails the stream and keeps `valeur`.
std::istream& operator>>(std::istream& in, bivar<std::int32_t>& champ);

// Writes the current value only.
template <typename T>
std::ostream& operator<<(std::ostream& out, const bivar<T>& champ) {
  return out << champ.valeur;
}
