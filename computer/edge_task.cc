// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// The edge level of the generator and the checks that every complete
// candidate passes before it is stored.
//
// Vertex v must stay at least vertex v - 1 in the order of its attributes
// while its bit in distinct_mask is clear: row rule for pair (i, j) against
// (i - 1, j), column rule against (i, j - 1).  The upper bounds keep one
// edge for each further pair needed to join the K vertices and enough edge
// ends for every genus-0 vertex to reach valence 3.  Why neither cuts the
// least relabelling of any class, and which edits would: the essay at the
// top of graph/lex_least.h.
#include "computer/edge_task.h"

#include <algorithm>

namespace {

uint32_t vertex_bit(int v) { return uint32_t{1} << v; }

}  // namespace

EdgeTask::EdgeTask(const PartialGraph& start, ModuliType moduli_type, SearchKind kind, SearchPoint from,
                   const GraphBounds& bounds)
    : stored(start), work_graph(start), strategy_(SearchStrategy::Make(kind)),
      prunes_after_rows_(strategy_->PrunesAfterRows()), g_(start.g), codimension_(CodimensionOf(start)),
      moduli_type_(moduli_type), bounds_(bounds), max_multiplicity_(bounds.max_multiplicity.value_or(start.g + 1)),
      forest_(moduli_type == ModuliType::kCompactType || moduli_type == ModuliType::kRationalTails ||
              moduli_type == ModuliType::kTreeLike) {
  from_ = from;
  const int K = start.K;
  for (int v = 0; v < K; ++v) tree_[v] = uint64_t{1} << v;
  // The pairs from `from` on are the search's to assign: they start at 0
  // however the task was made.
  for (int i = 0; i < K; ++i)
    for (int j = i + 1; j < K; ++j) {
      bool assigned = i < from.i || (i == from.i && j < from.j);
      if (!assigned) work_graph.adjacency[i][j] = work_graph.adjacency[j][i] = 0;
      if (assigned && forest_ && work_graph.adjacency[i][j] != 0) join_trees(i, j);
    }
}

bool EdgeTask::CanSplit(int rows) const {
  return strategy_->MaySplit() && rows >= 1 && rows <= work_graph.K - 2 && from_ == SearchPoint();
}

void EdgeTask::Split(int rows, const std::function<void(const PartialGraph&, SearchPoint)>& take) {
  split_ = TaskSplit{rows, &take};
  strategy_->BeginSplit(work_graph);
  bt_a(0, 1);
  relabelling_branches += strategy_->branches();
  strategy_->End();
  split_.reset();
}

void EdgeTask::AddSearchEffort(const EdgeTask& other) {
  nodes += other.nodes;
  pruned += other.pruned;
  relabelling_branches += other.relabelling_branches;
}

int EdgeTask::CodimensionOf(const Graph& start) {
  int genus_sum = 0;
  for (int v = 0; v < start.K; ++v) genus_sum += start.genus[v];
  return start.g - 1 + start.K - genus_sum;
}

void EdgeTask::Run(std::atomic<long>* found_so_far) {
  found_so_far_ = found_so_far;
  // Begun here, not with the task: a pass holds all its tasks at once.
  strategy_->Begin(work_graph);
  int64_t replayed = 0;
  if (from_ == SearchPoint()) {
    bt_a(0, 1);
  } else {  // the call at from_ was counted by the task that split
    strategy_->TakeUpAfterRows(work_graph, from_.i);
    replayed = strategy_->branches();
    assign_pair(from_.i, from_.j);
  }
  relabelling_branches += strategy_->branches() - replayed;
  strategy_->End();
  report_found();
  found_so_far_ = nullptr;
  stored.ShrinkToFit();
}

void EdgeTask::bt_a(int i, int j) {
  ++nodes;
  if (split_ && split_->CutsAt(i, j, work_graph.K, g_ == work_graph.partial_genus)) {
    (*split_->take)(work_graph, SearchPoint{i, j});
    return;
  }
  assign_pair(i, j);
}

