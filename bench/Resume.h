#pragma once
#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// Names and labels put together from pieces (appending, unlike "text" + string, keeps g++ 12
// from a false -Wrestrict warning once inlined).
inline std::string Texte(std::initializer_list<std::string_view> morceaux) {
  std::string texte;
  for (std::string_view m : morceaux) texte.append(m);
  return texte;
}

// One line of the summary: a figure beside the floor it is measured against, in the same run.
struct Comparaison {
  std::string mesure;           // what is measured, as a person would say it
  std::string chiffre;          // benchmark name of the figure
  std::string plancher;         // benchmark name of the floor
  std::string libellePlancher;  // what the floor is
  // Highest acceptable figure / floor ratio; 0 when there is no goal.
  double objectif = 0;
  // Counter to compare instead of the real time per iteration (memory, in kibibytes).
  std::string compteur = {};
  // A fixed floor in seconds (a frame, say) in place of a floor benchmark; 0 when none.
  double plancherFixe = 0;
  // Compare wall-clock time rather than the CPU time of the benchmark's thread: for figures
  // that wait on the disk. CPU time is the default, so that other work on the machine does not
  // blur the ratios.
  bool horloge = false;
};

// Shows Google Benchmark's usual console output and keeps every result for the summary.
class RapporteurResume : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;

  struct Resultat {
    double secondes = 0;     // real time per iteration
    double secondesCpu = 0;  // CPU time per iteration
    std::map<std::string, double> compteurs;
    std::string erreur;
  };
  const Resultat* resultat(const std::string& nom) const;

 private:
  std::map<std::string, Resultat> resultats_;
};

struct LigneResume {
  std::string mesure, temps, chiffre, plancher, libellePlancher, ratio, objectif, atteint;
};

// The summary lines: figure, floor and ratio formatted; "?" where a benchmark did not run.
std::vector<LigneResume> Resumer(const std::vector<Comparaison>& comparaisons,
                                 const RapporteurResume& rapport);
void ImprimerResume(std::ostream& out, const std::vector<LigneResume>& lignes);
// One tab-separated line per summary line, for scripts that gather several programs' summaries.
void EcrireTsv(std::ostream& out, const std::vector<LigneResume>& lignes);

// Options every benchmark program takes besides Google Benchmark's own.
struct OptionsBanc {
  bool rapide = false;     // --quick: smaller inputs, shortest runs (a smoke check)
  std::string fichierTsv;  // --summary-tsv=FILE: append the summary there too
};
// Takes --quick and --summary-tsv out of argv; --quick also shortens every run.
OptionsBanc LireOptions(int& argc, char**& argv, std::vector<char*>& stockage);

// Runs the registered benchmarks, then prints the summary of `comparaisons` (or appends it to the
// --summary-tsv file). Returns the exit status: 0 unless the command line was wrong. A missed
// goal is shown, not an error.
int LancerEtResumer(int argc, char** argv, const OptionsBanc& options,
                    const std::vector<Comparaison>& comparaisons);
