#pragma once
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>

// Sets (or, with nullopt, removes) an environment variable for the life of the object.
class VariableEnvironnement {
 public:
  VariableEnvironnement(const char* nom, const std::optional<std::string>& valeur) : nom_(nom) {
    if (const char* avant = std::getenv(nom)) avant_ = avant;
    if (valeur) {
      setenv(nom, valeur->c_str(), 1);
    } else {
      unsetenv(nom);
    }
  }
  ~VariableEnvironnement() {
    if (avant_) {
      setenv(nom_.c_str(), avant_->c_str(), 1);
    } else {
      unsetenv(nom_.c_str());
    }
  }
  VariableEnvironnement(const VariableEnvironnement&) = delete;
  VariableEnvironnement& operator=(const VariableEnvironnement&) = delete;

 private:
  std::string nom_;
  std::optional<std::string> avant_;
};

// A fresh folder under the system's temporary folder, removed with everything in it.
class DossierTemporaire {
 public:
  DossierTemporaire() {
    std::string modele = (std::filesystem::temp_directory_path() / "quintrel-XXXXXX").string();
    if (mkdtemp(modele.data()) == nullptr) throw std::runtime_error("mkdtemp");
    chemin_ = modele;
  }
  ~DossierTemporaire() {
    std::error_code ignore;
    std::filesystem::remove_all(chemin_, ignore);
  }
  DossierTemporaire(const DossierTemporaire&) = delete;
  DossierTemporaire& operator=(const DossierTemporaire&) = delete;

  const std::filesystem::path& chemin() const { return chemin_; }

 private:
  std::filesystem::path chemin_;
};
