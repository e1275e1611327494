#include "export/ReportSink.h"

#include "core/BinaryFile.h"

namespace zorvel {

bool ReportSink::OpenFile(const std::string& path) {
  CloseFile();
  auto w = std::make_unique<AtomicFileWriter>(path);
  claimed_.insert(path);
  if (!w->IsOpen()) {
    error_ = w->ErrorText();
    w->Abandon();
    return false;
  }
  file_ = std::move(w);
  name_ = path;
  return true;
}

bool ReportSink::CloseFile() {
  if (!file_) return true;
  const bool ok = file_->Commit();
  if (!ok) error_ = file_->ErrorText();
  file_.reset();
  return ok;
}

void ReportSink::Line(std::string_view line) {
  if (file_) {
    file_->Write(line.data(), line.size());
    file_->Write("\r\n", 2);
  } else if (toResults_) {
    host_.AddLine(Memo::DataMemo, line);
  }
}

bool ReportSink::NameTaken(const std::string& path) const {
  return claimed_.count(path) > 0 || FileExists(path);
}

}  // namespace zorvel
