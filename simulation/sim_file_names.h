#pragma once

#include <string>

namespace kovalin {

// The extension of a name's file part, with its dot ("" when it has none).
std::string FileExtension(const std::string& name);

// The name with ".txt" appended when its file part has no extension, as the
// launcher does with the base name of its output.
std::string WithDefaultExtension(const std::string& name);

// The folder part followed by the file part up to the first occurrence of the
// extension in it (results.txt.txt gives results); the whole name when the file
// part has no ".".
std::string PathWithoutExt(const std::string& name);

// The next free number for files named like pattern (folder/name_IC_.txt): one
// more than the highest number found after the prefix among name_IC_*.txt in the
// folder, 1 when there is none, written with zeros in front and cut to its last
// `width` digits (10000 gives 0000 for width 4).
std::string NextFileNumber(const std::string& pattern, int width);

// PathWithoutExt(name) + tag + NextFileNumber(...) + the extension of name, for
// example table_IC_0003.txt when table_IC_0001.txt and table_IC_0002.txt exist.
// A name that would replace an existing file (the number cut past 9999) gets
// the whole number instead (table_IC_10000.txt).
std::string SequencedFileName(const std::string& name, const std::string& tag, int width);

// The log file of an output file: PathWithoutExt(name) + ".log.txt".
std::string LogFileName(const std::string& outputName);

// A path shortened for a label: its head cut back to the last separator, "...",
// and its tail (ending one character before the end) cut forward to its first
// separator; unchanged when it has at most head + tail + 3 characters.
std::string AbbreviatePath(const std::string& path, int head, int tail);

}  // namespace kovalin
