// zorvel-cli files …: the file-set utilities. Questions the window would ask (replace a file,
// delete a set) are answered No unless --yes is given.
#include <algorithm>
#include <filesystem>
#include <iostream>

#include "cli/Commands.h"
#include "cli/ConsoleHost.h"
#include "cli/Messages.h"
#include "cli/Outcome.h"
#include "cli/TimeArg.h"
#include "core/SlotFiles.h"
#include "fileutils/FileSet.h"
#include "fileutils/PeriodCopy.h"
#include "fileutils/ShiftJoin.h"

namespace zorvel::cli {

namespace {

class AnsweringHost : public ConsoleHost {
 public:
  explicit AnsweringHost(bool yes, std::vector<std::string> inputs = {})
      : yes_(yes), inputs_(std::move(inputs)) {}
  Answer Ask(std::string_view question, Buttons buttons) override {
    if (!yes_) return ConsoleHost::Ask(question, buttons);
    std::cerr << question << " -> Yes\n";
    return Answer::Yes;
  }
  // A copy's proposed name that is one of the command's own files is refused, not replaced.
  std::optional<std::string> ChooseSavePath(const SaveRequest& request) override {
    if (OutputRefused(request.proposedPath, inputs_, OutputKind::DataFile)) return std::nullopt;
    return ConsoleHost::ChooseSavePath(request);
  }

