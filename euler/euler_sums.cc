// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// The key of a graph: its codimension and component count, its (genus,
// valence) pairs in ascending order, then |Aut|: eight bytes when it fits
// 64 bits, else a marker byte and its digits.
#include "euler/euler_sums.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>
#include <utility>
#include <vector>

#include "euler/euler_term.h"
#include "euler/moduli_euler.h"
#include "graph/automorphism_order.h"
#include "graph/factorial.h"
#include "graph/hex_text.h"
#include "labelled/labelled_count.h"

namespace {

static_assert(sizeof(unsigned long) == sizeof(uint64_t), "GMP takes 64-bit counts as unsigned long");

constexpr char kBigOrder = '\xff';

/// n! for n <= 20, the largest that fits 64 bits; 0 beyond.
uint64_t small_factorial(int n) { return n < 0 || n > kLargestSmallFactorial ? 0 : SmallFactorial(n); }

/// order *= factor, false on overflow or a factor too large to know.
bool multiply(uint64_t& order, uint64_t factor) {
  return factor != 0 && !__builtin_mul_overflow(order, factor, &order);
}

/// |Aut| of graph in 64 bits, or false when it does not fit; with
/// fix_labels, of the graph with its points labelled.
bool small_automorphism_order(const Graph& graph, bool fix_labels, uint64_t& order) {
  mpz_class symmetries = fix_labels ? PointFixingSymmetryOrder(graph) : VertexSymmetryOrder(graph);
  if (!mpz_fits_ulong_p(symmetries.get_mpz_t())) return false;
  order = symmetries.get_ui();
  for (int v = 0; v < graph.K; ++v) {
    if (!multiply(order, small_factorial(graph.loops[v])) ||
        !multiply(order, small_factorial(fix_labels ? 0 : graph.marked_points[v])) || graph.loops[v] >= 64 ||
        !multiply(order, uint64_t{1} << graph.loops[v]))
      return false;
    for (int w = v + 1; w < graph.K; ++w)
      if (graph.adjacency[v][w] > 1 && !multiply(order, small_factorial(graph.adjacency[v][w]))) return false;
  }
  return true;
}

/// chi(M_{h,k}), each computed once.
class EulerTable {
 public:
  const mpq_class& operator()(int h, int k) {
    auto found = values_.find({h, k});
    if (found == values_.end()) found = values_.emplace(std::make_pair(h, k), OpenModuliEuler(h, k)).first;
    return found->second;
  }

