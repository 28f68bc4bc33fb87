#pragma once
#include <QString>
#include <string>

namespace platform {

// Record values are Windows-1252 bytes; widgets speak QString. Conversions happen only here.
QString VersQString(const std::string& octets);
// A character Windows-1252 lacks becomes '?'.
std::string DepuisQString(const QString& texte);

}  // namespace platform
