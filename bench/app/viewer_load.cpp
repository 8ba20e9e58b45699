// How long the XML viewer freezes the window on a large document: a TIN surface of about 150 MB
// (a million points, two million faces) is loaded, painted, scrolled to its end and searched.
// Prints one line per step with the wall time; run offscreen or under a real display.
// Arguments: [megabytes, default 150] [idle styling mode 0-3, or 9 for no lexer: for experiments].
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <string>

#include "app/xml_viewer.h"

namespace {

std::string TinDocument(std::size_t targetBytes) {
  std::string doc =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<LandXML>\r\n\t\t\t<Surfaces>\r\n\t\t\t\t<Surface name=\"1\">\r\n"
      "\t\t\t\t\t<Definition surfType=\"TIN\">\r\n\t\t\t\t\t\t<Pnts>\r\n";
  doc.reserve(targetBytes + 1024);
  const std::size_t points = targetBytes / 3 / 50;
  char line[128];
  for (std::size_t p = 1; p <= points; ++p) {
    const int n = std::snprintf(line, sizeof line, "\t\t\t\t\t\t\t<P id=\"%zu\">%11.3f%12.3f%10.3f</P>\r\n", p,
                                400000.0 + static_cast<double>(p % 1000), 4500000.0 + static_cast<double>(p / 1000),
                                100.0 + static_cast<double>(p % 77) / 10.0);
    doc.append(line, static_cast<std::size_t>(n));
  }
  doc += "\t\t\t\t\t\t</Pnts>\r\n\t\t\t\t\t\t<Faces>\r\n";
  for (std::size_t k = 1; doc.size() < targetBytes; ++k) {
    const std::size_t a = 1 + k % points;
    const int n = std::snprintf(line, sizeof line, "\t\t\t\t\t\t\t<F n=\"%zu\">%zu %zu %zu</F>\r\n", k, a,
                                1 + (a + 1) % points, 1 + (a + 1000) % points);
    doc.append(line, static_cast<std::size_t>(n));
  }
  doc += "\t\t\t\t\t\t</Faces>\r\n\t\t\t\t\t</Definition>\r\n\t\t\t\t</Surface>\r\n\t\t\t</Surfaces>\r\n</LandXML>\r\n";
  return doc;
}

void Report(const char* step, QElapsedTimer& timer) {
  std::printf("%-34s %8.3f s\n", step, static_cast<double>(timer.nsecsElapsed()) / 1e9);
  std::fflush(stdout);
  timer.restart();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::size_t megabytes = argc > 1 ? std::stoul(argv[1]) : 150;
  QElapsedTimer timer;
  timer.start();
  const std::string doc = TinDocument(megabytes * 1000 * 1000);
  std::printf("document: %zu bytes\n", doc.size());
  Report("make the document (not the viewer)", timer);

  // The floor: copying the same bytes once, measured in this run.
  timer.restart();
  std::string copy = doc;
  const double floor = static_cast<double>(timer.nsecsElapsed()) / 1e9;
  std::printf("%-34s %8.3f s\n", "floor: copy the document", floor);
  copy.clear();
  copy.shrink_to_fit();

  velkor::app::XmlViewer viewer;
  if (argc > 2 && std::stoul(argv[2]) == 9) {
    viewer.setLexer(nullptr);
  } else if (argc > 2) {
    viewer.SendScintilla(QsciScintilla::SCI_SETIDLESTYLING, std::stoul(argv[2]));
  }
  viewer.resize(805, 480);
  viewer.show();
  QApplication::processEvents();
  timer.restart();

  viewer.LoadDocument(doc);
  const double load = static_cast<double>(timer.nsecsElapsed()) / 1e9;
  Report("load into the viewer", timer);
  std::printf("%-34s %8.1f x floor\n", "load / floor", load / floor);
  viewer.repaint();
  QApplication::processEvents();
  Report("first paint", timer);

  viewer.SendScintilla(QsciScintilla::SCI_DOCUMENTEND);
  viewer.repaint();
  QApplication::processEvents();
  Report("jump to the end and paint", timer);

  // Highlighting goes on in idle time; what counts is the longest single stall of the event loop.
  QElapsedTimer slice;
  qint64 longest = 0;
  const long length = viewer.SendScintilla(QsciScintilla::SCI_GETLENGTH);
  const long target = argc > 3 ? length
                               : viewer.SendScintilla(QsciScintilla::SCI_POSITIONFROMLINE,
                                                      viewer.SendScintilla(QsciScintilla::SCI_GETLINECOUNT) - 1);
  while (viewer.lexer() && viewer.SendScintilla(QsciScintilla::SCI_GETENDSTYLED) < target && timer.elapsed() < 60000) {
    slice.start();
    QApplication::processEvents();
    longest = std::max(longest, slice.nsecsElapsed());
  }
  std::printf("%-34s %8.3f s (longest stall %.3f s)\n",
              viewer.lexer() ? "highlight up to the end" : "highlight (none: plain text)",
              static_cast<double>(timer.nsecsElapsed()) / 1e9, static_cast<double>(longest) / 1e9);
  timer.restart();

  velkor::app::ViewerSearchOptions options;
  bool found = viewer.Find(QStringLiteral("</LandXML>"), options);
  Report(found ? "search, any case (match at end)" : "search, any case (NOT FOUND)", timer);
  options.matchCase = true;
  found = viewer.Find(QStringLiteral("</LandXML>"), options);
  Report(found ? "search, exact case (match at end)" : "search, exact case (NOT FOUND)", timer);

  viewer.ClearDocument();
  Report("clear", timer);
  return 0;
}
