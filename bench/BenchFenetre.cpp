// The main window, offscreen: start-up, a click in the vehicle list, a change of kind and the
// memory of the process, each beside a floor of plain Qt widgets.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QListWidget>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTreeWidget>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "Dialogues.h"
#include "Entrees.h"
#include "Morvanecheckbox.h"
#include "Morvanecombobox.h"
#include "PlancherFenetre.h"
#include "Registre.h"
#include "Resume.h"
#include "Tables.h"
#include "Texte.h"
#include "Unit1.h"

namespace fs = std::filesystem;

namespace {

// No registry value: the window starts with no file, as on a machine without the game. Any
// message box would mean that a benchmark went wrong.
int messages = 0;
void RemplacerMachine() {
  platform::registreDeTest() = [](std::string_view, std::string_view) {
    return std::optional<std::string>();
  };
  platform::seams().message = [](const platform::Message&) {
    ++messages;
    return platform::Reponse::Non;
  };
  // Offscreen Qt warns about what it cannot do (window positions and the like).
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
}

// Runs what Qt has queued (repaints, deferred deletes) outside the timed part.
void Vider() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

std::unique_ptr<TForm1> Demarrer(const fs::path* fichier) {
  auto f = std::make_unique<TForm1>();
  if (fichier) f->OpenHandlingFile(fichier->string());
  return f;
}

void ChoisirType(TForm1& f, int sorte) {
  QTreeWidgetItem* noeud = f.TreeView1->topLevelItem(sorte);
  {
    const QSignalBlocker bloque(f.TreeView1);
    f.TreeView1->setCurrentItem(noeud);
  }
  f.TreeView1Change(noeud);
}

void ChoisirLigne(TForm1& f, int ligne) {
  const QSignalBlocker bloque(f.ListBox1);
  f.ListBox1->setCurrentRow(ligne);
}

// The row of a vehicle in the list.
int Ligne(TForm1& f, const QString& nom) {
  const auto trouves = f.ListBox1->findItems(nom, Qt::MatchExactly);
  return trouves.isEmpty() ? -1 : f.ListBox1->row(trouves.front());
}

// Names of the edits a vehicle of this kind binds: the common pages and the kind's own page.
std::vector<QString> EditsLies(int sorte) {
  const Enregistrement propre[] = {Enregistrement::Caisse, Enregistrement::Moto,
                                   Enregistrement::Avion, Enregistrement::Bateau};
  std::vector<QString> noms;
  for (const PageChamps& page : PagesVehicule())
    if (page.enregistrement == Enregistrement::Caisse || page.enregistrement == propre[sorte])
      for (const GroupeChamps& g : page.groupes)
        for (const LigneChamp& l : g.lignes) noms.push_back(l.controle);
  return noms;
}

// What the window shows now, read back from its controls.
Affichage Capturer(TForm1& f, int sorte) {
  Affichage a;
  a.nom = f.EditID->text();
  for (const QString& nom : EditsLies(sorte))
    a.textes.emplace_back(nom, f.findChild<QLineEdit*>(nom)->text());
  static const QRegularExpression flag("^(ModelFlag|HandlingFlag)[1-8][1248]$");
  for (TMorvaneCheckBox* c : f.findChildren<TMorvaneCheckBox*>())
    if (flag.match(c->objectName()).hasMatch())
      a.coches.emplace_back(c->objectName(), c->isChecked());
  a.groupe = f.ComboAnimationGroupCaisse->currentIndex();
  return a;
}

// Names listed for a kind, as the list shows them.
QStringList NomsListes(TForm1& f, int sorte) {
  ChoisirType(f, sorte);
  QStringList noms;
  for (int i = 0; i < f.ListBox1->count(); ++i) noms << f.ListBox1->item(i)->text();
  return noms;
}

struct Donnees {
  fs::path dossier;
  std::vector<int> facteurs;
  std::vector<fs::path> fichiers;  // the game's file at each factor
  std::shared_ptr<const ArbreFenetre> arbre;
  std::string ecartArbre;  // why the floor tree differs from the window, if it does
  std::vector<QStringList> voitures, motos;  // names per factor
  std::vector<Affichage> premieres;          // first car shown per factor
  Affichage clics[2][2];                     // [cars, flying vehicles][row 0, row 1] at x1
};
Donnees donnees;

std::string Ecart(const std::map<QString, int>& a, const std::map<QString, int>& b) {
  std::string ecart;
  for (const auto& [classe, n] : a)
    if (b.count(classe) == 0 || b.at(classe) != n)
      ecart += classe.toStdString() + " " + std::to_string(n) + " vs " +
               std::to_string(b.count(classe) ? b.at(classe) : 0) + "; ";
  for (const auto& [classe, n] : b)
    if (a.count(classe) == 0) ecart += classe.toStdString() + " 0 vs " + std::to_string(n) + "; ";
  return ecart;
}

void Preparer() {
  {
    auto modele = Demarrer(nullptr);
    donnees.arbre = Decrire(*modele);
    auto copie = Construire(*donnees.arbre);
    donnees.ecartArbre = Ecart(Recensement(*modele), Recensement(*copie));
  }
  for (std::size_t i = 0; i < donnees.fichiers.size(); ++i) {
    auto f = Demarrer(&donnees.fichiers[i]);
    donnees.premieres.push_back(Capturer(*f, 0));
    donnees.motos.push_back(NomsListes(*f, 1));
    donnees.voitures.push_back(NomsListes(*f, 0));
    if (i != 0) continue;
    const int sortes[2] = {0, 2};
    for (int k = 0; k < 2; ++k) {
      ChoisirType(*f, sortes[k]);
      for (int ligne = 0; ligne < 2; ++ligne) {
        ChoisirLigne(*f, ligne);
        f->ListBox1Click();
        donnees.clics[k][ligne] = Capturer(*f, sortes[k]);
      }
    }
  }
  Vider();
}

bool VerifierArbre(benchmark::State& s) {
  if (donnees.ecartArbre.empty()) return true;
  s.SkipWithError(("floor tree differs from the window: " + donnees.ecartArbre).c_str());
  return false;
}

bool SansMessage(benchmark::State& s) {
  if (messages == 0) return true;
  s.SkipWithError("a message box was shown");
  return false;
}

void BancDemarrage(benchmark::State& s, const fs::path* fichier) {
  for (auto _ : s) {
    auto f = Demarrer(fichier);
    s.PauseTiming();
    f.reset();
    Vider();
    s.ResumeTiming();
  }
  SansMessage(s);
}

void BancPlancherArbre(benchmark::State& s, int facteur) {
  if (!VerifierArbre(s)) return;
  for (auto _ : s) {
    auto fenetre = Construire(*donnees.arbre);
    if (facteur >= 0) {
      RemplirListe(*fenetre->findChild<QListWidget*>("ListBox1"), donnees.voitures[facteur]);
      const Affichage& premiere = donnees.premieres[facteur];
      PlancherClic(*fenetre, premiere).afficher(premiere);
    }
    s.PauseTiming();
    fenetre.reset();
    Vider();
    s.ResumeTiming();
  }
}

// Clicks go back and forth between the two vehicles of the floor, whatever the list holds
// (added vehicles copy the stock values, so the rows next to each other may show the same).
void BancClic(benchmark::State& s, std::size_t facteur, int k) {
  auto f = Demarrer(&donnees.fichiers[facteur]);
  f->show();
  ChoisirType(*f, k == 0 ? 0 : 2);
  Vider();
  const int lignes[2] = {Ligne(*f, donnees.clics[k][0].nom), Ligne(*f, donnees.clics[k][1].nom)};
  if (lignes[0] < 0 || lignes[1] < 0) {
    s.SkipWithError("the vehicles of the floor are not listed");
    return;
  }
  int i = 1;
  ChoisirLigne(*f, lignes[i]);
  for (auto _ : s) {
    f->ListBox1Click();
    s.PauseTiming();
    Vider();
    i ^= 1;
    ChoisirLigne(*f, lignes[i]);
    s.ResumeTiming();
  }
  SansMessage(s);
}

void BancPlancherClic(benchmark::State& s, int k) {
  if (!VerifierArbre(s)) return;
  auto fenetre = Construire(*donnees.arbre);
  fenetre->show();
  PlancherClic clic(*fenetre, donnees.clics[k][0]);
  Vider();
  int ligne = 1;
  for (auto _ : s) {
    clic.afficher(donnees.clics[k][ligne]);
    s.PauseTiming();
    Vider();
    ligne ^= 1;
    s.ResumeTiming();
  }
}

// From bikes to cars: the list is filled with every plain car and the first one is shown.
void BancType(benchmark::State& s, std::size_t facteur) {
  auto f = Demarrer(&donnees.fichiers[facteur]);
  f->show();
  Vider();
  for (auto _ : s) {
    s.PauseTiming();
    ChoisirType(*f, 1);
    Vider();
    s.ResumeTiming();
    ChoisirType(*f, 0);
  }
  SansMessage(s);
}

// The least Qt must do to go from the bikes' pages to the cars': take the bike page out, fill the
// list and show the first car.
void BancPlancherType(benchmark::State& s, std::size_t facteur) {
  if (!VerifierArbre(s)) return;
  auto fenetre = Construire(*donnees.arbre);
  fenetre->show();
  auto* liste = fenetre->findChild<QListWidget*>("ListBox1");
  auto* pages = fenetre->findChild<QTabWidget*>("PageControl1");
  std::map<QString, std::pair<QWidget*, QString>> parNom;
  while (pages->count() > 0) {
    parNom[pages->widget(0)->objectName()] = {pages->widget(0), pages->tabText(0)};
    pages->removeTab(0);
  }
  for (const char* nom : {"TabSheetGeneral", "TabSheetSuspensions", "TabSheetMoto", "TabSheet3",
                          "TabSheet4", "TabSheetAnimGroup"})
    pages->addTab(parNom.at(nom).first, parNom.at(nom).second);
  const auto [moto, titreMoto] = parNom.at("TabSheetMoto");
  const Affichage& premiere = donnees.premieres[facteur];
  PlancherClic clic(*fenetre, premiere);
  Vider();
  for (auto _ : s) {
    s.PauseTiming();
    pages->insertTab(2, moto, titreMoto);
    RemplirListe(*liste, donnees.motos[facteur]);
    Vider();
    s.ResumeTiming();
    pages->removeTab(pages->indexOf(moto));
    pages->setCurrentIndex(0);
    RemplirListe(*liste, donnees.voitures[facteur]);
    clic.afficher(premiere);
  }
}

// Peak memory: a fresh process of this program starts the window (or a bare Qt window), shows
// it, and reports getrusage's ru_maxrss.
int Enfant(const std::string& mode) {
  int argc = 1;
  char nom[] = "bench_fenetre";
  char* argv[] = {nom, nullptr};
  QApplication application(argc, argv);
  RemplacerMachine();
  std::unique_ptr<QMainWindow> fenetre;
  if (mode == "qt") {
    fenetre = std::make_unique<QMainWindow>();
  } else {
    const fs::path fichier = mode.substr(std::min(mode.size(), mode.find(':') + 1));
    fenetre = Demarrer(mode.find(':') == std::string::npos ? nullptr : &fichier);
  }
  fenetre->show();
  Vider();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%ld\n", usage.ru_maxrss);
  return 0;
}

double MemoireEnfant(const std::string& mode) {
  const std::string programme = fs::read_symlink("/proc/self/exe").string();
  const std::string commande = "'" + programme + "' '--enfant=" + mode + "' 2>/dev/null";
  std::FILE* sortie = popen(commande.c_str(), "r");
  if (!sortie) return -1;
  long kio = -1;
  if (std::fscanf(sortie, "%ld", &kio) != 1) kio = -1;
  pclose(sortie);
  return static_cast<double>(kio);
}

void BancMemoire(benchmark::State& s, const std::string& mode) {
  double kio = -1;
  for (auto _ : s) kio = MemoireEnfant(mode);
  if (kio < 0) s.SkipWithError("the child process reported nothing");
  s.counters["Kio"] = kio;
}

std::string Nom(const char* debut, int facteur) {
  return Texte({debut, "/x", std::to_string(facteur)});
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strncmp(argv[1], "--enfant=", 9) == 0) return Enfant(argv[1] + 9);
  std::vector<char*> arguments;
  const OptionsBanc options = LireOptions(argc, argv, arguments);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  RemplacerMachine();

