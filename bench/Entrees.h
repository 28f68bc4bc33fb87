#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Handling texts made up for the benchmarks from the stock text. All of them use CR LF line
// ends, as the game's own file does.

// The stock text with CR LF line ends, comments included: the game's file as shipped.
std::string FichierStock();

// The data lines of the stock text (no comment or blank line), repeated until the text holds at
// least `octets` bytes. Opened over the stock catalogue, every line updates a record that exists.
std::string StockRepete(std::size_t octets);

// `nombre` vehicles the stock text lacks, with distinct names. Vehicle i copies the car line of
// the i-th stock vehicle (cycling) and its bike, flying or boat line when it has one, so each
// kind grows in proportion. Every line is complete, so an open keeps them all as new vehicles.
std::string VehiculesAjoutes(std::size_t nombre);

// The game's file with `facteur` times the stock vehicle count: the stock file followed by
// (facteur - 1) x the stock vehicle count of added vehicles.
std::string FichierAgrandi(int facteur);

// How many vehicles (car lines) the stock text holds.
std::size_t VehiculesStock();
