#include "review/conversion_summary.h"

#include <algorithm>
#include <cmath>

#include "base/number_text.h"
#include "base/text_fields.h"
#include "export/saving.h"
#include "platform/platform.h"
#include "review/profile_line.h"

namespace velkor {
namespace {

std::string Fixed(double value, int decimals = 3) { return FormatFixed(value, decimals); }
std::string Km(double station) { return FormatChainage(station); }

void Extend(std::optional<double>& low, std::optional<double>& high, double value) {
  low = low ? std::min(*low, value) : value;
  high = high ? std::max(*high, value) : value;
}

void AddPieces(ConversionSummary& summary, const std::filesystem::path& document, const char* prefix, long records) {
  FileToWrite file;
  file.records = records;
  file.pieces = GsiPieceCount(records);
  file.name = PathToUtf8(GsiPiecePath(document, prefix, 1).filename());
  if (file.pieces > 1) file.name += " … " + PathToUtf8(GsiPiecePath(document, prefix, file.pieces).filename());
  summary.files.push_back(std::move(file));
}

const char* StepNote(StepOutcome outcome) {
  switch (outcome) {
    case StepOutcome::Cancelled:
      return "istendi, dosya seçimi iptal edildiği için atlandı";
    case StepOutcome::NothingRead:
      return "istendi, dosyadan hiçbir şey okunmadı";
    case StepOutcome::NotAsked:
    case StepOutcome::Done:
      break;
  }
  return "";
}

const char* StepCode(StepOutcome outcome) {
  switch (outcome) {
    case StepOutcome::NotAsked:
      return "not-asked";
    case StepOutcome::Done:
      return "done";
    case StepOutcome::Cancelled:
      return "cancelled";
    case StepOutcome::NothingRead:
      return "nothing-read";
  }
  return "";
}

// A step's line: its figures when it gave something, otherwise why not.
void StepLine(std::string& out, const char* title, StepOutcome outcome, const std::string& figures) {
  if (outcome == StepOutcome::NotAsked) return;
  out += title;
  out += ": ";
  out += outcome == StepOutcome::Done ? figures : StepNote(outcome);
  out += "\n";
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      static const char* hex = "0123456789abcdef";
      out += "\\u00";
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string JsonNumber(double value) { return std::isfinite(value) ? FormatGeneral(value) : "null"; }
std::string JsonNumber(const std::optional<double>& value) { return value ? JsonNumber(*value) : "null"; }

}  // namespace

ConversionSummary BuildSummary(const Route& route, const ConversionFacts& facts,
                               const std::filesystem::path& document) {
  ConversionSummary s;
  for (const AlignmentElement& e : facts.elements) {
    switch (e.kind) {
      case ElementKind::Line:
        ++s.lines;
        break;
      case ElementKind::Curve:
        ++s.arcs;
        break;
      case ElementKind::SpiralIn:
      case ElementKind::SpiralOut:
        ++s.spirals;
        break;
    }
    if (e.kind != ElementKind::Line && e.radius > 0) {
      s.smallestRadius = s.smallestRadius ? std::min(*s.smallestRadius, e.radius) : e.radius;
    }
  }
  if (!route.points.empty()) {
    s.staStart = route.points.front().station;
    s.staEnd = route.points.back().station;
    s.length = s.staEnd - s.staStart;
  }

  s.vertical = route.vertical;
  const std::vector<ProfileVertex> v = ProfileVertices(route);
  s.pvis = v.size();
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (auto g = GradePercent(v, i)) Extend(s.gradeMin, s.gradeMax, *g);
    if (!(v[i].curveLength > 0)) continue;
    ++s.parabolas;
    if (i == 0) continue;
    const double g1 = GradePercent(v, i - 1).value_or(NAN), g2 = GradePercent(v, i).value_or(NAN);
    if (std::fabs(g2 - g1) > 1e-9) {
      const double k = v[i].curveLength / std::fabs(g2 - g1);
      s.smallestK = s.smallestK ? std::min(*s.smallestK, k) : k;
    }
  }

  s.sectionStep = facts.crossSectionStep;
  if (facts.crossSections) {
    s.sections = facts.crossSections->sections.size();
    std::optional<double> from, to;
    for (const SectionFact& section : facts.crossSections->sections) Extend(from, to, section.station);
    s.sectionFrom = from;
    s.sectionTo = to;
  }
  s.modelStep = facts.modelStep;
  s.surface = facts.surface;
  s.slopePlanStep = facts.slopePlanStep;
  s.slopeAlignments = facts.slopeAlignments.size();