  // A folder of our own as the current directory: no preview picture is found there.
  donnees.dossier =
      fs::temp_directory_path() / Texte({"quintrel-bench-", std::to_string(getpid())});
  fs::create_directories(donnees.dossier);
  const fs::path ancien = fs::current_path();
  fs::current_path(donnees.dossier);
  donnees.facteurs = {1, 10, 100};
  for (int f : donnees.facteurs) {
    donnees.fichiers.push_back(donnees.dossier / Texte({"handling-x", std::to_string(f), ".dat"}));
    std::ofstream(donnees.fichiers.back(), std::ios::binary) << FichierAgrandi(f);
  }
  Preparer();

  using benchmark::RegisterBenchmark;
  const auto ms = benchmark::kMillisecond;
  RegisterBenchmark("demarrage", BancDemarrage, nullptr)->Unit(ms);
  RegisterBenchmark("plancher_arbre", BancPlancherArbre, -1)->Unit(ms);
  std::vector<Comparaison> comparaisons = {
      {"start-up, no file", "demarrage", "plancher_arbre", "same widget tree, plain Qt", 1.3}};
  const char* sortes[2] = {"voitures", "helicos"};
  const char* libelles[2] = {"car", "flying vehicle"};
  for (int k = 0; k < 2; ++k)
    RegisterBenchmark(Texte({"plancher_clic/", sortes[k]}).c_str(), BancPlancherClic, k)->Unit(ms);
  for (std::size_t i = 0; i < donnees.facteurs.size(); ++i) {
    const int f = donnees.facteurs[i];
    const std::string x = Texte({"x", std::to_string(f)});
    RegisterBenchmark(Nom("demarrage_ouvert", f).c_str(), BancDemarrage, &donnees.fichiers[i])
        ->Unit(ms);
    RegisterBenchmark(Nom("plancher_arbre_liste", f).c_str(), BancPlancherArbre,
                      static_cast<int>(i))
        ->Unit(ms);
    // The goal is for the stock-size file; the larger ones show how start-up grows.
    comparaisons.push_back({Texte({"start-up with the game's file, ", x}),
                            Nom("demarrage_ouvert", f), Nom("plancher_arbre_liste", f),
                            "tree + list filled + texts set", f == 1 ? 1.3 : 0});
  }
  for (int k = 0; k < 2; ++k) {
    for (std::size_t i = 0; i < donnees.facteurs.size(); ++i) {
      const int f = donnees.facteurs[i];
      const std::string nom = Texte({"clic/", sortes[k], "/x", std::to_string(f)});
      RegisterBenchmark(nom.c_str(), BancClic, i, k)->Unit(benchmark::kMicrosecond);
      const std::string mesure = Texte({"ListBox1Click, ", libelles[k], ", x", std::to_string(f)});
      comparaisons.push_back(
          {mesure, nom, Texte({"plancher_clic/", sortes[k]}), "same texts and ticks, plain Qt", 2});
      if (f == donnees.facteurs.back())
        comparaisons.push_back({mesure, nom, "", "one 60 Hz frame", 1, {}, 1.0 / 60});
    }
  }
  for (std::size_t i = 0; i < donnees.facteurs.size(); ++i) {
    const int f = donnees.facteurs[i];
    RegisterBenchmark(Nom("type", f).c_str(), BancType, i)->Unit(ms);
    RegisterBenchmark(Nom("plancher_type", f).c_str(), BancPlancherType, i)->Unit(ms);
    comparaisons.push_back({Texte({"switch bikes -> cars, x", std::to_string(f)}), Nom("type", f),
                            Nom("plancher_type", f), "bike page out, list filled, texts set", 2});
  }
  for (std::size_t i = 1; i < donnees.facteurs.size(); ++i) {
    const int f0 = donnees.facteurs[i - 1], f = donnees.facteurs[i];
    const std::string pas = Texte({"x", std::to_string(f), " over x", std::to_string(f0)});
    comparaisons.push_back({Texte({"growth of the switch, ", pas}), Nom("type", f), Nom("type", f0),
                            "same at 1/10 the vehicles", 10});
    comparaisons.push_back({Texte({"growth of the floor, ", pas}), Nom("plancher_type", f),
                            Nom("plancher_type", f0), "same at 1/10 the vehicles"});
  }
  RegisterBenchmark("memoire/qt", BancMemoire, std::string("qt"))->Iterations(1)->Unit(ms);
  RegisterBenchmark("memoire/demarrage", BancMemoire, std::string("fenetre"))
      ->Iterations(1)
      ->Unit(ms);
  comparaisons.push_back({"peak memory after start-up, no file", "memoire/demarrage", "memoire/qt",
                          "bare Qt window", 0, "Kio"});
  for (std::size_t i = 0; i < donnees.facteurs.size(); ++i) {
    const int f = donnees.facteurs[i];
    RegisterBenchmark(Nom("memoire/ouvert", f).c_str(), BancMemoire,
                      Texte({"fenetre:", donnees.fichiers[i].string()}))
        ->Iterations(1)
        ->Unit(ms);
    comparaisons.push_back({Texte({"peak memory, game's file x", std::to_string(f)}),
                            Nom("memoire/ouvert", f), "memoire/qt", "bare Qt window", 0, "Kio"});
  }

  const int statut = LancerEtResumer(argc, argv, options, comparaisons);
  fs::current_path(ancien);
  std::error_code ec;
  fs::remove_all(donnees.dossier, ec);
  return statut;
}
