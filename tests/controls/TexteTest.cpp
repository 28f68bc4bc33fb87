#include <gtest/gtest.h>

#include <string>

#include "Texte.h"

#if __has_include(<iconv.h>)
#include <iconv.h>
#define QUINTREL_AVEC_ICONV 1
#endif

namespace {

TEST(Windows1252, EveryByteSurvivesTheRoundTrip) {
  std::string tous;
  for (int b = 0; b < 256; ++b) tous += static_cast<char>(b);
  const QString texte = platform::VersQString(tous);
  EXPECT_EQ(texte.size(), 256);
  EXPECT_EQ(platform::DepuisQString(texte), tous);
}

struct Octet {
  unsigned char octet;
  char16_t unicode;
};

class Windows1252Octet : public ::testing::TestWithParam<Octet> {};

TEST_P(Windows1252Octet, MapsToItsCharacterAndBack) {
  const Octet& o = GetParam();
  const std::string octets(1, static_cast<char>(o.octet));
  EXPECT_EQ(platform::VersQString(octets), QString(QChar(o.unicode)));
  EXPECT_EQ(platform::DepuisQString(QString(QChar(o.unicode))), octets);
}

INSTANTIATE_TEST_SUITE_P(Rows, Windows1252Octet,
                         ::testing::Values(Octet{0x00, u'\0'}, Octet{0x41, u'A'},
                                           Octet{0x80, u'\u20AC'}, Octet{0x8A, u'\u0160'},
                                           Octet{0x99, u'\u2122'}, Octet{0x9F, u'\u0178'},
                                           Octet{0x81, u'\u0081'}, Octet{0x8D, u'\u008D'},
                                           Octet{0x8F, u'\u008F'}, Octet{0x90, u'\u0090'},
                                           Octet{0x9D, u'\u009D'}, Octet{0xA0, u'\u00A0'},
                                           Octet{0xE9, u'\u00E9'}, Octet{0xFF, u'\u00FF'}));

struct Inconnu {
  const char* nom;
  QString texte;
  std::string octets;
};

class Windows1252Inconnu : public ::testing::TestWithParam<Inconnu> {};

TEST_P(Windows1252Inconnu, MissingCharactersBecomeQuestionMarks) {
  EXPECT_EQ(platform::DepuisQString(GetParam().texte), GetParam().octets);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Windows1252Inconnu,
    ::testing::Values(Inconnu{"Greek", QString::fromUtf8("a\u03A9b"), "a?b"},
                      Inconnu{"OutsideBmpIsOneCharacter", QString::fromUtf8("a\U0001F600b"), "a?b"},
                      Inconnu{"LoneSurrogate", QString(QChar(0xD800)) + "x", "?x"},
                      // C1 controls other than the five undefined bytes have no byte of their own.
                      Inconnu{"C1ControlU0080", QString(QChar(0x0080)), "?"},
                      Inconnu{"C1ControlU009F", QString(QChar(0x009F)), "?"},
                      Inconnu{"MixedKnown", QString::fromUtf8("\u20AC \u0153\u00E9"),
                              "\x80 \x9C\xE9"}),
    [](const auto& info) { return std::string(info.param.nom); });

#ifdef QUINTREL_AVEC_ICONV
// The system's converter is an independent reference for the bytes the code page defines.
TEST(Windows1252, AgreesWithTheSystemConverter) {
  iconv_t cd = iconv_open("UTF-16LE", "WINDOWS-1252");
  if (cd == reinterpret_cast<iconv_t>(-1)) GTEST_SKIP() << "no WINDOWS-1252 converter";
  int compares = 0;
  for (int b = 0x80; b <= 0xFF; ++b) {
    char entree = static_cast<char>(b);
    char sortie[8] = {};
    char* in = &entree;
    char* out = sortie;
    std::size_t resteIn = 1, resteOut = sizeof sortie;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &in, &resteIn, &out, &resteOut) == static_cast<std::size_t>(-1)) continue;
    const char16_t attendu = static_cast<char16_t>(static_cast<unsigned char>(sortie[0]) |
                                                   static_cast<unsigned char>(sortie[1]) << 8);
    EXPECT_EQ(platform::VersQString(std::string(1, entree)), QString(QChar(attendu)))
        << "byte " << b;
    ++compares;
  }
  iconv_close(cd);
  EXPECT_GE(compares, 123);  // at most the five undefined bytes have no reference
}
#endif

}  // namespace
