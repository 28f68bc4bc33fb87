#pragma once

// Base of every record class. Records are owned and destroyed by the catalogue through their
// own type, never through this base, hence the protected non-virtual destructor.
class MorvaneStruct {
 public:
  // Every current value := its default value.
  virtual void reset() = 0;

 protected:
  MorvaneStruct() = default;
  MorvaneStruct(const MorvaneStruct&) = default;
  MorvaneStruct& operator=(const MorvaneStruct&) = default;
  ~MorvaneStruct() = default;
};
