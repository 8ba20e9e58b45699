// The Surfaces block written from the model reader's point and face lists.
#include "export/tin_surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <sstream>

#include "test_support.h"

namespace velkor {
namespace {

std::string Written(const TerrainModel& model) {
  std::ostringstream out;
  WriteTinSurface(model, out);
  return out.str();
}

TEST(TinSurface, ThreePointsAndOneFace) {
  TerrainModel model;
  // Points are given easting first; LandXML reads northing first. The last one is wider than the
  // vertex text's first field and must still stand apart from its neighbour.
  model.coordinates = {{500000, 4500000, 850}, {1010, 2000, 101.5}, {-4412065.907, -12345678.901, -0.0004}};
  model.faces = {{12, 13, 14}};
  EXPECT_EQ(Written(model), test::CrLf({
                                "\t<Surfaces>",
                                "\t\t<Surface name=\"1\" desc=\"Dud32\">",
                                "\t\t\t<Definition surfType=\"TIN\">",
                                "\t\t\t\t<Pnts>",
                                "\t\t\t\t\t<P id=\"1\">4500000.000 500000.000 850.000</P>",
                                "\t\t\t\t\t<P id=\"2\">2000.000 1010.000 101.500</P>",
                                "\t\t\t\t\t<P id=\"3\">-12345678.901 -4412065.907 -0.000</P>",
                                "\t\t\t\t</Pnts>",
                                "\t\t\t\t<Faces>",
                                "\t\t\t\t\t<F>12 13 14</F>",
                                "\t\t\t\t</Faces>",
                                "\t\t\t</Definition>",
                                "\t\t</Surface>",
                                "\t</Surfaces>",
                            }));
}

TEST(TinSurface, EmptyListsGiveEmptyPointsAndFaces) {
  EXPECT_EQ(Written(TerrainModel{}), test::CrLf({
                                         "\t<Surfaces>",
                                         "\t\t<Surface name=\"1\" desc=\"Dud32\">",
                                         "\t\t\t<Definition surfType=\"TIN\">",
                                         "\t\t\t\t<Pnts>",
                                         "\t\t\t\t</Pnts>",
                                         "\t\t\t\t<Faces>",
                                         "\t\t\t\t</Faces>",
                                         "\t\t\t</Definition>",
                                         "\t\t</Surface>",
                                         "\t</Surfaces>",
                                     }));
}

TEST(TinSurface, PointAndFaceLinesNeedNoEscaping) {
  // Enough lines to cross the writer's buffer several times, with negative and unmatched values.
  TerrainModel model;
  for (int i = 0; i < 40000; ++i) {
    model.coordinates.push_back({-5000.0 + i * 0.37, 4500000.0 - i, (i % 2 ? -1 : 1) * i * 0.001});
    model.faces.push_back({static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(i + 1), 0});
  }
  std::vector<std::string> lines = test::SplitLines(Written(model));
  ASSERT_EQ(lines.size(), 10u + 80000u);
  for (std::size_t k = 4; k < lines.size() - 6; ++k) {
    if (k == 4 + 40000 || k == 5 + 40000) continue;  // </Pnts> and <Faces>
    std::string_view line = lines[k];
    bool point = k < 4 + 40000;
    std::string_view open = point ? "\t\t\t\t\t<P id=\"" : "\t\t\t\t\t<F>";
    ASSERT_EQ(line.substr(0, open.size()), open) << k;
    std::size_t start = point ? line.find("\">") + 2 : open.size(), end = line.rfind("</");
    if (point) {
      std::string id(line.substr(open.size(), line.find("\">") - open.size()));
      ASSERT_EQ(id, std::to_string(k - 3)) << k;
    }
    ASSERT_EQ(line.substr(end), point ? "</P>" : "</F>") << k;
    std::string_view text = line.substr(start, end - start);
    ASSERT_EQ(text.find_first_not_of("0123456789 -."), std::string_view::npos) << line;
  }
}

TEST(TinSurface, AppendedToTheDocumentAsWritten) {
  // The document already holds its alignments; values of every width, none a number among them.
  TerrainModel model;
  model.coordinates = {{1, 2, 3}, {-0.0, 1e20, -123456789012.3456}, {std::nan(""), -1e300, 0.0005}};
  model.faces = {{1, 2, 3}, {0, 4294967295u, 0}};
  std::string document = "\t<Alignments>\r\n";
  AppendTinSurface(model, document);
  EXPECT_EQ(document, "\t<Alignments>\r\n" + Written(model));
}

}  // namespace
}  // namespace velkor
