#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include "Traductions.h"

namespace {

std::string TexteDuBouton(QMessageBox::StandardButton bouton) {
  QMessageBox boite(QMessageBox::Question, "Attention", "?", QMessageBox::Yes | QMessageBox::No);
  return boite.button(bouton)->text().toStdString();
}

TEST(TraductionsFrancaises, LesBoutonsEtLeDialogueDeFichierParlentFrancais) {
  ASSERT_EQ(TexteDuBouton(QMessageBox::Yes), "&Yes");  // Qt's own text until then

  platform::ChargerTraductionsFrancaises(*QCoreApplication::instance());

  EXPECT_EQ(QLocale().language(), QLocale::French);
  EXPECT_EQ(TexteDuBouton(QMessageBox::Yes), "&Oui");
  EXPECT_EQ(TexteDuBouton(QMessageBox::No), "&Non");

  QFileDialog dialogue;
  dialogue.setOption(QFileDialog::DontUseNativeDialog);
  QStringList textes;
  for (const QLabel* etiquette : dialogue.findChildren<QLabel*>()) textes << etiquette->text();
  for (const QPushButton* bouton : dialogue.findChildren<QPushButton*>()) textes << bouton->text();
  EXPECT_TRUE(textes.contains("&Ouvrir")) << textes.join(" | ").toStdString();
}

}  // namespace
