#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QImage>
#include <cstdlib>
#include <functional>

namespace {

struct Image {
  const char* chemin;
  QSize taille;
};

class ImagesCompilees : public ::testing::TestWithParam<Image> {};

TEST_P(ImagesCompilees, SeChargentALaBonneTaille) {
  const QImage image(QString::fromLatin1(GetParam().chemin));
  ASSERT_FALSE(image.isNull()) << GetParam().chemin;
  EXPECT_EQ(image.size(), GetParam().taille);
}

INSTANTIATE_TEST_SUITE_P(
    Toutes, ImagesCompilees,
    ::testing::Values(Image{":/imagelist/0.png", {94, 80}}, Image{":/imagelist/1.png", {94, 80}},
                      Image{":/imagelist/2.png", {94, 80}}, Image{":/imagelist/3.png", {94, 80}},
                      Image{":/imagelist/4.png", {94, 80}}, Image{":/imagelist/5.png", {94, 80}},
                      Image{":/imagelist/6.png", {94, 80}}, Image{":/imagelist/7.png", {94, 80}},
                      Image{":/banner.png", {353, 39}}, Image{":/centre_gravite.png", {60, 90}},
                      Image{":/titre.png", {500, 392}}, Image{":/icone.png", {256, 256}}));

QImage Outil(int i) {
  return QImage(QStringLiteral(":/imagelist/%1.png").arg(i));
}

// Average lightness of the opaque pixels.
double Clarte(const QImage& image) {
  double somme = 0;
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.alpha() < 255) continue;
      somme += c.lightnessF();
      ++n;
    }
  return n ? somme / n : 0;
}

struct Tuile {
  int index;
  const char* teinte;
  std::function<bool(const QColor&)> convient;
};

class TuilesOutils : public ::testing::TestWithParam<Tuile> {};

// The tile is rounded (its corners transparent, the mask) and of the colour of its command, so
// a picture put at the wrong index shows.
TEST_P(TuilesOutils, ArrondieEtDeLaBonneTeinte) {
  const QImage image = Outil(GetParam().index);
  ASSERT_TRUE(image.hasAlphaChannel());
  EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
  EXPECT_EQ(image.pixelColor(93, 79).alpha(), 0);
  EXPECT_EQ(image.pixelColor(47, 40).alpha(), 255);
  const QColor bord = image.pixelColor(5, 40);
  EXPECT_TRUE(GetParam().convient(bord)) << GetParam().teinte << " tile, got " << bord.red() << ","
                                         << bord.green() << "," << bord.blue();
}

bool Ambre(const QColor& c) {
  return c.red() > c.green() && c.green() > c.blue() + 20;
}
bool Rouge(const QColor& c) {
  return c.red() > 2 * c.green() && c.red() > 2 * c.blue();
}
bool Vert(const QColor& c) {
  return c.green() > c.red() + 30 && c.green() > c.blue() + 30;
}
bool Gris(const QColor& c) {
  return std::abs(c.red() - c.green()) < 12 && std::abs(c.green() - c.blue()) < 12 &&
         c.value() < 128;
}

INSTANTIATE_TEST_SUITE_P(Huit, TuilesOutils,
                         ::testing::Values(Tuile{0, "amber", Ambre}, Tuile{1, "amber", Ambre},
                                           Tuile{2, "red", Rouge}, Tuile{3, "red", Rouge},
                                           Tuile{4, "green", Vert}, Tuile{5, "green", Vert},
                                           Tuile{6, "grey", Gris}, Tuile{7, "grey", Gris}));

TEST(ImagesOutils, LaVersionEnfonceeEstPlusClaire) {
  for (const int normal : {0, 2, 4})
    EXPECT_GT(Clarte(Outil(normal + 1)), Clarte(Outil(normal)) + 0.03) << normal;
}

TEST(ImagesOutils, CroixBlancheEtCroixRouge) {
  const QColor blanche = Outil(6).pixelColor(47, 40);
  const QColor rouge = Outil(7).pixelColor(47, 40);
  EXPECT_GT(blanche.lightness(), 200);
  EXPECT_LT(blanche.saturation(), 30);
  EXPECT_TRUE(Rouge(rouge)) << rouge.red() << "," << rouge.green() << "," << rouge.blue();
}

TEST(Icone, LaVersionVectorielleEstCompilee) {
  QFile svg(QStringLiteral(":/icone.svg"));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  const QByteArray texte = svg.readAll();
  EXPECT_TRUE(texte.startsWith("<svg")) << texte.left(40).toStdString();
  EXPECT_TRUE(texte.contains("viewBox=\"0 0 256 256\""));
}

}  // namespace
