// A conversion never writes, replaces or deletes one of its own inputs. Files are compared by
// identity, not by name: another spelling, a link or a second name of the same file counts.
#pragma once

#include <filesystem>
#include <vector>

namespace velkor {

// True when both names lead to one existing file.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// Throws Error("Cannot write %s: it is the input file %s; nothing was written") for the first of
// `targets` that is one of `inputs`. Call it before anything is written.
void RefuseInputClash(const std::vector<std::filesystem::path>& targets,
                      const std::vector<std::filesystem::path>& inputs);

}  // namespace velkor
