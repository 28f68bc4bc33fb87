#include "Caisse.h"

#include "Champs.h"
#include "Jetons.h"

namespace {
// CAISSE or const CAISSE: the text members in member order.
template <class C>
auto TextesDe(C& r) {
  return std::array{&r.fMass,
                    &r.fDragMult,
                    &r.nPercentSubmerged,
                    &r.CentreOfMass.x,
                    &r.CentreOfMass.y,
                    &r.CentreOfMass.z,
                    &r.m_nDriveBias,
                    &r.m_nDriveGears,
                    &r.m_fDriveForce,
                    &r.m_fDriveInertia,
                    &r.m_fV,
                    &r.m_fBrakeForce,
                    &r.m_fBrakeBias,
                    &r.m_fSteeringLock,
                    &r.m_fTractionCurveMax,
                    &r.m_fTractionCurveMin,
                    &r.m_fTractionCurveLateral,
                    &r.m_fTractionCurveLongitudinal,
                    &r.m_fTractionSpringDeltaMax,
                    &r.m_fTractionBias,
                    &r.m_fSuspensionForce,
                    &r.m_fSuspensionCompDamp,
                    &r.m_fSuspensionReboundDamp,
                    &r.m_fSuspensionUpperLimit,
                    &r.m_fSuspensionLowerLimit,
                    &r.m_fSuspensionRaise,
                    &r.m_fSuspensionBias,
                    &r.m_fCollisionDamageMult,
                    &r.m_fWeaponDamageMult,
                    &r.m_fDeformationDamageMult,
                    &r.m_fEngineDamageMult,
                    &r.m_fSeatOffsetDist,
                    &r.m_nMonetaryValue,
                    &r.mFlags,
                    &r.hFlags};
}
}  // namespace

const std::array<const char*, CAISSE::NbTextes> CAISSE::nomsTextes = {
    "fMass",
    "fDragMult",
    "nPercentSubmerged",
    "CentreOfMass.x",
    "CentreOfMass.y",
    "CentreOfMass.z",
    "m_nDriveBias",
    "m_nDriveGears",
    "m_fDriveForce",
    "m_fDriveInertia",
    "m_fV",
    "m_fBrakeForce",
    "m_fBrakeBias",
    "m_fSteeringLock",
    "m_fTractionCurveMax",
    "m_fTractionCurveMin",
    "m_fTractionCurveLateral",
    "m_fTractionCurveLongitudinal",
    "m_fTractionSpringDeltaMax",
    "m_fTractionBias",
    "m_fSuspensionForce",
    "m_fSuspensionCompDamp",
    "m_fSuspensionReboundDamp",
    "m_fSuspensionUpperLimit",
    "m_fSuspensionLowerLimit",
    "m_fSuspensionRaise",
    "m_fSuspensionBias",
    "m_fCollisionDamageMult",
    "m_fWeaponDamageMult",
    "m_fDeformationDamageMult",
    "m_fEngineDamageMult",
    "m_fSeatOffsetDist",
    "m_nMonetaryValue",
    "mFlags",
    "hFlags",
};

std::array<bivar<std::string>*, CAISSE::NbTextes> CAISSE::textes() {
  return TextesDe(*this);
}

std::array<const bivar<std::string>*, CAISSE::NbTextes> CAISSE::textes() const {
  return TextesDe(*this);
}

void CAISSE::reset() {
  RemettreDefauts(*this);
}

std::istream& operator>>(std::istream& in, CAISSE& r) {
  JetonsFlux source(in);
  ExtraireRecord(source, r);
  return in;
}

std::ostream& operator<<(std::ostream& out, const CAISSE& r) {
  InsererRecord(out, r);
  return out;
}

void NormaliserFlags(std::string& texte) {
  if (texte.size() < 8) texte.insert(0, 8 - texte.size(), '0');
}
