// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// The key of a graph: its codimension and component count, its (genus,
// valence) pairs in ascending order, then |Aut|: eight bytes when it fits
// 64 bits, else a marker byte and its digits.
#include "euler/euler_sums.h"

#include <algorithm>
#include <sstream>
#include <utility>
#include <vector>

#include "euler/euler_term.h"
#include "euler/moduli_euler.h"
#include "graph/automorphism_order.h"
#include "graph/factorial.h"
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

/// The term of a key: count * prod chi / |Aut|.
mpq_class key_sum(const std::string& key, const mpz_class& count, EulerTable& chi) {
  int K = static_cast<unsigned char>(key[1]);
  mpq_class sum = 1;
  for (int v = 0; v < K; ++v)
    sum *= chi(static_cast<unsigned char>(key[2 + 2 * v]), static_cast<unsigned char>(key[3 + 2 * v]));
  size_t at = 2 + 2 * static_cast<size_t>(K);
  mpz_class order;
  if (key[at] == kBigOrder) {
    order.set_str(key.substr(at + 1), 16);
  } else {
    uint64_t small = 0;
    for (int byte = 0; byte < 8; ++byte)
      small |= static_cast<uint64_t>(static_cast<unsigned char>(key[at + 1 + byte])) << (8 * byte);
    order = static_cast<unsigned long>(small);
  }
  sum *= count;
  sum /= order;
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
  static const char digits[] = "0123456789abcdef";
  std::map<std::string, mpz_class> totals;
  for (const auto& entry : counts_) totals[entry.first] = static_cast<unsigned long>(entry.second);
  for (const auto& entry : big_counts_) totals[entry.first] += entry.second;
  std::string out = std::to_string(graphs_) + " " + std::to_string(totals.size());
  for (const auto& entry : totals) {
    out += " ";
    for (unsigned char c : entry.first) {
      out += digits[c >> 4];
      out += digits[c & 15];
    }
    out += ":" + entry.second.get_str();
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
    if (colon == std::string::npos || colon % 2 != 0) return false;
    std::string key;
    for (size_t i = 0; i < colon; i += 2) {
      int value = 0;
      for (char c : {word[i], word[i + 1]}) {
        int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0) return false;
        value = value * 16 + digit;
      }
      key.push_back(static_cast<char>(value));
    }
    std::string count_text = word.substr(colon + 1);
    if (count_text.empty() || count_text.find_first_not_of("0123456789") != std::string::npos) return false;
    restored.add_count(key, mpz_class(count_text, 10));
  }
  std::string rest;
  if (in >> rest) return false;
  counts_.swap(restored.counts_);
  big_counts_.swap(restored.big_counts_);
  graphs_ = graphs;
  return true;
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
