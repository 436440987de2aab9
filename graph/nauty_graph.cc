// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/nauty_graph.h"

#include <string.h>

#include <stdexcept>
#include <string>
#include <type_traits>

#include "nauty.h"

static_assert(WORDSIZE == 32 && MAXN == kMaxColoredVertices && MAXM == 1, "one 32-bit setword per row");
static_assert(std::is_same<setword, uint32_t>::value, "setword must be 32 bits");

namespace {

/// Stops before a coloured graph outgrows the rows nauty is built for.
void check_size(int colored_vertices) {
  if (colored_vertices > MAXN) {
    throw std::length_error("a graph needs " + std::to_string(colored_vertices) +
                            " coloured vertices, but nauty is built for at most " + std::to_string(MAXN));
  }
}

/// The decoration of vertex v as one number, ordered as the generator
/// orders vertices; none of the three is negative in a record.
uint64_t decoration(const Graph& graph, int v) {
  return static_cast<uint64_t>(static_cast<uint8_t>(graph.genus[v])) << 16 |
         static_cast<uint64_t>(static_cast<uint8_t>(graph.marked_points[v])) << 8 |
         static_cast<uint8_t>(graph.loops[v]);
}

thread_local mpz_class* level_product = nullptr;
thread_local const std::function<bool(const int*)>* generator_test = nullptr;
thread_local bool generator_found = false;

/// nauty's automorphism procedure, called with each generator it finds.
void test_generator(int, int* permutation, int*, int, int, int) {
  if (!generator_found && (*generator_test)(permutation)) generator_found = true;
}

/// nauty's level procedure: index is the size of the orbit of the vertex
/// fixed at this level under the stabiliser of those fixed above it.
void multiply_index(int*, int*, int, int*, statsblk*, int, int index, int, int, int, int) { *level_product *= index; }

}  // namespace

NautyGraph::NautyGraph(const Graph& graph) : size_(graph.K), vertices_(graph.K) {
  check_size(size_);
  for (int v = 0; v < size_; ++v) colour_[v] = decoration(graph, v);
  add_edges(graph.adjacency);
}

NautyGraph::NautyGraph(int size, const uint64_t* colour, const int8_t (*multiplicity)[kMaxComponents])
    : size_(size), vertices_(size) {
  check_size(size_);
  memcpy(colour_, colour, sizeof(uint64_t) * static_cast<size_t>(size_));
  add_edges(multiplicity);
}

void NautyGraph::add_edges(const int8_t (*multiplicity)[kMaxComponents]) {
  for (int u = 0; u < size_; ++u) {
    for (int v = u + 1; v < size_; ++v) {
      int t = multiplicity[u][v];
      if (t == 1) {
        ADDELEMENT(&rows_[u], v);
        ADDELEMENT(&rows_[v], u);
      } else if (t > 1) {
        check_size(vertices_ + 1);
        int x = vertices_++;
        multiplicity_[x] = t;
        ADDELEMENT(&rows_[u], x);
        ADDELEMENT(&rows_[v], x);
        ADDELEMENT(&rows_[x], u);
        ADDELEMENT(&rows_[x], v);
      }
    }
  }
}

// Insertion sorts: the generator's graphs come sorted already, and a
// graph has a few dozen vertices at most.  Returns the number of vertices.
int NautyGraph::partition(uint64_t fixed, int* lab, int* ptn) const {
  int placed = 0;
  for (int v = 0; v < size_; ++v)
    if (fixed >> v & 1) {
      lab[placed] = v;
      ptn[placed++] = 0;
    }
  const int first_free = placed;
  for (int v = 0; v < size_; ++v) {
    if (fixed >> v & 1) continue;
    int k = placed++;
    for (; k > first_free && colour_[lab[k - 1]] > colour_[v]; --k) lab[k] = lab[k - 1];
    lab[k] = v;
  }
  for (int i = first_free; i < placed; ++i) ptn[i] = i + 1 < placed && colour_[lab[i + 1]] == colour_[lab[i]] ? 1 : 0;
  const int first_extra = placed;
  for (int x = size_; x < vertices_; ++x) {
    int k = placed++;
    for (; k > first_extra && multiplicity_[lab[k - 1]] > multiplicity_[x]; --k) lab[k] = lab[k - 1];
    lab[k] = x;
  }
  for (int i = first_extra; i < placed; ++i)
    ptn[i] = i + 1 < placed && multiplicity_[lab[i + 1]] == multiplicity_[lab[i]] ? 1 : 0;
  return placed;
}

