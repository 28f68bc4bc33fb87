#include "Unit3.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QTabBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>
#include <fstream>
#include <string>
#include <system_error>

#include "Registre.h"
#include "Texte.h"

QString LireTexteAide(const std::filesystem::path& fichier) {
  std::ifstream flux(fichier, std::ios::binary);
  if (!flux) return {};
  // read() turns a failing read (a folder, a device error) into badbit instead of throwing.
  std::string octets;
  char bloc[4096];
  while (flux.read(bloc, sizeof bloc) || flux.gcount() > 0)
    octets.append(bloc, static_cast<std::size_t>(flux.gcount()));
  if (flux.bad()) return {};

  // Ctrl-Z marks the end of a text file, whatever follows it.
  if (const auto fin = octets.find('\x1a'); fin != std::string::npos) octets.resize(fin);
  std::string texte;
  texte.reserve(octets.size());
  for (std::size_t i = 0; i < octets.size(); ++i) {
    if (octets[i] == '\r' && i + 1 < octets.size() && octets[i + 1] == '\n') continue;
    texte += octets[i];
  }
  return platform::VersQString(texte);
}

void AfficherAvecLiens(QTextBrowser& vue, const QString& texte) {
  static const QRegularExpression adresse(QStringLiteral(R"((https?://|www\.)[^\s<>"]+)"),
                                          QRegularExpression::CaseInsensitiveOption);
  vue.setPlainText(texte);
  // Positions in the document are positions in its plain text, one character each.
  const QString affiche = vue.document()->toPlainText();
  QTextCursor curseur(vue.document());
  for (auto trouvees = adresse.globalMatch(affiche); trouvees.hasNext();) {
    const QRegularExpressionMatch m = trouvees.next();
    QString lien = m.captured();
    // Punctuation that ends a sentence is not part of the address.
    while (!lien.isEmpty() && QStringLiteral(".,;:!?)]}'").contains(lien.back())) lien.chop(1);
    if (lien.size() <= m.capturedLength(1)) continue;  // a prefix alone is no address
    QTextCharFormat format;
    format.setAnchor(true);
    format.setAnchorHref(lien);
    format.setFontUnderline(true);
    format.setForeground(QColor(110, 190, 255));
    curseur.setPosition(static_cast<int>(m.capturedStart()));
    curseur.setPosition(static_cast<int>(m.capturedStart() + lien.size()), QTextCursor::KeepAnchor);
    curseur.mergeCharFormat(format);
  }
}