 private:
  std::map<std::pair<int, int>, mpq_class> values_;
};

/// A key taken apart.
struct KeyParts {
  int codimension = 0;
  int K = 0;
  std::vector<std::pair<int, int>> vertices;  // (genus, valence), ascending
  mpz_class order;
};

/// Takes a key apart; false for bytes that make_key never writes: a
/// component count out of range, a length that does not fit it, unstable
/// or unsorted vertices, an order of 0.
bool decode_key(const std::string& key, KeyParts& parts) {
  if (key.size() < 2) return false;
  parts.codimension = static_cast<unsigned char>(key[0]);
  parts.K = static_cast<unsigned char>(key[1]);
  if (parts.K < 1 || parts.K > kMaxComponents) return false;
  size_t at = 2 + 2 * static_cast<size_t>(parts.K);
  if (key.size() < at + 2) return false;
  parts.vertices.clear();
  for (int v = 0; v < parts.K; ++v) {
    std::pair<int, int> vertex(static_cast<unsigned char>(key[2 + 2 * v]), static_cast<unsigned char>(key[3 + 2 * v]));
    if (2 * vertex.first - 2 + vertex.second <= 0) return false;
    if (v > 0 && vertex < parts.vertices.back()) return false;
    parts.vertices.push_back(vertex);
  }
  if (key[at] == kBigOrder) {
    std::string digits = key.substr(at + 1);
    if (digits.find_first_not_of("0123456789abcdef") != std::string::npos || digits[0] == '0') return false;
    parts.order.set_str(digits, 16);
  } else {
    if (key[at] != '\0' || key.size() != at + 9) return false;
    uint64_t small = 0;
    for (int byte = 0; byte < 8; ++byte)
      small |= static_cast<uint64_t>(static_cast<unsigned char>(key[at + 1 + byte])) << (8 * byte);
    parts.order = static_cast<unsigned long>(small);
  }
  return parts.order > 0;
}

/// Empty when a decoded key is that of a stable graph of type (g, n), else
/// what is wrong: the genera and the loops (first Betti number) must add
/// up to g, the valences to twice the edges plus n.
std::string key_type_problem(const KeyParts& parts, int g, int n) {
  int edges = parts.codimension, betti = edges - parts.K + 1;
  int genus = betti, valence = 0;
  for (const auto& vertex : parts.vertices) {
    genus += vertex.first;
    valence += vertex.second;
    if (parts.K > 1 && vertex.second == 0) return "a key with an isolated component";
  }
  if (betti < 0 || parts.K > 2 * g - 2 + n || edges > 3 * g - 3 + n) return "a key beyond the type's graphs";
  if (genus != g || valence != 2 * edges + n) return "a key of a graph of another type";
  return "";
}

/// The term of a key: count * prod chi / |Aut|.
mpq_class key_sum(const std::string& key, const mpz_class& count, EulerTable& chi) {
  KeyParts parts;
  if (!decode_key(key, parts)) throw std::logic_error("an Euler sum key that was never made");
  mpq_class sum = 1;
  for (const auto& vertex : parts.vertices) sum *= chi(vertex.first, vertex.second);
  sum *= count;
  sum /= parts.order;
  return sum;
}

}  // namespace

void EulerSums::Add(const Graph& graph) {
  ++graphs_;
  if (graph.labelled) {
    // The labels do not change the term, so the labelled graphs of one
    // graph, which come one after another, need one key between them.
    if (!graph.SameDescription(last_labelled_)) {
      make_key(graph, true);
      last_labelled_ = graph;
    }
  } else {
    make_key(graph, false);
    last_labelled_.K = -1;
  }
  ++counts_[key_];
}

void EulerSums::AddLabelledGraphs(const Graph& graph) {
  ++graphs_;
  make_key(graph, true);
  last_labelled_.K = -1;
  add_count(key_, LabelledGraphCount(graph));
}

void EulerSums::make_key(const Graph& graph, bool fix_labels) {
  std::pair<uint8_t, uint8_t> vertices[kMaxComponents];
  int K = graph.K;
  for (int v = 0; v < K; ++v)
    vertices[v] = {static_cast<uint8_t>(graph.genus[v]), static_cast<uint8_t>(Valence(graph, v))};
  std::sort(vertices, vertices + K);
  key_.clear();
  key_.push_back(static_cast<char>(graph.codimension));
  key_.push_back(static_cast<char>(K));
  for (int v = 0; v < K; ++v) {
    key_.push_back(static_cast<char>(vertices[v].first));
    key_.push_back(static_cast<char>(vertices[v].second));
  }
  uint64_t order;
  if (small_automorphism_order(graph, fix_labels, order)) {
    key_.push_back('\0');
    for (int byte = 0; byte < 8; ++byte) key_.push_back(static_cast<char>((order >> (8 * byte)) & 0xff));
  } else {
    Graph labelled = graph;
    labelled.labelled = fix_labels;
    key_.push_back(kBigOrder);
    key_ += AutomorphismOrder(labelled).get_str(16);
  }
}

void EulerSums::add_count(const std::string& key, const mpz_class& count) {
  uint64_t& small = counts_[key];
  uint64_t sum;
  if (count.fits_ulong_p() && !__builtin_add_overflow(small, count.get_ui(), &sum)) {
    small = sum;
    return;
  }
  big_counts_[key] += count;
}

