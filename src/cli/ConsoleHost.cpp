#include "cli/ConsoleHost.h"

#include <csignal>
#include <iostream>

namespace zorvel::cli {

namespace {
volatile std::sig_atomic_t gStop = 0;
void OnInterrupt(int) { gStop = 1; }

const char* MemoName(Memo m) {
  switch (m) {
    case Memo::DataMemo: return "results";
    case Memo::UploadMemo: return "upload";
    case Memo::ErrorsMemo: return "errors";
    case Memo::AnalysisMemo: return "analysis";
  }
  return "";
}
}  // namespace

// Ctrl+C, a termination request (kill, a shutting-down system) and a closed terminal all ask the
// job to stop at its next stopping point, so its temporary files are removed on the way out.
void InstallStopHandler() {
  for (const int sig : {SIGINT, SIGTERM, SIGHUP}) std::signal(sig, OnInterrupt);
}

ConsoleHost::ConsoleHost(bool administrator, bool quiet) : administrator_(administrator), quiet_(quiet) {}

void ConsoleHost::TimedMessage(std::string_view text, int) {
  if (!quiet_) std::cerr << text << '\n';
}

void ConsoleHost::AddLine(Memo memo, std::string_view line) {
  if (memo == Memo::DataMemo) {
    std::cout << line << '\n';
  } else if (!quiet_) {
    std::cerr << '[' << MemoName(memo) << "] " << line << '\n';
  }
}

Answer ConsoleHost::Ask(std::string_view question, Buttons) {
  if (!quiet_) std::cerr << question << " -> No\n";
  return Answer::No;
}

std::optional<std::string> ConsoleHost::ChooseSavePath(const SaveRequest& request) {
  if (request.proposedPath.empty()) return std::nullopt;
  return request.proposedPath;
}

void ConsoleHost::Progress(std::string_view, int, int) {}

bool ConsoleHost::StopRequested() { return gStop != 0; }

bool StopWasRequested() {
  return gStop != 0;
}

}  // namespace zorvel::cli
