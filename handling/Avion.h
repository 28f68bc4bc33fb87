#pragma once
#include <array>
#include <istream>
#include <ostream>
#include <string>

#include "Caisse.h"

// One flying line ("$"), helicopters and planes.
class AVION final : public MorvaneStruct {
 public:
  static constexpr int NbTextes = 22;

  CAISSE* voiture = nullptr;
  bivar<std::string> Thrust, ThrustFallOff, ThrustVec, Yaw, YawStab, SideSlip, Roll, RollStab,
      Pitch, PitchStab, FormLift, AttackLift, GearUpR, GearDownL, WindMult, MoveRes;
  struct {
    bivar<std::string> x, y, z;
  } TurnRes, SpeedRes;

  std::array<bivar<std::string>*, NbTextes> textes();
  std::array<const bivar<std::string>*, NbTextes> textes() const;
  static const std::array<const char*, NbTextes> nomsTextes;

  void reset() override;
};

std::istream& operator>>(std::istream& in, AVION& r);
std::ostream& operator<<(std::ostream& out, const AVION& r);
