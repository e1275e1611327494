#include "callfinder/Classifier.h"

namespace zorvel::cf {

void ClassifyMinute(MinuteWork& w) {
  switch (w.settings.Classifier) {
    case SpClassifier::ZorvelEU1:
      ClassifyMinuteZorvelEU1(w);
      return;
    case SpClassifier::British0:
      ClassifyMinuteBritish0(w);
      return;
  }
}

}  // namespace zorvel::cf
