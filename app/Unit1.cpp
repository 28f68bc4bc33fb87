#include "Unit1.h"

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
#include "Unit2.h"
#include "Unit3.h"

namespace {

const char* const kTitreInitial = "Quintrel V0.1 ";
const char* const kTitreOuverture = "Quintrel V0.1  (par Ardemus) - Ouverture de : ";
const char* const kCleJeu = "SOFTWARE\\Tamberlin Games\\Morvane";

const char* const kQuestionVehicule =
    "Vous vous apprêtez à écraser toutes les valeurs du véhicule en cours d'édition avec ses "
    "valeurs par défaut. Cela entraînera la perte de toutes vos modifications pour ce "
    "véhicule.\nVoulez-vous continuer ?";
const char* const kQuestionTout =
    "Vous vous apprêtez écraser toutes les valeurs de tous les véhicules avec leurs valeurs par "
    "défaut. Cela entraînera la perte de toutes vos modifications.\nVoulez-vous continuer ?";
const char* const kQuestionRestaurer =
    "Vous vous apprêtez à restaurer votre fichier de jeu par le fichier original. Cela "
    "entraînera la perte de toutes vos modifications.\nVoulez-vous continuer ?";

QString Nom(const std::string& octets) { return QFile::decodeName(octets.c_str()); }
std::string Octets(const QString& nom) { return QFile::encodeName(nom).toStdString(); }

// The part of a path after its last separator, as the caption shows it.
std::string NomFichier(const std::string& chemin) {
  const auto pos = chemin.find_last_of("/\\");
  return pos == std::string::npos ? chemin : chemin.substr(pos + 1);
}

bool Question(QWidget* parent, const char* texte) {
  return platform::AfficherMessage(parent, platform::Style::Question, "Attention",
                                   QString::fromUtf8(texte)) == platform::Reponse::Oui;
}

void Erreur(QWidget* parent, const QString& texte) {
  platform::AfficherMessage(parent, platform::Style::Erreur, "Erreur", texte);
}

// Readable as a file (a folder of that name is not).
bool Lisible(const std::filesystem::path& chemin) {
  std::error_code ec;
  if (std::filesystem::is_directory(chemin, ec)) return false;
  std::ifstream f(chemin, std::ios::binary);
  return static_cast<bool>(f);
}

template <typename Record>
void Lier(const std::vector<std::pair<TMorvaneEdit*, int>>& liaisons, Record& r) {
  // Each edit gets the field's default and the address of its current value.
  auto champs = r.textes();
  for (const auto& [edit, champ] : liaisons) edit->init(&champs[champ]->origine, &champs[champ]->valeur);
}

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

TForm1::TForm1(QWidget* owner) : QMainWindow(owner) {
  // 1. The form and its controls.
  ConstruireFenetre();
  ConstruireMenu();
  // 2. Empty catalogue, label tables and file path are members.
  VoitureCourante = catalogue.Voitures.end();
  MotoCourante = catalogue.Motos.end();
  AvionCourant = catalogue.Avions.end();
  BateauCourant = catalogue.Bateaux.end();
  GroupeCourant = catalogue.AnimGroups.end();
  // 3 to 5. The stock handling text gives every record its default values.
  {
    std::stringstream flux;
    InsertDefaultHandlingText(flux);
    LectureDefauts = true;
    FichierOuvert = false;
    ReadHandlingText(catalogue, flux);
  }
  // 6 and 7.
  RemplirTableFlags();
  ConstruireLibellesAnimGroup();
  // 8. The game's own file, when the registry leads to one.
  const std::string chemin = FindGameHandlingFile();
  if (!chemin.empty()) OpenHandlingFile(chemin);
}

TForm1::~TForm1() = default;

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
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
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
  auto* label88 = etiquette("Label88", "Pas d'aperçu disponible", QRect(8, 93, 129, 80),
                            Qt::white, Qt::AlignCenter);
  label88->setWordWrap(true);
  Image5 = new QLabel(client);
  Image5->setObjectName("Image5");
  Image5->setGeometry(8, 93, 129, 80);
  Image5->setAlignment(Qt::AlignCenter);
  Image5->setAttribute(Qt::WA_TranslucentBackground);

