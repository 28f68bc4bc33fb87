#include "Dialogues.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <array>

namespace platform {
namespace {

struct FormeBoite {
  QMessageBox::Icon icone;
  QMessageBox::StandardButtons boutons;
  QMessageBox::StandardButton parDefaut;
};

// Indexed by Style.
const std::array<FormeBoite, 3> kFormes = {{
    {QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No},
    {QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok},
    {QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok},
}};

void Preparer(QFileDialog& dialogue, const QString& nomInitial) {
  // Any name is accepted, existing or not: the caller deals with a file it cannot read.
  dialogue.setFileMode(QFileDialog::AnyFile);
#ifndef Q_OS_WIN
  // Qt's own dialog speaks the program's French and accepts a missing file in an open dialog,
  // which desktop dialogs on Linux do not all allow.
  dialogue.setOption(QFileDialog::DontUseNativeDialog);
#endif
  if (!nomInitial.isEmpty()) {
    const QFileInfo info(nomInitial);
    dialogue.setDirectory(info.absolutePath());
    dialogue.selectFile(info.fileName());
  }
}

std::optional<QString> Executer(QFileDialog& dialogue) {
  if (dialogue.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList choisis = dialogue.selectedFiles();
  if (choisis.isEmpty()) return std::nullopt;
  return choisis.first();
}

}  // namespace

Seams& seams() {
  static Seams lesSeams;
  return lesSeams;
}

Reponse AfficherMessage(QWidget* parent, Style style, const QString& titre, const QString& texte) {
  if (seams().message) return seams().message(Message{style, titre, texte});

  const FormeBoite& forme = kFormes[static_cast<std::size_t>(style)];
  QMessageBox boite(forme.icone, titre, texte, forme.boutons, parent);
  boite.setTextFormat(Qt::PlainText);  // texts are shown as written, never read as markup
  boite.setDefaultButton(forme.parDefaut);
  const int choix = boite.exec();
  if (style != Style::Question) return Reponse::Ok;
  // Escape and the close button count as No, as for any unanswered question.
  return choix == QMessageBox::Yes ? Reponse::Oui : Reponse::Non;
}

std::optional<QString> DemanderFichierAOuvrir(QWidget* parent, const QString& nomInitial,
                                              const QString& filtre) {
  if (seams().ouvrir) return seams().ouvrir(nomInitial);

  QFileDialog dialogue(parent);
  dialogue.setAcceptMode(QFileDialog::AcceptOpen);
  dialogue.setNameFilter(filtre);
  Preparer(dialogue, nomInitial);
  return Executer(dialogue);
}

std::optional<QString> DemanderFichierAEnregistrer(QWidget* parent, const QString& nomInitial) {
  if (seams().enregistrer) return seams().enregistrer(nomInitial);

  QFileDialog dialogue(parent);
  dialogue.setAcceptMode(QFileDialog::AcceptSave);
  Preparer(dialogue, nomInitial);
  return Executer(dialogue);
}

}  // namespace platform
