#include "recordings/FrontEnd.h"

#include "recordings/CrossingFrontEnd.h"
#include "recordings/SpectralFrontEnd.h"

namespace zorvel::rec {

std::unique_ptr<WaveFrontEnd> MakeFrontEnd(double realRate, const FrontEndOptions& options) {
  if (options.kind == FrontEndKind::ZeroCrossing)
    return std::make_unique<CrossingFrontEnd>(realRate, options);
  return std::make_unique<SpectralFrontEnd>(realRate, options);
}

}  // namespace zorvel::rec