  forme("Shape3", gris, gris, 10, QRect(8, 176, 129, 281));
  etiquette("Label91", "Liste des véhicules", QRect(8, 181, 129, 16), Qt::black,
            Qt::AlignCenter);
  forme("Shape6", Qt::black, Qt::black, 0, QRect(16, 200, 113, 1));
  ListBox1 = new QListWidget(client);
  ListBox1->setObjectName("ListBox1");
  ListBox1->setGeometry(16, 208, 113, 241);
  ListBox1->setFrameShape(QFrame::NoFrame);
  ListBox1->setSortingEnabled(true);
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
      {&Image2, "Image2", 160,
       "Ouverture rapide ( ouvre le fichier handling du jeu s'il existe)", 0,
       &TForm1::Image2Click},
      {&Image3, "Image3", 216, "Sauvegarder (CTRL+S)", 2, &TForm1::Image3Click},
      {&Image4, "Image4", 280, "Réinitialisation des valeurs du véhicule", 4,
       &TForm1::Image4Click},
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
      {"Edition1", "Toutrinitialiser1",
       "Tout réinitialiser (valeurs par défaut sur TOUS les véhicules)", {},
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

void TForm1::RetirerPage(QWidget* page) {
  const int index = PageControl1->indexOf(page);
  if (index >= 0) PageControl1->removeTab(index);
}

void TForm1::AjouterPage(QWidget* page) {
  if (PageControl1->indexOf(page) < 0) PageControl1->addTab(page, titresPages_.at(page));
}

std::string TForm1::FindGameHandlingFile() {
  const auto dossier = platform::LireRegistreHKLM(kCleJeu, "InstallFolder");
  if (!dossier) return {};
  const std::filesystem::path chemin = platform::CheminJeu(*dossier, "\\common\\data\\handling.dat");
  setWindowTitle(Nom(chemin.string()));
  return Lisible(chemin) ? chemin.string() : std::string();
}

void TForm1::TitreOuverture(const std::string& chemin) {
  setWindowTitle(QString::fromUtf8(kTitreOuverture) + Nom(NomFichier(chemin)));
}

void TForm1::OpenHandlingFile(const std::string& chemin) {
  // Read the whole file first: a file that cannot be read changes nothing at all.
  std::string contenu;
  const std::string raison =
      Lisible(chemin) ? LireFichier(chemin, contenu) : std::string("fichier illisible");
  if (!raison.empty()) {
    Erreur(this, QString::fromUtf8("Impossible d'ouvrir le fichier : ") + Nom(chemin));
    return;
  }
  TitreOuverture(chemin);
  if (!LectureDefauts) ReturnCarRecords(catalogue);
  LectureDefauts = false;
  {
    const QSignalBlocker bloque(ListBox1);
    ListBox1->clear();
  }
  ReadHandlingText(catalogue, std::string_view(contenu));
  AttachCarRecords(catalogue);
  // The cursors may point at entries the attach took out.
  VoitureCourante = catalogue.Voitures.end();
  MotoCourante = catalogue.Motos.end();
  AvionCourant = catalogue.Avions.end();
  BateauCourant = catalogue.Bateaux.end();
  QTreeWidgetItem* voitures = TreeView1->topLevelItem(0);
  {
    const QSignalBlocker bloque(TreeView1);
    TreeView1->setCurrentItem(voitures);
  }
  TreeView1Change(voitures);
  FichierOuvert = true;
  CheminFichier = chemin;
  // A group on display shows the new file's values.
  if (GroupeCourant != catalogue.AnimGroups.end()) ListGroupsClick();
}

void TForm1::Ouvrir1Click() {
  const std::string chemin = FindGameHandlingFile();
  const auto choisi = platform::DemanderFichierAOuvrir(
      this, Nom(chemin), "Fichiers handling (*.dat *.cfg);;Tous les fichiers (*)");
  if (!choisi || choisi->isEmpty()) return;
  OpenHandlingFile(Octets(*choisi));
}

void TForm1::TreeView1Change(QTreeWidgetItem* Node) {
  {
    const QSignalBlocker bloque(ListBox1);
    ListBox1->clear();
  }
  TypeSelectionne = TreeView1->indexOfTopLevelItem(Node);
  if (LectureDefauts) return;

  RetirerPage(TabSheetAnimGroup);
  RetirerPage(TabSheet3);
  RetirerPage(TabSheet4);
  QStringList noms;
  auto lister = [&noms](const auto& table) {
    noms.reserve(static_cast<qsizetype>(table.size()));
    for (const auto& entree : table) noms.append(platform::VersQString(entree.first));
  };
  switch (TypeSelectionne) {
    case 0:
      lister(catalogue.Voitures);
      VoitureCourante = catalogue.Voitures.end();
      RetirerPage(TabSheetAvion);
      RetirerPage(TabSheetBateau);
      RetirerPage(TabSheetMoto);
      break;
    case 1:
      lister(catalogue.Motos);
      MotoCourante = catalogue.Motos.end();
      RetirerPage(TabSheetAvion);
      RetirerPage(TabSheetBateau);
      AjouterPage(TabSheetMoto);
      break;
    case 2:
      lister(catalogue.Avions);
      AvionCourant = catalogue.Avions.end();
      RetirerPage(TabSheetBateau);
      RetirerPage(TabSheetMoto);
      AjouterPage(TabSheetAvion);
      break;
    case 3:
      lister(catalogue.Bateaux);
      BateauCourant = catalogue.Bateaux.end();
      RetirerPage(TabSheetMoto);
      RetirerPage(TabSheetAvion);
      AjouterPage(TabSheetBateau);
      break;
  }
  {
    // One sort for the whole list rather than one per inserted name.
    const QSignalBlocker bloque(ListBox1);
    ListBox1->setSortingEnabled(false);
    ListBox1->addItems(noms);
    ListBox1->setSortingEnabled(true);
    ListBox1->sortItems();
  }
  AjouterPage(TabSheet3);
  AjouterPage(TabSheet4);
  AjouterPage(TabSheetAnimGroup);
  PageControl1->setCurrentWidget(TabSheetGeneral);
  if (ListBox1->count() > 0) {
    {
      const QSignalBlocker bloque(ListBox1);
      ListBox1->setCurrentRow(0);
    }
    ListBox1Click();
  }
}

void TForm1::LierFlags(std::string& courant, std::string& defaut, TableFlags& table) {
  NormaliserFlags(courant);
  NormaliserFlags(defaut);
  for (int k = 0; k < 8; ++k)
    for (int bit : {1, 2, 4, 8})
      if (TMorvaneCheckBox* boite = table[k][bit - 1])
        boite->init(defaut, &courant, 7 - k, static_cast<std::int16_t>(bit));
}

void TForm1::ListBox1Click() {
  QListWidgetItem* choisi = ListBox1->currentItem();
  if (choisi) {
    const std::string nom = platform::DepuisQString(choisi->text());
    MorvaneStruct* special = nullptr;
    CAISSE* caisse = nullptr;
    switch (TypeSelectionne) {
      case 0:
        VoitureCourante = catalogue.Voitures.find(nom);
        if (VoitureCourante != catalogue.Voitures.end()) caisse = VoitureCourante->second;
        break;
      case 1:
        MotoCourante = catalogue.Motos.find(nom);
        if (MotoCourante != catalogue.Motos.end())
          special = MotoCourante->second, caisse = MotoCourante->second->voiture;
        break;
      case 2:
        AvionCourant = catalogue.Avions.find(nom);
        if (AvionCourant != catalogue.Avions.end())
          special = AvionCourant->second, caisse = AvionCourant->second->voiture;
        break;
      case 3:
        BateauCourant = catalogue.Bateaux.find(nom);
        if (BateauCourant != catalogue.Bateaux.end())
          special = BateauCourant->second, caisse = BateauCourant->second->voiture;
        break;
    }
    if (caisse) {
      CaisseAffichee = caisse;
      EditID->setText(platform::VersQString(nom));
      Lier(liaisonsCaisse_, *caisse);
      ComboAnimationGroupCaisse->init(caisse->m_nAnimGroup.origine, &caisse->m_nAnimGroup.valeur,
                                      ValeursAnimGroup.data());
      LierFlags(caisse->mFlags.valeur, caisse->mFlags.origine, FlagsModele);
      LierFlags(caisse->hFlags.valeur, caisse->hFlags.origine, FlagsConduite);
      switch (TypeSelectionne) {
        case 1: Lier(liaisonsMoto_, *static_cast<MOTO*>(special)); break;
        case 2: Lier(liaisonsAvion_, *static_cast<AVION*>(special)); break;
        case 3: Lier(liaisonsBateau_, *static_cast<BATEAU*>(special)); break;
        default: break;
      }
    }
  }
  AfficherApercu();
}

void TForm1::AfficherApercu() {
  std::filesystem::path chemin;
  std::error_code ec;
  const std::filesystem::path ici = std::filesystem::current_path(ec);
  if (!ec)
    chemin = platform::Joindre(ici, "\\mini_screen\\" + platform::DepuisQString(EditID->text()) +
                                        ".jpg");
  if (chemin.empty() || !std::filesystem::is_regular_file(chemin, ec)) {
    Image5->clear();
    return;
  }
  QPixmap image;
  if (!image.load(Nom(chemin.string()))) {
    Image5->clear();
    Erreur(this, QString::fromUtf8("Image d'aperçu illisible : ") + Nom(chemin.string()));
    return;
  }
  Image5->setPixmap(image.scaled(Image5->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void TForm1::ListGroupsClick() {
  QListWidgetItem* choisi = ListGroups->currentItem();
  if (!choisi) return;
  const auto libelle = LabelsInverses.find(platform::DepuisQString(choisi->text()));
  if (libelle == LabelsInverses.end()) return;
  GroupeCourant = catalogue.AnimGroups.find(libelle->second);
  if (GroupeCourant == catalogue.AnimGroups.end()) return;
  ANIMGROUP& groupe = *GroupeCourant->second;
  Lier(liaisonsGroupe_, groupe);
  for (const auto& [boite, bit] : casesSpeciales_)
    boite->init(groupe.SpecialFlag.origine, &groupe.SpecialFlag.valeur, bit);
}

bool TForm1::Enregistrer(const std::string& chemin) {
  const ResultatEcriture resultat = WriteHandlingFile(catalogue, chemin);
  if (resultat.ok) return true;
  QString texte = QString::fromUtf8("Impossible d'enregistrer le fichier : ") + Nom(chemin) +
                  "\n" + QString::fromUtf8(resultat.raison);
  const std::size_t montres = std::min<std::size_t>(resultat.fautifs.size(), 10);
  for (std::size_t i = 0; i < montres; ++i)
    texte += "\n" + platform::VersQString(resultat.fautifs[i].enregistrement) + " : " +
             QString::fromUtf8(resultat.fautifs[i].champ);
  if (resultat.fautifs.size() > montres)
    texte += QString::fromUtf8("\n... et %1 autres").arg(resultat.fautifs.size() - montres);
  Erreur(this, texte);
  return false;
}

void TForm1::SaveHandlingFile() {
  if (!FichierOuvert) return;
  // On failure the file, the records and the screen stay as they were.
  if (Enregistrer(CheminFichier)) ListBox1Click();
}

void TForm1::Sauvegarder1Click() { SaveHandlingFile(); }

void TForm1::Enregistrersous1Click() {
  if (!FichierOuvert) return;
  const auto choisi = platform::DemanderFichierAEnregistrer(this, Nom(CheminFichier));
  if (!choisi || choisi->isEmpty()) return;
  const std::string chemin = Octets(*choisi);
  if (!Enregistrer(chemin)) return;
  CheminFichier = chemin;
  TitreOuverture(chemin);
  ListBox1Click();
}

void TForm1::Quitter1Click() { close(); }

void TForm1::Annuler1Click() {
  if (!FichierOuvert) return;
  if (!Question(this, kQuestionVehicule)) return;
  if (PageControl1->currentWidget() == TabSheetAnimGroup) {
    if (GroupeCourant != catalogue.AnimGroups.end()) GroupeCourant->second->reset();
    ListGroupsClick();
    return;
  }
  switch (TypeSelectionne) {
    case 0:
      if (CaisseAffichee) CaisseAffichee->reset();
      break;
    case 1:
      if (MotoCourante != catalogue.Motos.end()) MotoCourante->second->reset();
      break;
    case 2:
      if (AvionCourant != catalogue.Avions.end()) AvionCourant->second->reset();
      break;
    case 3:
      if (BateauCourant != catalogue.Bateaux.end()) BateauCourant->second->reset();
      break;
  }
  ListBox1Click();
}

void TForm1::Toutrinitialiser1Click() {
  if (!FichierOuvert) return;
  if (!Question(this, kQuestionTout)) return;
  ResetAllRecords(catalogue);
  ListBox1Click();
  ListGroupsClick();
}

void TForm1::Res1Click() {
  std::filesystem::path sauvegarde;
  std::error_code ec;
  const std::filesystem::path ici = std::filesystem::current_path(ec);
  if (!ec) {
    const auto candidat = platform::Joindre(ici, ".\\backup\\handling.dat.backup");
    if (Lisible(candidat)) sauvegarde = candidat;
  }
  setWindowTitle(Nom(sauvegarde.string()));
  if (sauvegarde.empty()) {
    Erreur(this, "Impossible de trouver le fichier de restauration");
    return;
  }
  if (CheminFichier.empty()) {
    Erreur(this, QString::fromUtf8("Aucun fichier handling n'est actuellement ouvert"));
    return;
  }
  if (!Question(this, kQuestionRestaurer)) return;
  // Read the backup whole before the target is touched: the target may be the backup itself.
  std::string contenu;
  std::string raison = LireFichier(sauvegarde, contenu);
  if (raison.empty()) raison = RemplacerFichier(CheminFichier, contenu);
  if (!raison.empty()) {
    Erreur(this, QString::fromUtf8("La restauration a échoué : ") + QString::fromUtf8(raison));
    return;
  }
  platform::AfficherMessage(this, platform::Style::Information, "Quintrel",
                            QString::fromUtf8("Restauration effectuée.\nLe programme va "
                                              "maintenant se fermer"));
  close();
}

void TForm1::Apropos1Click() {
  if (!Form3) Form3 = new TForm3(this);
  Form3->exec();
}

void TForm1::FormShow() {}

void TForm1::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (QScreen* ecran = screen()) {
    QRect cadre = frameGeometry();
    cadre.moveCenter(ecran->availableGeometry().center());
    move(cadre.topLeft());
  }
  FormShow();
}

void TForm1::Image2Click() { Ouvrir1Click(); }
void TForm1::Image3Click() { SaveHandlingFile(); }
void TForm1::Image4Click() { Annuler1Click(); }
void TForm1::Image6Click() { close(); }
