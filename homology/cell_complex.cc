// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Why the boundary is well defined.  A cell of Delta_{g,n} is a stable
// graph G with edges e_0 .. e_p (p + 1 >= 1 of them), the simplex of the
// lengths of its edges with the faces where a length vanishes, glued along
// the automorphisms of G.  Over Q a cell whose automorphism group permutes
// the edges oddly is zero (the orientation is sent to its negative); the
// others carry the orientation of one order of their edges, and any other
// order differs from it by a sign.  A graph with two edges between the
// same vertices, or two loops at one vertex, has the odd swap of the two.
//
// The chosen order is that of the cell's canonical description (the
// StratumKey, vertices renumbered canonically): edges by their ends, in
// lexicographic order.  Two renumberings that give the same description
// differ by an automorphism, which is even on the edges of a cell that
// does not vanish, so the sign of a graph against its canonical order does
// not depend on which renumbering StratumKey picked.
//
// The face of G where e_i has length zero is G/e_i, with the other edges
// in their order, counted with (-1)^i: contracting a loop raises the
// genus of its vertex, contracting another edge merges its two ends.
// G/e_i is a cell of degree p - 1 unless it vanishes (then the term is
// zero) and is rewritten against its canonical order with the sign of the
// permutation of its edges.  The face of a one-edge cell is the empty cell
// of degree -1, which makes the homology reduced.
//
// Relative chains.  For g >= 1 the graphs with a loop or a vertex of
// positive genus span a subcomplex (contracting an edge keeps a loop or a
// positive genus, or makes one), which is contractible (a theorem on
// tropical curves); the long exact sequence of the pair then gives the
// reduced homology of the whole as the homology of the quotient: the
// graphs whose vertices all have genus 0 and which have no loop, with the
// terms that fall into the subcomplex dropped, and without the empty cell,
// which the subcomplex holds.  Contracting an edge of such a graph merges
// two genus-0 vertices without a loop, or makes two edges parallel, so no
// term falls into the subcomplex; the check stays in the code anyway.
#include "homology/cell_complex.h"

#include <algorithm>
#include <stdexcept>

#include "computer/parallel_runner.h"
#include "homology/cell_edges.h"
#include "poset/edge_contraction.h"
#include "poset/odd_edge_symmetry.h"
#include "poset/stratum_key.h"

namespace {

/// Whether `graph` has a loop or a vertex of positive genus, or, when
/// `shared_points`, a vertex with two marked points or more.
bool in_subcomplex(const Graph& graph, bool shared_points) {
  for (int v = 0; v < graph.K; ++v)
    if (graph.loops[v] > 0 || graph.genus[v] > 0 || (shared_points && graph.marked_points[v] >= 2)) return true;
  return false;
}

/// The edges of `cell` but edge `skip`, as they are numbered in the graph
/// ContractEdge makes when it contracts edge `skip`.
CellEdges edges_after_contraction(const CellEdges& edges, int skip) {
  const int u = edges.ends[skip].u, v = edges.ends[skip].v;
  auto place = [u, v](int x) { return static_cast<int8_t>(u == v || x < v ? x : (x == v ? u : x - 1)); };
  CellEdges left;
  for (int e = 0; e < edges.count; ++e) {
    if (e == skip) continue;
    int8_t a = place(edges.ends[e].u), b = place(edges.ends[e].v);
    left.ends[left.count++] = {std::min(a, b), std::max(a, b)};
  }
  return left;
}

/// Columns handed to one call on a thread: enough to outweigh the call.
constexpr size_t kColumnsPerChunk = 256;

}  // namespace

CellComplex::CellComplex(const CellComplexSettings& settings)
    : settings_(settings), bases_(static_cast<size_t>(std::max(HighestDegree() + 1, 0))) {}

bool CellComplex::MayBeCell(const Graph& graph) const {
  if (graph.codimension < 1 || HasParallelEdges(graph)) return false;
  return !InSubcomplex(graph);
}

bool CellComplex::InSubcomplex(const Graph& graph) const {
  switch (settings_.relative_to) {
    case Subcomplex::kNone: return false;
    case Subcomplex::kLoopsOrGenus: return in_subcomplex(graph, false);
    case Subcomplex::kLoopsGenusOrSharedPoints: return in_subcomplex(graph, true);
  }
  return false;
}

