#include "callfinder/BuzzFinder.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "callfinder/Rounding.h"

namespace zorvel::cf {

namespace {

constexpr int32_t kFirstWindowStart = 1000;  // 5 ms after the first group's start
constexpr int32_t kFirstWindowEnd = 8000;    // 40 ms
constexpr int32_t kQuietBeforeBuzz = 1000;
constexpr int32_t kLoud = 4;
constexpr int32_t kMaxGroupOctets = 16;
constexpr int32_t kMoveBackGap = 32;

class BuzzWalker {
 public:
  explicit BuzzWalker(MinuteWork& w) : w_(w) { Reset(w.N >= 1 ? w.oct[1].Time5mu : 0); }

  void Walk() {
    for (int32_t b = 2; b <= w_.N - 1; ++b) {
      const tOctRec& o = w_.oct[b];
      if (groupOpen_) {
        if (o.Time5mu > groupEndLimit_ || o.preGap > 2) {
          CloseGroup(b);
          AfterClose(b);
        } else {
          kHzSum_ += o.KHZ;
          maxAmp_ = std::max(maxAmp_, o.ampSum);
          maxScore_ = std::max(maxScore_, o.OctScore);
          groupScore_[n_] = maxScore_;
          ++j_;
          if (j_ >= kMaxGroupOctets) {
            // The group is counted as the candidate's last one, as if it had closed here.
            count_[n_] = j_;
            scoreSum_ += maxScore_;
            Finish(false, b);
          }
        }
      } else if (candidate_) {
        if (earliest_ <= o.Time5mu && o.Time5mu < latest_ && o.ampSum > 8) {
          StartGroup(b);
        } else if (o.Time5mu > latest_ && n_ > 0) {
          Finish(false, b);
        }
      } else if (o.ampSum > kLoud && o.Time5mu - tq_ > kQuietBeforeBuzz) {
        StartCandidate(b);
      }
      if (o.ampSum > kLoud) tq_ = o.Time5mu;
    }
    if (candidate_ && n_ > 4) Finish(true, w_.N);
  }

 private:
  void Reset(int32_t now) {
    candidate_ = groupOpen_ = false;
    earliest_ = latest_ = 0;
    d_ = 0;
    tq_ = now;
    ampThreshold_ = 8;
    scoreSum_ = irregSum_ = prevMeanKhz_ = 0;
    n_ = 0;
    first_.fill(0);
    count_.fill(0);
    groupScore_.fill(0);
    groupIrreg_.fill(0);
  }

  void StartCandidate(int32_t b) {
    candidate_ = true;
    n_ = 0;
    StartGroup(b);
  }

  void StartGroup(int32_t b) {
    const tOctRec& o = w_.oct[b];
    if (n_ == kMaxBuzzGroups) {
      // Only the latest fifteen groups are remembered.
      for (int g = 1; g < kMaxBuzzGroups; ++g) {
        first_[g] = first_[g + 1];
        count_[g] = count_[g + 1];
        groupScore_[g] = groupScore_[g + 1];
        groupIrreg_[g] = groupIrreg_[g + 1];
      }
      n_ = kMaxBuzzGroups - 1;
    }
    ++n_;
    first_[n_] = b;
    count_[n_] = 0;
    groupScore_[n_] = o.OctScore;
    groupIrreg_[n_] = 0;
    j_ = 1;
    kHzSum_ = o.KHZ;
    maxAmp_ = o.ampSum;
    maxScore_ = o.OctScore;
    if (n_ == 1) {
      groupEndLimit_ = o.Time5mu + 16 * o.Dur5mu;
    } else {
      const int32_t interval = o.Time5mu - lastGroupStart_;
      if (n_ >= 3) {
        groupIrreg_[n_] = std::abs(lastInterval_ - interval);
        irregSum_ += groupIrreg_[n_];
      }
      if (n_ == 2) firstInterval_ = interval;
      if (n_ >= 4 && interval > firstInterval_) {
        // Buzz intervals shrink or hold; a growing one is no buzz.
        Reset(o.Time5mu);
        return;
      }
      lastInterval_ = interval;
      groupEndLimit_ = o.Time5mu + 4 * d_;
    }
    groupOpen_ = true;
  }

