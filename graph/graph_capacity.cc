// Copyright 2026 The stable-graphs Authors.
//
// The bound is reached: with n >= 2 marked points, a chain of g pairs joined
// by double edges, linked by single edges and closed by a marked point at
// each end, has 2g trivalent genus-0 components and g edge vertices, and
// each further point adds a component.  With fewer points the pairs close
// into a ring (the double edges alternating with single ones), one vertex
// fewer.  No graph does better: the components number at most 2g - 2 + n
// and the doubled pairs at most the first Betti number, at most g; both at
// once make every component a trivalent genus-0 one lying in at most one
// doubled pair, so 2g <= 2g - 2 + n.
#include "graph/graph_capacity.h"

#include "graph/graph.h"

long long MaxColoredVertices(long long g, long long n) { return 3 * g + n - 2 - (n < 2 ? 1 : 0); }

bool TypeFitsCapacity(long long g, long long n) {
  return g >= 0 && n >= 0 && MaxColoredVertices(g, n) <= kMaxColoredVertices;
}
