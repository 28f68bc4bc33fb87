// Construction of the main window: the form, its menu and its pages, built from tables.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPixmap>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "AtomicFile.h"
#include "Dialogues.h"
#include "Forme.h"
#include "HandlingWriter.h"
#include "ImageOutil.h"
#include "Morvanecheckbox.h"
#include "Morvanecombobox.h"
#include "Morvaneedit.h"
#include "Registre.h"
#include "Tables.h"
#include "Texte.h"
#include "Unit1.h"

namespace {

const char* const kTitreInitial = "Quintrel V0.1 ";

constexpr int kLargeurEdit = 62;
constexpr int kHauteurEdit = 17;

TMorvaneEdit* NouvelEdit(QWidget* parent, const char* nom) {
  auto* e = new TMorvaneEdit(parent);
  e->setObjectName(nom);
  e->setText("?");
  e->setFixedSize(kLargeurEdit, kHauteurEdit);
  return e;
}

QGroupBox* NouveauGroupe(QWidget* parent, const char* titre) {
  auto* g = new QGroupBox(QString::fromUtf8(titre), parent);
  QFont f = g->font();
  f.setBold(true);
  g->setFont(f);
  return g;
}

// Labels and controls inside a bold group box keep the normal font.
void PoliceNormale(QWidget* w) {
  QFont f = w->font();
  f.setBold(false);
  w->setFont(f);
}

// The long flag names and group labels fit their columns one pixel smaller.
void PolicePetite(QWidget* w) {
  QFont f = w->font();
  f.setBold(false);
  f.setPixelSize(10);
  w->setFont(f);
}

QGridLayout* GrilleCompacte(QWidget* parent) {
  auto* g = new QGridLayout(parent);
  g->setContentsMargins(5, 3, 5, 3);
  g->setHorizontalSpacing(4);
  g->setVerticalSpacing(1);
  return g;
}

}  // namespace

