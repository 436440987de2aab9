// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "printers/graph_id.h"

#include <inttypes.h>
#include <stdio.h>

#include <sstream>

namespace {

/// The Id as State() writes it.
std::string state_text(const GraphId& id) {
  return std::to_string(id.components) + " " + std::to_string(id.codimension) + " " + std::to_string(id.number);
}

/// The last component count with graphs printed, 0 for none.
int last_components(const PrintedSoFar& printed) {
  for (size_t K = printed.per_components.size(); K-- > 0;)
    if (printed.per_components[K] > 0) return static_cast<int>(K);
  return 0;
}

}  // namespace

std::string GraphIdText(const GraphId& id) {
  char text[64];
  snprintf(text, sizeof(text), "(%d, %d, %" PRId64 ")", id.components, id.codimension, id.number);
  return text;
}

GraphId GraphIdNumbering::Next(const Graph& graph) {
  GraphId id;
  id.components = graph.K;
  id.codimension = graph.codimension;
  id.number = last_ && last_->components == id.components && last_->codimension == id.codimension
                  ? last_->number + 1
                  : 1;
  last_ = id;
  return id;
}

void GraphIdNumbering::Reset() { last_.reset(); }

std::string GraphIdNumbering::State() const { return last_ ? state_text(*last_) : ""; }

// Only the text State() writes is taken: the numbers in decimal without
// sign or padding, one space apart.
bool GraphIdNumbering::RestoreState(const std::string& state) {
  if (state.empty()) {
    last_.reset();
    return true;
  }
  GraphId id;
  std::istringstream in(state);
  if (!(in >> id.components >> id.codimension >> id.number) || id.components < 1 || id.codimension < 0 ||
      id.number < 1 || state_text(id) != state)
    return false;
  last_ = id;
  return true;
}

std::string GraphIdNumbering::Problem(const PrintedSoFar& printed, std::optional<int> only, const char* what) const {
  const std::vector<mpz_class>& codimensions = printed.per_codimension;
  mpz_class total = 0;
  for (size_t c = 0; c < codimensions.size(); ++c)
    if (InCodimension(static_cast<int>(c), only)) total += codimensions[c];
  std::string at = std::string(what) + " is at " + (last_ ? GraphIdText(*last_) : "its start");
  if (total == 0) return last_ ? at + ", but no graph was printed" : "";
  if (!last_) return at + ", but " + total.get_str() + " graphs were printed";
  const GraphId& id = *last_;
  int components = last_components(printed);
  if (id.components != components)
    return at + ", but the last graphs printed have " + std::to_string(components) + " components";
  size_t c = static_cast<size_t>(id.codimension);
  if (c >= codimensions.size() || !InCodimension(id.codimension, only) || codimensions[c] == 0)
    return at + ", but no graph of codimension " + std::to_string(id.codimension) + " was printed";
  const mpz_class& in_pass = printed.per_components[static_cast<size_t>(components)];
  const mpz_class& most = in_pass < codimensions[c] ? in_pass : codimensions[c];
  if (mpz_class(static_cast<long>(id.number)) > most)
    return at + ", but at most " + most.get_str() + " graphs of its components and codimension were printed";
  return "";
}
