// Sound: live play of the sound slot, slowed and lowered, chunk by chunk through the audio output,
// and the 500 kHz reconstruction saved as a WAV file.
//
// The span played is the period typed on the Files page or, with both boxes empty, the
// high-resolution screen on display (its waves are read again through the same reader and filters
// the draw used), or else the first second of the file.
//
// Live play hands each chunk to the audio output from memory, so no temporary WAV file is written
// and none is left in the working folder; a developer "retain .wav files" option would have
// nothing to keep. Only the reconstruction the user names is written to disk.
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/Header.h"
#include "core/Messages.h"
#include "core/RecordReader.h"
#include "display/PointerReadout.h"
#include "display/ViewState.h"
#include "fileutils/FileSet.h"
#include "recordings/WavCut.h"
#include "sound/Messages.h"
#include "sound/Render.h"
#include "sound/Wav.h"
#include "sound/WavSource.h"
#include "sound/WaveCollector.h"
#include "ui/ClickLabel.h"
#include "ui/DisplayArea.h"
#include "ui/DisplayControl.h"
#include "ui/MainWindow.h"
#include "ui/Messages.h"
#include "ui/PeriodText.h"
#include "ui/SoundPlayer.h"
#include "ui/pages/FilesPage.h"
#include "ui/pages/SoundBar.h"

