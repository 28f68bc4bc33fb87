#pragma once

#include <iosfwd>
#include <string_view>

// The stock handling table that Quintrel carries inside itself: the source of every
// field's default value and of the list of vehicles and anim groups the editor knows.
// 8-bit text, LF line ends, in the handling file format.

// The whole stock text. The view stays valid for the life of the program.
std::string_view DefaultHandlingText();

// Writes the whole stock text, byte for byte, into `out`.
void InsertDefaultHandlingText(std::ostream& out);