void TForm1::ConstruireFenetre() {
  setObjectName("Form1");
  setWindowTitle(kTitreInitial);
  // Fixed size, no maximise button, but an ordinary top-level window with a taskbar entry.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

  // A narrow sans-serif at 11 pixels, as the layout was designed for.
  QFont police;
  police.setFamilies({"Liberation Sans", "Arial", "DejaVu Sans"});
  police.setPixelSize(11);
  setFont(police);
  menuBar()->setFont(police);

  auto* client = new QWidget(this);
  client->setObjectName("ClientArea");
  client->setFixedSize(650, 465);
  client->setAutoFillBackground(true);
  QPalette pal = client->palette();
  pal.setColor(QPalette::Window, Qt::white);
  client->setPalette(pal);
  setCentralWidget(client);
  // The window takes the size of its menu and client area and cannot be resized.
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  auto forme = [client](const char* nom, QColor fond, QColor trait, int rayon, QRect r) {
    auto* f = new Forme(client, fond, trait, rayon);
    f->setObjectName(nom);
    f->setGeometry(r);
    return f;
  };
  auto etiquette = [client](const char* nom, const char* texte, QRect r, QColor couleur,
                            Qt::Alignment align) {
    auto* l = new QLabel(QString::fromUtf8(texte), client);
    l->setObjectName(nom);
    l->setGeometry(r);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setAlignment(align);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, couleur);
    l->setPalette(p);
    return l;
  };

  const QColor bleu = CouleurBGR(16046269), gris = CouleurBGR(15920347);
  forme("Shape5", Qt::black, Qt::black, 0, QRect(-8, 0, 657, 465));
  forme("Shape2", bleu, bleu, 10, QRect(8, 4, 129, 87));
  etiquette("Label17", "Type de véhicule", QRect(8, 6, 129, 16), Qt::black, Qt::AlignCenter);
  forme("Shape8", Qt::black, Qt::black, 0, QRect(16, 22, 113, 1));

  TreeView1 = new QTreeWidget(client);
  TreeView1->setObjectName("TreeView1");
  TreeView1->setGeometry(16, 25, 113, 64);
  TreeView1->setHeaderHidden(true);
  TreeView1->setRootIsDecorated(false);
  TreeView1->setFrameShape(QFrame::NoFrame);
  TreeView1->setIndentation(6);
  TreeView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  TreeView1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  {
    QPalette p = TreeView1->palette();
    p.setColor(QPalette::Base, bleu);
    // The selection stays visible when the tree loses the focus.
    p.setColor(QPalette::Inactive, QPalette::Highlight,
               p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText,
               p.color(QPalette::Active, QPalette::HighlightedText));
    TreeView1->setPalette(p);
  }
  for (const char* type : {"Voitures", "Motos", "Hélicos", "Bateaux"})
    TreeView1->addTopLevelItem(new QTreeWidgetItem(QStringList{QString::fromUtf8(type)}));
  connect(TreeView1, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* courant, QTreeWidgetItem*) {
            if (courant) TreeView1Change(courant);
          });

  // The label shows through while the preview holds no picture.
  auto* label88 = etiquette("Label88", "Pas d'aperçu disponible", QRect(8, 93, 129, 80), Qt::white,
                            Qt::AlignCenter);
  label88->setWordWrap(true);
  Image5 = new QLabel(client);
  Image5->setObjectName("Image5");
  Image5->setGeometry(8, 93, 129, 80);
  Image5->setAlignment(Qt::AlignCenter);
  Image5->setAttribute(Qt::WA_TranslucentBackground);

  forme("Shape3", gris, gris, 10, QRect(8, 176, 129, 281));
  etiquette("Label91", "Liste des véhicules", QRect(8, 181, 129, 16), Qt::black, Qt::AlignCenter);
  forme("Shape6", Qt::black, Qt::black, 0, QRect(16, 200, 113, 1));
  ListBox1 = new QListWidget(client);
  ListBox1->setObjectName("ListBox1");
  ListBox1->setGeometry(16, 208, 113, 241);
  ListBox1->setFrameShape(QFrame::NoFrame);
  ListBox1->setSortingEnabled(true);
  // Every row is one line in one font: lets the list skip measuring thousands of names.
  ListBox1->setUniformItemSizes(true);
  {
    QPalette p = ListBox1->palette();
    p.setColor(QPalette::Base, gris);
    ListBox1->setPalette(p);
  }
  // Raised for the user's mouse or keyboard selection; code selects under a signal blocker.
  connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int) { ListBox1Click(); });

  forme("Shape4", Qt::white, Qt::white, 12, QRect(144, 48, 489, 409));

  struct Outil {
    ImageOutil** image;
    const char* nom;
    int gauche;
    const char* bulle;
    int normale;
    void (TForm1::*commande)();
  };
  const Outil outils[] = {
      {&Image2, "Image2", 160, "Ouverture rapide ( ouvre le fichier handling du jeu s'il existe)",
       0, &TForm1::Image2Click},
      {&Image3, "Image3", 216, "Sauvegarder (CTRL+S)", 2, &TForm1::Image3Click},
      {&Image4, "Image4", 280, "Réinitialisation des valeurs du véhicule", 4, &TForm1::Image4Click},
      {&Image6, "Image6", 584, "Quitter", 6, &TForm1::Image6Click},
  };
  for (const Outil& o : outils) {
    auto* image = new ImageOutil(client, QPixmap(QString(":/imagelist/%1.png").arg(o.normale)),
                                 QPixmap(QString(":/imagelist/%1.png").arg(o.normale + 1)));
    image->setObjectName(o.nom);
    image->setGeometry(o.gauche, 6, 49, 37);
    image->setToolTip(QString::fromUtf8(o.bulle));
    image->Click = [this, c = o.commande] { (this->*c)(); };
    *o.image = image;
  }
  forme("Shape1", CouleurBGR(4227200), CouleurBGR(4227200), 0, QRect(272, 6, 3, 37));

  auto* image7 = new QLabel(client);
  image7->setObjectName("Image7");
  image7->setGeometry(208, 50, 353, 39);
  image7->setPixmap(QPixmap(":/banner.png"));
  image7->setScaledContents(true);
  forme("Shape7", Qt::black, Qt::black, 0, QRect(160, 88, 457, 1));

  PageControl1 = new QTabWidget(client);
  PageControl1->setObjectName("PageControl1");
  PageControl1->setGeometry(160, 96, 457, 345);
  PageControl1->setUsesScrollButtons(true);
  PageControl1->tabBar()->setStyleSheet("QTabBar::tab { padding: 3px 4px; }");
  PolicePetite(PageControl1->tabBar());
  QWidget** pagesChamps[] = {&TabSheetGeneral, &TabSheetSuspensions, &TabSheetAvion,
                             &TabSheetBateau, &TabSheetMoto};
  for (int i = 0; i < 5; ++i) *pagesChamps[i] = ConstruirePageChamps(i);
  TabSheet3 = ConstruirePageFlags(0);
  TabSheet4 = ConstruirePageFlags(1);
  TabSheetAnimGroup = ConstruirePageAnimGroup();
  for (QWidget* page : {TabSheetGeneral, TabSheetSuspensions, TabSheet3, TabSheet4, TabSheetAvion,
                        TabSheetBateau, TabSheetMoto, TabSheetAnimGroup})
    AjouterPage(page);
  PageControl1->setCurrentWidget(TabSheetGeneral);
}

