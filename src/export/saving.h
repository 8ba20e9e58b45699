// Delivering a finished conversion beside the file name the user chose.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace velkor {

// Writes the document (UTF-8) to `chosen`, the reduced route copy and the GSI pieces beside it, then
// removes the GSI files from the work folder. Returns every file written, in order.
// Throws Error("Cannot create file %s") when a target cannot be written; what was written stays.
std::vector<std::filesystem::path> SaveOutputs(const std::string& document, const std::filesystem::path& chosen,
                                               const std::filesystem::path& workDir);

}  // namespace velkor
