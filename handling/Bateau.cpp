#include "Bateau.h"

#include "Champs.h"
#include "Jetons.h"

namespace {
template <class B>
auto TextesDe(B& r) {
  return std::array{&r.BBoxFwd,
                    &r.BBoxBack,
                    &r.BBoxSide,
                    &r.SampleTop,
                    &r.SampleBottom,
                    &r.AqPlaneForce,
                    &r.AqPlaneWfMult,
                    &r.AqPlaneWfCap,
                    &r.AqPlaneWfApp,
                    &r.RudderF,
                    &r.RudderOSet,
                    &r.WaveAudioMult,
                    &r.MoveResXY,
                    &r.MoveResZUp,
                    &r.MoveResZDown,
                    &r.TurnResX,
                    &r.TurnResY,
                    &r.TurnResZ,
                    &r.Look_L_R_BehindCamHeight};
}
}  // namespace

const std::array<const char*, BATEAU::NbTextes> BATEAU::nomsTextes = {
    "BBoxFwd",
    "BBoxBack",
    "BBoxSide",
    "SampleTop",
    "SampleBottom",
    "AqPlaneForce",
    "AqPlaneWfMult",
    "AqPlaneWfCap",
    "AqPlaneWfApp",
    "RudderF",
    "RudderOSet",
    "WaveAudioMult",
    "MoveResXY",
    "MoveResZUp",
    "MoveResZDown",
    "TurnResX",
    "TurnResY",
    "TurnResZ",
    "Look_L_R_BehindCamHeight",
};

std::array<bivar<std::string>*, BATEAU::NbTextes> BATEAU::textes() {
  return TextesDe(*this);
}

std::array<const bivar<std::string>*, BATEAU::NbTextes> BATEAU::textes() const {
  return TextesDe(*this);
}

void BATEAU::reset() {
  if (voiture) voiture->reset();
  RemettreDefauts(*this);
}

std::istream& operator>>(std::istream& in, BATEAU& r) {
  JetonsFlux source(in);
  ExtraireRecord(source, r);
  return in;
}

std::ostream& operator<<(std::ostream& out, const BATEAU& r) {
  InsererRecord(out, r);
  return out;
}