void EdgeTask::assign_pair(int i, int j) {
  PartialGraph& w = work_graph;
  const int K = w.K;
  if (j >= K) {
    ++i;
    j = i + 1;
    // Rows 0 .. i - 1 are final: a smaller relabelling among them is
    // smaller for every completion.
    if (prunes_after_rows_ && i < K - 1 && !strategy_->KeepsBranchAfterRows(w, i)) {
      ++pruned;
      return;
    }
  }
  if (i >= K - 1) {
    complete_candidate(K - 2);
    return;
  }
  if (!needs_can_be_met(i, j)) return;
  if (g_ == w.partial_genus) {
    finish_without_edges(i, j);
    return;
  }
  bool zero_i = i < w.genus_zero_count;
  bool zero_j = j < w.genus_zero_count;
  int row_lo = (i == 0 || (w.distinct_mask & vertex_bit(i))) ? 0 : w.adjacency[i - 1][j];
  int col_lo = (j > i + 1 && !(w.distinct_mask & vertex_bit(j))) ? w.adjacency[i][j - 1] : 0;
  int lo = std::max(row_lo, col_lo);
  int edges = g_ - w.partial_genus;
  // One edge for each further pair needed to join K vertices, and enough
  // edge ends for the genus-0 vertices to reach valence 3.
  int hi = std::min(edges - std::max(K - w.joined_pairs - 2, 0),
                    (2 * edges - 3 * w.genus_zero_count + w.valence_cap3_sum + std::max(3 - w.valence[i], 0) +
                     std::max(3 - w.valence[j], 0)) /
                        2);
  if (forest_) hi = std::min(hi, 1);  // a tree joins two vertices once at most
  hi = std::min(hi, max_multiplicity_);
  if (j == K - 1) {  // the valence of i is final after this pair
    if (zero_i) lo = std::max(lo, 3 - w.valence[i]);
    if (i == K - 2) {  // the last pair of all: vertex K - 1 is final too
      if (w.genus_zero_count == K) lo = std::max(lo, 3 - w.valence[K - 1]);
      lo = std::max(lo, edges);
    }
    bool i_unjoined = w.valence[i] == w.marked_points[i] + 2 * w.loops[i];
    bool last_unjoined = i == K - 2 && w.valence[K - 1] == w.marked_points[K - 1] + 2 * w.loops[K - 1];
    if (i_unjoined || last_unjoined) lo = std::max(lo, 1);
  }
  if (lo > hi) return;
  uint32_t mask = w.distinct_mask;
  int8_t saved_cap3_sum = w.valence_cap3_sum;
  const uint64_t tree_of_i = tree_[i], tree_of_j = tree_[j];
  for (int x = lo; x <= hi; ++x) {
    // The vertex levels left K - 1 edges for a tree: one that closes a
    // cycle leaves the graph unconnected.
    if (x > 0 && forest_ && (tree_of_i >> j & 1) != 0) break;
    w.adjacency[i][j] = w.adjacency[j][i] = static_cast<int8_t>(x);
    if (x > 0) {
      if (forest_) join_trees(i, j);
      ++w.joined_pairs;
      int cap3 = w.valence_cap3_sum;
      if (zero_i) cap3 += std::min(w.valence[i] + x, 3) - std::min<int>(w.valence[i], 3);
      if (zero_j) cap3 += std::min(w.valence[j] + x, 3) - std::min<int>(w.valence[j], 3);
      w.valence_cap3_sum = static_cast<int8_t>(cap3);
      w.valence[i] = static_cast<int8_t>(w.valence[i] + x);
      w.valence[j] = static_cast<int8_t>(w.valence[j] + x);
      w.partial_genus = static_cast<int8_t>(w.partial_genus + x);
      if (x > row_lo) w.distinct_mask |= vertex_bit(i);
      if (x > col_lo && j > i + 1) w.distinct_mask |= vertex_bit(j);
      ++w.multiplicity_count[x];
    }
    bt_a(i, j + 1);
    if (x > 0) {
      --w.multiplicity_count[x];
      w.distinct_mask = mask;
      w.partial_genus = static_cast<int8_t>(w.partial_genus - x);
      w.valence[j] = static_cast<int8_t>(w.valence[j] - x);
      w.valence[i] = static_cast<int8_t>(w.valence[i] - x);
      w.valence_cap3_sum = saved_cap3_sum;
      --w.joined_pairs;
      if (forest_) split_trees(tree_of_i, tree_of_j);
    }
  }
}

void EdgeTask::join_trees(int i, int j) {
  uint64_t joined = tree_[i] | tree_[j];
  for (uint64_t rest = joined; rest != 0; rest &= rest - 1) tree_[__builtin_ctzll(rest)] = joined;
}

