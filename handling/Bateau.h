#pragma once
#include <array>
#include <istream>
#include <ostream>
#include <string>

#include "Caisse.h"

// One boat line ("%").
class BATEAU final : public MorvaneStruct {
 public:
  static constexpr int NbTextes = 19;

  CAISSE* voiture = nullptr;
  bivar<std::string> BBoxFwd, BBoxBack, BBoxSide, SampleTop, SampleBottom, AqPlaneForce,
      AqPlaneWfMult, AqPlaneWfCap, AqPlaneWfApp, RudderF, RudderOSet, WaveAudioMult, MoveResXY,
      MoveResZUp, MoveResZDown, TurnResX, TurnResY, TurnResZ, Look_L_R_BehindCamHeight;

  std::array<bivar<std::string>*, NbTextes> textes();
  std::array<const bivar<std::string>*, NbTextes> textes() const;
  static const std::array<const char*, NbTextes> nomsTextes;

  void reset() override;
};

std::istream& operator>>(std::istream& in, BATEAU& r);
std::ostream& operator<<(std::ostream& out, const BATEAU& r);
