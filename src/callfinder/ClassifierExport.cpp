#include <string>

#include "callfinder/Classifier.h"

namespace zorvel::cf {

std::string ClassifierExportLine(const tCall& c, const std::string& label) {
  const int32_t fields[] = {c.MaxIPIrise,
                            c.MaxIPIfall,
                            c.MaxIPIfallKHZ,
                            c.MaxIPIriseKHZ,
                            c.RisingIPIindex,
                            c.Duration100Musecs,
                            c.Fsum,
                            c.Fav,
                            c.Fmin,
                            c.Fmax,
                            c.Fstart,
                            c.Fend,
                            c.Frange,
                            c.MinSlopeKHZ,
                            c.Flat1KHZ,
                            c.DBkhz,
                            c.UBkhz,
                            c.DBSharp,
                            c.UBSharp,
                            c.ModalKHZ,
                            c.MedianKHZ,
                            c.BodyHiKhz,
                            c.BodyLoKhz,
                            c.BodyRnge,
                            c.BodyDivRnge,
                            c.HmicScore,
                            c.Seq,
                            c.nSelOctInCall,
                            c.Nmissing,
                            c.BestFlatIPI,
                            c.preEndSlope,
                            c.avIPIchangePerMsec,
                            c.avKHZchangePerMsec,
                            c.avBodyIPIchangePerMsec,
                            c.SecondHalfIPIchangePerMsec,
                            c.FirstQtrIPIchangePerMsec,
                            c.LastQtrIPIchangePerMsec,
                            c.EndQtrIPIratio,
                            c.ZeroedRisingIndex,
                            c.SeqOctPercentFitSum,
                            c.GapToPriorCall,
                            c.GapToNextCall};
  std::string line;
  line.reserve(256);
  for (int32_t v : fields) {
    line += std::to_string(v);
    line += '\t';
  }
  line += label;
  return line;
}

}  // namespace zorvel::cf