namespace zorvel::ui {

namespace {

constexpr int kMessageMs = 5000;
constexpr int kNoFileSelectedMs = 3000;
constexpr int32_t kDefaultSpanTicks = kTicksPerSecond;

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

struct Span {
  TRecTime from, to;
};

int64_t TicksBetween(TRecTime a, TRecTime b) {
  return (int64_t{b.Mn} - a.Mn) * kTicksPerMinute + b.FiveMuSec - a.FiveMuSec;
}

// The typed period; with both boxes empty, the high-resolution screen on display (the waves its
// draw shows), else the first second of the slot's file.
std::optional<Span> SoundSpan(const FilesPage& page, const TFileRec& slot, std::optional<Span> screen,
                              QString* problem) {
  const QString fromText = page.PeriodFromEdit->text().trimmed();
  const QString toText = page.PeriodToEdit->text().trimmed();
  if (fromText.isEmpty() && toText.isEmpty()) {
    if (screen && TicksBetween(screen->from, screen->to) <= sound::kMaxFileGapTicks) return screen;
    const TRecTime start{slot.FirstLoggedMin, 0};
    return Span{start, TRecTime{start.Mn, kDefaultSpanTicks}};
  }
  const auto from = ParseMomentText(fromText), to = ParseMomentText(toText);
  if (!from || !to || *to < *from) {
    *problem = QString::fromLatin1(msg::kPeriodNotReadable);
    return std::nullopt;
  }
  if (TicksBetween(*from, *to) > sound::kMaxFileGapTicks) {
    *problem = QString::fromLatin1(msg::kSoundTooLong);
    return std::nullopt;
  }
  return Span{*from, *to};
}

// The span of the high-resolution screen on display, if there is one.
std::optional<Span> ScreenSpanOf(DisplayControl& display) {
  if (!display.HasScreen() || !display.View().HighRes()) return std::nullopt;
  return Span{display.View().ScreenStart(), display.View().DisplayPosition};
}

// Plays each chunk as the collector hands it over.
struct LiveSink : sound::ChunkSink {
  std::function<void(const std::vector<tCycPair>&, int32_t)> play;
  void PlayChunk(const std::vector<tCycPair>& entries, int32_t pauseTicks) override {
    play(entries, pauseTicks);
  }
};

}  // namespace

void TB::ConnectSoundControls() {
  connect(Sound->PlaySoundsBtn, &QPushButton::clicked, this, &TB::PlaySoundsBtnClick);
  connect(Sound->PitchLbl, &ClickLabel::clicked, this, &TB::PitchLblClick);
  connect(Sound->lengthLbl, &ClickLabel::clicked, this, &TB::lengthLblClick);
  connect(Sound->CreateWavFileBtn, &QPushButton::clicked, this, &TB::CreateWavFileClick);
}

void TB::PitchLblClick() {
  Sound->NextPitch();
}

void TB::lengthLblClick() {
  Sound->NextStretch();
}

void TB::PlaySoundsBtnClick() {
  if (livePlay_) {
    // The play in progress sees this at its next chunk or record and ends.
    livePlay_ = false;
    stopRequested_ = true;
    Sound->PlaySoundsBtn->setText(Q(sound::msg::kPlayCaption));
    return;
  }
  if (batchRunning_) return;
  const int slot = FileSlots::ValidSlot(actionSlot_) && slots_[actionSlot_].Open ? actionSlot_ : 2;
  if (!slots_[slot].Open || slots_[slot].FileType != ftZV2) {
    TimedMessage(Q(sound::msg::kNoZV2Selected), kMessageMs);
    return;
  }
  QString problem;
  const auto span = SoundSpan(*Files, slots_[slot], ScreenSpanOf(*display_), &problem);
  if (!span) {
    TimedMessage(problem, kMessageMs);
    return;
  }
  livePlay_ = true;
  stopRequested_ = false;
  Sound->PlaySoundsBtn->setText(Q(sound::msg::kStopCaption));
  const sound::LiveOptions options{Sound->Pitch(), Sound->Stretch()};
  LiveSink sink;
  sink.play = [this, options](const std::vector<tCycPair>& entries, int32_t pauseTicks) {
    if (!livePlay_ || stopRequested_) return;
    const std::vector<int16_t> samples = sound::RenderLive(entries, options);
    const int rate = static_cast<int>(sound::kLiveSampleRate);
    QCoreApplication::processEvents();
    if (options_.hooks.playSound) {
      options_.hooks.playSound(samples, rate);
    } else {
      PlayChunk(samples, rate, [this] { return stopRequested_ || !livePlay_; });
    }
    WaitFor(sound::PauseAfterChunkMs(pauseTicks));
  };
  ReaderContext ctx = display_->Reader();  // the filters the screen is drawn with
  sound::WaveCollector collector(sound::CollectMode::LivePlay, span->from, &sink);
  sound::CollectSlotWaves(slots_, slot, span->from, span->to, ctx, collector);
  livePlay_ = false;
  RedrawAfterSoundRead();
  Sound->PlaySoundsBtn->setText(Q(sound::msg::kPlayCaption));
}

void TB::RedrawAfterSoundRead() {
  // Reading the sound moved the slot; the screen puts every file back where it shows.
  if (!display_->HasScreen() || graphsShown_) return;
  display_->Nav().Refresh(false);
  Display->update();
}

void TB::WavNameToClipboardClick() {
  const QPoint click = pointer_.LastRightClick;
  const int slot = SlotUnderPointer(slots_, display_->View().layout, click.x(), click.y());
  const TRecTime t = PixelToTime(display_->View(), click.x());
  const sound::WavNameLookup found = sound::WavNameAt(slots_, slot, t);
  if (!found.message.empty()) TimedMessage(Q(found.message), kMessageMs);
  if (!found.status.empty()) MenuLbl->setText(Q(found.status));
  if (found.name.empty()) return;
  setWindowTitle(Q(found.name));
  QGuiApplication::clipboard()->setText(Q(found.name));
}

// A file made from full-spectrum recordings: the span's original sound, cut from the recording,
// instead of a reconstruction from the waves.
void TB::CutRecordedSound(int slot, TRecTime from, TRecTime to) {
  const TFileRec& s = slots_[slot];
  const QString folder = QFileInfo(QString::fromStdString(s.FullFileName)).absolutePath();
  const std::string name = sound::DefaultReconstructionName(from.Mn, from.FiveMuSec);
  const SaveRequest request{std::string(sound::msg::kSaveWavTitle),
                            QDir(folder).filePath(QString::fromStdString(name)).toStdString(),
                            std::string(sound::msg::kSaveWavFilter)};
  const auto path = ChooseSavePath(QStringLiteral("SaveWavDialog"), request);
  if (!path) return;
  rec::CutRequest q;
  q.dataFile = s.FullFileName;
  q.from = from;
  q.to = to;
  q.outPath = path->toStdString();
  q.lat = s.LatText;
  q.lon = s.LongText;
  const rec::CutResult r = rec::CutOriginalAudio(q);
  if (!r.ok) TimedMessage(QString::fromStdString(r.error), kMessageMs);
}

void TB::CreateWavFileClick() {
  if (batchRunning_) return;
  const int slot = fileutils::ActionSlot(slots_, actionSlot_);
  if (slot == 0) {
    TimedMessage(Q(zorvel::msg::kNoFileSelected), kNoFileSelectedMs);
    return;
  }
  QString problem;
  const auto span = SoundSpan(*Files, slots_[slot], ScreenSpanOf(*display_), &problem);
  if (!span) {
    TimedMessage(problem, kMessageMs);
    return;
  }
  if (slots_[slot].WavConversion == hdr::kFromFullSpectrum) {
    CutRecordedSound(slot, span->from, span->to);
    return;
  }
  stopRequested_ = false;
  ReaderContext ctx = display_->Reader();  // the filters the screen is drawn with
  sound::WaveCollector collector(sound::CollectMode::File, span->from);
  sound::CollectSlotWaves(slots_, slot, span->from, span->to, ctx, collector);
  RedrawAfterSoundRead();
  if (stopRequested_) return;  // Stop or Esc while the span was read
  const std::vector<int16_t> samples = sound::RenderReconstruction(collector.Entries());

  const QString folder = QFileInfo(QString::fromStdString(slots_[slot].FullFileName)).absolutePath();
  const std::string name = sound::DefaultReconstructionName(span->from.Mn, span->from.FiveMuSec);
  const SaveRequest request{std::string(sound::msg::kSaveWavTitle),
                            QDir(folder).filePath(QString::fromStdString(name)).toStdString(),
                            std::string(sound::msg::kSaveWavFilter)};
  const auto path = ChooseSavePath(QStringLiteral("SaveWavDialog"), request);
  if (!path) return;
  std::string error;
  if (!sound::WriteWavFile(path->toStdString(), samples, sound::kReconstructionSampleRate, &error))
    TimedMessage(QString::fromStdString(error), kMessageMs);
}

}  // namespace zorvel::ui
