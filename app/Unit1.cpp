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
#include <algorithm>
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

QString Nom(const std::string& octets) {
  return QFile::decodeName(octets.c_str());
}
std::string Octets(const QString& nom) {
  return QFile::encodeName(nom).toStdString();
}

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
  for (const auto& [edit, champ] : liaisons)
    edit->init(&champs[champ]->origine, &champs[champ]->valeur);
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
  const std::filesystem::path chemin =
      platform::CheminJeu(*dossier, "\\common\\data\\handling.dat");
  setWindowTitle(Nom(chemin.string()));
  return Lisible(chemin) ? chemin.string() : std::string();
}

void TForm1::TitreOuverture(const std::string& chemin) {
  setWindowTitle(QString::fromUtf8(kTitreOuverture) + Nom(NomFichier(chemin)));
}

void TForm1::OpenHandlingFile(const std::string& chemin) {
  // Read the whole file first: a file that cannot be read changes nothing at all.
  std::string contenu;
  const std::string raison = LireFichier(chemin, contenu);  // a folder fails here too
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
    // The map's byte order is already the list's order for ASCII names.
    if (!std::is_sorted(noms.cbegin(), noms.cend())) ListBox1->sortItems();
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
        case 1:
          Lier(liaisonsMoto_, *static_cast<MOTO*>(special));
          break;
        case 2:
          Lier(liaisonsAvion_, *static_cast<AVION*>(special));
          break;
        case 3:
          Lier(liaisonsBateau_, *static_cast<BATEAU*>(special));
          break;
        default:
          break;
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
    chemin = platform::Joindre(
        ici, "\\mini_screen\\" + platform::DepuisQString(EditID->text()) + ".jpg");
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
  QString texte = QString::fromUtf8("Impossible d'enregistrer le fichier : ") + Nom(chemin) + "\n" +
                  QString::fromUtf8(resultat.raison);
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

void TForm1::Sauvegarder1Click() {
  SaveHandlingFile();
}

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

void TForm1::Quitter1Click() {
  close();
}

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

void TForm1::Image2Click() {
  Ouvrir1Click();
}
void TForm1::Image3Click() {
  SaveHandlingFile();
}
void TForm1::Image4Click() {
  Annuler1Click();
}
void TForm1::Image6Click() {
  close();
}
