#include "test_support.h"

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "platform/platform.h"
#include "test_paths.h"

namespace velkor::test {

ScratchDir::ScratchDir() {
  static std::atomic<unsigned> counter{0};
  std::random_device rd;
  for (int attempt = 0; attempt < 100; ++attempt) {
    auto candidate = std::filesystem::temp_directory_path() /
                     ("velkor-test-" + std::to_string(rd()) + "-" + std::to_string(counter++));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a scratch folder");
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

std::string ScratchDir::workDir() const {
  std::string dir = path_.string();
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + file.string());
  out << bytes;
}

std::string CrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) out += line + "\r\n";
  return out;
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::string current;
  for (size_t i = 0; i < bytes.size(); ++i) {
    char c = bytes[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(current);
      current.clear();
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      current += c;
    }
  }
  if (!current.empty()) lines.push_back(current);
  return lines;
}

std::filesystem::path SharedSamplesDir() {
  std::filesystem::path dir = std::filesystem::path(kSharedDir) / "samples";
  std::error_code ec;
  return std::filesystem::is_directory(dir, ec) ? dir : std::filesystem::path();
}

std::string PointLine(const std::string& code, const std::string& chainage, const std::string& easting,
                      const std::string& northing, const std::string& value) {
  // Laid out by hand rather than through a record, so that a test can write texts that are no numbers.
  auto field = [](const std::string& text) { return std::string(text.size() < 15 ? 15 - text.size() : 0, ' ') + text; };
  return "  " + code + field(chainage) + field(easting) + field(northing) + field(value);
}

Route RouteIn(const std::filesystem::path& workDir) {
  return ParseRouteFile(platform::ReadLines(workDir / "tmp.gec"), "tmp.gec");
}

}  // namespace velkor::test
