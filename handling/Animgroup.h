#pragma once
#include <array>
#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

#include "MorvaneStruct.h"
#include "bivar.h"

// One anim group line ("^"): 19 text values, then the SpecialFlag bit set.
class ANIMGROUP final : public MorvaneStruct {
 public:
  static constexpr int NbTextes = 19;

  bivar<std::string> Enter1, Enter2, Jack1, Jack2, Drive1, Drive2, GetInTime, JumpOutTime,
      GetOutTime, JkdOutTime, FallTime, OpenOutStart, OpenOutStop, CloseInStart, CloseInStop,
      OpenInStart, OpenInStop, CloseOutStart, CloseOutStop;
  bivar<std::int32_t> SpecialFlag;

  std::array<bivar<std::string>*, NbTextes> textes();
  std::array<const bivar<std::string>*, NbTextes> textes() const;
  static const std::array<const char*, NbTextes> nomsTextes;

  void reset() override;
};

// Insertion writes a blank before every value, the first one included.
std::istream& operator>>(std::istream& in, ANIMGROUP& r);
std::ostream& operator<<(std::ostream& out, const ANIMGROUP& r);
