#pragma once
#include <istream>

#include "Catalogue.h"

// The handling reader written the obvious way (std::getline, one std::istringstream per line,
// operator>> for every token), kept to show what the real reader gains. It follows the rules of
// an opened file: a line updates the record its name designates, a complete line of a vehicle or
// anim group the catalogue lacks adds a record. It does not read the stock text.
void LireReference(Catalogue& catalogue, std::istream& in);
