#include "Avion.h"

#include "Champs.h"
#include "Jetons.h"

namespace {
template <class A>
auto TextesDe(A& r) {
  return std::array{&r.Thrust,     &r.ThrustFallOff, &r.ThrustVec, &r.Yaw,       &r.YawStab,
                    &r.SideSlip,   &r.Roll,          &r.RollStab,  &r.Pitch,     &r.PitchStab,
                    &r.FormLift,   &r.AttackLift,    &r.GearUpR,   &r.GearDownL, &r.WindMult,
                    &r.MoveRes,    &r.TurnRes.x,     &r.TurnRes.y, &r.TurnRes.z, &r.SpeedRes.x,
                    &r.SpeedRes.y, &r.SpeedRes.z};
}
}  // namespace

const std::array<const char*, AVION::NbTextes> AVION::nomsTextes = {
    "Thrust",    "ThrustFallOff", "ThrustVec",  "Yaw",        "YawStab",   "SideSlip",
    "Roll",      "RollStab",      "Pitch",      "PitchStab",  "FormLift",  "AttackLift",
    "GearUpR",   "GearDownL",     "WindMult",   "MoveRes",    "TurnRes.x", "TurnRes.y",
    "TurnRes.z", "SpeedRes.x",    "SpeedRes.y", "SpeedRes.z",
};

std::array<bivar<std::string>*, AVION::NbTextes> AVION::textes() {
  return TextesDe(*this);
}

std::array<const bivar<std::string>*, AVION::NbTextes> AVION::textes() const {
  return TextesDe(*this);
}

void AVION::reset() {
  if (voiture) voiture->reset();
  RemettreDefauts(*this);
}

std::istream& operator>>(std::istream& in, AVION& r) {
  JetonsFlux source(in);
  ExtraireRecord(source, r);
  return in;
}

std::ostream& operator<<(std::ostream& out, const AVION& r) {
  InsererRecord(out, r);
  return out;
}
