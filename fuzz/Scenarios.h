#pragma once
#include <string>
#include <string_view>

// The two fuzzed scenarios, as plain functions: the libFuzzer targets call them, and the
// reliability tests replay the seed and regression inputs through them under g++ as well.
// Each returns an empty string when every check held, else what went wrong, in English.

// The stock text read as defaults, `octets` opened as a file, opened a second time (the
// catalogue must not change), the first and last vehicle of each kind shown (flag texts padded),
// written to memory. The written text, read into a fresh catalogue after the stock text, must
// give the same current values and be written again to the same bytes.
std::string ScenarioOuverture(std::string_view octets);

// `octets` is a small program: a file to open first, then data operations of the main window
// (set a text value, tick a flag bit, pick an anim group, Ctrl+Z on one field, reset one record,
// reset all, open another file, save), then a save. Every save must either be refused for
// values that cannot be written, each of them reported, or give a text that reads back to the
// same current values. The format is described in Scenarios.cpp.
std::string ScenarioEditions(std::string_view octets);
