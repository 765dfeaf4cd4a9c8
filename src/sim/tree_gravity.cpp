#include "sim/tree_gravity.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <thread>

#include "sim/cpu_features.h"
#include "sim/fp_faults.h"
#include "sim/gravity.h"
#include "sim/gravity_threads.h"
#include "sim/tree_build.h"
#include "sim/tree_kernel.h"

namespace zelor {
namespace {

// Groups handed out to a thread at a time: some hundred chunks a phase, so
// the threads share the work evenly.
constexpr std::size_t kGroupsPerChunk = 4;
static_assert(TreeInPieces::kPairsPerChunk == kGroupsPerChunk * kTreeGroupSize * 256, "a chunk's cost");

TreeKernel WidestKernel() {
#if defined(__x86_64__) || defined(_M_X64)
  const CpuFeatures& cpu = DetectCpuFeatures();
  if (cpu.avx512f) return TreePullsAvx512;
  if (cpu.avx2) return TreePullsAvx2;
#endif
  return TreePullsPlain;
}

// One thread's interaction lists, kept between groups and phases so that a
// phase allocates nothing once the set has been seen. Sized for the worst
// case (every cell, every body) and written by count, not pushed.
class Lists {
 public:
  void Reserve(const Tree& tree) {
    const std::size_t bodies = tree.x.size() + kTreeListPad, cells = tree.cells.size() + kTreeListPad;
    for (auto* v : {&px_, &py_, &pk_}) v->resize(bodies);
    for (auto* v : {&cx_, &cy_, &ck_, &cxx_, &cxy_, &cyy_, &ctr_}) v->resize(cells);
    bodies_ = cells_ = 0;
  }
  void AddBodies(const Tree& tree, std::uint32_t begin, std::uint32_t end) {
    for (std::uint32_t i = begin; i < end; ++i, ++bodies_)
      px_[bodies_] = tree.x[i], py_[bodies_] = tree.y[i], pk_[bodies_] = tree.km[i];
  }
  void AddCell(const TreeCell& c) {
    cx_[cells_] = c.x, cy_[cells_] = c.y, ck_[cells_] = c.km;
    cxx_[cells_] = c.qxx, cxy_[cells_] = c.qxy, cyy_[cells_] = c.qyy, ctr_[cells_] = (c.qxx + c.qyy) / 2;
    ++cells_;
  }
  // Padding entries have no mass and no moments; they sit where the last real
  // entry does, so a far cell's padding is as far as it.
  TreeLists Padded(double softening2) {
    for (; bodies_ % kTreeListPad != 0; ++bodies_)
      px_[bodies_] = px_[bodies_ - 1], py_[bodies_] = py_[bodies_ - 1], pk_[bodies_] = 0;
    for (; cells_ % kTreeListPad != 0; ++cells_) {
      cx_[cells_] = cx_[cells_ - 1], cy_[cells_] = cy_[cells_ - 1];
      ck_[cells_] = cxx_[cells_] = cxy_[cells_] = cyy_[cells_] = ctr_[cells_] = 0;
    }
    const TreeLists lists{px_.data(), py_.data(), pk_.data(), bodies_,     cx_.data(), cy_.data(),
                          ck_.data(), cxx_.data(), cxy_.data(), cyy_.data(), ctr_.data(), cells_, softening2};
    bodies_ = cells_ = 0;
    return lists;
  }

  std::vector<std::uint32_t> stack;

