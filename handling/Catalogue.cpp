#include "Catalogue.h"

#include <algorithm>

#include "CatalogueStock.h"

Catalogue::Catalogue() : stock_(std::make_unique<Stock>()) {}

Catalogue::~Catalogue() = default;

template <typename T>
T* Catalogue::creer() {
  auto& liste = std::get<Stock::Liste<T>>(stock_->records);
  return liste.emplace_back(std::make_unique<T>()).get();
}

template <typename T>
void Catalogue::liberer(T* record) {
  auto& liste = std::get<Stock::Liste<T>>(stock_->records);
  // The record released is nearly always the last one created.
  const auto it = std::find_if(liste.rbegin(), liste.rend(),
                               [record](const std::unique_ptr<T>& r) { return r.get() == record; });
  if (it != liste.rend()) liste.erase(std::next(it).base());
}

template CAISSE* Catalogue::creer<CAISSE>();
template MOTO* Catalogue::creer<MOTO>();
template AVION* Catalogue::creer<AVION>();
template BATEAU* Catalogue::creer<BATEAU>();
template ANIMGROUP* Catalogue::creer<ANIMGROUP>();
template void Catalogue::liberer<CAISSE>(CAISSE*);
template void Catalogue::liberer<MOTO>(MOTO*);
template void Catalogue::liberer<AVION>(AVION*);
template void Catalogue::liberer<BATEAU>(BATEAU*);
template void Catalogue::liberer<ANIMGROUP>(ANIMGROUP*);

namespace {

template <class Speciaux>
void RendreVoitures(Catalogue& catalogue, const Speciaux& carte) {
  for (const auto& [nom, record] : carte)
    if (record->voiture) catalogue.Voitures[nom] = record->voiture;
}

// Takes the car record filed under `nom` out of the cars map; nullptr when there is none.
CAISSE* PrendreVoiture(Catalogue& catalogue, const std::string& nom) {
  const auto it = catalogue.Voitures.find(nom);
  if (it == catalogue.Voitures.end()) return nullptr;
  CAISSE* voiture = it->second;
  catalogue.Voitures.erase(it);
  return voiture;
}

// A special record the last read added and that found no car record would be written without
// its car line: it goes. Records that existed before that read are never removed.
template <class Speciaux>
void LibererOrphelins(Catalogue& catalogue, Speciaux& carte, std::vector<std::string>& ajoutes) {
  for (const std::string& nom : ajoutes) {
    const auto it = carte.find(nom);
    if (it != carte.end() && it->second->voiture == nullptr) {
      catalogue.liberer(it->second);
      carte.erase(it);
    }
  }
  ajoutes.clear();
}

}  // namespace

void ReturnCarRecords(Catalogue& catalogue) {
  RendreVoitures(catalogue, catalogue.Motos);
  RendreVoitures(catalogue, catalogue.Bateaux);
  RendreVoitures(catalogue, catalogue.Avions);
}

void AttachCarRecords(Catalogue& catalogue) {
  // Bikes first, then boats, then flying vehicles: a vehicle with two special lines shares the
  // one car record that the first of its kinds took out of the cars map.
  for (const auto& [nom, moto] : catalogue.Motos)
    if (CAISSE* voiture = PrendreVoiture(catalogue, nom)) moto->voiture = voiture;

  for (const auto& [nom, bateau] : catalogue.Bateaux) {
    if (CAISSE* voiture = PrendreVoiture(catalogue, nom)) {
      bateau->voiture = voiture;
    } else if (const auto moto = catalogue.Motos.find(nom); moto != catalogue.Motos.end()) {
      bateau->voiture = moto->second->voiture;
    }
  }

  for (const auto& [nom, avion] : catalogue.Avions) {
    if (CAISSE* voiture = PrendreVoiture(catalogue, nom)) {
      avion->voiture = voiture;
    } else if (const auto moto = catalogue.Motos.find(nom); moto != catalogue.Motos.end()) {
      avion->voiture = moto->second->voiture;
    } else if (const auto bateau = catalogue.Bateaux.find(nom); bateau != catalogue.Bateaux.end()) {
      avion->voiture = bateau->second->voiture;
    }
  }

  Catalogue::Stock& stock = *catalogue.stock_;
  LibererOrphelins(catalogue, catalogue.Motos, stock.motosAjoutees);
  LibererOrphelins(catalogue, catalogue.Bateaux, stock.bateauxAjoutes);
  LibererOrphelins(catalogue, catalogue.Avions, stock.avionsAjoutes);
}

void ResetAllRecords(Catalogue& catalogue) {
  for (const auto& [nom, record] : catalogue.Voitures) record->reset();
  for (const auto& [nom, record] : catalogue.Motos) record->reset();
  for (const auto& [nom, record] : catalogue.Avions) record->reset();
  for (const auto& [nom, record] : catalogue.Bateaux) record->reset();
  for (const auto& [numero, record] : catalogue.AnimGroups) record->reset();
}