 private:
  bool yes_;
  std::vector<std::string> inputs_;
};

struct FilesOptions {
  std::vector<std::string> files;
  std::string file, target, from, to, out, like;
  bool yes = false, noTrueTimes = false, firstFileCopied = false;
  int32_t minutes = 1;
  fileutils::DeploymentTexts texts;
  bool textGiven[5] = {};
};

// Opens the files into slots 1, 2, … ; false (with the reason shown) when one cannot be opened.
bool OpenAll(FileSlots& slots, const std::vector<std::string>& files, Host& host) {
  if (files.size() > static_cast<size_t>(kSlotCount)) {
    std::cerr << "at most " << kSlotCount << " files at once\n";
    return false;
  }
  for (size_t i = 0; i < files.size(); ++i) {
    if (const std::string problem = InputProblem(files[i], false); !problem.empty()) {
      std::cerr << files[i] << ": " << problem << '\n';
      return false;
    }
    if (!OpenFileInSlot(slots, files[i], static_cast<int>(i) + 1, host, {}).opened) {
      std::cerr << files[i] << ": " << msg::kNotOpened << '\n';
      return false;
    }
  }
  return true;
}

// The one file a set command starts from must be there; false with the reason when it is not.
bool Present(const std::string& path) {
  const std::string problem = InputProblem(path, false);
  if (!problem.empty()) std::cerr << path << ": " << problem << '\n';
  return problem.empty();
}

// Exit code of a command asked to process total files of which done succeeded.
int Counted(int done, int total) {
  FileTally tally(total);
  tally.FailUnnamed(std::max(0, total - done));
  return tally.ExitCode();
}

using Runner = int (*)(FilesOptions&);

int RunRenameSet(FilesOptions& o) {
  AnsweringHost host(o.yes);
  FileSlots slots;
  if (!Present(o.file)) return 1;
  return fileutils::RenameFileSet(slots, o.file, o.target, host) > 0 ? 0 : 1;
}

int RunRename(FilesOptions& o) {
  AnsweringHost host(o.yes);
  FileSlots slots;
  if (!Present(o.file)) return 1;
  if (fileutils::RenameOneFile(slots, o.file, o.target, host)) return 0;
  std::cerr << o.file << ": " << msg::kNotRenamed << o.target << '\n';
  return 1;
}

int RunDeleteSet(FilesOptions& o) {
  AnsweringHost host(o.yes);
  FileSlots slots;
  if (!Present(o.file)) return 1;
  return fileutils::DeleteFileSet(slots, o.file, host) > 0 ? 0 : 1;
}

int RunShift(FilesOptions& o) {
  ConsoleHost host;
  FileSlots slots;
  if (!OpenAll(slots, o.files, host)) return 1;
  const int total = static_cast<int>(o.files.size());
  return Counted(fileutils::AddMinutesToStart(slots, o.minutes, host), total);
}

int RunJoin(FilesOptions& o) {
  ConsoleHost host;
  InstallStopHandler();
  FileSlots slots;
  if (o.files.size() < 2 || !OpenAll(slots, {o.files[0]}, host)) return o.files.size() < 2 ? 2 : 1;
  const std::vector<std::string> rest(o.files.begin() + 1, o.files.end());
  // The first file is written to: it cannot also be one that is appended to it.
  if (OutputRefused(o.files[0], rest, OutputKind::DataFile)) return kRefusedOutputExitCode;
  for (const auto& path : rest) Present(path);  // the reasons; the join lists each refused file
  const fileutils::JoinOptions options{.KeepGapsChk = !o.noTrueTimes,
                                       .CopyJoinFirstFileChk = !o.firstFileCopied};
  // Every file to append that was refused or left out counts as failed.
  const int appended = fileutils::JoinZV1Files(slots, rest, options, host);
  std::cout.flush();
  return appended == 0 ? 1 : Counted(appended, static_cast<int>(rest.size()));
}

int RunCopyPeriod(FilesOptions& o) {
  AnsweringHost host(o.yes);
  InstallStopHandler();
  FileSlots slots;
  const auto from = ParseMomentArg(o.from), to = ParseMomentArg(o.to);
  if (!from || !to || to->Mn < from->Mn) {
    std::cerr << "--from and --to take 'yyyy-mm-dd hh:mm' or minute numbers, --to not before --from\n";
    return 2;
  }
  if (o.files.size() > 3) std::cerr << "only the first three files are copied\n";
  if (!OpenAll(slots, o.files, host)) return 1;
  const std::string out =
      o.out.empty() ? fileutils::PeriodCopyName(slots[1].FullFileName, to->Mn - from->Mn + 1) : o.out;
  const int want = static_cast<int>(std::min<size_t>(o.files.size(), 3));
  // The second and third copies take the first copy's name with their own file's extension.
  for (int i = 0; i < want; ++i) {
    const std::string ext = std::filesystem::path(o.files[static_cast<size_t>(i)]).extension().string();
    const std::string target = i == 0 ? out : std::filesystem::path(out).replace_extension(ext).string();
    if (OutputRefused(target, o.files, OutputKind::DataFile)) return kRefusedOutputExitCode;
  }
  return Counted(fileutils::CopySelectedPeriod(slots, from->Mn, to->Mn, out, host), want);
}

int RunCrop(FilesOptions& o) {
  std::vector<std::string> inputs = o.files;
  inputs.push_back(o.like);
  AnsweringHost host(o.yes, inputs);
  InstallStopHandler();
  FileSlots slots;
  if (!OpenAll(slots, {o.like}, host)) return 1;
  for (const auto& path : o.files) Present(path);
  const auto r = fileutils::MakeCroppedCopies(slots, o.files, host);
  std::cout.flush();
  return Counted(r.copied, static_cast<int>(o.files.size()));
}

int RunSetText(FilesOptions& o) {
  ConsoleHost host;
  FileSlots slots;
  if (!OpenAll(slots, o.files, host)) return 1;
  // Texts not given keep what file 1 holds, as its boxes would show them.
  const TFileRec& s1 = slots[1];
  fileutils::DeploymentTexts t = o.texts;
  const std::string* shown[5] = {&s1.LatText, &s1.LongText, &s1.NotesText, &s1.GMTText, &s1.LocationText};
  std::string* fields[5] = {&t.Lat1Edit, &t.Long1Edit, &t.Notes1Edit, &t.GMT1Edit, &t.Location1Edit};
  for (int i = 0; i < 5; ++i)
    if (!o.textGiven[i]) *fields[i] = *shown[i];
  return Counted(fileutils::CopyTextToOpenFiles(slots, t, host), static_cast<int>(o.files.size()));
}

CLI::App* Sub(CLI::App* files, const std::shared_ptr<FilesOptions>& o, const char* name, const char* help,
              Runner run) {
  auto* cmd = files->add_subcommand(name, help);
  cmd->callback([o, run] {
    if (const int rc = run(*o)) throw CLI::RuntimeError(rc);
  });
  return cmd;
}

}  // namespace

void RegisterFilesCommand(CLI::App& app) {
  auto* files = app.add_subcommand("files", "Rename, delete, shift, join and cut data files");
  files->require_subcommand(1);
  auto o = std::make_shared<FilesOptions>();

  auto* c = Sub(files, o, "rename-set",
                "Move every file of a set (ZV1, ZV2, ZV3 and maps) to a new base name", RunRenameSet);
  c->add_option("FILE", o->file, "Any file of the set")->required();
  c->add_option("TARGET", o->target, "New base name (path)")->required();
  c->add_flag("--yes", o->yes, "Replace files that exist at the target");

  c = Sub(files, o, "rename", "Move one data file and its map", RunRename);
  c->add_option("FILE", o->file, "Data file")->required();
  c->add_option("TARGET", o->target, "New name")->required();
  c->add_flag("--yes", o->yes, "Replace a file that exists at the target");

  c = Sub(files, o, "delete-set", "Delete a set's ZV1 and ZV2 files and their maps (ZV3 files stay)",
          RunDeleteSet);
  c->add_option("FILE", o->file, "Any file of the set")->required();
  c->add_flag("--yes", o->yes, "Answer the question Yes (without it nothing is deleted)");

  c = Sub(files, o, "shift", "Move the files' times by a number of minutes (maps are rebuilt)", RunShift);
  c->add_option("FILE", o->files, "Up to six data files")->required();
  c->add_option("--minutes", o->minutes, "Minutes to add to the start (negative moves earlier)")->required();

  c = Sub(files, o, "join", "Append later ZV1 files to the first one", RunJoin);
  c->add_option("FILE", o->files, "The first ZV1 file, then the files to append")->required();
  c->add_flag("--no-true-times", o->noTrueTimes, "Append end to end, without gap minutes or ordering");
  c->add_flag("--first-file-copied", o->firstFileCopied,
              "Say a copy of the first file has been made (otherwise the join stops with a reminder)");

  c = Sub(files, o, "copy-period", "Copy a span of minutes of up to three files into new files",
          RunCopyPeriod);
  c->add_option("FILE", o->files, "Data files (the first three are copied)")->required();
  c->add_option("--from", o->from, "First minute: 'yyyy-mm-dd hh:mm' or a minute number")->required();
  c->add_option("--to", o->to, "Last minute, as --from")->required();
  c->add_option("--out", o->out, "Name of the first copy (default: '<name> PART <minutes>')");
  c->add_flag("--yes", o->yes, "Replace files that exist");

  c = Sub(files, o, "crop", "Copy each file cropped to the span of another", RunCrop);
  c->add_option("--like", o->like, "The file whose span is kept")->required();
  c->add_option("FILE", o->files, "Files to copy")->required();
  c->add_flag("--yes", o->yes, "Replace files that exist");

  c = Sub(files, o, "set-text", "Write the deployment texts into the headers of the files", RunSetText);
  c->add_option("FILE", o->files, "Up to six data files")->required();
  const char* names[5] = {"--lat", "--long", "--notes", "--gmt", "--location"};
  std::string* fields[5] = {&o->texts.Lat1Edit, &o->texts.Long1Edit, &o->texts.Notes1Edit, &o->texts.GMT1Edit,
                            &o->texts.Location1Edit};
  for (int i = 0; i < 5; ++i) {
    bool* given = &o->textGiven[i];
    c->add_option_function<std::string>(
        names[i],
        [field = fields[i], given](const std::string& v) {
          *field = v;
          *given = true;
        },
        "Text (cut to the field's width); not given: file 1's own");
  }
}

}  // namespace zorvel::cli
