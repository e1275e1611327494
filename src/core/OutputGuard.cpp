#include "core/OutputGuard.h"

#include <cctype>
#include <filesystem>

#include "core/Messages.h"

namespace zorvel {

namespace fs = std::filesystem;

namespace {
std::string LowerExtension(std::string_view path) {
  std::string ext = fs::path(path).extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}
}  // namespace

bool HasSidecarExtension(std::string_view path) {
  const std::string e = LowerExtension(path);
  return e.size() == 4 && e[0] == '.' && e[1] == 'z' && (e[2] >= '1' && e[2] <= '3') &&
         (e[3] == 'm' || e[3] == 's');
}

bool HasDataFileExtension(std::string_view path) {
  const std::string e = LowerExtension(path);
  return e == ".zv1" || e == ".zv2" || e == ".zv3" || HasSidecarExtension(path);
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  if (fs::equivalent(a, b, ec)) return true;
  // One of them is not there yet (or cannot be looked at): the names decide.
  const fs::path ca = fs::weakly_canonical(fs::absolute(a, ec), ec);
  if (ec) return a == b;
  const fs::path cb = fs::weakly_canonical(fs::absolute(b, ec), ec);
  if (ec) return a == b;
  return ca == cb;
}

std::string OutputProblem(const std::string& output, const std::vector<std::string>& inputs,
                          OutputKind kind) {
  for (const std::string& in : inputs)
    if (SameFile(output, in)) return std::string(msg::kOutputIsInput);
  std::error_code ec;
  if (fs::is_directory(output, ec)) return std::string(msg::kOutputIsFolder);
  if (kind == OutputKind::Text && HasDataFileExtension(output)) return std::string(msg::kOutputIsDataFile);
  if (kind == OutputKind::DataFile && HasSidecarExtension(output)) return std::string(msg::kOutputIsSidecar);
  // A link named otherwise that leads to a data file would replace that file.
  if (kind == OutputKind::Text && fs::is_symlink(fs::symlink_status(output, ec))) {
    const fs::path target = fs::weakly_canonical(fs::absolute(output, ec), ec);
    if (!ec && HasDataFileExtension(target.string())) return std::string(msg::kOutputIsDataFile);
  }
  return {};
}

std::string OutputFolderProblem(const std::string& folder, const std::vector<std::string>& inputs) {
  std::error_code ec;
  const fs::path out = fs::weakly_canonical(fs::absolute(folder, ec), ec);
  for (const std::string& in : inputs) {
    if (SameFile(folder, in)) return std::string(msg::kOutputInsideInput);
    fs::path base = fs::weakly_canonical(fs::absolute(in, ec), ec);
    if (ec || !fs::exists(base, ec)) continue;  // not there: the command says so itself
    if (!fs::is_directory(base, ec)) base = base.parent_path();
    // out is base or below it when base is a prefix of out, element by element.
    auto o = out.begin();
    bool inside = true;
    for (auto b = base.begin(); b != base.end() && inside; ++b, ++o) inside = o != out.end() && *o == *b;
    if (inside) return std::string(msg::kOutputInsideInput);
  }
  return {};
}

std::string NotRegularFileProblem(const std::string& path) {
  std::error_code ec;
  const fs::file_status link = fs::symlink_status(path, ec);
  if (ec || !fs::exists(link)) return {};
  const fs::file_status target = fs::status(path, ec);
  if (fs::is_symlink(link)) {
    if (ec == std::errc::too_many_symbolic_link_levels) return std::string(msg::kLoopingLink);
    if (ec || !fs::exists(target)) return std::string(msg::kDanglingLink);
  }
  if (fs::is_regular_file(target) || fs::is_directory(target)) return {};
  if (fs::is_fifo(target)) return std::string(msg::kNotRegularFifo);
  if (fs::is_character_file(target) || fs::is_block_file(target)) return std::string(msg::kNotRegularDevice);
  if (fs::is_socket(target)) return std::string(msg::kNotRegularSocket);
  return std::string(msg::kNotRegularOther);
}

}  // namespace zorvel
