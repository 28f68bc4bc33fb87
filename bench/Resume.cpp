#include "Resume.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <sstream>

void RapporteurResume::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    if (run.run_type != Run::RT_Iteration) continue;
    // By the name it was registered under, without suffixes such as "/iterations:1".
    Resultat& r = resultats_[run.run_name.function_name];
    const double unite = benchmark::GetTimeUnitMultiplier(run.time_unit);
    r.secondes = run.GetAdjustedRealTime() / unite;
    r.secondesCpu = run.GetAdjustedCPUTime() / unite;
    for (const auto& [nom, compteur] : run.counters) r.compteurs[nom] = compteur.value;
    if (run.error_occurred) r.erreur = run.error_message;
  }
  ConsoleReporter::ReportRuns(runs);
}

const RapporteurResume::Resultat* RapporteurResume::resultat(const std::string& nom) const {
  const auto it = resultats_.find(nom);
  return it == resultats_.end() ? nullptr : &it->second;
}

namespace {

std::string Format(const char* format, double valeur) {
  char texte[64];
  std::snprintf(texte, sizeof texte, format, valeur);
  return texte;
}

std::string Duree(double secondes) {
  if (secondes >= 1) return Format("%.2f s", secondes);
  if (secondes >= 1e-3) return Format("%.2f ms", secondes * 1e3);
  if (secondes >= 1e-6) return Format("%.2f us", secondes * 1e6);
  return Format("%.1f ns", secondes * 1e9);
}

// The value a comparison reads from a result, and its text; nullopt when it is missing.
std::optional<std::pair<double, std::string>> Valeur(const RapporteurResume::Resultat* r,
                                                     const Comparaison& c) {
  if (!r || !r->erreur.empty()) return std::nullopt;
  const std::string& compteur = c.compteur;
  if (compteur.empty()) {
    const double s = c.horloge ? r->secondes : r->secondesCpu;
    return std::pair{s, Duree(s)};
  }
  const auto it = r->compteurs.find(compteur);
  if (it == r->compteurs.end()) return std::nullopt;
  return std::pair{it->second, Format("%.1f MiB", it->second / 1024)};
}

std::string Manque(const RapporteurResume::Resultat* r) {
  if (!r) return "not run";
  // The message itself is in the benchmark's own line above.
  return r->erreur.empty() ? "?" : "error";
}

}  // namespace

std::vector<LigneResume> Resumer(const std::vector<Comparaison>& comparaisons,
                                 const RapporteurResume& rapport) {
  std::vector<LigneResume> lignes;
  for (const Comparaison& c : comparaisons) {
    const auto* rc = rapport.resultat(c.chiffre);
    const auto* rp = rapport.resultat(c.plancher);
    // A filter that left both out leaves the line out too.
    if (!rc && (!rp || c.plancherFixe > 0)) continue;
    const char* temps = !c.compteur.empty() ? "peak" : c.horloge ? "wall" : "cpu";
    LigneResume l{c.mesure, temps, Manque(rc), Manque(rp), c.libellePlancher, "-", "-", "-"};
    const auto chiffre = Valeur(rc, c);
    auto plancher = Valeur(rp, c);
    if (c.plancherFixe > 0) plancher = std::pair{c.plancherFixe, Duree(c.plancherFixe)};
    if (chiffre) l.chiffre = chiffre->second;
    if (plancher) l.plancher = plancher->second;
    if (c.objectif > 0) l.objectif = Format("<= %g", c.objectif);
    if (chiffre && plancher && plancher->first > 0) {
      const double ratio = chiffre->first / plancher->first;
      l.ratio = Format(ratio < 10 ? "%.2f" : "%.1f", ratio);
      if (c.objectif > 0) l.atteint = ratio <= c.objectif ? "yes" : "NO";
    }
    lignes.push_back(std::move(l));
  }
  return lignes;
}

void ImprimerResume(std::ostream& out, const std::vector<LigneResume>& lignes) {
  const std::vector<std::string> titres = {"measure",  "time",  "figure", "floor",
                                           "floor is", "ratio", "goal",   "met"};
  auto cellules = [](const LigneResume& l) {
    return std::vector<std::string>{l.mesure,          l.temps, l.chiffre,  l.plancher,
                                    l.libellePlancher, l.ratio, l.objectif, l.atteint};
  };
  std::vector<std::size_t> largeurs(titres.size());
  for (std::size_t i = 0; i < titres.size(); ++i) largeurs[i] = titres[i].size();
  for (const LigneResume& l : lignes) {
    const auto c = cellules(l);
    for (std::size_t i = 0; i < c.size(); ++i) largeurs[i] = std::max(largeurs[i], c[i].size());
  }
  auto imprimer = [&](const std::vector<std::string>& c) {
    for (std::size_t i = 0; i < c.size(); ++i)
      out << std::left << std::setw(static_cast<int>(largeurs[i])) << c[i]
          << (i + 1 < c.size() ? "  " : "\n");
  };
  out << "\n";
  imprimer(titres);
  for (const LigneResume& l : lignes) imprimer(cellules(l));
}

void EcrireTsv(std::ostream& out, const std::vector<LigneResume>& lignes) {
  for (const LigneResume& l : lignes)
    out << l.mesure << '\t' << l.temps << '\t' << l.chiffre << '\t' << l.plancher << '\t'
        << l.libellePlancher << '\t' << l.ratio << '\t' << l.objectif << '\t' << l.atteint << '\n';
}

OptionsBanc LireOptions(int& argc, char**& argv, std::vector<char*>& stockage) {
  static char tempsCourt[] = "--benchmark_min_time=0.01";
  OptionsBanc options;
  stockage.assign(argv, argv + argc);
  std::vector<char*> gardes;
  for (char* arg : stockage) {
    if (std::strcmp(arg, "--quick") == 0) {
      options.rapide = true;
    } else if (std::strncmp(arg, "--summary-tsv=", 14) == 0) {
      options.fichierTsv = arg + 14;
    } else {
      gardes.push_back(arg);
    }
  }
  // Put first so that a --benchmark_min_time given on the command line still wins.
  if (options.rapide) gardes.insert(gardes.begin() + 1, tempsCourt);
  stockage = gardes;
  stockage.push_back(nullptr);
  argc = static_cast<int>(gardes.size());
  argv = stockage.data();
  return options;
}

int LancerEtResumer(int argc, char** argv, const OptionsBanc& options,
                    const std::vector<Comparaison>& comparaisons) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RapporteurResume rapport;
  benchmark::RunSpecifiedBenchmarks(&rapport);
  benchmark::Shutdown();
  const auto lignes = Resumer(comparaisons, rapport);
  // A script that gathers several programs' summaries prints them together.
  if (options.fichierTsv.empty()) {
    ImprimerResume(std::cout, lignes);
  } else {
    std::ofstream tsv(options.fichierTsv, std::ios::app);
    EcrireTsv(tsv, lignes);
  }
  return 0;
}
