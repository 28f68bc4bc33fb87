#pragma once
#include <array>
#include <istream>
#include <ostream>
#include <string>

#include "Caisse.h"

// One bike line ("!"). `voiture` is the vehicle's car record, owned by the catalogue.
class MOTO final : public MorvaneStruct {
 public:
  static constexpr int NbTextes = 15;

  CAISSE* voiture = nullptr;
  bivar<std::string> LeanFwdCOM, LeanFwdForce, LeanBakCOM, LeanBackForce, MaxLean, FullAnimLean,
      DesLean, StickLean, BrakeStabil, InAirSteer, WheelieAng, StoppieAng, WheelieSteer,
      WheelieStabMult, StoppieStabMult;

  std::array<bivar<std::string>*, NbTextes> textes();
  std::array<const bivar<std::string>*, NbTextes> textes() const;
  static const std::array<const char*, NbTextes> nomsTextes;

  // Resets the car record first, then the bike's own values.
  void reset() override;
};

std::istream& operator>>(std::istream& in, MOTO& r);
std::ostream& operator<<(std::ostream& out, const MOTO& r);
