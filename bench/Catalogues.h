#pragma once
#include <memory>
#include <string_view>

#include "Catalogue.h"

// The catalogue as the window holds it after start-up: every stock record, defaults read.
std::unique_ptr<Catalogue> CatalogueStock();

// The catalogue after start-up and the open of `fichier` (records updated or added, special
// vehicles attached to their car records).
std::unique_ptr<Catalogue> CatalogueOuvert(std::string_view fichier);