void TForm1::ConstruireMenu() {
  QMenuBar* barre = menuBar();
  barre->setObjectName("MainMenu1");
  struct Article {
    const char* menu;
    const char* nom;
    const char* texte;
    QKeySequence raccourci;
    void (TForm1::*commande)();
  };
  const Article articles[] = {
      {"Fichier1", "Ouvrir1", "&Ouvrir ...", QKeySequence(Qt::CTRL | Qt::Key_O),
       &TForm1::Ouvrir1Click},
      {"Fichier1", "Sauvegarder1", "&Enregistrer", QKeySequence(Qt::CTRL | Qt::Key_S),
       &TForm1::Sauvegarder1Click},
      {"Fichier1", "Enregistrersous1", "Enregistrer sous ...", {}, &TForm1::Enregistrersous1Click},
      {"Fichier1", "Quitter1", "&Quitter", QKeySequence(Qt::CTRL | Qt::Key_F),
       &TForm1::Quitter1Click},
      {"Edition1", "Annuler1", "Valeurs par défaut pour ce véhicule",
       QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z), &TForm1::Annuler1Click},
      {"Edition1",
       "Toutrinitialiser1",
       "Tout réinitialiser (valeurs par défaut sur TOUS les véhicules)",
       {},
       &TForm1::Toutrinitialiser1Click},
      {"Edition1", "Res1", "&Restaurer le fichier original puis quitter", {}, &TForm1::Res1Click},
      {"N1", "Apropos1", "A propos ...", {}, &TForm1::Apropos1Click},
  };
  const std::pair<const char*, const char*> menus[] = {
      {"Fichier1", "&Fichier"}, {"Edition1", "Edition"}, {"N1", "?"}};
  std::map<std::string, QMenu*> parNom;
  for (const auto& [nom, texte] : menus) {
    QMenu* m = barre->addMenu(QString::fromUtf8(texte));
    m->setObjectName(nom);
    parNom[nom] = m;
  }
  for (const Article& a : articles) {
    QAction* action = parNom[a.menu]->addAction(QString::fromUtf8(a.texte));
    action->setObjectName(a.nom);
    action->setShortcut(a.raccourci);
    connect(action, &QAction::triggered, this, [this, c = a.commande] { (this->*c)(); });
  }
}

