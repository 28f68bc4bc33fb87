#pragma once
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The game's install folder, read from the machine's registry. No Qt here: the Windows half
// builds with the Win32 API alone.
namespace platform {

// HKEY_LOCAL_MACHINE\<cle>, value <nom>, as text (at most 254 bytes, like a 255-byte buffer
// with its terminating zero). On Windows: the registry API, also under WOW6432Node. On Linux:
// the Wine prefix's system.reg ($WINEPREFIX, else ~/.wine). nullopt when absent or too long.
std::optional<std::string> LireRegistreHKLM(std::string_view cle, std::string_view nom);

// Tests put a fixture in place of the machine's registry; empty means the real one.
using LecteurRegistre = std::function<std::optional<std::string>(std::string_view cle,
                                                                 std::string_view nom)>;
LecteurRegistre& registreDeTest();

// Parses the text of a Wine system.reg file: key names without regard to case, both the
// plain and the Wow6432Node view, escaped characters decoded.
std::optional<std::string> LireValeurWine(std::string_view texteSystemReg, std::string_view cle,
                                          std::string_view nom);

// Turns a Windows path read from the registry ("C:\Games\Morvane") followed by a relative
// Windows name ("\common\data\handling.dat") into a path of this machine. On Linux, "C:" is the
// Wine prefix's drive_c and each component is matched without regard to case where it exists.
std::filesystem::path CheminJeu(std::string_view dossierWindows, std::string_view relatifWindows);

// Joins a Windows-style relative name (".\backup\handling.dat.backup", "\mini_screen\x.jpg")
// to a folder with this platform's separator.
std::filesystem::path Joindre(const std::filesystem::path& dossier, std::string_view relatifWindows);

// The Wine prefix in use on Linux: $WINEPREFIX when set, else ~/.wine.
std::filesystem::path PrefixeWine();

}  // namespace platform
