#pragma once
#include <array>
#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

#include "MorvaneStruct.h"
#include "bivar.h"

// One car line: 35 text values and the anim group number, in the file's column order.
class CAISSE final : public MorvaneStruct {
 public:
  static constexpr int NbTextes = 35;

  bivar<std::string> fMass, fDragMult, nPercentSubmerged;
  struct {
    bivar<std::string> x, y, z;
  } CentreOfMass;
  bivar<std::string> m_nDriveBias, m_nDriveGears, m_fDriveForce, m_fDriveInertia, m_fV,
      m_fBrakeForce, m_fBrakeBias, m_fSteeringLock, m_fTractionCurveMax, m_fTractionCurveMin,
      m_fTractionCurveLateral, m_fTractionCurveLongitudinal, m_fTractionSpringDeltaMax,
      m_fTractionBias, m_fSuspensionForce, m_fSuspensionCompDamp, m_fSuspensionReboundDamp,
      m_fSuspensionUpperLimit, m_fSuspensionLowerLimit, m_fSuspensionRaise, m_fSuspensionBias,
      m_fCollisionDamageMult, m_fWeaponDamageMult, m_fDeformationDamageMult, m_fEngineDamageMult,
      m_fSeatOffsetDist, m_nMonetaryValue, mFlags, hFlags;
  bivar<std::int32_t> m_nAnimGroup;

  // The text members in member order (index = the member's number, 0 to 34).
  std::array<bivar<std::string>*, NbTextes> textes();
  std::array<const bivar<std::string>*, NbTextes> textes() const;
  // The column names of the text members, same order ("fMass", ..., "CentreOfMass.x", ...).
  static const std::array<const char*, NbTextes> nomsTextes;

  void reset() override;
};

std::istream& operator>>(std::istream& in, CAISSE& r);
std::ostream& operator<<(std::ostream& out, const CAISSE& r);

// Left-fills a flags text with '0' to eight characters; longer texts are left alone.
void NormaliserFlags(std::string& texte);
