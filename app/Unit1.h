#pragma once
#include <QMainWindow>
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "Catalogue.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class ImageOutil;
class TForm3;
class TMorvaneCheckBox;
class TMorvaneComboBox;
class TMorvaneEdit;

// The main window: owns the vehicle catalogue, shows the chosen vehicle or anim group in
// bound controls, and runs every command of the menu and of the tool pictures.
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* owner = nullptr);
  ~TForm1() override;

  // Vehicle catalogue and the window's state.
  Catalogue catalogue;
  std::map<std::int32_t, std::string> LabelsAnimGroup;  // number -> label
  std::map<std::string, std::int32_t> LabelsInverses;   // label -> number (byte order)
  std::string CheminFichier;                            // file read last (native bytes)
  bool FichierOuvert = false;
  // Flag check boxes by [digit - 1][bit value - 1]; null where the word has no box.
  using TableFlags = std::array<std::array<TMorvaneCheckBox*, 8>, 8>;
  TableFlags FlagsModele{}, FlagsConduite{};
  std::array<std::int32_t, 30> ValeursAnimGroup{};  // item index -> anim group number

  // Selection state.
  int TypeSelectionne = 0;  // 0 cars, 1 bikes, 2 flying vehicles, 3 boats
  decltype(catalogue.Voitures)::iterator VoitureCourante;
  decltype(catalogue.Motos)::iterator MotoCourante;
  decltype(catalogue.Avions)::iterator AvionCourant;
  decltype(catalogue.Bateaux)::iterator BateauCourant;
  CAISSE* CaisseAffichee = nullptr;
  decltype(catalogue.AnimGroups)::iterator GroupeCourant;

  // The about window, shown by Apropos1Click (set by the program entry; made on demand).
  TForm3* Form3 = nullptr;

  // Controls the handlers use (every control also carries its design name as object name).
  QTreeWidget* TreeView1 = nullptr;
  QListWidget* ListBox1 = nullptr;
  QListWidget* ListGroups = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QLineEdit* EditID = nullptr;
  QLabel* Image5 = nullptr;
  TMorvaneComboBox* ComboAnimationGroupCaisse = nullptr;
  QWidget *TabSheetGeneral = nullptr, *TabSheetSuspensions = nullptr, *TabSheet3 = nullptr,
          *TabSheet4 = nullptr, *TabSheetAvion = nullptr, *TabSheetBateau = nullptr,
          *TabSheetMoto = nullptr, *TabSheetAnimGroup = nullptr;
  ImageOutil *Image2 = nullptr, *Image3 = nullptr, *Image4 = nullptr, *Image6 = nullptr;

  // Opening (a path is the file system's bytes of the name).
  std::string FindGameHandlingFile();
  void OpenHandlingFile(const std::string& chemin);
  // Browser and anim group page.
  void TreeView1Change(QTreeWidgetItem* Node);
  void ListBox1Click();
  void ListGroupsClick();
  // Commands.
  void Ouvrir1Click();
  void SaveHandlingFile();
  void Sauvegarder1Click();
  void Enregistrersous1Click();
  void Quitter1Click();
  void Annuler1Click();
  void Toutrinitialiser1Click();
  void Res1Click();
  void Apropos1Click();
  void FormShow();
  void Image2Click();
  void Image3Click();
  void Image4Click();
  void Image6Click();

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  using Liaison = std::pair<TMorvaneEdit*, int>;  // edit, index of the record's text member
  void ConstruireFenetre();
  void ConstruireMenu();
  QWidget* ConstruirePageChamps(int indexPage);
  QWidget* ConstruirePageFlags(int indexPage);
  QWidget* ConstruirePageAnimGroup();
  void RemplirTableFlags();
  void ConstruireLibellesAnimGroup();
  void LierFlags(std::string& courant, std::string& defaut, TableFlags& table);
  void RetirerPage(QWidget* page);
  void AjouterPage(QWidget* page);
  void AfficherApercu();
  bool Enregistrer(const std::string& chemin);
  void TitreOuverture(const std::string& chemin);

  // Edits of each record's page, filled while the pages are built.
  std::vector<Liaison> liaisonsCaisse_, liaisonsMoto_, liaisonsAvion_, liaisonsBateau_,
      liaisonsGroupe_;
  std::vector<std::pair<TMorvaneCheckBox*, std::int32_t>> casesSpeciales_;
  std::map<QWidget*, QString> titresPages_;
};