// nauty takes the graph as writable but leaves it unchanged.
uint32_t* NautyGraph::graph_rows() const { return const_cast<uint32_t*>(rows_); }

/// One call of nauty: what it is asked for, and what it found.
struct NautyGraph::Call {
  /// Vertices each put in a cell of its own.
  uint64_t fixed = 0;
  /// Where the canonical graph goes; nullptr: no canonical labelling.
  uint32_t* canonical = nullptr;
  void (*level_procedure)(int*, int*, int, int*, statsblk*, int, int, int, int, int, int) = nullptr;
  void (*automorphism_procedure)(int, int*, int*, int, int, int) = nullptr;
  int lab[MAXN], ptn[MAXN], orbits[MAXN];
  statsblk stats;
};

void NautyGraph::run(Call* call) const {
  setword workspace[50 * MAXM];
  // A fresh options block per call: several threads may call nauty at once.
  DEFAULTOPTIONS_GRAPH(options);
  options.getcanon = call->canonical != nullptr ? TRUE : FALSE;
  options.defaultptn = FALSE;
  options.userlevelproc = call->level_procedure;
  options.userautomproc = call->automorphism_procedure;
  partition(call->fixed, call->lab, call->ptn);
  nauty_check(WORDSIZE, 1, vertices_, NAUTYVERSIONID);
  nauty(graph_rows(), call->lab, call->ptn, NULL, call->orbits, &options, &call->stats, workspace, 50 * MAXM, 1,
        vertices_, reinterpret_cast<graph*>(call->canonical));
}

void NautyGraph::Canonicalize(CanonicalForm* form) const {
  Call call;
  call.canonical = form->rows;
  run(&call);
  form->vertices = vertices_;
  for (int v = 0; v < size_; ++v) form->orbits[v] = static_cast<int8_t>(call.orbits[v]);
  form->group_size = call.stats.grpsize1;
  form->group_exponent = call.stats.grpsize2;
}

void NautyGraph::Orbits(uint64_t fixed, int* orbits, double* group_size, int* group_exponent) const {
  Call call;
  call.fixed = fixed;
  run(&call);
  for (int v = 0; v < size_; ++v) orbits[v] = call.orbits[v];
  *group_size = call.stats.grpsize1;
  *group_exponent = call.stats.grpsize2;
}

mpz_class NautyGraph::ExactOrder() const {
  Call call;
  call.level_procedure = multiply_index;
  mpz_class order = 1;
  level_product = &order;
  run(&call);
  level_product = nullptr;
  return order;
}

void NautyGraph::CanonicalOrder(int* order) const {
  Call call;
  uint32_t canonical[MAXN];
  call.canonical = canonical;
  run(&call);
  // The cells of the multigraph's own vertices come first and keep their
  // places.
  for (int i = 0; i < size_; ++i) order[i] = call.lab[i];
}

bool NautyGraph::AnyGenerator(const std::function<bool(const int*)>& test) const {
  Call call;
  call.automorphism_procedure = test_generator;
  generator_test = &test;
  generator_found = false;
  run(&call);
  generator_test = nullptr;
  return generator_found;
}

bool CanonicalForm::SameGraph(const CanonicalForm& other) const {
  return vertices == other.vertices && memcmp(rows, other.rows, sizeof(uint32_t) * static_cast<size_t>(vertices)) == 0;
}

void ComputeCanonicalForm(const Graph& graph, CanonicalForm* form) { NautyGraph(graph).Canonicalize(form); }
