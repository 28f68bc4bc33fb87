#include "Moto.h"

#include "Champs.h"
#include "Jetons.h"

namespace {
template <class M>
auto TextesDe(M& r) {
  return std::array{&r.LeanFwdCOM,   &r.LeanFwdForce,    &r.LeanBakCOM,     &r.LeanBackForce,
                    &r.MaxLean,      &r.FullAnimLean,    &r.DesLean,        &r.StickLean,
                    &r.BrakeStabil,  &r.InAirSteer,      &r.WheelieAng,     &r.StoppieAng,
                    &r.WheelieSteer, &r.WheelieStabMult, &r.StoppieStabMult};
}
}  // namespace

const std::array<const char*, MOTO::NbTextes> MOTO::nomsTextes = {
    "LeanFwdCOM",   "LeanFwdForce", "LeanBakCOM",   "LeanBackForce",   "MaxLean",
    "FullAnimLean", "DesLean",      "StickLean",    "BrakeStabil",     "InAirSteer",
    "WheelieAng",   "StoppieAng",   "WheelieSteer", "WheelieStabMult", "StoppieStabMult",
};

std::array<bivar<std::string>*, MOTO::NbTextes> MOTO::textes() {
  return TextesDe(*this);
}

std::array<const bivar<std::string>*, MOTO::NbTextes> MOTO::textes() const {
  return TextesDe(*this);
}

void MOTO::reset() {
  // Before the car records are attached there is none to reset.
  if (voiture) voiture->reset();
  RemettreDefauts(*this);
}

std::istream& operator>>(std::istream& in, MOTO& r) {
  JetonsFlux source(in);
  ExtraireRecord(source, r);
  return in;
}

std::ostream& operator<<(std::ostream& out, const MOTO& r) {
  InsererRecord(out, r);
  return out;
}
