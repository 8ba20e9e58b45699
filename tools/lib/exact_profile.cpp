// Exact vertical profiles for samples and checks.
#include "lib/exact_profile.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace velkor::samples {
namespace {

struct Node {
  double chainage, elevation;
};

std::vector<Node> Nodes(const ExactProfile& profile) {
  std::vector<Node> nodes{{profile.startChainage, profile.startElevation}};
  for (const auto& v : profile.vertices) nodes.push_back({v.chainage, v.elevation});
  nodes.push_back({profile.endChainage, profile.endElevation});
  return nodes;
}

double Grade(const Node& a, const Node& b) { return (b.elevation - a.elevation) / (b.chainage - a.chainage) * 100; }

// mt19937 is the same everywhere; the standard distributions are not, so the mapping is our own.
class Draw {
 public:
  explicit Draw(std::uint32_t seed) : engine_(seed) {}
  double Uniform(double low, double high) { return low + (high - low) * (engine_() / 4294967296.0); }

 private:
  std::mt19937 engine_;
};

}  // namespace

std::vector<ExactCurve> Curves(const ExactProfile& profile) {
  std::vector<Node> nodes = Nodes(profile);
  std::vector<ExactCurve> curves;
  for (size_t i = 0; i < profile.vertices.size(); ++i) {
    const ProfileVertex& v = profile.vertices[i];
    if (v.curveLength <= 0) continue;
    double g1 = Grade(nodes[i], nodes[i + 1]);
    double g2 = Grade(nodes[i + 1], nodes[i + 2]);
    double half = v.curveLength / 2;
    curves.push_back({v.chainage - half, v.elevation - g1 * half / 100, v.chainage, v.elevation, v.chainage + half,
                      v.elevation + g2 * half / 100, v.curveLength, v.curveLength / std::fabs(g2 - g1), g1, g2});
  }
  return curves;
}

ExactProfile MakeProfile(std::uint32_t seed, double length, int curves) {
  Draw draw(seed);
  ExactProfile profile;
  profile.startChainage = 0;
  profile.startElevation = std::round(draw.Uniform(600, 1200));
  profile.endChainage = std::round(length * 1000) / 1000;
  const double spacing = length / (curves + 1);

  double grade = draw.Uniform(-3, 3);
  double chainage = 0, elevation = profile.startElevation;
  for (int i = 0; i < curves; ++i) {
    double next = std::round((i + 1) * spacing + draw.Uniform(-0.15, 0.15) * spacing);
    elevation = std::round((elevation + grade * (next - chainage) / 100) * 100) / 100;
    chainage = next;
    profile.vertices.push_back({chainage, elevation, 0});
    // Crests and sags take turns, each breaking the grade by 1.5 to 4 percent.
    double change = draw.Uniform(1.5, 4);
    bool down = i % 2 == 0;
    if (std::fabs(down ? grade - change : grade + change) > 7) down = !down;
    grade = down ? grade - change : grade + change;
  }
  profile.endElevation = std::round((elevation + grade * (profile.endChainage - chainage) / 100) * 100) / 100;

  // Each curve takes at most 90 % of the distance to its nearer neighbour, so halves never overlap.
  for (size_t i = 0; i < profile.vertices.size(); ++i) {
    double before = profile.vertices[i].chainage - (i == 0 ? profile.startChainage : profile.vertices[i - 1].chainage);
    double after = (i + 1 == profile.vertices.size() ? profile.endChainage : profile.vertices[i + 1].chainage) -
                   profile.vertices[i].chainage;
    profile.vertices[i].curveLength = std::max(10.0, std::floor(0.9 * std::min(before, after) / 10) * 10);
  }
  return profile;
}

}  // namespace velkor::samples