// "graphs entries" then one "key-in-hex:count" per entry, space-separated;
// a count past 64 bits is written whole, in decimal like the others.
std::string EulerSums::State() const {
  std::map<std::string, mpz_class> totals;
  for (const auto& entry : counts_) totals[entry.first] = static_cast<unsigned long>(entry.second);
  for (const auto& entry : big_counts_) totals[entry.first] += entry.second;
  std::string out = std::to_string(graphs_) + " " + std::to_string(totals.size());
  for (const auto& entry : totals) {
    out += " " + HexText(entry.first) + ":" + entry.second.get_str();
  }
  return out;
}

bool EulerSums::RestoreState(const std::string& state) {
  std::istringstream in(state);
  uint64_t graphs, entries;
  if (!(in >> graphs >> entries)) return false;
  EulerSums restored;
  for (uint64_t k = 0; k < entries; ++k) {
    std::string word;
    if (!(in >> word)) return false;
    size_t colon = word.find(':');
    std::string key;
    if (colon == std::string::npos || !BytesOfHexText(word.substr(0, colon), key)) return false;
    KeyParts parts;
    if (!decode_key(key, parts)) return false;
    std::string count_text = word.substr(colon + 1);
    if (count_text.empty() || count_text.find_first_not_of("0123456789") != std::string::npos ||
        count_text[0] == '0')
      return false;
    restored.add_count(key, mpz_class(count_text, 10));
  }
  std::string rest;
  if (in >> rest) return false;
  counts_.swap(restored.counts_);
  big_counts_.swap(restored.big_counts_);
  graphs_ = graphs;
  return true;
}

std::string EulerSums::CountsProblem(int g, int n, const mpz_class& graphs,
                                     const std::vector<mpz_class>& per_components,
                                     const std::vector<mpz_class>& per_codimension) const {
  if (graphs != mpz_class(static_cast<unsigned long>(graphs_)))
    return "the Euler sums count " + std::to_string(graphs_) + " graphs, not the " + graphs.get_str() + " printed";
  std::vector<mpz_class> by_components(per_components.size()), by_codimension(per_codimension.size());
  auto count = [&](const std::string& key, const mpz_class& times) -> std::string {
    KeyParts parts;
    if (!decode_key(key, parts)) return "a key that is not one";
    std::string problem = key_type_problem(parts, g, n);
    if (!problem.empty()) return problem;
    if (static_cast<size_t>(parts.K) >= by_components.size() ||
        static_cast<size_t>(parts.codimension) >= by_codimension.size())
      return "a key of graphs that were not printed";
    by_components[static_cast<size_t>(parts.K)] += times;
    by_codimension[static_cast<size_t>(parts.codimension)] += times;
    return "";
  };
  for (const auto& entry : counts_) {
    std::string problem = count(entry.first, mpz_class(static_cast<unsigned long>(entry.second)));
    if (!problem.empty()) return "the Euler sums hold " + problem;
  }
  for (const auto& entry : big_counts_) {
    std::string problem = count(entry.first, entry.second);
    if (!problem.empty()) return "the Euler sums hold " + problem;
  }
  if (by_components != per_components) return "the Euler sums count other graphs per component count than printed";
  if (by_codimension != per_codimension) return "the Euler sums count other graphs per codimension than printed";
  return "";
}

void EulerSums::Merge(const EulerSums& other) {
  for (const auto& entry : other.counts_) add_count(entry.first, mpz_class(static_cast<unsigned long>(entry.second)));
  for (const auto& entry : other.big_counts_) big_counts_[entry.first] += entry.second;
  graphs_ += other.graphs_;
}

std::map<int, mpq_class> EulerSums::ByCodimension() const {
  std::map<int, mpq_class> sums;
  EulerTable chi;
  for (const auto& entry : counts_)
    sums[static_cast<unsigned char>(entry.first[0])] +=
        key_sum(entry.first, mpz_class(static_cast<unsigned long>(entry.second)), chi);
  for (const auto& entry : big_counts_)
    sums[static_cast<unsigned char>(entry.first[0])] += key_sum(entry.first, entry.second, chi);
  return sums;
}
