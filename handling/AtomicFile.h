#pragma once
#include <filesystem>
#include <string>
#include <string_view>

// Replaces `cible` with `contenu`: writes a temporary file in the same folder, flushes it to
// disk, then renames it over the target, keeping the target's permission bits. Returns an
// empty string on success, else a French reason in UTF-8 ("dossier introuvable (No such file or
// directory)"); the target then keeps its old bytes and no temporary file is left behind. A
// symbolic link is followed: the file it points to is replaced. A target the user may not
// write (a read-only file) is refused, as a direct write would be.
std::string RemplacerFichier(const std::filesystem::path& cible, std::string_view contenu);

// Reads a whole file as raw bytes. Returns an empty string on success, else a French reason in
// UTF-8; `contenu` is then empty.
std::string LireFichier(const std::filesystem::path& chemin, std::string& contenu);
