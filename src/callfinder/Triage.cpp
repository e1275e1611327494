#include "callfinder/CallAssembly.h"

namespace zorvel::cf {

// A call earns points for good octet scores, for length and for octets that followed the
// predicted sweep closely; short calls with poor fits lose them.
int32_t TriageScore(const tCall& c) {
  int32_t t = c.avScore + 3;
  if (c.BestQ > 7) t += c.BestQ - 7;
  t += c.BestQ2 - 7;
  const int32_t n = c.nSelOctInCall;
  if (n > 16) {
    t += n / 8;
  } else if (n < 6) {
    t -= 6 - n;
  }
  if (n / 16 >= c.nGoodFits) t -= 1;
  if (c.avOctFit < 8) t += (9 - c.avOctFit) / 2;
  return t;
}

}  // namespace zorvel::cf
