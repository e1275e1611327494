#include <algorithm>
#include <cstdlib>

#include "callfinder/classify/British0.h"

namespace zorvel::cf {

namespace {

bool In(int32_t v, int32_t lo, int32_t hi) {
  return v >= lo && v <= hi;
}

int32_t HarmonicBonus(int32_t s, const tCall& c) {
  return s > 2 && c.HmicScore > 3 ? std::min(3, c.HmicScore / 16) + 1 : 0;
}

int32_t TestGHB(const tCall& c) {
  if (c.Fstart - c.ModalKHZ > 20) return 0;
  const int32_t n = c.nSelOctInCall;
  int32_t s = 0;
  if (In(c.ModalKHZ, 82, 88) || In(c.MedianKHZ, 84, 88)) ++s;
  if (In(c.BodyHiKhz, 84, 94) && In(c.BodyLoKhz, 79, 84)) ++s;
  if (s <= 0) return s;
  if (n < 30) s -= (38 - n) / 8;
  if (c.RisingIPIindex < 5) ++s;
  const int32_t b = std::abs(c.avBodyIPIchangePerMsec);
  if (b == 0) {
    s += 3;
  } else if (b == 1) {
    s += 2;
  } else if (b <= 3) {
    s += 1;
  } else if (b > 10) {
    s -= b / 256;
  }
  if (In(c.Flat1avIPI, 45, 48) && c.Flat1score + c.Flat1nOct > 20) s += c.Flat1score + 1;
  return s + HarmonicBonus(s, c);
}

int32_t TestLHB(const tCall& c) {
  if (c.Fstart - c.ModalKHZ > 20) return 0;
  const int32_t n = c.nSelOctInCall;
  int32_t s = 1;
  if (In(c.ModalKHZ, 107, 116) || In(c.MedianKHZ, 107, 116)) ++s;
  if (In(c.BodyHiKhz, 114, 123) && In(c.BodyLoKhz, 104, 110)) ++s;
  if (In(c.Flat1avIPI, 34, 36) && c.Flat1score > 0) s += c.Flat1score / 8 + 1;
  const int32_t rate = std::abs(c.avKHZchangePerMsec);
  if (n > 25) {
    if (c.RisingIPIindex < 5) ++s;
    if (rate < 6) ++s;
  }
  if (rate > 100) s -= rate / 64;
  return s + HarmonicBonus(s, c);
}

int32_t DipPoints(int32_t d) {
  if (In(d, 3, 5)) return 1;
  if (In(d, 6, 10)) return 2;
  if (In(d, 11, 15)) return 3;
  if (In(d, 16, 20)) return 4;
  return 0;
}

int32_t TestNattererDip(const tCall& c) {
  return DipPoints(c.Fend - c.Fmin) + DipPoints(c.Fstart - c.Fmin);
}

int32_t TestCmnPip(const tCall& c) {
  if (!(c.Fmax - c.Fmin >= 5 && c.Fmax <= c.Fstart && In(c.Fmin, 42, 59))) return 0;
  const int32_t n = c.nSelOctInCall;
  int32_t s = 0;
  if (c.Fend < 52) {
    ++s;
  } else if (c.Fend > 60) {
    --s;
  }
  if (c.avKHZchangePerMsec < 1650 - 30 * c.ModalKHZ) ++s;
  if (c.BodyRnge > n / 8 + 12) --s;
  if (c.BodyHiKhz - c.BodyLoKhz < 10) ++s;
  if (c.Flat1avIPI < 52) {
    if (c.EndQtrIPIratio > 1000) {
      s += 2;
    } else if (c.EndQtrIPIratio > 40) {
      s += 1;
    }
    if (c.Fend - c.Fmin > 2) ++s;
  }
  if (c.ModalKHZ > 51) {
    if (c.ModalKHZ > std::max(52, 70 - n / 2)) --s;
    if (c.ModalKHZ > std::max(52, c.RisingIPIindex / 2 + 45)) --s;
    if (c.avKHZchangePerMsec > 1050 - 20 * c.BodyLoKhz) --s;
    if (c.Fmax > 430 - 6 * c.Fend) --s;
    if (In(c.Flat1avIPI, 61, 71)) --s;
  }
  return s;
}

int32_t TestSopPip(const tCall& c) {
  if (!(c.Fmax - c.Fmin >= 5 && c.Fmax <= c.Fstart && c.Fend >= 40)) return 0;
  const int32_t n = c.nSelOctInCall;
  int32_t s = 0;
  if (c.Fend > 60) ++s;
  if (c.ModalKHZ > 70 - n / 2) ++s;
  if (c.ModalKHZ > c.RisingIPIindex / 2 + 45) ++s;
  if (c.avKHZchangePerMsec > 1050 - 20 * c.BodyLoKhz) ++s;
  if (c.Fmax > 430 - 6 * c.Fend) ++s;
  if (In(c.Flat1avIPI, 61, 71)) ++s;
  if (c.EndQtrIPIratio > 1000) {
    s += 2;
  } else if (c.EndQtrIPIratio > 40) {
    s += 1;
  }
  if (c.Flat1avIPI < 72) {
    if (c.Fend - c.Fmin > 2) ++s;
    if (c.avKHZchangePerMsec < 1650 - 30 * c.ModalKHZ) --s;
    if (c.BodyRnge > n / 8 + 12) --s;
  }
  return s;
}

int32_t TestNatPip(const tCall& c) {
  return c.Fmax - c.Fmin >= 20 && In(c.MedianKHZ, 35, 41) && c.Fmin > 34 && c.BodyLoKhz < c.Fmin + c.Fmin / 8
             ? 1
             : 0;
}

int32_t TestNattererHigh(const tCall& c) {
  return (c.BodyHiKhz > 100 ? 1 : 0) + (c.Fmax > 140 ? 1 : 0) + (c.Fav > 90 ? 1 : 0);
}

int32_t TestFM(const tCall& c) {
  const int32_t n = c.nSelOctInCall;
  if (c.CallType == tcFM || c.MaxIPIfall < 0 || c.Frange < 10 || c.FirstQtrIPIchangePerMsec < 0 ||
      c.avKHZchangePerMsec > -3 * n)
    return 0;
  int32_t s = 0;
  if (c.MaxIPIrise > 1200) {
    s += 2;
  } else if (c.MaxIPIrise > 900) {
    s += 1;
  }
  if (c.MaxIPIriseKHZ > 0 && c.MinSlopeKHZ > c.MaxIPIriseKHZ + 20) ++s;
  if (c.RisingIPIindex > 65 - n) ++s;
  if (c.avKHZchangePerMsec > -n - 50) --s;
  if (c.avIPIchangePerMsec < 1200 - 10 * n) {
    --s;
  } else if (c.avIPIchangePerMsec > 2800 - 50 * n) {
    ++s;
  }
  if (c.SecondHalfIPIchangePerMsec > 80 - n) ++s;
  if (c.LastQtrIPIchangePerMsec < 100 - n - n / 2) {
    --s;
  } else if (c.LastQtrIPIchangePerMsec > 100) {
    ++s;
  }
  if (c.EndQtrIPIratio > 40) --s;
  if (c.DBSharp < 15) --s;
  if (c.UBSharp > 4) --s;
  if (c.ModalKHZ - c.MedianKHZ > 2) ++s;
  if (c.ModalKHZ - c.MedianKHZ < 0) --s;
  // Seq holds octal digits: 14 is 016, 409 is 0631 and 417 is 0641.
  if (c.Seq == 14 || c.Seq > 417) --s;
  if (c.Seq == 409 || c.Seq == 417) ++s;
  return s;
}

}  // namespace

void RuleTests(tCall& c, CandidateList& cands) {
  bool go = true;
  auto add = [&](int32_t species, int32_t s, tCallType type) {
    if (s <= 0) return;
    if (cands.count < kMaxCandidates) cands.entries[static_cast<size_t>(cands.count++)] = {species, s, s};
    c.CallType = type;
    if (s > 1) go = false;
  };
  const int32_t n = c.nSelOctInCall;
  if (In(c.ModalKHZ, 78, 94)) add(kGHB, TestGHB(c), tcCF);
  if (go && In(c.ModalKHZ, 110, 119) && n > 15) add(kLHB, TestLHB(c), tcCF);
  if (c.Fmin < 40 && c.Fmin < c.Fstart && c.Fmin < c.Fend) add(kNatterer, TestNattererDip(c), tcFM);
  if (go && In(c.ModalKHZ, 42, 58)) add(kCmnPip, TestCmnPip(c), tcQCF);
  if (go && In(c.ModalKHZ, 56, 70)) add(kSopPip, TestSopPip(c), tcQCF);
  if (go) add(kNatPip, TestNatPip(c), tcQCF);
  if (go) add(kNatterer, TestNattererHigh(c), tcFM);
  if (go && cands.count <= 5) add(kFM, TestFM(c), tcFM);
  c.cSpPtr = cands.count;
}

}  // namespace zorvel::cf
