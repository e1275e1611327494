#include "import/PositionParser.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "import/Messages.h"

namespace zorvel {

namespace {

constexpr int kFields = 4;

bool Has(const std::string& s, char c) {
  return s.find(c) != std::string::npos;
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A digit string as a number; the strings are short enough in practice, and a long one
// simply gives a large value that the range checks reject.
double Whole(const std::string& digits) {
  double v = 0;
  for (char c : digits) v = v * 10 + (c - '0');
  return v;
}

// "0." followed by the digits.
double Fraction(const std::string& digits) {
  double v = 0, scale = 0.1;
  for (char c : digits) {
    v += (c - '0') * scale;
    scale /= 10;
  }
  return v;
}

struct Split {
  std::string num[kFields + 1];  // 1-based, as the rules count fields
  std::string label[kFields + 1];
  bool dec[kFields + 1] = {};
  bool minus = false;
  bool tooMany = false;
  bool anyDigit = false;
  bool misplacedLabel = false;
};

Split SplitFields(const std::string& s) {
  Split sp;
  int f = 1;
  bool inLabel = false;
  for (char c : s) {
    if (IsDigit(c)) {
      if (!sp.anyDigit) {
        sp.anyDigit = true;
      } else if (inLabel) {
        if (++f > kFields) {
          sp.tooMany = true;
          break;
        }
      } else if ((f == 1 && sp.num[1].size() == 3) || (f == 2 && sp.num[2].size() == 2 && !sp.dec[1]) ||
                 (f == 3 && sp.num[3].size() == 2 && !sp.dec[2])) {
        // Unseparated DDDMMSS: degrees take three digits, minutes and seconds two.
        ++f;
      }
      inLabel = false;
      sp.num[f].push_back(c);
    } else if (!sp.anyDigit) {
      if (c == '-') {
        sp.minus = true;
      } else if (c == 'D' || c == 'M' || c == 'S') {
        sp.misplacedLabel = true;
        break;
      }
    } else {
      sp.label[f].push_back(c);
      inLabel = true;
      if ((c == '.' || c == ',') && f <= 3) sp.dec[f] = true;
    }
  }
  return sp;
}

// The first rule the fields break, or empty.
std::string_view CheckFields(const Split& sp, const std::string& h) {
  const double deg = Whole(sp.num[1]), min = Whole(sp.num[2]), sec = Whole(sp.num[3]);
  const bool hasMin = !sp.num[2].empty(), hasSec = !sp.num[3].empty(), hasFourth = !sp.num[4].empty();
  if (sp.tooMany) return msg::kTooManyNumbers;
  if (Has(sp.label[3], 'D')) return msg::kDegLabelMisplaced;
  if (h != "S" && (Has(sp.label[1], 'S') || Has(sp.label[2], 'S'))) return msg::kSecLabelMisplaced;
  if (Has(sp.label[1], 'M') || Has(sp.label[4], 'M')) return msg::kMinLabelMisplaced;
  if (Has(sp.label[2], 'D') && !sp.dec[1]) return msg::kDegLabelMisplaced;
  if (Has(sp.label[1], 'D') && sp.dec[1]) return msg::kDegreeTypeConflict;
  if (deg > 180) return msg::kDegTooBig;
  if (hasMin && !sp.dec[1] && min >= 60) return msg::kMinTooBig;
  if (!sp.dec[1] && sp.num[2].size() > 2) return msg::kMinTooLong;
  if (sp.dec[1] && hasSec) return msg::kTooManyNumbers;
  if (sp.dec[1] && sp.dec[2]) return msg::kTooManyDecSeparators;
  if (Has(sp.label[2], 'M') && sp.dec[2]) return msg::kMinTypeConflict;
  if (hasSec && !sp.dec[2] && (sec >= 60 || sp.num[3].size() > 2)) return msg::kSecTooBigOrLong;
  if (hasSec && !sp.dec[3] && hasFourth) return msg::kSecDecimal;
  return {};
}

double Degrees(const Split& sp) {
  if (sp.dec[1]) return Whole(sp.num[1]) + Fraction(sp.num[2]);
  double v = Whole(sp.num[1]) + Whole(sp.num[2]) / 60;
  if (sp.dec[2]) {
    v += Fraction(sp.num[3]) / 60;
  } else if (!sp.num[3].empty()) {
    v += Whole(sp.num[3]) / 3600;
    if (sp.dec[3] && !sp.num[4].empty()) v += Fraction(sp.num[4]) / 3600;
  }
  return v;
}

}  // namespace

tParseReport ParsePosition(std::string_view text, bool isLatitude) {
  tParseReport r;
  std::string s;
  for (char c : text) s.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));

  if (s.size() <= 2) {
    if (Has(s, 'D') || Has(s, 'M') || Has(s, 'S')) r.Errors = msg::kMisplacedLabel;
    return r;
  }
  const size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return r;
  s = s.substr(first, s.find_last_not_of(' ') - first + 1);

  const char last = s.back();
  std::string h;
  if (last == 'S') {
    h = "S";
  } else if (last == 'N') {
    h = "N";
  } else if (Has(s, 'W')) {
    h = "W";
  } else if (last == 'E') {
    h = "E";
  }
  if (isLatitude && (h == "E" || h == "W")) {
    r.Errors = std::string(msg::kLatCannotBe) + h;
    return r;
  }
  if (!isLatitude && (h == "N" || h == "S")) {
    r.Errors = std::string(msg::kLongCannotBe) + h;
    return r;
  }

  const Split sp = SplitFields(s);
  if (sp.misplacedLabel) {
    r.Errors = msg::kMisplacedLabel;
    return r;
  }
  // Nothing numeric typed yet: nothing to show and nothing to complain about.
  if (!sp.anyDigit) return r;
  if (const std::string_view e = CheckFields(sp, h); !e.empty()) {
    r.Errors = e;
    return r;
  }

  const double v = Degrees(sp);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.5f", v);
  r.Value = buf;
  if (v > 180) {
    r.Errors = msg::kValueOver180;
    r.Value.clear();
    return r;
  }
  if (sp.minus) {
    if (h == "E") {
      r.Errors = msg::kEMinusConflict;
    } else if (h == "N") {
      r.Errors = msg::kNMinusConflict;
    } else {
      r.Value.insert(0, "-");
    }
  } else if ((isLatitude && h == "S") || (!isLatitude && h == "W")) {
    r.Value.insert(0, "-");
  }
  return r;
}

std::string PositionTextProblem(std::string_view text, bool isLatitude) {
  if (text.find_first_not_of(' ') == std::string_view::npos) return {};
  const tParseReport r = ParsePosition(text, isLatitude);
  if (!r.Errors.empty()) return r.Errors;
  if (r.Value.empty()) return std::string(msg::kNoPosition);
  // The parser caps both at 180 degrees; a longitude cannot pass it.
  if (isLatitude && std::abs(std::strtod(r.Value.c_str(), nullptr)) > 90)
    return std::string(msg::kLatitudeBeyond90);
  return {};
}

}  // namespace zorvel
