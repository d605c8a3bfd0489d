#include "cli/merge_command.h"

#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <system_error>

#include "cli/arguments.h"
#include "simulation/shard_merge.h"
#include "simulation/sim_file_names.h"
#include "simulation/text_file.h"

namespace kovalin::cli {

namespace {

std::optional<std::string> ReadWhole(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return text.str();
}

}  // namespace

std::string MergeCommand::synopsis() const { return "merge OUT PART..."; }

int MergeCommand::execute(const std::vector<std::string>& argv, std::ostream& out,
                          std::ostream& err) {
  Arguments args({}, {});
  auto usage = [&err](const std::string& message) {
    err << "merge: " << message << "\n";
    return kExitUsage;
  };
  if (!args.Parse(argv)) return usage(args.error());
  const std::vector<std::string>& names = args.positional();
  if (names.size() < 2)
    return usage("expected the merged file and at least one part, got " +
                 std::to_string(names.size()) + " names");
  const std::string& outName = names[0];
  const std::string logName = LogFileName(outName);
  // A merge never replaces a file: a study's results are not overwritten by a
  // mistyped command, and OUT cannot be one of its own parts.
  std::error_code ec;
  for (const std::string& name : {outName, logName})
    if (std::filesystem::exists(name, ec))
      return usage(name + " exists; merge does not replace files");

  std::vector<tShardFile> parts;
  for (std::size_t i = 1; i < names.size(); ++i) {
    tShardFile part;
    part.name = names[i];
    auto text = ReadWhole(part.name);
    if (!text) return usage(part.name + ": cannot be read");
    part.text = std::move(*text);
    part.log = ReadWhole(LogFileName(part.name));
    parts.push_back(std::move(part));
  }
  const tShardMerge merged = MergeShards(parts, outName);
  if (merged.error) return usage(*merged.error);

  std::string error;
  // Both files or neither: a merged file without its log would pass for whole.
  const bool written = ReplaceFileText(outName, merged.text, error);
  if (!written || !ReplaceFileText(logName, merged.log, error)) {
    if (written) std::filesystem::remove(outName, ec);
    err << "merge: " << error << "\n";
    return kExitFailure;
  }
  out << outName << "\n";
  return kExitOk;
}

}  // namespace kovalin::cli
