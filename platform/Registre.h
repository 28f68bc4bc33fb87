#pragma once
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The game's install folder, read from the machine's registry. No Qt here: the Windows half
// builds with the Win32 API alone.
//
// 8-bit text here is Windows-1252 (the ANSI code page of the machines the game runs on), like
// every record value in Quintrel. File names built from it are converted to the platform's own
// encoding (UTF-8 on Linux, the ANSI code page's wide form on Windows).
namespace platform {

// The game reads the value into a buffer of this size, its terminating zero included.
inline constexpr std::size_t kTailleTamponRegistre = 255;

// HKEY_LOCAL_MACHINE\<cle>, value <nom>, as text (at most 254 bytes, like a 255-byte buffer
// with its terminating zero). On Windows: the registry API, also under WOW6432Node. On Linux:
// the Wine prefix's system.reg ($WINEPREFIX, else ~/.wine). nullopt when absent or too long.
// The 32-bit view is looked at first, as the game's own 32-bit programs see the registry; a
// view lacking the key or the value is skipped, a value too long ends the search.
std::optional<std::string> LireRegistreHKLM(std::string_view cle, std::string_view nom);

// Tests put a fixture in place of the machine's registry; empty means the real one. Its answer
// goes through the same length limit as the machine's.
using LecteurRegistre =
    std::function<std::optional<std::string>(std::string_view cle, std::string_view nom)>;
LecteurRegistre& registreDeTest();

// Parses the text of a Wine system.reg file: key names without regard to case, both the
// plain and the Wow6432Node view, escaped characters decoded.
// Only text values ("...", str:"...", str(N):"...") are read; other types count as absent.
// An empty `nom` is the key's default value ("@"). The text is cut at its first zero; nullopt when
// it needs more than the 255-byte buffer.
std::optional<std::string> LireValeurWine(std::string_view texteSystemReg, std::string_view cle,
                                          std::string_view nom);

// Turns a Windows path read from the registry ("C:\Games\Morvane") followed by a relative
// Windows name ("\common\data\handling.dat") into a path of this machine. On Linux, "C:" is the
// Wine prefix's drive_c and each component is matched without regard to case where it exists.
// Other drive letters go through the prefix's dosdevices links; a path without a drive letter
// is taken from the root of C:.
std::filesystem::path CheminJeu(std::string_view dossierWindows, std::string_view relatifWindows);

// Joins a Windows-style relative name (".\backup\handling.dat.backup", "\mini_screen\x.jpg")
// to a folder with this platform's separator.
std::filesystem::path Joindre(const std::filesystem::path& dossier,
                              std::string_view relatifWindows);

// A Windows path (Windows-1252) inside the given Wine prefix, each component matched without
// regard to case against what exists; used by CheminJeu on Linux.
std::filesystem::path CheminDansPrefixe(const std::filesystem::path& prefixe,
                                        std::string_view cheminWindows);

// The parts of a Windows path name split on '\' and '/', without empty and "." parts. The
// views point into `chemin`.
std::vector<std::string_view> ComposantsWindows(std::string_view chemin);

// The Wine prefix in use on Linux: $WINEPREFIX when set, else ~/.wine.
std::filesystem::path PrefixeWine();

// Windows-1252 <-> UTF-8, for file names on Linux. A character Windows-1252 lacks has no
// 8-bit form: nullopt. The five bytes Windows-1252 leaves undefined map to U+0081 etc., as
// Windows itself converts them.
std::string Utf8DepuisAnsi(std::string_view ansi);
std::optional<std::string> AnsiDepuisUtf8(std::string_view utf8);

// Windows-1252 text folded to upper case the way Windows compares names (accented letters
// included), so two names can be compared without regard to case.
std::string MajusculesAnsi(std::string_view ansi);

}  // namespace platform
