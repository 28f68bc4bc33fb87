// Reader and writer of the handling library, each beside its floor.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "Catalogues.h"
#include "Entrees.h"
#include "HandlingWriter.h"
#include "LecteurReference.h"
#include "Resume.h"

namespace fs = std::filesystem;

namespace {

// The floor of any reader: finding every line end of the same bytes.
std::size_t CompterLignes(std::string_view texte) {
  std::size_t lignes = 0;
  const char* p = texte.data();
  const char* const fin = p + texte.size();
  while (const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(fin - p))) {
    ++lignes;
    p = static_cast<const char*>(lf) + 1;
  }
  return lignes;
}

// What the two readers leave behind, as the writer would put it.
template <class Lire>
std::string ApresLecture(std::string_view texte, Lire&& lire) {
  auto catalogue = CatalogueStock();
  lire(*catalogue, texte);
  AttachCarRecords(*catalogue);
  return TexteHandling(*catalogue);
}

void LireReel(Catalogue& c, std::string_view texte) {
  ReadHandlingText(c, texte);
}
void LireObvious(Catalogue& c, std::string_view texte) {
  std::istringstream flux{std::string(texte)};
  LireReference(c, flux);
}

// One reader over one input. `nouveau`: every iteration starts from the stock catalogue (the
// first open of the file, which adds its new vehicles); otherwise the same catalogue is read
// into again and again (the file only updates records that exist).
template <class Lire>
void BancLecture(benchmark::State& state, const std::string* texte, bool nouveau, bool flux,
                 Lire lire) {
  auto catalogue = CatalogueStock();
  for (auto _ : state) {
    state.PauseTiming();
    if (nouveau) catalogue = CatalogueStock();
    // The stream gets its own copy of the text, made outside the timed part.
    std::istringstream entree{flux ? *texte : std::string()};
    state.ResumeTiming();
    lire(*catalogue, *texte, entree);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * texte->size()));
}

void EnregistrerLecture(const std::string& nom, const std::string* texte, bool nouveau,
                        bool avecReference) {
  benchmark::RegisterBenchmark(("lecture/" + nom).c_str(), [=](benchmark::State& s) {
    BancLecture(s, texte, nouveau, false,
                [](Catalogue& c, std::string_view t, std::istream&) { ReadHandlingText(c, t); });
  })->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(("plancher_lignes/" + nom).c_str(), [=](benchmark::State& s) {
    for (auto _ : s) benchmark::DoNotOptimize(CompterLignes(*texte));
    s.SetBytesProcessed(static_cast<std::int64_t>(s.iterations() * texte->size()));
  })->Unit(benchmark::kMillisecond);
  if (!avecReference) return;
  // The entry point that takes a stream, which the reference reader reads from too.
  benchmark::RegisterBenchmark(("lecture_flux/" + nom).c_str(), [=](benchmark::State& s) {
    BancLecture(s, texte, nouveau, true,
                [](Catalogue& c, std::string_view, std::istream& in) { ReadHandlingText(c, in); });
  })->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(("lecture_reference/" + nom).c_str(), [=](benchmark::State& s) {
    // A reference that read differently would make the comparison meaningless.
    if (ApresLecture(*texte, LireObvious) != ApresLecture(*texte, LireReel)) {
      s.SkipWithError("the reference reader and the reader disagree");
      return;
    }
    BancLecture(s, texte, nouveau, true,
                [](Catalogue& c, std::string_view, std::istream& in) { LireReference(c, in); });
  })->Unit(benchmark::kMillisecond);
}

// A folder of our own for the files the writer benchmarks write.
struct Dossier {
  fs::path chemin =
      fs::temp_directory_path() / Texte({"quintrel-bench-", std::to_string(getpid())});
  Dossier() { fs::create_directories(chemin); }
  ~Dossier() {
    std::error_code ec;
    fs::remove_all(chemin, ec);
  }
};

