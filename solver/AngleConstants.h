#pragma once
// The angle constants in the extended type, given by their encodings so that no compiler's
// reading of a decimal literal is involved: pi = 3.1415926535897932385, 2 pi = 6.283185307179586477,
// pi/2 = 1.5707963267948966 (the 17-digit decimal, not pi/2 to full precision),
// pi/180 = 0.017453292519943295769 and 180/pi = 57.295779513082320877, each the extended value
// nearest to that decimal. The solvers turn degrees into radians, the report radians into degrees.

#include "solver/Extended.h"

namespace vornik {

inline constexpr Extended kPi = Extended::FromBits(0x4000, 0xC90FDAA22168C235);
inline constexpr Extended kTwoPi = Extended::FromBits(0x4001, 0xC90FDAA22168C235);
inline constexpr Extended kHalfPi = Extended::FromBits(0x3FFF, 0xC90FDAA22168C183);
inline constexpr Extended kDegToRad = Extended::FromBits(0x3FF9, 0x8EFA351294E9C8AE);
inline constexpr Extended kRadToDeg = Extended::FromBits(0x4004, 0xE52EE0D31E0FBDC3);

}  // namespace vornik