void EdgeTask::split_trees(uint64_t tree_of_i, uint64_t tree_of_j) {
  for (uint64_t rest = tree_of_i; rest != 0; rest &= rest - 1) tree_[__builtin_ctzll(rest)] = tree_of_i;
  for (uint64_t rest = tree_of_j; rest != 0; rest &= rest - 1) tree_[__builtin_ctzll(rest)] = tree_of_j;
}

// With every edge placed, each remaining pair can only take 0, and the
// bounds of bt_a then come down to these conditions; checking them at once
// spares walking the remaining pairs one call at a time, which is where
// most branches of the search end.
//
// Every vertex from i on already has its valence and a neighbour:
// needs_can_be_met, called first, allows no unmet need without edges.
void EdgeTask::finish_without_edges(int i, int j) {
  PartialGraph& w = work_graph;
  const int K = w.K;
  if (w.joined_pairs < K - 2) return;  // too few pairs joined for a connected graph
  // The order rules, with zeros in every remaining pair: row i against
  // row i - 1, the current pair against its left neighbour, and row i + 1
  // against the pairs of row i already placed.
  if (i > 0 && !(w.distinct_mask & vertex_bit(i)))
    for (int k = j; k < K; ++k)
      if (w.adjacency[i - 1][k] != 0) return;
  if (j > i + 1 && !(w.distinct_mask & vertex_bit(j)) && w.adjacency[i][j - 1] != 0) return;
  if (i + 2 < K && !(w.distinct_mask & vertex_bit(i + 1)))
    for (int k = i + 2; k < j; ++k)
      if (w.adjacency[i][k] != 0) return;
  for (int k = j; k < K; ++k) w.adjacency[i][k] = w.adjacency[k][i] = 0;
  for (int r = i + 1; r < K; ++r)
    for (int k = r + 1; k < K; ++k) w.adjacency[r][k] = w.adjacency[k][r] = 0;
  complete_candidate(i);
}

bool EdgeTask::needs_can_be_met(int i, int j) const {
  const PartialGraph& w = work_graph;
  const int K = w.K;
  auto need = [&w](int v) {
    int deficit = v < w.genus_zero_count ? 3 - w.valence[v] : 0;
    int unjoined = w.valence[v] == w.marked_points[v] + 2 * w.loops[v] ? 1 : 0;
    return std::max(deficit, unjoined);
  };
  int a = need(i), b = 0, c = 0;
  for (int v = i + 1; v < j; ++v) b += need(v);
  for (int v = j; v < K; ++v) c += need(v);
  int ends = b + std::max(c - a, 0);
  return a + (ends + 1) / 2 <= g_ - w.partial_genus;
}

// Every candidate of the task has its codimension, and a task whose
// codimension the edge filter excludes is never made.
// `final_rows` rows were final before the candidate was complete; a
// strategy that prunes tested each of them on the way here.
void EdgeTask::complete_candidate(int final_rows) {
  PartialGraph& w = work_graph;
  w.codimension = static_cast<int8_t>(codimension_);
  w.canonical.Invalidate();
  if (correct(final_rows)) add_to_store();
}

bool EdgeTask::correct(int final_rows) {
  const int K = work_graph.K;
  ++tried;
  std::fill(visited_, visited_ + K, false);
  visited_[0] = true;
  int count = 1;
  for (int x = 0; x < K; ++x)
    if (work_graph.adjacency[0][x] != 0 && !visited_[x]) count += visit(x);
  if (count < K) {
    ++unconnected;
    return false;
  }
  if (strategy_->IsRepeat(work_graph, final_rows, stored)) {
    ++duplicated;
    return false;
  }
  ++found;
  return true;
}

int EdgeTask::visit(int a) {
  visited_[a] = true;
  int reached = 1;
  for (int x = 0; x < work_graph.K; ++x)
    if (work_graph.adjacency[a][x] != 0 && !visited_[x]) reached += visit(x);
  return reached;
}

void EdgeTask::add_to_store() {
  strategy_->Kept(work_graph, stored.size());
  stored.Append(work_graph);
  if (labelled) labelled->Add(work_graph, work_graph.canonical.IfComputed());
  if (found_so_far_ != nullptr && ++found_unreported_ == 256) report_found();
}

// Found graphs are reported in batches: one shared counter touched for
// every graph would slow the threads down.
void EdgeTask::report_found() {
  if (found_so_far_ != nullptr) *found_so_far_ += found_unreported_;
  found_unreported_ = 0;
}