void EnregistrerEcriture(const std::string& nom, const std::string* fichier, const Dossier* d) {
  benchmark::RegisterBenchmark(("ecriture/" + nom).c_str(), [=](benchmark::State& s) {
    const auto catalogue = CatalogueOuvert(*fichier);
    const fs::path chemin = d->chemin / ("ecriture-" + nom);
    std::size_t octets = 0;
    for (auto _ : s) {
      const ResultatEcriture r = WriteHandlingFile(*catalogue, chemin);
      if (!r.ok) s.SkipWithError(r.raison.c_str());
      octets += fs::file_size(chemin);
    }
    s.SetBytesProcessed(static_cast<std::int64_t>(octets));
  })->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(("ecriture_texte/" + nom).c_str(), [=](benchmark::State& s) {
    const auto catalogue = CatalogueOuvert(*fichier);
    std::size_t octets = 0;
    for (auto _ : s) octets += TexteHandling(*catalogue).size();
    s.SetBytesProcessed(static_cast<std::int64_t>(octets));
  })->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(("plancher_fwrite/" + nom).c_str(), [=](benchmark::State& s) {
    const std::string texte = TexteHandling(*CatalogueOuvert(*fichier));
    const fs::path chemin = d->chemin / ("fwrite-" + nom);
    for (auto _ : s) {
      std::FILE* f = std::fopen(chemin.c_str(), "wb");
      if (!f || std::fwrite(texte.data(), 1, texte.size(), f) != texte.size())
        s.SkipWithError("fwrite failed");
      if (f) std::fclose(f);
    }
    s.SetBytesProcessed(static_cast<std::int64_t>(s.iterations() * texte.size()));
  })->Unit(benchmark::kMillisecond);
  // The least a save that survives a crash can do: write a new file, flush it to disk, rename it
  // over the old one.
  benchmark::RegisterBenchmark(("plancher_durable/" + nom).c_str(), [=](benchmark::State& s) {
    const std::string texte = TexteHandling(*CatalogueOuvert(*fichier));
    const fs::path chemin = d->chemin / ("durable-" + nom);
    const fs::path temporaire = d->chemin / ("durable-" + nom + ".tmp");
    for (auto _ : s) {
      std::FILE* f = std::fopen(temporaire.c_str(), "wb");
      if (!f || std::fwrite(texte.data(), 1, texte.size(), f) != texte.size() ||
          std::fflush(f) != 0 || fsync(fileno(f)) != 0)
        s.SkipWithError("write failed");
      if (f) std::fclose(f);
      std::rename(temporaire.c_str(), chemin.c_str());
    }
    s.SetBytesProcessed(static_cast<std::int64_t>(s.iterations() * texte.size()));
  })->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<char*> arguments;
  const OptionsBanc options = LireOptions(argc, argv, arguments);

  // Inputs live until the end of main; the benchmarks refer to them.
  const std::size_t megaoctets = options.rapide ? 2 : 20;
  const std::size_t ajoutes = options.rapide ? 500 : 5000;
  const std::string repete = StockRepete(megaoctets << 20);
  const std::string nouveaux = VehiculesAjoutes(ajoutes);
  const std::vector<int> facteurs = {1, 10, 100};
  std::vector<std::string> agrandis;
  for (int f : facteurs) agrandis.push_back(FichierAgrandi(f));
  const Dossier dossier;

  const std::string mo = std::to_string(megaoctets), n = std::to_string(ajoutes);
  const std::string nomRepete = Texte({"stock_repete_", mo, "Mo"});
  const std::string nomAjoutes = Texte({n, "_ajoutes"});
  std::vector<std::string> nomsAgrandis;
  for (int f : facteurs) nomsAgrandis.push_back(Texte({"x", std::to_string(f)}));
  EnregistrerLecture(nomRepete, &repete, false, true);
  EnregistrerLecture(nomAjoutes, &nouveaux, true, true);
  for (std::size_t i = 0; i < facteurs.size(); ++i)
    EnregistrerLecture(nomsAgrandis[i], &agrandis[i], true, false);
  for (std::size_t i = 0; i < facteurs.size(); ++i)
    EnregistrerEcriture(nomsAgrandis[i], &agrandis[i], &dossier);

  std::vector<Comparaison> comparaisons;
  const auto lecture = [&](const std::string& nom, const std::string& quoi, bool reference) {
    comparaisons.push_back(
        {"read " + quoi, "lecture/" + nom, "plancher_lignes/" + nom, "memchr line scan", 10});
    if (!reference) return;
    comparaisons.push_back({"read " + quoi + " from a stream", "lecture_flux/" + nom,
                            "lecture_reference/" + nom, "getline+istringstream reader", 0.2});
  };
  lecture(nomRepete, Texte({"stock repeated to ", mo, " MB"}), true);
  lecture(nomAjoutes, Texte({n, " added vehicles"}), true);
  for (const std::string& nom : nomsAgrandis) lecture(nom, Texte({nom, " vehicles"}), false);
  // Saving waits on the disk: these compare wall-clock times.
  for (const std::string& nom : nomsAgrandis) {
    const std::string vehicules = Texte({nom, " vehicles"});
    comparaisons.push_back({Texte({"save ", vehicules}),
                            "ecriture/" + nom,
                            "plancher_fwrite/" + nom,
                            "one fwrite",
                            3,
                            {},
                            0,
                            true});
    comparaisons.push_back({Texte({"save ", vehicules}),
                            "ecriture/" + nom,
                            "plancher_durable/" + nom,
                            "fwrite+fsync+rename",
                            0,
                            {},
                            0,
                            true});
    comparaisons.push_back({Texte({"text of ", vehicules, " in memory"}),
                            "ecriture_texte/" + nom,
                            "plancher_fwrite/" + nom,
                            "one fwrite",
                            0,
                            {},
                            0,
                            true});
  }
  return LancerEtResumer(argc, argv, options, comparaisons);
}
