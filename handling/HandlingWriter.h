#pragma once
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "Catalogue.h"

// A current value that cannot be written as it stands: empty, holding whitespace, or the longest
// value of a line longer than the reader takes.
struct ChampFautif {
  std::string enregistrement;  // vehicle name, or "^ 7" for anim group 7
  std::string champ;           // column name, e.g. "fMass"
};

struct ResultatEcriture {
  bool ok = true;
  std::string raison;                // French, UTF-8, shown to the user when !ok
  std::vector<ChampFautif> fautifs;  // filled when values were refused
};

// Every current text value that is empty or contains whitespace, in writing order; after the
// values of a line longer than LongueurMaxLigne (11,999 characters), its longest value.
std::vector<ChampFautif> VerifierValeurs(const Catalogue& catalogue);

// Writes the nine blocks (car lines, special car lines, special lines, anim groups, ";"),
// CR LF after every line, no line end after the final ";". Does not check values. A special
// record without a car record (only before AttachCarRecords) gets no car line.
void WriteHandlingText(const Catalogue& catalogue, std::ostream& out);
// The same bytes, built in memory.
std::string TexteHandling(const Catalogue& catalogue);

// Checks the values, then replaces the file atomically. On any failure the file keeps its old
// bytes and the result says why. The catalogue is never changed.
ResultatEcriture WriteHandlingFile(const Catalogue& catalogue, const std::filesystem::path& chemin);
