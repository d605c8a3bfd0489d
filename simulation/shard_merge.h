#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kovalin {

// One output file of a row shard (a simulation run over rows A-B of a table) and
// the text of its log file, if it has one.
struct tShardFile {
  std::string name;
  std::string text;
  std::optional<std::string> log;
};

// The file and log that a single run over all the shards' rows would have written
// (its output file named outName), or the reason the shards cannot be joined.
struct tShardMerge {
  std::string text;
  std::string log;
  std::optional<std::string> error;
};

// Joins shards given in any order: the header once, then the record lines by row.
// Refuses, naming the files, shards whose headers differ, whose logs differ in
// kind, samples or seed, whose runs did not complete, and rows that overlap or
// leave a gap between shards.
tShardMerge MergeShards(const std::vector<tShardFile>& shards, const std::string& outName);

}  // namespace kovalin