namespace {

void Peindre(QWidget& w, QPalette::ColorRole role, const QColor& couleur) {
  QPalette p = w.palette();
  p.setColor(role, couleur);
  w.setPalette(p);
}

QLabel* Etiquette(QWidget* parent, const char* nom, const QString& texte, int x, int y) {
  auto* label = new QLabel(texte, parent);
  label->setObjectName(QLatin1String(nom));
  Peindre(*label, QPalette::WindowText, Qt::yellow);
  label->move(x, y);
  label->adjustSize();
  return label;
}

// The note's lines were measured for a narrow font; with a wider one, shrink it (a little
// narrower first, then smaller) until the longest line fits on one line.
void AjusterALaLargeur(QTextEdit& memo) {
  const int place = memo.width() - 2 * static_cast<int>(memo.document()->documentMargin()) - 2;
  const QStringList lignes = memo.toPlainText().split(QLatin1Char('\n'));
  QFont police = memo.font();
  for (int taille = police.pixelSize(); taille >= 8; --taille) {
    for (const int largeur : {100, 95, 90}) {
      police.setPixelSize(taille);
      police.setStretch(largeur);
      const QFontMetrics mesure(police);
      int plusLongue = 0;
      for (const QString& ligne : lignes)
        plusLongue = std::max(plusLongue, mesure.horizontalAdvance(ligne));
      if (plusLongue <= place) {
        memo.setFont(police);
        return;
      }
    }
  }
  memo.setFont(police);
}

}  // namespace

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("A propos"));
  setWindowFlags(Qt::Tool | Qt::MSWindowsFixedSizeDialogHint);
  setModal(true);
  setFixedSize(626, 406);
  setAutoFillBackground(true);
  Peindre(*this, QPalette::Window, Qt::black);
  QFont police = font();
  police.setPixelSize(11);
  setFont(police);

  TabSet1 = new QTabBar(this);
  TabSet1->setObjectName(QStringLiteral("TabSet1"));
  TabSet1->setGeometry(0, -2, 433, 19);
  TabSet1->setDrawBase(false);
  TabSet1->setExpanding(false);
  // Tabs hang from the top edge; light on the black window so both captions read well.
  TabSet1->setStyleSheet(QStringLiteral(
      "QTabBar::tab { background: #3a3a3a; color: #d8d8d8; border: 1px solid #8a8a8a;"
      " border-top: none; border-bottom-left-radius: 3px; border-bottom-right-radius: 3px;"
      " padding: 2px 10px 1px 10px; margin-right: 1px; }"
      "QTabBar::tab:selected { background: #e8e8e8; color: black; }"
      "QTabBar::tab:hover:!selected { background: #505050; }"));
  TabSet1->addTab(QStringLiteral("A propos"));
  TabSet1->addTab(QStringLiteral("Utilisation de l'éditeur"));

  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(128, 24, 489, 381);
  Image1->setScaledContents(true);
  Image1->setPixmap(QPixmap(QStringLiteral(":/titre.png")));

  Label1 = Etiquette(this, "Label1", QStringLiteral("  Version 0.1       07/02/2009 "), 104, 224);

  Memo1 = new QTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setGeometry(48, 276, 273, 49);
  Memo1->setReadOnly(true);
  Memo1->setFrameShape(QFrame::NoFrame);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Peindre(*Memo1, QPalette::Base, Qt::black);
  Peindre(*Memo1, QPalette::Text, Qt::yellow);
  Memo1->document()->setDocumentMargin(1);
  Memo1->setPlainText(
      QStringLiteral("En attendant un programme plus dans l'ère du temps ;)\n"
                     "----\n"
                     "Cette version est surtout destinée aux impatients"));
  QTextCursor tout(Memo1->document());
  tout.select(QTextCursor::Document);
  QTextBlockFormat centre;
  centre.setAlignment(Qt::AlignHCenter);
  tout.mergeBlockFormat(centre);
  AjusterALaLargeur(*Memo1);

  Label3 = Etiquette(this, "Label3", QStringLiteral("  par Ardemus  "), 144, 344);
  Label4 =
      Etiquette(this, "Label4", QStringLiteral("Contact : ardemus@quintrel.example"), 120, 368);

  RichEdit1 = new QTextBrowser(this);
  RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
  RichEdit1->setGeometry(0, 24, 625, 377);
  RichEdit1->setFrameShape(QFrame::NoFrame);
  RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  RichEdit1->setOpenLinks(false);
  RichEdit1->setOpenExternalLinks(false);
  Peindre(*RichEdit1, QPalette::Base, Qt::black);
  Peindre(*RichEdit1, QPalette::Text, Qt::white);
  QFont fixe = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixe.setPixelSize(11);
  RichEdit1->setFont(fixe);
  RichEdit1->document()->setDocumentMargin(6);
  RichEdit1->hide();

  connect(TabSet1, &QTabBar::currentChanged, this, &TForm3::TabSet1Change);

  // Read once: editing the file later shows only at the next start.
  std::error_code erreur;
  const auto dossier = std::filesystem::current_path(erreur);
  if (!erreur)
    AfficherAvecLiens(*RichEdit1, LireTexteAide(platform::Joindre(dossier, ".\\Readme.txt")));

  if (const QScreen* ecran = screen()) move(ecran->availableGeometry().center() - rect().center());
}

void TForm3::TabSet1Change(int nouvelOnglet) {
  const bool aPropos = nouvelOnglet == 0;
  for (QWidget* w :
       {static_cast<QWidget*>(Image1), static_cast<QWidget*>(Label1), static_cast<QWidget*>(Memo1),
        static_cast<QWidget*>(Label3), static_cast<QWidget*>(Label4)})
    w->setVisible(aPropos);
  RichEdit1->setVisible(!aPropos);
}
