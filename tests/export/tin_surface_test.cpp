// The Surfaces block written from the model reader's point and face lists.
#include "export/tin_surface.h"

#include <gtest/gtest.h>

#include <sstream>

#include "export/section_steps.h"
#include "import/error.h"
#include "ncz/model_reader.h"
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
  model.points = {VertexText({1000, 2000, 100}), VertexText({1010, 2000, 101.5}), VertexText({-12.5, 2010, 99})};
  model.faces = {"1 2 3"};
  EXPECT_EQ(Written(model), test::CrLf({
                                "\t\t\t<Surfaces>",
                                "\t\t\t\t<Surface name=\"1\" desc=\"Dud32\">",
                                "\t\t\t\t\t<Definition surfType=\"TIN\">",
                                "\t\t\t\t\t\t<Pnts>",
                                "\t\t\t\t\t\t\t<P id=\"1\">   1000.000    2000.000   100.000</P>",
                                "\t\t\t\t\t\t\t<P id=\"2\">   1010.000    2000.000   101.500</P>",
                                "\t\t\t\t\t\t\t<P id=\"3\">    -12.500    2010.000    99.000</P>",
                                "\t\t\t\t\t\t</Pnts>",
                                "\t\t\t\t\t\t<Faces>",
                                "\t\t\t\t\t\t\t<F n=\"1\">1 2 3</F>",
                                "\t\t\t\t\t\t</Faces>",
                                "\t\t\t\t\t</Definition>",
                                "\t\t\t\t</Surface>",
                                "\t\t\t</Surfaces>",
                            }));
}

TEST(TinSurface, EmptyListsGiveEmptyPointsAndFaces) {
  EXPECT_EQ(Written(TerrainModel{}), test::CrLf({
                                         "\t\t\t<Surfaces>",
                                         "\t\t\t\t<Surface name=\"1\" desc=\"Dud32\">",
                                         "\t\t\t\t\t<Definition surfType=\"TIN\">",
                                         "\t\t\t\t\t\t<Pnts>",
                                         "\t\t\t\t\t\t</Pnts>",
                                         "\t\t\t\t\t\t<Faces>",
                                         "\t\t\t\t\t\t</Faces>",
                                         "\t\t\t\t\t</Definition>",
                                         "\t\t\t\t</Surface>",
                                         "\t\t\t</Surfaces>",
                                     }));
}

TEST(TinSurface, PointAndFaceLinesNeedNoEscaping) {
  // Enough lines to cross the writer's buffer several times, with negative and unmatched values.
  TerrainModel model;
  for (int i = 0; i < 40000; ++i) {
    model.points.push_back(VertexText({-5000.0 + i * 0.37, 4500000.0 - i, (i % 2 ? -1 : 1) * i * 0.001}));
    model.faces.push_back(std::to_string(i) + " " + std::to_string(i + 1) + " 0");
  }
  std::vector<std::string> lines = test::SplitLines(Written(model));
  ASSERT_EQ(lines.size(), 10u + 80000u);
  for (std::size_t k = 4; k < lines.size() - 6; ++k) {
    if (k == 4 + 40000 || k == 5 + 40000) continue;  // </Pnts> and <Faces>
    std::string_view line = lines[k];
    bool point = k < 4 + 40000;
    std::string_view open = point ? "\t\t\t\t\t\t\t<P id=\"" : "\t\t\t\t\t\t\t<F n=\"";
    ASSERT_EQ(line.substr(0, open.size()), open) << k;
    std::size_t start = line.find("\">") + 2, end = line.rfind("</");
    std::string id(line.substr(open.size(), line.find("\">") - open.size()));
    ASSERT_EQ(id, std::to_string(point ? k - 3 : k - 5 - 40000)) << k;
    ASSERT_EQ(line.substr(end), point ? "</P>" : "</F>") << k;
    std::string_view text = line.substr(start, end - start);
    ASSERT_EQ(text.find_first_not_of("0123456789 -."), std::string_view::npos) << line;
    if (point) {
      ASSERT_EQ(text.size(), 33u) << line;
    }
  }
}

TEST(TinSurface, ExportReplacesThePartFile) {
  test::ScratchDir dir;
  test::WriteBytes(dir / "tmpc.xml", std::string(100000, 'x'));
  TerrainModel model;
  model.points = {VertexText({1, 2, 3})};
  ExportTinSurface(model, dir.workDir());
  EXPECT_EQ(test::ReadBytes(dir / "tmpc.xml"), Written(model));
}

TEST(TinSurface, ExportIntoMissingFolderFails) {
  test::ScratchDir dir;
  std::filesystem::path missing = dir / "yok";
  try {
    ExportTinSurface(TerrainModel{}, missing);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "Cannot create file " + (missing / "tmpc.xml").string());
  }
}

}  // namespace
}  // namespace velkor