  void CloseGroup(int32_t b) {
    groupOpen_ = false;
    const int32_t start = w_.oct[first_[n_]].Time5mu;
    const int32_t mean = kHzSum_ / j_;
    const bool bad =
        maxAmp_ < ampThreshold_ || (n_ > 1 && 2 * int64_t{std::abs(mean - prevMeanKhz_)} > prevMeanKhz_);
    if (bad) {
      Finish(true, b);
      return;
    }
    scoreSum_ += maxScore_;
    count_[n_] = j_;
    if (n_ == 1) {
      earliest_ = start + kFirstWindowStart;
      latest_ = start + kFirstWindowEnd;
    } else {
      const int32_t interval = start - lastGroupStart_;
      earliest_ = start + interval / 2;
      latest_ = start + static_cast<int32_t>(RoundDiv(3 * int64_t{interval}, 2));
    }
    prevMeanKhz_ = mean;
    ampThreshold_ = std::max(4, maxAmp_ / 2);
    lastGroupStart_ = start;
    const int32_t f = first_[n_];
    d_ = j_ == 1 ? 2 * w_.oct[f].Dur5mu : w_.oct[f + j_ - 1].Time5mu - w_.oct[f].Time5mu;
  }

  void AfterClose(int32_t b) {
    const tOctRec& o = w_.oct[b];
    if (candidate_) {
      if (o.Time5mu < earliest_ && (o.preGap < 1 || o.postGap < 1) && o.ampSum > kLoud) {
        Finish(false, b);
      } else if (earliest_ < o.Time5mu && o.Time5mu < latest_ && o.ampSum > kLoud) {
        StartGroup(b);
      }
    } else if (o.ampSum > kLoud && o.Time5mu - tq_ > kQuietBeforeBuzz) {
      StartCandidate(b);
    }
  }

  void Finish(bool dropLast, int32_t b) {
    if (dropLast && n_ > 0) {
      scoreSum_ = std::max(0, scoreSum_ - groupScore_[n_]);
      irregSum_ = std::max(0, irregSum_ - groupIrreg_[n_]);
      --n_;
    }
    if (n_ > 3) Accept();
    Reset(w_.oct[std::clamp(b, 0, w_.N)].Time5mu);
  }

  void Accept() {
    const int64_t span = int64_t{w_.oct[first_[n_]].Time5mu} - w_.oct[first_[1]].Time5mu;
    if (span == 0) return;
    const int64_t regularity = RoundDiv(int64_t{irregSum_} * 64, span);
    int32_t total = 0, growing = 0;
    for (int g = 1; g <= n_; ++g) {
      total += count_[g];
      if (g > 1 && count_[g] > 2 * count_[g - 1]) ++growing;
    }
    if (!(total / (n_ + 1) > 2 && growing < n_ / 4 && regularity <= 16 && scoreSum_ >= 20)) return;
    w_.oct[first_[1]].NcallsInBz = n_;
    BuzzMark mark;
    mark.nCalls = n_;
    for (int g = 1; g <= n_; ++g) {
      int32_t f = first_[g], cnt = count_[g];
      while (f > 1 && w_.oct[f].preGap < kMoveBackGap) {
        --f;
        ++cnt;
      }
      w_.oct[f].NoctInBzCall = cnt;
      w_.oct[f].InCall = true;
      for (int32_t k = f; k < f + cnt && k <= w_.N; ++k) w_.oct[k].InBuzz = true;
      mark.first[g - 1] = f;
      mark.count[g - 1] = cnt;
    }
    w_.buzzes.push_back(mark);
    const int32_t id = static_cast<int32_t>(w_.buzzes.size());
    for (int g = 0; g < n_; ++g) w_.buzzOfOctet[mark.first[g]] = id;
  }

  MinuteWork& w_;
  bool candidate_ = false, groupOpen_ = false;
  int32_t n_ = 0, j_ = 0;
  std::array<int32_t, kMaxBuzzGroups + 1> first_{}, count_{}, groupScore_{}, groupIrreg_{};
  int32_t kHzSum_ = 0, maxAmp_ = 0, maxScore_ = 0;
  int32_t ampThreshold_ = 8, prevMeanKhz_ = 0, scoreSum_ = 0, irregSum_ = 0;
  int32_t lastGroupStart_ = 0, lastInterval_ = 0, firstInterval_ = 0;
  int32_t earliest_ = 0, latest_ = 0, groupEndLimit_ = 0, d_ = 0, tq_ = 0;
};

}  // namespace

void MarkBuzzes(MinuteWork& w) {
  BuzzWalker walker(w);
  walker.Walk();
}

}  // namespace zorvel::cf