  const std::filesystem::path saved = DocumentPath(document);
  s.files.push_back({PathToUtf8(saved.filename()), 0, 1});
  s.files.push_back({PathToUtf8(RouteCopyPath(saved).filename()), 0, 1});
  AddPieces(s, saved, "aln_", facts.alignmentGsiRecords);
  if (route.vertical) AddPieces(s, saved, "prf_", facts.profileGsiRecords);
  if (facts.crossSections) AddPieces(s, saved, "crs_", facts.crossSections->gsiRecords);
  return s;
}

std::string SummaryText(const ConversionSummary& s, const std::vector<Warning>& warnings, bool listWarnings) {
  std::string out;
  out += "Yatay güzergah: " + std::to_string(s.lines + s.arcs + s.spirals) + " eleman (" + std::to_string(s.lines) +
         " doğru, " + std::to_string(s.arcs) + " kurp, " + std::to_string(s.spirals) + " klotoid), " + Fixed(s.length) +
         " m, " + Km(s.staStart) + " – " + Km(s.staEnd);
  if (s.smallestRadius) out += ", en küçük yarıçap " + Fixed(*s.smallestRadius) + " m";
  out += "\n";
  if (s.vertical) {
    out += "Boykesit: " + std::to_string(s.pvis) + " nokta, " + std::to_string(s.parabolas) + " düşey kurp";
    if (s.gradeMin) out += ", eğim %" + Fixed(*s.gradeMin) + " … %" + Fixed(*s.gradeMax);
    if (s.smallestK) out += ", en küçük K " + Fixed(*s.smallestK);
    out += "\n";
  }
  std::string sections = std::to_string(s.sections) + " enkesit";
  if (s.sectionFrom) sections += ", " + Km(*s.sectionFrom) + " – " + Km(*s.sectionTo);
  StepLine(out, "Enkesitler", s.sectionStep, sections);
  std::string surface;
  if (s.surface) {
    surface = std::to_string(s.surface->points) + " nokta, " + std::to_string(s.surface->faces) + " üçgen";
    if (s.surface->facesWithUnmatchedCorner > 0) {
      surface += " (" + std::to_string(s.surface->facesWithUnmatchedCorner) + " üçgenin köşesi eşleşmedi)";
    }
    if (s.surface->hasExtent) {
      surface += ", Y " + Fixed(s.surface->low.e) + " – " + Fixed(s.surface->high.e) + ", X " +
                 Fixed(s.surface->low.n) + " – " + Fixed(s.surface->high.n);
    }
  }
  StepLine(out, "Arazi modeli", s.modelStep, surface);
  StepLine(out, "Şev planı", s.slopePlanStep, std::to_string(s.slopeAlignments) + " aliyman");
  out += "Kayıtta yazılan dosyalar:\n";
  for (const FileToWrite& f : s.files) {
    out += "  " + f.name;
    if (f.records > 0 || f.name.rfind(".gsi") != std::string::npos) {
      out += ": " + std::to_string(f.records) + " kayıt";
      if (f.pieces > 1) out += ", " + std::to_string(f.pieces) + " parça";
    }
    out += "\n";
  }
  if (warnings.empty()) {
    out += "Uyarı yok.\n";
  } else if (!listWarnings) {
    out += std::to_string(warnings.size()) + " uyarı.\n";
  } else {
    out += std::to_string(warnings.size()) + " uyarı:\n";
    for (const Warning& w : warnings) out += "  " + (w.place.empty() ? std::string() : w.place + ": ") + w.text + "\n";
  }
  return out;
}

std::string SummaryJson(const ConversionSummary& s, const std::vector<Warning>& warnings) {
  std::string j = "{\n";
  j += "  \"alignment\": {\"lines\": " + std::to_string(s.lines) + ", \"arcs\": " + std::to_string(s.arcs) +
       ", \"spirals\": " + std::to_string(s.spirals) + ", \"length\": " + JsonNumber(s.length) +
       ", \"staStart\": " + JsonNumber(s.staStart) + ", \"staEnd\": " + JsonNumber(s.staEnd) +
       ", \"smallestRadius\": " + JsonNumber(s.smallestRadius) + "},\n";
  j += "  \"profile\": ";
  if (s.vertical) {
    j += "{\"pvis\": " + std::to_string(s.pvis) + ", \"parabolas\": " + std::to_string(s.parabolas) +
         ", \"gradeMin\": " + JsonNumber(s.gradeMin) + ", \"gradeMax\": " + JsonNumber(s.gradeMax) +
         ", \"smallestK\": " + JsonNumber(s.smallestK) + "},\n";
  } else {
    j += "null,\n";
  }
  j += "  \"crossSections\": {\"step\": " + JsonString(StepCode(s.sectionStep)) +
       ", \"count\": " + std::to_string(s.sections) + ", \"staFrom\": " + JsonNumber(s.sectionFrom) +
       ", \"staTo\": " + JsonNumber(s.sectionTo) + "},\n";
  j += "  \"surface\": {\"step\": " + JsonString(StepCode(s.modelStep));
  if (s.surface) {
    j += ", \"points\": " + std::to_string(s.surface->points) + ", \"faces\": " + std::to_string(s.surface->faces) +
         ", \"facesWithUnmatchedCorner\": " + std::to_string(s.surface->facesWithUnmatchedCorner) +
         ", \"facesWithRepeatedCorner\": " + std::to_string(s.surface->facesWithRepeatedCorner);
    if (s.surface->hasExtent) {
      j += ", \"extent\": [" + JsonNumber(s.surface->low.e) + ", " + JsonNumber(s.surface->low.n) + ", " +
           JsonNumber(s.surface->high.e) + ", " + JsonNumber(s.surface->high.n) + "]";
    }
  }
  j += "},\n";
  j += "  \"slopePlan\": {\"step\": " + JsonString(StepCode(s.slopePlanStep)) +
       ", \"alignments\": " + std::to_string(s.slopeAlignments) + "},\n";
  j += "  \"files\": [";
  for (std::size_t i = 0; i < s.files.size(); ++i) {
    const FileToWrite& f = s.files[i];
    j += std::string(i ? ", " : "") + "{\"name\": " + JsonString(f.name) +
         ", \"records\": " + std::to_string(f.records) + ", \"pieces\": " + std::to_string(f.pieces) + "}";
  }
  j += "],\n";
  j += "  \"warnings\": [";
  for (std::size_t i = 0; i < warnings.size(); ++i) {
    const Warning& w = warnings[i];
    j += std::string(i ? "," : "") + "\n    {\"kind\": " + JsonString(WarningCode(w.kind)) +
         ", \"place\": " + JsonString(w.place) +
         ", \"station\": " + (w.station ? JsonNumber(*w.station) : std::string("null")) +
         ", \"text\": " + JsonString(w.text) + "}";
  }
  j += warnings.empty() ? "]\n" : "\n  ]\n";
  j += "}\n";
  return j;
}

}  // namespace velkor
