// The files a conversion keeps in its work folder, each named once. Every one is the folder's path
// followed by the bare name.
#pragma once

namespace velkor {

inline constexpr const char* kReportCopyFile = "tmp.cks";      // the report being converted, copied
inline constexpr const char* kRouteFile = "tmp.gec";           // the route, read back by Save for its copy
inline constexpr const char* kSectionCopyFile = "tmp.kse";     // the cross-section file, sides rewritten
inline constexpr const char* kSectionsPartFile = "tmp1.xml";   // the CrossSects block
inline constexpr const char* kSurfacePartFile = "tmpc.xml";    // a Surfaces block left there, if any
inline constexpr const char* kSlopePlanPartFile = "tmps.xml";  // the slope plan's alignments
inline constexpr const char* kAlignmentGsiFile = "aln.gsi";
inline constexpr const char* kProfileGsiFile = "prf.gsi";
inline constexpr const char* kSectionGsiFile = "crs.gsi";

}  // namespace velkor
