# Copyright 2026 The stable-graphs Authors.
# SPDX-License-Identifier: Apache-2.0
"""Read the byte streams of stable-graphs and hand the graphs to SageMath.

Standard library only.  A stream written by ``stable-graphs -P B`` reads into
plain ``Graph`` objects::

    import stable_graphs
    for graph in stable_graphs.read_graphs("m31.bin"):
        print(graph.g, graph.n, graph.codimension, graph.admcycles_lists())

``admcycles_lists`` gives the three lists that admcycles' ``StableGraph``
takes; ``sage_line`` and ``json_object`` give exactly the lines that
``stable-graphs-convert -P S`` and ``-P J`` write.

The stream: one header byte 0; per graph with K components the bytes K, the
K genera, the K marked-point counts, the K loop counts and the K(K-1)/2 edge
multiplicities of the vertex pairs (0,1), (0,2), ..., (K-2,K-1); an end
marker byte 0.  Every value is a signed byte.
"""

import io
import os

__all__ = ["Graph", "StreamError", "iter_graphs", "read_graphs"]

# The largest number of components a record can hold.
MAX_COMPONENTS = 41


class StreamError(ValueError):
    """A stream that cannot be read, is cut short or is damaged."""


class Graph:
    """One stable graph: per-vertex genus, marked points and loops, and the
    edges between distinct vertices as (i, j, multiplicity) with i < j."""

    def __init__(self, genus, marked_points, loops, edges):
        self.genus = list(genus)
        self.marked_points = list(marked_points)
        self.loops = list(loops)
        self.edges = [tuple(edge) for edge in edges]

    @property
    def K(self):
        """The number of components (vertices)."""
        return len(self.genus)

    @property
    def codimension(self):
        """The number of edges, loops included."""
        return sum(self.loops) + sum(m for _, _, m in self.edges)

    @property
    def g(self):
        """The total genus: the vertex genera plus the first Betti number."""
        return 1 - self.K + sum(self.genus) + self.codimension

    @property
    def n(self):
        """The number of marked points."""
        return sum(self.marked_points)

    def __eq__(self, other):
        return isinstance(other, Graph) and self._fields() == other._fields()

    def __repr__(self):
        return "Graph(genus=%r, marked_points=%r, loops=%r, edges=%r)" % self._fields()

    def _fields(self):
        return (self.genus, self.marked_points, self.loops, self.edges)

    def admcycles_lists(self):
        """(genera, legs, edges) for admcycles' StableGraph.

        Marked points are 1 .. n in vertex order.  Half-edges follow from
        n + 1 on, two consecutive labels per edge, the lower one on the lower
        vertex: first the edges between distinct vertices i < j in row order
        (parallel edges one after the other), then the loops, vertex by
        vertex.  Each vertex lists its legs in ascending order.
        """
        legs = [[] for _ in range(self.K)]
        label = 1
        for vertex, count in enumerate(self.marked_points):
            legs[vertex].extend(range(label, label + count))
            label += count
        pairs = [(i, j) for i, j, m in self.edges for _ in range(m)]
        pairs += [(v, v) for v, count in enumerate(self.loops) for _ in range(count)]
        edges = []
        for i, j in pairs:
            legs[i].append(label)
            legs[j].append(label + 1)
            edges.append((label, label + 1))
            label += 2
        return list(self.genus), legs, edges

    def sage_line(self):
        """The line that stable-graphs-convert -P S writes, without its end."""
        genera, legs, edges = self.admcycles_lists()
        return "StableGraph(%s, %s, [%s])" % (genera, legs, ", ".join("(%d, %d)" % e for e in edges))

    def json_object(self):
        """The object that stable-graphs-convert -P J writes for the graph."""
        return {
            "g": self.g,
            "n": self.n,
            "K": self.K,
            "codimension": self.codimension,
            "genus": list(self.genus),
            "marked_points": list(self.marked_points),
            "loops": list(self.loops),
            "edges": [list(edge) for edge in self.edges],
        }


def _signed(data):
    return [b - 256 if b > 127 else b for b in data]


def _read(stream, count, what):
    data = stream.read(count)
    if len(data) != count:
        raise StreamError("unexpected end of graph stream while reading " + what)
    return data


def _read_header(stream):
    header = _read(stream, 1, "the header byte")[0]
    if header != 0:
        raise StreamError("not a graph stream: the header byte is %d, not 0" % header)


def _read_record(stream, K):
    """The Graph of one record whose component count K was just read."""
    fields = []
    for what in ("a genus", "a marked-point count", "a loop count"):
        fields.append(_signed(_read(stream, K, what)))
    multiplicities = _signed(_read(stream, K * (K - 1) // 2, "an edge multiplicity"))
    pairs = [(i, j) for i in range(K) for j in range(i + 1, K)]
    edges = [(i, j, m) for (i, j), m in zip(pairs, multiplicities) if m != 0]
    if min(fields[0] + fields[1] + fields[2] + multiplicities) < 0:
        raise StreamError("damaged graph stream: a graph with %d components has a negative count" % K)
    return Graph(fields[0], fields[1], fields[2], edges)


def _check_type(graph, first):
    if first is None:
        if 2 * graph.g - 3 + graph.n < 0:
            raise StreamError("damaged graph stream: no stable graph has type (%d, %d)" % (graph.g, graph.n))
    elif (graph.g, graph.n) != (first.g, first.n):
        raise StreamError(
            "damaged graph stream: a graph of type (%d, %d) follows graphs of type (%d, %d)"
            % (graph.g, graph.n, first.g, first.n))


def iter_graphs(stream):
    """Yields the graphs of a binary file object, in stream order.

    Raises StreamError for an empty or cut stream, a header byte other than
    0, a record with a component count outside 1 .. 41 or a negative count,
    and graphs of different or unstable types.
    """
    _read_header(stream)
    first = None
    while True:
        K = _signed(_read(stream, 1, "the number of components of a graph record"))[0]
        if K == 0:
            return
        if K < 0 or K > MAX_COMPONENTS:
            raise StreamError("corrupt graph stream: a record has %d components, outside 1 .. %d"
                              % (K, MAX_COMPONENTS))
        graph = _read_record(stream, K)
        _check_type(graph, first)
        first = first or graph
        yield graph


def read_graphs(source):
    """All graphs of a stream: a path, the stream's bytes, or a binary file."""
    if isinstance(source, (bytes, bytearray)):
        return list(iter_graphs(io.BytesIO(source)))
    if isinstance(source, (str, os.PathLike)):
        try:
            with open(source, "rb") as stream:
                return list(iter_graphs(stream))
        except OSError as error:
            raise StreamError("cannot open graph stream %s: %s" % (source, error.strerror)) from error
    return list(iter_graphs(source))
