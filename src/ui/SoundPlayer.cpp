#include "ui/SoundPlayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QEventLoop>
#include <QMediaDevices>
#include <QTimer>

namespace zorvel::ui {

namespace {
constexpr int kStopPollMs = 20;
// A device that stalls must not hang the window: give up a little after the chunk's length.
constexpr int kGraceMs = 2000;
}  // namespace

bool PlayChunk(const std::vector<int16_t>& samples, int sampleRate, const std::function<bool()>& stop) {
  if (samples.empty() || sampleRate <= 0) return false;
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull()) return false;
  QAudioFormat format;
  format.setSampleRate(sampleRate);
  format.setChannelCount(1);
  format.setSampleFormat(QAudioFormat::Int16);
  if (!device.isFormatSupported(format)) return false;

  // Qt takes samples in the machine's byte order, which is how they are held.
  QByteArray bytes(reinterpret_cast<const char*>(samples.data()),
                   static_cast<qsizetype>(samples.size() * sizeof(int16_t)));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QAudioSink sink(device, format);
  QEventLoop loop;
  QObject::connect(&sink, &QAudioSink::stateChanged, &loop, [&loop](QAudio::State s) {
    if (s == QAudio::IdleState || s == QAudio::StoppedState) loop.quit();
  });
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (stop && stop()) sink.stop();
  });
  const auto lengthMs = static_cast<int>(static_cast<int64_t>(samples.size()) * 1000 / sampleRate);
  QTimer::singleShot(lengthMs + kGraceMs, &loop, [&sink] { sink.stop(); });
  sink.start(&buffer);
  if (sink.error() != QAudio::NoError) return false;
  poll.start(kStopPollMs);
  loop.exec();
  sink.stop();
  return true;
}

}  // namespace zorvel::ui