bool CellComplex::IsCell(const Graph& graph) const {
  return MayBeCell(graph) && !HasOddEdgeSymmetry(graph, settings_.labelled);
}

void CellComplex::Add(const Graph& graph, const GraphId& id) {
  int degree = graph.codimension - 1;
  if (degree < 0 || degree > HighestDegree()) throw std::logic_error("a cell of a degree the type does not have");
  bases_[degree].Add(StratumKey(graph), id);
}

void CellComplex::Seal() {
  for (CellBasis& basis : bases_) basis.Seal();
}

size_t CellComplex::Dimension(int degree) const {
  if (degree == -1) return LowestDegree() == -1 ? 1 : 0;
  if (degree < 0 || degree > HighestDegree()) return 0;
  return bases_[degree].size();
}

SparseMatrix CellComplex::Boundary(int degree) const {
  SparseMatrix matrix;
  matrix.rows = Dimension(degree - 1);
  matrix.columns = Dimension(degree);
  if (matrix.rows == 0 || matrix.columns == 0) return matrix;
  if (degree == 0) {  // every vertex of the complex has the empty cell as its face
    for (size_t cell = 0; cell < matrix.columns; ++cell)
      matrix.entries.push_back({0, static_cast<uint32_t>(cell), 1});
    return matrix;
  }
  size_t chunks = (matrix.columns + kColumnsPerChunk - 1) / kColumnsPerChunk;
  std::vector<std::vector<SparseMatrix::Entry>> parts(chunks);
  RunInParallel(chunks, settings_.threads, [&](size_t chunk) {
    size_t end = std::min(matrix.columns, (chunk + 1) * kColumnsPerChunk);
    for (size_t cell = chunk * kColumnsPerChunk; cell < end; ++cell) boundary_of(degree, cell, parts[chunk]);
  });
  for (std::vector<SparseMatrix::Entry>& part : parts) {
    matrix.entries.insert(matrix.entries.end(), part.begin(), part.end());
    std::vector<SparseMatrix::Entry>().swap(part);
  }
  return matrix;
}

void CellComplex::boundary_of(int degree, size_t cell, std::vector<SparseMatrix::Entry>& out) const {
  const CellComplexSettings& s = settings_;
  const Graph graph = GraphOfStratumKey(bases_[degree].Key(cell), s.g, s.n, s.labelled);
  const CellEdges edges = EdgesInOrder(graph);
  const CellBasis& faces = bases_[degree - 1];
  Graph face(s.g, s.n, graph.K);
  size_t first = out.size();
  for (int e = 0; e < edges.count; ++e) {
    ContractEdge(graph, edges.ends[e].u, edges.ends[e].v, face);
    if (HasParallelEdges(face) || InSubcomplex(face)) continue;
    int order[kMaxComponents];
    std::optional<uint32_t> row = faces.Find(StratumKey(face, order));
    if (!row) {
      if (HasOddEdgeSymmetry(face, s.labelled)) continue;
      throw std::logic_error("a face of a cell of the boundary complex is missing from its cells: "
                             "the graphs it was made from are incomplete");
    }
    int sign = (e % 2 == 0 ? 1 : -1) * OrientationSign(edges_after_contraction(edges, e), order, face.K);
    out.push_back({*row, static_cast<uint32_t>(cell), sign});
  }
  // Two edges can have the same face: add up their terms, by row.
  std::sort(out.begin() + static_cast<long>(first), out.end(),
            [](const SparseMatrix::Entry& a, const SparseMatrix::Entry& b) { return a.row < b.row; });
  size_t kept = first;
  for (size_t i = first; i < out.size(); ++i) {
    if (kept > first && out[kept - 1].row == out[i].row)
      out[kept - 1].value += out[i].value;
    else
      out[kept++] = out[i];
  }
  out.resize(kept);
  out.erase(std::remove_if(out.begin() + static_cast<long>(first), out.end(),
                           [](const SparseMatrix::Entry& entry) { return entry.value == 0; }),
            out.end());
}
