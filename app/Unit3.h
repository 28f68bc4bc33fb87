#pragma once
#include <QDialog>
#include <QString>
#include <filesystem>

class QLabel;
class QTabBar;
class QTextBrowser;
class QTextEdit;

// The help text as the help page shows it: the file's bytes up to the first Ctrl-Z (0x1A), each
// CR LF read as LF, decoded from Windows-1252. A missing or unreadable file gives an empty text.
QString LireTexteAide(const std::filesystem::path& fichier);

// Shows `texte` as plain text in `vue`, with every web address (http://, https://, www.) made a
// link. What a click on a link does is the view's business.
void AfficherAvecLiens(QTextBrowser& vue, const QString& texte);

// The about window: an about page (title picture, version, a note, author and contact) and a
// help page showing ".\Readme.txt" of the current directory, read once here. Shown modally with
// exec(); the page chosen last stays chosen between two showings.
class TForm3 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm3(QWidget* parent = nullptr);

  // Tab 0 shows the about page, any other tab the help page.
  void TabSet1Change(int nouvelOnglet);

 private:
  // Children of the window, owned by it.
  QTabBar* TabSet1;
  QLabel* Image1;
  QLabel* Label1;
  QTextEdit* Memo1;
  QLabel* Label3;
  QLabel* Label4;
  QTextBrowser* RichEdit1;
};
