#pragma once
#include <cstdint>
#include <istream>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Animgroup.h"
#include "Avion.h"
#include "Bateau.h"
#include "Caisse.h"
#include "Moto.h"

// Vehicle names sort by unsigned byte value ("POLICE" < "POLICE2", "Z" < "a");
// std::char_traits<char> already compares that way.
using NomsVehicules = std::less<std::string>;

// Every vehicle and anim group the editor knows. The catalogue owns every record and releases
// each exactly once when it is destroyed; the maps only refer to records. A car record of a
// bike, flying vehicle or boat is reached through the special record's `voiture` while the
// catalogue is attached, and is an entry of Voitures again while it is returned.
class Catalogue {
 public:
  Catalogue();
  ~Catalogue();
  Catalogue(const Catalogue&) = delete;
  Catalogue& operator=(const Catalogue&) = delete;

  std::map<std::string, CAISSE*, NomsVehicules> Voitures;
  std::map<std::string, MOTO*, NomsVehicules> Motos;
  std::map<std::string, AVION*, NomsVehicules> Avions;
  std::map<std::string, BATEAU*, NomsVehicules> Bateaux;
  std::map<std::int32_t, ANIMGROUP*> AnimGroups;

  // Record factory and release, used by the reader; the catalogue keeps ownership.
  template <typename T>
  T* creer();
  template <typename T>
  void liberer(T* record);

 private:
  struct Stock;
  std::unique_ptr<Stock> stock_;

  // The reader notes the special records it adds to the catalogue; AttachCarRecords releases
  // those it cannot link to a car record.
  friend void ReadHandlingText(Catalogue& catalogue, std::string_view texte);
  friend void AttachCarRecords(Catalogue& catalogue);
};

// Reads every data line of `in` into the catalogue: creates records while LectureDefauts is
// set, otherwise updates existing ones (and keeps complete lines of vehicles or anim groups the
// catalogue lacks as new records). Lines end with LF; a CR before the LF is dropped. Lines longer
// than 11,999 characters are skipped. Reports nothing.
void ReadHandlingText(Catalogue& catalogue, std::istream& in);
// The same over a text already in memory (the stream version reads `in` to its end, then this).
void ReadHandlingText(Catalogue& catalogue, std::string_view texte);

// Puts the car records of bikes, boats and flying vehicles back into Voitures under their names.
void ReturnCarRecords(Catalogue& catalogue);

// Links bikes, boats and flying vehicles to their car records and takes those out of Voitures.
// Special records that the last read added and that found no car record are released.
void AttachCarRecords(Catalogue& catalogue);

// Resets every record of the catalogue (special records with their car records).
void ResetAllRecords(Catalogue& catalogue);
