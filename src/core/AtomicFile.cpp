#include "core/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#define ZORVEL_FSEEK _fseeki64
#else
#define ZORVEL_FSEEK fseeko
#include <signal.h>
#include <unistd.h>
#endif

namespace zorvel {

namespace {
std::string TempNameFor(const std::string& finalPath) {
  static constexpr char kSuffix[] = ".part";
#if defined(_WIN32)
  const long pid = 0;
#else
  const long pid = static_cast<long>(getpid());
#endif
  return finalPath + "." + std::to_string(pid) + kSuffix;
}
}  // namespace

void RemoveStaleTemporaries(const std::string& finalPath) {
#if !defined(_WIN32)
  namespace fs = std::filesystem;
  const fs::path p(finalPath);
  const std::string prefix = p.filename().string() + ".";
  static constexpr std::string_view kSuffix = ".part";
  std::error_code ec;
  fs::directory_iterator it(p.parent_path().empty() ? fs::path(".") : p.parent_path(), ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() <= prefix.size() + kSuffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        !name.ends_with(kSuffix))
      continue;
    const std::string digits = name.substr(prefix.size(), name.size() - prefix.size() - kSuffix.size());
    if (digits.empty() || digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
      continue;
    const auto pid = static_cast<pid_t>(std::stol(digits));
    // Only a process that is certainly gone: a live one, or one we may not ask about, keeps its file.
    if (pid <= 0 || pid == getpid() || kill(pid, 0) == 0 || errno != ESRCH) continue;
    std::error_code removeError;
    fs::remove(it->path(), removeError);
  }
#else
  (void)finalPath;
#endif
}

AtomicFileWriter::AtomicFileWriter(std::string finalPath) : final_(std::move(finalPath)), temp_(TempNameFor(final_)) {
  RemoveStaleTemporaries(final_);
  f_ = std::fopen(temp_.c_str(), "w+b");
  if (!f_) {
    ok_ = false;
    error_ = std::strerror(errno);
  }
}

AtomicFileWriter::~AtomicFileWriter() { Abandon(); }

bool AtomicFileWriter::Write(const void* data, size_t n) {
  if (!IsOpen()) return false;
  if (n > 0 && std::fwrite(data, 1, n, f_) != n) {
    ok_ = false;
    error_ = std::strerror(errno);
    return false;
  }
  written_ += static_cast<int64_t>(n);
  return true;
}

bool AtomicFileWriter::WriteAt(int64_t offset, const void* data, size_t n) {
  if (!IsOpen() || offset < 0 || offset + static_cast<int64_t>(n) > written_) return false;
  if (ZORVEL_FSEEK(f_, offset, SEEK_SET) != 0 || std::fwrite(data, 1, n, f_) != n ||
      ZORVEL_FSEEK(f_, 0, SEEK_END) != 0) {
    ok_ = false;
    error_ = std::strerror(errno);
    return false;
  }
  return true;
}

bool AtomicFileWriter::Commit() {
  if (!f_) return false;
  const bool flushed = ok_ && std::fflush(f_) == 0;
  const bool closed = std::fclose(f_) == 0;
  f_ = nullptr;
  if (!flushed || !closed) {
    if (error_.empty()) error_ = std::strerror(errno);
    std::remove(temp_.c_str());
    return false;
  }
  std::error_code ec;
  std::filesystem::rename(temp_, final_, ec);
  if (ec) {
    error_ = ec.message();
    std::remove(temp_.c_str());
    return false;
  }
  return true;
}

void AtomicFileWriter::Abandon() {
  if (f_) {
    std::fclose(f_);
    f_ = nullptr;
    std::remove(temp_.c_str());
  }
}

bool WriteWholeFile(const std::string& path, const void* data, size_t n, std::string* error) {
  AtomicFileWriter w(path);
  const bool ok = w.Write(data, n) && w.Commit();
  if (!ok && error) *error = w.ErrorText();
  return ok;
}

}  // namespace zorvel