QWidget* TForm1::ConstruirePageChamps(int indexPage) {
  const PageChamps& def = PagesVehicule()[indexPage];
  auto* page = new QWidget(PageControl1);
  page->setObjectName(def.nomPage);
  titresPages_[page] = QString::fromUtf8(def.titre);
  auto* racine = new QVBoxLayout(page);
  racine->setContentsMargins(4, 4, 4, 4);
  racine->setSpacing(3);

  auto& liaisons = def.enregistrement == Enregistrement::Caisse  ? liaisonsCaisse_
                   : def.enregistrement == Enregistrement::Moto  ? liaisonsMoto_
                   : def.enregistrement == Enregistrement::Avion ? liaisonsAvion_
                                                                 : liaisonsBateau_;

  if (page->objectName() == "TabSheetGeneral") {
    // Two rows above the group boxes: the vehicle's name and its anim group.
    auto* haut = new QGridLayout;
    haut->setContentsMargins(4, 0, 4, 0);
    haut->setVerticalSpacing(2);
    haut->addWidget(new QLabel(QString::fromUtf8("Identifiant véhicule : "), page), 0, 0);
    EditID = new QLineEdit("##############", page);
    EditID->setObjectName("EditID");
    EditID->setReadOnly(true);
    EditID->setFixedSize(150, kHauteurEdit + 2);
    haut->addWidget(EditID, 0, 1, Qt::AlignLeft);
    haut->addWidget(new QLabel(QString::fromUtf8("Groupe d'animations : "), page), 1, 0);
    ComboAnimationGroupCaisse = new TMorvaneComboBox(page);
    ComboAnimationGroupCaisse->setObjectName("ComboAnimationGroupCaisse");
    ComboAnimationGroupCaisse->setFixedWidth(170);
    haut->addWidget(ComboAnimationGroupCaisse, 1, 1, Qt::AlignLeft);
    haut->setColumnStretch(2, 1);
    racine->addLayout(haut);
  }

  auto* colonnes = new QHBoxLayout;
  colonnes->setSpacing(6);
  QVBoxLayout* colonne[2] = {new QVBoxLayout, new QVBoxLayout};
  for (QVBoxLayout* c : colonne) {
    c->setSpacing(3);
    colonnes->addLayout(c, 1);
  }
  for (const GroupeChamps& groupe : def.groupes) {
    QGroupBox* boite = NouveauGroupe(page, groupe.titre);
    QGridLayout* grille = GrilleCompacte(boite);
    int colonneLabel = 0;
    if (std::string(groupe.titre) == "Centre de gravité : ") {
      // The fixed picture stands left of the three edits.
      auto* image1 = new QLabel(boite);
      image1->setObjectName("Image1");
      image1->setPixmap(QPixmap(":/centre_gravite.png")
                            .scaled(48, 58, Qt::KeepAspectRatio, Qt::SmoothTransformation));
      grille->addWidget(image1, 0, 0, static_cast<int>(groupe.lignes.size()), 1);
      colonneLabel = 1;
    }
    int ligne = 0;
    for (const LigneChamp& l : groupe.lignes) {
      auto* label = new QLabel(QString::fromUtf8(l.label), boite);
      PoliceNormale(label);
      TMorvaneEdit* edit = NouvelEdit(boite, l.controle);
      PoliceNormale(edit);
      label->setBuddy(edit);
      grille->addWidget(label, ligne, colonneLabel);
      grille->addWidget(edit, ligne, colonneLabel + 1, Qt::AlignRight);
      liaisons.push_back({edit, l.champ});
      ++ligne;
    }
    grille->setColumnStretch(colonneLabel, 1);
    colonne[groupe.colonne]->addWidget(boite);
  }
  for (QVBoxLayout* c : colonne) c->addStretch(1);
  racine->addLayout(colonnes, 1);
  return page;
}

