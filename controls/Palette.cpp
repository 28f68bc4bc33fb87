#include "Palette.h"

#include <algorithm>

namespace controls {

namespace {
std::vector<Composant>& registre() {
  static std::vector<Composant> composants;
  return composants;
}
}  // namespace

void RegisterComponents(const QString& page, const std::vector<Composant>& composants) {
  auto& tous = registre();
  for (Composant c : composants) {
    c.page = page;
    auto meme = std::find_if(tous.begin(), tous.end(),
                             [&](const Composant& connu) { return connu.classe == c.classe; });
    if (meme != tous.end())
      *meme = std::move(c);
    else
      tous.push_back(std::move(c));
  }
}

const std::vector<Composant>& Composants() {
  return registre();
}

const Composant* TrouverComposant(const QString& classe) {
  const auto& tous = registre();
  auto it = std::find_if(tous.begin(), tous.end(),
                         [&](const Composant& c) { return c.classe == classe; });
  return it == tous.end() ? nullptr : &*it;
}

QWidget* CreerComposant(const QString& classe, QWidget* owner) {
  const Composant* c = TrouverComposant(classe);
  return c ? c->fabrique(owner) : nullptr;
}

}  // namespace controls