 private:
  std::vector<double> px_, py_, pk_, cx_, cy_, ck_, cxx_, cxy_, cyy_, ctr_;
  std::size_t bodies_ = 0, cells_ = 0;
};

// What pulls the bodies of one group: every cell that is far enough from the
// group's box as a whole, the bodies of every near leaf one by one.
void GatherLists(const Tree& tree, const TreeCell& group, double angle2, Lists& lists) {
  lists.stack.assign(1, 0);
  while (!lists.stack.empty()) {
    const TreeCell& c = tree.cells[lists.stack.back()];
    lists.stack.pop_back();
    if (!(c.km > 0)) continue;  // pulls nothing
    const double dx = std::max({group.minX - c.x, 0.0, c.x - group.maxX});
    const double dy = std::max({group.minY - c.y, 0.0, c.y - group.maxY});
    if ((dx * dx + dy * dy) * angle2 > c.reach * c.reach) lists.AddCell(c);
    else if (c.children == 0) lists.AddBodies(tree, c.begin, c.end);
    else
      for (std::uint32_t k = 0; k < c.children; ++k) lists.stack.push_back(c.firstChild + k);
  }
}

struct Phase {
  const Tree* tree;
  TreeKernel kernel;
  double angle2, softening2;
  double *ax, *ay;  // in the tree's order, zero at the start
  std::size_t firstChunk;  // of the piece under way
};

void RunChunk(void* context, std::size_t chunk) {
  const Phase& p = *static_cast<const Phase*>(context);
  const Tree& tree = *p.tree;
  chunk += p.firstChunk;
  thread_local Lists lists;
  lists.Reserve(tree);
  const std::size_t end = std::min(tree.groups.size(), (chunk + 1) * kGroupsPerChunk);
  for (std::size_t g = chunk * kGroupsPerChunk; g < end; ++g) {
    const TreeCell& group = tree.cells[tree.groups[g]];
    GatherLists(tree, group, p.angle2, lists);
    p.kernel(lists.Padded(p.softening2), &tree.x[group.begin], &tree.y[group.begin], group.end - group.begin,
             p.ax + group.begin, p.ay + group.begin);
  }
}

int Threads(int asked) {
  static const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  return asked > 0 ? asked : cores;
}

}  // namespace

bool UsesTree(std::size_t bodyCount, bool approximationOn) {
  return approximationOn && bodyCount >= kTreeFromBodies;
}

namespace {

// The 5th to the 95th percentile of the values.
double MiddleSpan(std::vector<double> values) {
  const std::size_t low = values.size() / 20, high = values.size() - 1 - low;
  std::nth_element(values.begin(), values.begin() + low, values.end());
  const double from = values[low];
  std::nth_element(values.begin(), values.begin() + high, values.end());
  return values[high] - from;
}

}  // namespace

double TreeSoftening(const std::vector<Body>& bodies) {
  if (bodies.empty()) return 0;
  std::vector<double> xs, ys;
  for (const Body& b : bodies) xs.push_back(b.X), ys.push_back(b.Y);
  // The middle 90 % along each axis: 0.81 of the bodies, on average.
  const double area = MiddleSpan(xs) * MiddleSpan(ys) / (0.81 * static_cast<double>(bodies.size()));
  const double softening = kSofteningShare * std::sqrt(area);
  return std::isfinite(softening) ? softening : 0;
}

struct TreeInPieces::Work {
  Tree tree;
  std::vector<double> ax, ay;
  Phase phase{};
  std::size_t next = 0, end = 0;  // chunks of groups
  int threads = 0;
  bool fault = false;
};

TreeInPieces::TreeInPieces() : work_(std::make_unique<Work>()) {}
TreeInPieces::~TreeInPieces() = default;

bool TreeInPieces::Takes(const std::vector<Body>& bodies) {
  return !bodies.empty() && bodies.size() <= kMaxTreeBodies &&
         std::none_of(bodies.begin(), bodies.end(), [](const Body& b) { return b.Mass < 0; });
}

void TreeInPieces::Start(const std::vector<Body>& bodies, double K, const TreeParams& params) {
  Work& w = *work_;
  ClearFloatFaults();
  // A tree that cannot be built is a fault, and the phase has no more to do.
  w.fault = !BuildTree(bodies, K, w.tree) || FloatFaultRaised();
  w.next = w.end = 0;
  if (w.fault) return;
  w.ax.assign(bodies.size(), 0);
  w.ay.assign(bodies.size(), 0);
  w.phase = Phase{&w.tree, WidestKernel(), params.openingAngle * params.openingAngle,
                  params.softening * params.softening, w.ax.data(), w.ay.data(), 0};
  w.end = (w.tree.groups.size() + kGroupsPerChunk - 1) / kGroupsPerChunk;
  w.threads = Threads(params.threads);
}

bool TreeInPieces::Done() const { return work_->next >= work_->end; }

std::size_t TreeInPieces::NextChunks(std::size_t chunks) {
  Work& w = *work_;
  if (Done()) return 0;
  w.phase.firstChunk = w.next;
  const std::size_t count = std::min(std::max<std::size_t>(chunks, 1), w.end - w.next);
  w.fault = RunGravityChunks(count, w.threads, RunChunk, &w.phase) || w.fault;
  w.next += count;
  return count;
}

bool TreeInPieces::Finish(std::vector<Body>& bodies) {
  Work& w = *work_;
  if (w.fault) return true;
  // Adding the pulls may overflow too; the pieces' own faults are counted
  // already.
  ClearFloatFaults();
  for (std::size_t s = 0; s < bodies.size(); ++s) {
    Body& b = bodies[w.tree.index[s]];
    b.VX = w.ax[s] + b.VX;
    b.VY = w.ay[s] + b.VY;
  }
  return FloatFaultRaised();
}

bool TreeGravityPhase(std::vector<Body>& bodies, double K, const TreeParams& params) {
  if (!TreeInPieces::Takes(bodies)) return GravityPhase(bodies, K);
  thread_local TreeInPieces phase;
  phase.Start(bodies, K, params);
  phase.NextChunks(SIZE_MAX);
  return phase.Finish(bodies);
}

GravityChoice ChooseGravity(const std::vector<Body>& bodies, bool approximationOn) {
  GravityChoice choice;
  choice.tree = UsesTree(bodies.size(), approximationOn) && TreeInPieces::Takes(bodies);
  if (choice.tree) choice.params.softening = TreeSoftening(bodies);
  return choice;
}

bool ChosenGravityPhase(std::vector<Body>& bodies, double K, const GravityChoice& choice) {
  return choice.tree ? TreeGravityPhase(bodies, K, choice.params) : GravityPhase(bodies, K);
}

}  // namespace zelor