QWidget* TForm1::ConstruirePageFlags(int indexPage) {
  const PageFlags& def = PagesFlags()[indexPage];
  auto* page = new QWidget(PageControl1);
  page->setObjectName(def.nomPage);
  titresPages_[page] = QString::fromUtf8(def.titre);
  auto* grille = new QGridLayout(page);
  grille->setContentsMargins(2, 3, 2, 3);
  grille->setSpacing(2);
  const char* prefixe = def.mot == 0 ? "ModelFlag" : "HandlingFlag";
  // Without spanning groups, each column stacks its groups at their own heights.
  bool colonnesLibres = true;
  for (const GroupeFlags& groupe : def.groupes) colonnesLibres &= groupe.largeur == 1;
  QVBoxLayout* piles[2] = {nullptr, nullptr};
  if (colonnesLibres)
    for (int c = 0; c < 2; ++c) {
      piles[c] = new QVBoxLayout;
      piles[c]->setSpacing(3);
      grille->addLayout(piles[c], 0, c);
      // The left column keeps what its names need; the right one takes the rest.
      grille->setColumnStretch(c, c);
    }
  for (const GroupeFlags& groupe : def.groupes) {
    QWidget* conteneur = groupe.titre ? NouveauGroupe(page, groupe.titre) : new QWidget(page);
    QGridLayout* cases = GrilleCompacte(conteneur);
    cases->setContentsMargins(2, 2, 2, 2);
    cases->setHorizontalSpacing(1);
    const int n = static_cast<int>(groupe.boites.size());
    const int lignes = (n + groupe.colonnesInternes - 1) / groupe.colonnesInternes;
    for (int i = 0; i < n; ++i) {
      const auto [chiffre, bit] = groupe.boites[i];
      const char* legende = NomFlag(def.mot, chiffre, bit);
      auto* boite = new TMorvaneCheckBox(conteneur);
      boite->setObjectName(QString("%1%2%3").arg(prefixe).arg(chiffre).arg(bit));
      boite->setText(QString::fromUtf8(legende));
      PolicePetite(boite);
      boite->setFixedHeight(16);
      // The "N/A" bits are bound like the others but never shown.
      if (std::string(legende) == "N/A") boite->setVisible(false);
      cases->addWidget(boite, i % lignes, i / lignes);
    }
    if (colonnesLibres)
      piles[groupe.colonne]->addWidget(conteneur);
    else
      grille->addWidget(conteneur, groupe.ligne, groupe.colonne, 1, groupe.largeur);
  }
  for (QVBoxLayout* pile : piles)
    if (pile) pile->addStretch(1);
  if (!colonnesLibres) {
    // The first column holds short names; the others need the room.
    grille->setColumnStretch(0, 0);
    grille->setColumnStretch(1, 1);
    grille->setColumnStretch(2, 1);
  }
  grille->setRowStretch(grille->rowCount(), 1);
  return page;
}

