// The vertical definition report -> the vertical section of the route file. The report is read by
// keywords, not by table position: each line is classified by the words it holds.
#include <string>
#include <vector>

#include "base/error.h"
#include "base/input_clash.h"
#include "base/number_text.h"
#include "base/text_fields.h"
#include "import/report_reader.h"
#include "import/route_file.h"
#include "import/route_import.h"
#include "import/work_files.h"
#include "platform/platform.h"

namespace velkor {
namespace {

// Keywords in code page 1254 bytes.
constexpr const char* kStart = "P.B";
constexpr const char* kLength = "L=";
constexpr const char* kVertex = "\xDEK SOME";  // ŞK SOME
constexpr const char* kEnd = "P.S";
constexpr const char* kEntry = "\xDEK G\xDDR\xDD\xDE";  // ŞK GİRİŞ
constexpr const char* kExit = "\xDEK \xC7IKI\xDE";      // ŞK ÇIKIŞ
constexpr const char* kNoValue = "0.000";

enum class LineKind { None, Start, Length, Vertex, End, Entry, Exit };

// The tests run in this order and the last one that matches decides: a line holding both "P.B"
// and "L=" is a length line.
LineKind Classify(const std::string& line) {
  LineKind kind = LineKind::None;
  auto has = [&line](const char* word) { return line.find(word) != std::string::npos; };
  if (has(kStart)) kind = LineKind::Start;
  if (has(kLength)) kind = LineKind::Length;
  if (has(kVertex)) kind = LineKind::Vertex;
  if (has(kEnd)) kind = LineKind::End;
  if (has(kEntry)) kind = LineKind::Entry;
  if (has(kExit)) kind = LineKind::Exit;
  return kind;
}

std::string ChainageField(std::string& line) { return FormatChainage(ParseFloat(NextField(line))); }

// An elevation or a curve length: it goes into the route file and the document as it stands, so it
// must be a number.
std::string NumberField(std::string& line) {
  std::string field = NextField(line);
  ParseFloat(field);
  return field;
}

// What the report has told so far. Before the first start line no point is known (empty texts,
// entry grade zero); the curve length and figure start as a start line leaves them, so that a curve
// without its length line never writes an empty field that would shift the route line's columns.
struct HeldValues {
  std::string pointChainage, pointElevation;
  long pointLine = 0;  // the report line the point was read from
  std::string curveLength = kNoValue, curveFigure = kNoValue;
  std::string entryChainage, entryElevation;
  double entryGrade = 0;
};

ProfileRecord Record(std::string chainage, std::string elevation, std::string curveLength, std::string curveFigure,
                     ProfileTag tag, SourcePlace origin) {
  ProfileRecord record;
  record.chainage = std::move(chainage);
  record.elevation = std::move(elevation);
  record.curveLength = std::move(curveLength);
  record.curveFigure = std::move(curveFigure);
  record.tag = tag;
  record.origin = std::move(origin);
  return record;
}

void ConvertLine(std::string line, const SourcePlace& place, HeldValues& held, std::vector<ProfileRecord>& profile) {
  line = ReplaceAll(ReplaceAll(line, "\xB3", ""), "+", "");
  const LineKind kind = Classify(line);
  switch (kind) {
    case LineKind::None:
      return;
    case LineKind::Start:
    case LineKind::End: {
      line = ReplaceAllNoCase(line, kind == LineKind::Start ? kStart : kEnd, "");
      held.pointChainage = ChainageField(line);
      held.pointElevation = NumberField(line);
      held.pointLine = place.line;
      held.curveLength = kNoValue;
      held.curveFigure = kNoValue;
      profile.push_back(Record(held.pointChainage, held.pointElevation, kNoValue, kNoValue, ProfileTag::Point, place));
      return;
    }
    case LineKind::Length: {
      line = ReplaceAllNoCase(ReplaceAllNoCase(line, "L=", ""), "K=", "");
      held.curveLength = NumberField(line);
      if (line.find("R=") != std::string::npos) {
        line = ReplaceAllNoCase(line, "R=", "");
        NextField(line);
      }
      held.curveFigure = FixedNumber(ParseFloat(line) * 100);
      return;
    }
    case LineKind::Vertex: {
      line = ReplaceAllNoCase(line, kVertex, "");
      held.pointChainage = ChainageField(line);
      held.pointElevation = NumberField(line);
      held.pointLine = place.line;
      return;
    }
    case LineKind::Entry: {
      line = ReplaceAllNoCase(line, kEntry, "");
      held.entryChainage = ChainageField(line);
      held.entryElevation = NumberField(line);
      held.entryGrade = ParseFloat(line);
      profile.push_back(Record(held.entryChainage, held.entryElevation, kNoValue, kNoValue, ProfileTag::Entry, place));
      return;
    }
    case LineKind::Exit: {
      line = ReplaceAllNoCase(line, kExit, "");
      std::string exitChainage = ChainageField(line);
      std::string exitElevation = NumberField(line);
      double exitGrade = ParseFloat(line);
      // A curve exit before any vertex or start line has no vertex to write; an empty chainage
      // would leave a route line that no reader can place.
      if (held.pointChainage.empty()) throw Error(NotAFloat(held.pointChainage));
      // The grades decide crest or sag: a crest carries a negative figure.
      if (exitGrade < held.entryGrade) held.curveFigure = FixedNumber(ParseFloat(held.curveFigure) * -1);
      profile.push_back(Record(held.pointChainage, held.pointElevation, held.curveLength, held.curveFigure,
                               ProfileTag::Point, {place.file, held.pointLine}));
      profile.push_back(Record(exitChainage, exitElevation, kNoValue, kNoValue, ProfileTag::Exit, place));
      held.curveFigure = kNoValue;
      return;
    }
  }
}

}  // namespace

void ConvertVertical(const std::filesystem::path& report, const std::filesystem::path& workDir, Route& route) {
  TextInput input(report);
  ConvertVertical(input, workDir, route);
}

void ConvertVertical(TextInput& report, const std::filesystem::path& workDir, Route& route) {
  RefuseInputClash({workDir / kReportCopyFile, workDir / kRouteFile}, {report.path()});
  const std::string label = PathToUtf8(report.path().filename());
  // The user's file is only ever read; its copy in the work folder is what stays of it.
  ReportReader reader(report, workDir / kReportCopyFile);
  std::vector<ProfileRecord> profile;
  HeldValues held;
  std::string line;
  while (reader.Next(line)) {
    const SourcePlace place{label, reader.LineNumber()};
    try {
      ConvertLine(std::move(line), place, held, profile);
    } catch (Error& error) {
      error.at(place.file, place.line);
      reader.FinishAfterFailure();
      throw;
    }
  }
  reader.Finish();
  // Only a report converted to its end becomes the route's profile.
  route.vertical = true;
  route.profile = std::move(profile);
}

}  // namespace velkor
