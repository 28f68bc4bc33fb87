#include "Animgroup.h"

#include "Champs.h"
#include "Jetons.h"

namespace {
template <class G>
auto TextesDe(G& r) {
  return std::array{&r.Enter1,      &r.Enter2,        &r.Jack1,       &r.Jack2,
                    &r.Drive1,      &r.Drive2,        &r.GetInTime,   &r.JumpOutTime,
                    &r.GetOutTime,  &r.JkdOutTime,    &r.FallTime,    &r.OpenOutStart,
                    &r.OpenOutStop, &r.CloseInStart,  &r.CloseInStop, &r.OpenInStart,
                    &r.OpenInStop,  &r.CloseOutStart, &r.CloseOutStop};
}
}  // namespace

const std::array<const char*, ANIMGROUP::NbTextes> ANIMGROUP::nomsTextes = {
    "Enter1",      "Enter2",       "Jack1",         "Jack2",        "Drive1",
    "Drive2",      "GetInTime",    "JumpOutTime",   "GetOutTime",   "JkdOutTime",
    "FallTime",    "OpenOutStart", "OpenOutStop",   "CloseInStart", "CloseInStop",
    "OpenInStart", "OpenInStop",   "CloseOutStart", "CloseOutStop",
};

std::array<bivar<std::string>*, ANIMGROUP::NbTextes> ANIMGROUP::textes() {
  return TextesDe(*this);
}

std::array<const bivar<std::string>*, ANIMGROUP::NbTextes> ANIMGROUP::textes() const {
  return TextesDe(*this);
}

void ANIMGROUP::reset() {
  RemettreDefauts(*this);
}

std::istream& operator>>(std::istream& in, ANIMGROUP& r) {
  JetonsFlux source(in);
  ExtraireRecord(source, r);
  return in;
}

std::ostream& operator<<(std::ostream& out, const ANIMGROUP& r) {
  InsererRecord(out, r);
  return out;
}
