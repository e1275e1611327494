// The front end of data files made from recordings: it turns sound into the wave groups a
// logger with a perfect ear would have stored.
//
// A logger's own front end counts zero crossings of the whole band, so a call is heard only
// where it is louder than all the noise of the band together. A recording holds the whole
// sound, so the front end can do better: it follows the call's frequency where the call stands
// out of the noise at that frequency, and writes the waves a clean zero-crossing front end
// would have stored for it. Faint calls, and the faint start of a sweep, come through; the
// noise between calls gives nothing.
//
//   1. Short spectra: Hann-windowed frames of about a third of a millisecond (the nearest power
//      of two of samples: 128 at 384 or 500 kHz), a new one every quarter frame.
//   2. The noise floor of every frequency is the median magnitude there over the present and
//      the previous segment of 1,024 frames (about 0.09 s at 384 kHz). Calls are short, so at
//      any frequency most frames are background; the floor follows changing noise within a
//      fraction of a second, and noise that is louder at some frequencies than at others (wind,
//      insects, electronics) raises the floor only there.
//   3. A track starts at the frequency that stands most over its floor, when it stands
//      gateOverFloor times over it, and clearly over the rest of the band (a click or rain is
//      loud at every frequency alike and starts nothing). It goes on from frame to frame near
//      the frequency its course predicts while it stays holdOverFloor times over the floor: the
//      hysteresis keeps the quieter ends of a call. A call starts and ends 15 dB below its
//      peak; frames at a track's ends that only the window's reach has lit (far below their
//      loud neighbour) are trimmed, so that a call lasts as long as it sounds. Tracks shorter
//      than four frames are dropped, and so are echoes: faint copies, soon after a call, of the
//      frequency where it ended.
//   4. Along a track the frequency (interpolated between frequency steps) and the tone's
//      amplitude (from the energy of the spectral peak) are taken between frame centres, and
//      the waves they describe go to the group builder: eight waves make a group, a track's end
//      drops its partial group, as the logger drops it.
//
// Memory does not grow with the length of a recording: the spectra of one segment are held
// until its floor is known, and a long track is written out as it goes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "recordings/FrontEnd.h"

namespace zorvel::rec {

class SpectralFrontEnd final : public WaveFrontEnd {
 public:
  SpectralFrontEnd(double realRate, const FrontEndOptions& options);
  ~SpectralFrontEnd() override;
  void Feed(const float* samples, size_t n) override;
  void Finish() override;

  static constexpr size_t kSegmentFrames = 1024;
  static constexpr size_t kBuckets = 512;

 private:
  struct Fft;
  struct TrackFrame {
    double centre;  // sample index of the frame's centre
    double hz;
    float amp;  // the tone's amplitude, sample units
    float mag;  // the peak's magnitude, for trimming
  };
  void TakeFrame(const float* frame);
  void EndSegment();
  void ScanFrame(const float* mags);
  bool Peak(const float* mags, int from, int to, double over, double overBand, double& bin, float& amp,
            float& mag);
  void TrimStart();
  bool IsEcho() const;
  void EndTrack();
  void Write(bool toTheEnd);

  double rate_;
  FrontEndOptions o_;
  size_t n_ = 0, hop_ = 0;
  int lo_ = 0, hi_ = 0;  // band: bins lo_ … hi_
  int first_ = 0;        // stored bins: first_ … first_ + width_ - 1 (the band and two on each side)
  int width_ = 0;
  bool silent_ = false;  // the band is empty: nothing passes
  std::unique_ptr<Fft> fft_;
  std::vector<float> window_, in_, scratch_;
  size_t inPos_ = 0;
  int64_t framesTaken_ = 0;  // frame k starts at sample k * hop_
  int64_t curFrame_ = 0;     // the frame being scanned
  std::vector<float> mags_;  // a segment's stored bins, frame by frame
  // Per stored bin, how many frames of this segment and the one before had each magnitude.
  std::vector<uint16_t> hist_, prevHist_;
  size_t segFrames_ = 0, prevFrames_ = 0;
  int64_t segFirstFrame_ = 0;
  std::vector<float> floor_, snr_, band_;
  float bandMedian_ = -1;  // of the scanned frame's ratios over the floor (-1: not yet known)
  // The track being followed.
  std::vector<TrackFrame> track_;
  std::vector<double> smooth_;  // the track's frequencies as written
  bool tracking_ = false, trimmed_ = false;
  double slope_ = 0;     // bins per frame
  float loudest_ = 0;    // the track's loudest frame so far
  double nextWave_ = 0;  // sample index where the next wave of the track starts
  // The last call written, for telling its echoes.
  double lastEnd_ = 0, lastHz_ = 0;
  float lastLoudest_ = 0;
  GroupBuilder builder_{groups_};
};

}  // namespace zorvel::rec
