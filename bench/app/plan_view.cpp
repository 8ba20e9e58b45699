// How long the plan tab takes to draw a surface's triangles: a generated grid model of N triangles
// (default 2,000,000) is drawn at the fitted scale, panned (the cached picture only moves) and
// zoomed (drawn anew). Prints one line per step; the plan draws triangles only up to
// kMaxPictureTriangles and the outline above that, which these figures decide.
// Arguments: [triangles]
#include <QApplication>
#include <QElapsedTimer>
#include <cmath>
#include <cstdio>
#include <string>

#include "app/picture_view.h"
#include "ncz/terrain_model.h"

namespace {

double Seconds(QElapsedTimer& timer) {
  const double s = static_cast<double>(timer.nsecsElapsed()) / 1e9;
  timer.restart();
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::size_t triangles = argc > 1 ? std::stoul(argv[1]) : 2000000;
  // A square grid of points, two triangles per cell.
  const auto side = static_cast<std::size_t>(std::ceil(std::sqrt(triangles / 2.0))) + 1;
  velkor::TerrainModel model;
  for (std::size_t r = 0; r < side; ++r) {
    for (std::size_t c = 0; c < side; ++c) {
      model.coordinates.push_back({500000.0 + 2.5 * c, 4500000.0 + 2.5 * r, 100.0});
    }
  }
  for (std::size_t r = 0; r + 1 < side && model.faces.size() < triangles; ++r) {
    for (std::size_t c = 0; c + 1 < side && model.faces.size() < triangles; ++c) {
      const auto a = static_cast<std::uint32_t>(r * side + c + 1);
      const auto b = a + 1, d = static_cast<std::uint32_t>(a + side), e = d + 1;
      model.faces.push_back({a, b, e});
      model.faces.push_back({a, e, d});
    }
  }
  velkor::ConversionFacts facts;
  QElapsedTimer timer;
  timer.start();
  velkor::Picture picture = velkor::PlanPicture(facts, &model, model.faces.size());
  std::printf("picture of %zu triangles          %8.3f s\n", model.faces.size(), Seconds(timer));

  velkor::app::PictureView view;
  view.resize(1200, 800);
  view.SetPicture(std::move(picture), QString());
  view.grab();
  std::printf("first drawing                       %8.3f s\n", Seconds(timer));
  double pan = 0;
  for (int i = 0; i < 20; ++i) {
    view.repaint();
    pan = std::max(pan, Seconds(timer));
  }
  std::printf("longest repaint while panning       %8.3f s\n", pan);
  view.Fit();
  view.grab();
  std::printf("drawing anew (zoom, fit)            %8.3f s\n", Seconds(timer));
  return 0;
}
