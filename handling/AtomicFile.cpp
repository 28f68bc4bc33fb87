#include "AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <fstream>
#endif

namespace fs = std::filesystem;

namespace {

// "disque plein (No space left on device)": our words, then the system's.
std::string Raison(const char* quoi, int erreur) {
  return std::string(quoi) + " (" + std::generic_category().message(erreur) + ")";
}

const char* RaisonEcriture(int erreur) {
  switch (erreur) {
    case ENOENT:
    case ENOTDIR:
      return "dossier introuvable";
    case EACCES:
    case EPERM:
      return "accès refusé";
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return "disque plein";
    case EFBIG:
      return "fichier trop volumineux";
    case EROFS:
      return "support en lecture seule";
    case EISDIR:
      return "le chemin désigne un dossier";
    case ENAMETOOLONG:
      return "nom de fichier trop long";
    default:
      return "erreur d'écriture";
  }
}

const char* RaisonLecture(int erreur) {
  switch (erreur) {
    case ENOENT:
    case ENOTDIR:
      return "fichier introuvable";
    case EACCES:
    case EPERM:
      return "accès refusé";
    case EISDIR:
      return "le chemin désigne un dossier";
    default:
      return "erreur de lecture";
  }
}

// A name no other save uses at the same time; it starts with a dot so that a leftover from a
// crash stays out of sight, and keeps the target's name so that it can be recognised.
fs::path NomTemporaire(const fs::path& cible) {
  static std::atomic<unsigned> compteur{0};
  // Built by appending: g++ 12 warns falsely (-Wrestrict) on chains of operator+.
  std::string nom = ".";
  nom.append(cible.filename().string(), 0, 200);
#ifndef _WIN32
  nom.push_back('.');
  nom.append(std::to_string(getpid()));
#endif
  nom.push_back('.');
  nom.append(std::to_string(compteur++));
  nom.append(".tmp");
  return cible.parent_path() / nom;
}

}  // namespace

#ifndef _WIN32

namespace {

bool ToutEcrire(int fd, std::string_view contenu) {
  while (!contenu.empty()) {
    const ssize_t n = ::write(fd, contenu.data(), contenu.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    contenu.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Makes the rename itself durable; a failure here leaves a good file, so it is not reported.
void SynchroniserDossier(const fs::path& dossier) {
  const int fd =
      ::open(dossier.empty() ? "." : dossier.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::string RemplacerFichier(const fs::path& cheminDemande, std::string_view contenu) {
  fs::path cible = cheminDemande;
  // Saving through a symbolic link replaces the file it points to, not the link.
  std::error_code ec;
  if (fs::is_symlink(cible, ec)) {
    fs::path reelle = fs::canonical(cible, ec);
    if (!ec) cible = std::move(reelle);
  }

  struct stat infos {};
  const bool existe = ::stat(cible.c_str(), &infos) == 0;
  if (!existe && errno != ENOENT) return Raison(RaisonEcriture(errno), errno);
  if (existe && S_ISDIR(infos.st_mode)) return Raison(RaisonEcriture(EISDIR), EISDIR);
  // The rename would replace a file the user may not write (marked read-only, or another
  // user's) as long as the folder is writable; a direct write would be refused, and so is this.
  if (existe && ::faccessat(AT_FDCWD, cible.c_str(), W_OK, AT_EACCESS) != 0)
    return Raison(RaisonEcriture(errno), errno);

  // A new file gets the usual mode less the umask, as if it had been created directly.
  fs::path temporaire;
  int fd = -1;
  for (int essai = 0; fd < 0 && essai < 100; ++essai) {
    temporaire = NomTemporaire(cible);
    fd = ::open(temporaire.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, existe ? 0600 : 0666);
    if (fd < 0 && errno != EEXIST) return Raison(RaisonEcriture(errno), errno);
  }
  if (fd < 0) return Raison(RaisonEcriture(EEXIST), EEXIST);

  bool reussi = ToutEcrire(fd, contenu) && (!existe || ::fchmod(fd, infos.st_mode & 07777) == 0) &&
                ::fsync(fd) == 0;
  int erreur = errno;
  if (::close(fd) != 0 && reussi) {
    reussi = false;
    erreur = errno;
  }
  if (reussi && ::rename(temporaire.c_str(), cible.c_str()) != 0) {
    reussi = false;
    erreur = errno;
  }
  if (!reussi) {
    ::unlink(temporaire.c_str());
    return Raison(RaisonEcriture(erreur), erreur);
  }
  SynchroniserDossier(cible.parent_path());
  return {};
}

std::string LireFichier(const fs::path& chemin, std::string& contenu) {
  contenu.clear();
  const int fd = ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Raison(RaisonLecture(errno), errno);
  struct stat infos {};
  if (::fstat(fd, &infos) == 0 && infos.st_size > 0)
    contenu.reserve(static_cast<std::size_t>(infos.st_size));
  char bloc[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, bloc, sizeof bloc);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int erreur = errno;
      ::close(fd);
      contenu.clear();
      return Raison(RaisonLecture(erreur), erreur);
    }
    if (n == 0) break;
    contenu.append(bloc, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return {};
}

#else

// Windows: the same steps with the standard library, which gives no system error for a failed
// stream write; the rename replaces the target.
std::string RemplacerFichier(const fs::path& cible, std::string_view contenu) {
  std::error_code ec;
  const auto etat = fs::status(cible, ec);
  const fs::path temporaire = NomTemporaire(cible);
  {
    std::ofstream sortie(temporaire, std::ios::binary | std::ios::trunc);
    if (!sortie) return "impossible de créer le fichier temporaire";
    sortie.write(contenu.data(), static_cast<std::streamsize>(contenu.size()));
    sortie.close();
    if (!sortie) {
      fs::remove(temporaire, ec);
      return "erreur d'écriture";
    }
  }
  if (fs::exists(etat)) fs::permissions(temporaire, etat.permissions(), ec);
  fs::rename(temporaire, cible, ec);
  if (ec) {
    const std::string raison = "erreur d'écriture (" + ec.message() + ")";
    fs::remove(temporaire, ec);
    return raison;
  }
  return {};
}

std::string LireFichier(const fs::path& chemin, std::string& contenu) {
  contenu.clear();
  std::ifstream entree(chemin, std::ios::binary);
  if (!entree) return "fichier introuvable";
  contenu.assign(std::istreambuf_iterator<char>(entree), std::istreambuf_iterator<char>());
  if (entree.bad()) {
    contenu.clear();
    return "erreur de lecture";
  }
  return {};
}

#endif
