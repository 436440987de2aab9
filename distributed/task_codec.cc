// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Fixed-width little pieces in host byte order: the processes of a run are
// started from one build on machines of one architecture.
#include "distributed/task_codec.h"

#include <string.h>

#include <utility>

namespace {

/// Appends the bytes of a plain value.
template <typename T>
void put(std::vector<uint8_t>& out, T value) {
  // resize and memcpy rather than insert of a pointer range, which GCC 12
  // at -O2 flags with a false -Wstringop-overflow.
  size_t at = out.size();
  out.resize(at + sizeof(T));
  memcpy(out.data() + at, &value, sizeof(T));
}

/// Reads plain values from a buffer, refusing to read past its end.
class Reader {
 public:
  Reader(const uint8_t* data, size_t size, const char* what) : data_(data), size_(size), what_(what) {}
  template <typename T>
  T get() {
    T value;
    need(sizeof(T));
    memcpy(&value, data_ + at_, sizeof(T));
    at_ += sizeof(T);
    return value;
  }
  void need(size_t bytes) const {
    if (size_ - at_ < bytes) throw TaskCodecError(std::string("truncated ") + what_);
  }
  size_t left() const { return size_ - at_; }
  void skip(size_t bytes) {
    need(bytes);
    at_ += bytes;
  }
  const uint8_t* here() const { return data_ + at_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
  const char* what_;
};

}  // namespace

namespace {

/// A bound as a byte: kNoBound when not given.
constexpr uint8_t kNoBound = 0xff;

void put_bound(std::vector<uint8_t>& out, const std::optional<int>& bound) {
  put<uint8_t>(out, bound ? static_cast<uint8_t>(*bound) : kNoBound);
}

std::optional<int> get_bound(Reader& in, int g) {
  uint8_t bound = in.get<uint8_t>();
  if (bound == kNoBound) return std::nullopt;
  if (bound > g + 1) throw TaskCodecError("task start with an impossible bound");
  return bound;
}

}  // namespace

std::vector<uint8_t> EncodeTaskStart(const PartialGraph& start, ModuliType moduli, SearchKind kind,
                                     SearchPoint from, const GraphBounds& bounds) {
  std::vector<uint8_t> out;
  put<int32_t>(out, start.g);
  put<int32_t>(out, start.n);
  put<int32_t>(out, start.K);
  for (int v = 0; v < start.K; ++v) {
    put(out, start.genus[v]);
    put(out, start.marked_points[v]);
    put(out, start.loops[v]);
    put(out, start.valence[v]);
  }
  for (int8_t value : {start.partial_genus, start.partial_marked_points, start.joined_pairs, start.genus_zero_count,
                       start.valence_cap2_sum, start.valence_cap3_sum, start.min_valence_cap2, start.codimension})
    put(out, value);
  put<uint32_t>(out, start.distinct_mask);
  put<uint8_t>(out, static_cast<uint8_t>(moduli));
  put<uint8_t>(out, static_cast<uint8_t>(kind));
  put_bound(out, bounds.max_multiplicity);
  put_bound(out, bounds.max_loops);
  put<uint8_t>(out, bounds.rational_vertices ? 1 : 0);
  put<uint8_t>(out, static_cast<uint8_t>(from.i));
  put<uint8_t>(out, static_cast<uint8_t>(from.j));
  for (int i = 0; i <= from.i; ++i)
    for (int j = i + 1; j < start.K && (i < from.i || j < from.j); ++j) put(out, start.adjacency[i][j]);
  return out;
}

PartialGraph DecodeTaskStart(const uint8_t* data, size_t size, ModuliType& moduli, SearchKind& kind,
                             SearchPoint& from, GraphBounds& bounds) {
  Reader in(data, size, "task start");
  int32_t g = in.get<int32_t>(), n = in.get<int32_t>(), K = in.get<int32_t>();
  if (K < 1 || K > kMaxComponents || g < 0 || g > kMaxGenus || n < 0)
    throw TaskCodecError("task start of an impossible type");
  PartialGraph start(g, n, K);  // zeroed: no edge between components, empty histogram
  for (int v = 0; v < K; ++v) {
    start.genus[v] = in.get<int8_t>();
    start.marked_points[v] = in.get<int8_t>();
    start.SetLoops(v, in.get<int8_t>());
    start.valence[v] = in.get<int8_t>();
  }
  for (int8_t* field : {&start.partial_genus, &start.partial_marked_points, &start.joined_pairs,
                        &start.genus_zero_count, &start.valence_cap2_sum, &start.valence_cap3_sum,
                        &start.min_valence_cap2, &start.codimension})
    *field = in.get<int8_t>();
  start.distinct_mask = in.get<uint32_t>();
  uint8_t type = in.get<uint8_t>();
  if (type > static_cast<uint8_t>(kLastModuliType)) throw TaskCodecError("task start of an unknown moduli type");
  moduli = static_cast<ModuliType>(type);
  uint8_t search = in.get<uint8_t>();
  if (search > static_cast<uint8_t>(SearchKind::kPruned)) throw TaskCodecError("task start of an unknown search");
  kind = static_cast<SearchKind>(search);
  bounds.max_multiplicity = get_bound(in, g);
  bounds.max_loops = get_bound(in, g);
  uint8_t rational = in.get<uint8_t>();
  if (rational > 1) throw TaskCodecError("task start with an impossible bound");
  bounds.rational_vertices = rational == 1;
  from.i = in.get<uint8_t>();
  from.j = in.get<uint8_t>();
  if (from.i >= K || from.j <= from.i || from.j > K || (kind == SearchKind::kStored && !(from == SearchPoint())))
    throw TaskCodecError("task start at an impossible search point");
  for (int i = 0; i <= from.i; ++i)
    for (int j = i + 1; j < K && (i < from.i || j < from.j); ++j) {
      int8_t multiplicity = in.get<int8_t>();
      if (multiplicity < 0 || multiplicity > g + 1) throw TaskCodecError("task start with an impossible edge");
      start.adjacency[i][j] = start.adjacency[j][i] = multiplicity;
      if (multiplicity > 0) ++start.multiplicity_count[multiplicity];
    }
  if (in.left() != 0) throw TaskCodecError("task start with trailing bytes");
  return start;
}

std::vector<uint8_t> EncodeTaskResult(const EdgeTask& task) {
  std::vector<uint8_t> out;
  for (int64_t counter : {task.tried, task.unconnected, task.duplicated, task.found}) put(out, counter);
  put<uint64_t>(out, task.stored.size());
  std::string labelled = task.labelled ? task.labelled->Total().get_str() : "";
  put<uint32_t>(out, static_cast<uint32_t>(labelled.size()));
  out.insert(out.end(), labelled.begin(), labelled.end());
  const std::vector<uint8_t>& packed = task.stored.bytes();
  out.insert(out.end(), packed.begin(), packed.end());
  return out;
}

void DecodeTaskResult(const uint8_t* data, size_t size, EdgeTask& task) {
  Reader in(data, size, "task result");
  int64_t tried = in.get<int64_t>(), unconnected = in.get<int64_t>();
  int64_t duplicated = in.get<int64_t>(), found = in.get<int64_t>();
  uint64_t count = in.get<uint64_t>();
  uint32_t digits = in.get<uint32_t>();
  in.need(digits);
  std::string labelled(reinterpret_cast<const char*>(in.here()), digits);
  in.skip(digits);
  mpz_class labelled_total;
  if ((digits > 0) != static_cast<bool>(task.labelled) ||
      (digits > 0 && (labelled.find_first_not_of("0123456789") != std::string::npos ||
                      labelled_total.set_str(labelled, 10) != 0)))
    throw TaskCodecError("task result whose labelled count does not fit its task");
  std::vector<uint8_t> packed(in.here(), in.here() + in.left());
  if (static_cast<uint64_t>(found) != count || !task.stored.Assign(std::move(packed), count))
    throw TaskCodecError("task result that does not fit its task");
  task.tried = tried;
  task.unconnected = unconnected;
  task.duplicated = duplicated;
  task.found = found;
  if (task.labelled) task.labelled->Add(labelled_total);
}
