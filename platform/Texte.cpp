#include "Texte.h"

#include <array>

namespace platform {

namespace {

// Windows-1252 bytes 0x80 to 0x9F. The five bytes the code page leaves undefined map to the C1
// control of the same number, so every byte survives a round trip through a widget.
constexpr std::array<char16_t, 32> kPlage80{
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178'};

char16_t versUnicode(unsigned char octet) {
  return (octet >= 0x80 && octet <= 0x9F) ? kPlage80[octet - 0x80] : char16_t{octet};
}

char depuisUnicode(char16_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<char>(u);
  for (std::size_t i = 0; i < kPlage80.size(); ++i)
    if (kPlage80[i] == u) return static_cast<char>(0x80 + i);
  return '?';
}

}  // namespace

QString VersQString(const std::string& octets) {
  QString texte;
  texte.reserve(static_cast<qsizetype>(octets.size()));
  for (char c : octets) texte.append(QChar(versUnicode(static_cast<unsigned char>(c))));
  return texte;
}

std::string DepuisQString(const QString& texte) {
  std::string octets;
  octets.reserve(static_cast<std::size_t>(texte.size()));
  for (qsizetype i = 0; i < texte.size(); ++i) {
    const QChar c = texte.at(i);
    if (c.isHighSurrogate() && i + 1 < texte.size() && texte.at(i + 1).isLowSurrogate()) {
      ++i;  // one character outside the BMP, one '?'
      octets += '?';
    } else if (c.isSurrogate()) {
      octets += '?';
    } else {
      octets += depuisUnicode(c.unicode());
    }
  }
  return octets;
}

}  // namespace platform