QWidget* TForm1::ConstruirePageAnimGroup() {
  auto* page = new QWidget(PageControl1);
  page->setObjectName("TabSheetAnimGroup");
  titresPages_[page] = QString::fromUtf8("Grp. anim.");
  auto* racine = new QHBoxLayout(page);
  racine->setContentsMargins(4, 4, 4, 4);
  racine->setSpacing(6);

  // The list of groups on its light yellow rounded panel.
  const QColor jaune = CouleurBGR(12058623);
  auto* panneau = new Forme(page, jaune, jaune, 10);
  panneau->setAttribute(Qt::WA_TransparentForMouseEvents, false);
  panneau->setFixedWidth(146);
  auto* pile = new QVBoxLayout(panneau);
  pile->setContentsMargins(2, 4, 1, 6);
  pile->setSpacing(2);
  auto* titre = new QLabel("Liste des groupes", panneau);
  QFont gras = titre->font();
  gras.setBold(true);
  titre->setFont(gras);
  titre->setAlignment(Qt::AlignCenter);
  pile->addWidget(titre);
  ListGroups = new QListWidget(panneau);
  ListGroups->setObjectName("ListGroups");
  ListGroups->setFrameShape(QFrame::NoFrame);
  ListGroups->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  PolicePetite(ListGroups);
  {
    QPalette p = ListGroups->palette();
    p.setColor(QPalette::Base, jaune);
    ListGroups->setPalette(p);
  }
  pile->addWidget(ListGroups);
  connect(ListGroups, &QListWidget::currentRowChanged, this, [this](int) { ListGroupsClick(); });
  racine->addWidget(panneau);

  auto* droite = new QVBoxLayout;
  droite->setSpacing(3);
  racine->addLayout(droite, 1);
  // "Ouverture des portes": six rows left, seven right. "Groupes d'animations": one row per
  // action, the "(prio)" folder left and the "(defaut)" folder right.
  for (const GroupeChamps& groupe : GroupesAnimGroup()) {
    QGroupBox* boite = NouveauGroupe(page, groupe.titre);
    QGridLayout* grille = GrilleCompacte(boite);
    const bool portes = std::string(groupe.titre) == "Ouverture des portes";
    for (int i = 0; i < static_cast<int>(groupe.lignes.size()); ++i) {
      const LigneChamp& l = groupe.lignes[i];
      const int ligne = portes ? (i < 6 ? i : i - 6) : i / 2;
      const int colonne = portes ? (i < 6 ? 0 : 2) : (i % 2) * 2;
      auto* label = new QLabel(QString::fromUtf8(l.label), boite);
      PoliceNormale(label);
      TMorvaneEdit* edit = NouvelEdit(boite, l.controle);
      edit->setFixedWidth(42);
      PoliceNormale(edit);
      label->setBuddy(edit);
      grille->addWidget(label, ligne, colonne);
      grille->addWidget(edit, ligne, colonne + 1);
      liaisonsGroupe_.push_back({edit, l.champ});
    }
    grille->setColumnStretch(0, 1);
    grille->setColumnStretch(2, 1);
    droite->addWidget(boite);
  }
  QGroupBox* flags = NouveauGroupe(page, "Flags : ");
  QGridLayout* grille = GrilleCompacte(flags);
  const auto& cases = CasesSpecialFlag();
  for (int i = 0; i < static_cast<int>(cases.size()); ++i) {
    auto* boite = new TMorvaneCheckBox(flags);
    boite->setObjectName(cases[i].controle);
    boite->setText(QString::fromUtf8(cases[i].legende));
    PolicePetite(boite);
    if (i < 4) {
      grille->addWidget(boite, i, 0);
    } else {
      // Right column: caption to the left of the box.
      boite->setLayoutDirection(Qt::RightToLeft);
      grille->addWidget(boite, i - 4, 1, Qt::AlignRight);
    }
    casesSpeciales_.push_back({boite, cases[i].bit});
  }
  grille->setHorizontalSpacing(2);
  grille->setColumnStretch(0, 1);
  droite->addWidget(flags);
  droite->addStretch(1);
  return page;
}

void TForm1::RemplirTableFlags() {
  static const QRegularExpression nom("^(ModelFlag|HandlingFlag)([1-8])([1248])$");
  for (TMorvaneCheckBox* boite : findChildren<TMorvaneCheckBox*>()) {
    const auto m = nom.match(boite->objectName());
    if (!m.hasMatch()) continue;
    TableFlags& table = m.captured(1) == "ModelFlag" ? FlagsModele : FlagsConduite;
    table[m.captured(2).toInt() - 1][m.captured(3).toInt() - 1] = boite;
  }
}

void TForm1::ConstruireLibellesAnimGroup() {
  const auto& libelles = LibellesAnimGroup();
  for (int n = 0; n < static_cast<int>(libelles.size()); ++n) LabelsAnimGroup[n] = libelles[n];
  for (const auto& [numero, libelle] : LabelsAnimGroup) LabelsInverses[libelle] = numero;
  int i = 0;
  for (const auto& [libelle, numero] : LabelsInverses) {
    ComboAnimationGroupCaisse->addItem(platform::VersQString(libelle));
    ListGroups->addItem(platform::VersQString(libelle));
    ValeursAnimGroup[i++] = numero;
  }
  // Filling a combo box selects its first item; nothing is shown until a vehicle is.
  ComboAnimationGroupCaisse->setCurrentIndex(-1);
}
