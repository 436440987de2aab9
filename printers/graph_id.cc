// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "printers/graph_id.h"

#include <stdio.h>

std::string GraphIdText(const GraphId& id) {
  char text[48];
  snprintf(text, sizeof(text), "(%d, %d, %d)", id.components, id.codimension, id.number);
  return text;
}

GraphId GraphIdNumbering::Next(const Graph& graph) {
  number_ = graph.codimension == section_codimension_ ? number_ + 1 : 1;
  section_codimension_ = graph.codimension;
  GraphId id;
  id.components = graph.K;
  id.codimension = graph.codimension;
  id.number = number_;
  return id;
}

void GraphIdNumbering::Reset() {
  section_codimension_ = -1;
  number_ = 0;
}

std::string GraphIdNumbering::State() const {
  return std::to_string(section_codimension_) + " " + std::to_string(number_);
}

bool GraphIdNumbering::RestoreState(const std::string& state) {
  int codimension, number, used = 0;
  if (sscanf(state.c_str(), "%d %d%n", &codimension, &number, &used) != 2 ||
      static_cast<size_t>(used) != state.size() || number < 0)
    return false;
  section_codimension_ = codimension;
  number_ = number;
  return true;
}
