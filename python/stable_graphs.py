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
``stable-graphs-convert -P S`` and ``-P J`` write; ``automorphisms`` is the
order of the graph's automorphism group.

The reader refuses exactly the streams that stable-graphs-convert refuses,
with its first message, testing in the same order; each record must be in
the tool's form (among others, the least of its relabellings), which costs
the reader about 0.8 times the rest of its work on unlabelled streams.
``read_graphs(source, converter="stable-graphs-convert")`` reads through
the tool's own reader instead, at about the same cost, and its graphs
carry the tool's |Aut| and JSON lines; without it |Aut| comes from a
search of this module's own, many times slower.

``run`` runs the installed tool with its options (-L, -C, -M, --search,
-E, as keyword arguments) and yields its graphs as they come, from its JSON
lines, so that |Aut| is the tool's; with ``labelled=True`` (the default)
they are the boundary strata of M̄_{g,n}, the marked points labelled
1 .. n::

    strata = list(stable_graphs.run(0, 5))          # the 26 strata of M̄_{0,5}
    trees = list(stable_graphs.run(0, 6, moduli_type="ct"))

The stream: one header byte, 0 or 1 for labelled graphs; per graph with K
components the bytes K, the K genera, the K marked-point counts, the K loop
counts and the K(K-1)/2 edge multiplicities of the vertex pairs (0,1),
(0,2), ..., (K-2,K-1), in a labelled stream followed by the vertex of each
label 1 .. n; an end marker byte 0.  Every value is a signed byte.
"""

import io
import json
import math
import os
import subprocess
import threading
from itertools import compress
from operator import add, itemgetter

__all__ = ["Graph", "StreamError", "ToolError", "iter_graphs", "read_graphs", "run"]

# The largest number of components a record can hold, and the largest
# genus and number of marked points of a type the tool takes.
MAX_COMPONENTS = 41
MAX_GENUS = 14
MAX_MARKED_POINTS = 64


class StreamError(ValueError):
    """A stream that cannot be read, is cut short or is damaged."""


class ToolError(RuntimeError):
    """stable-graphs, started by run, failed: its exit status and message."""


class Graph:
    """One stable graph: per-vertex genus, marked points and loops, and the
    edges between distinct vertices as (i, j, multiplicity) with i < j.

    A labelled graph also has ``labels``, the labels of each vertex in
    ascending order (``None`` when the points are unlabelled).  A graph
    read from a stream or from the tool has ``id``, (components,
    codimension, number): the number counts the graphs of those components
    and codimension in the order the tool wrote them, from 1."""

    # For a graph read from a stream or from the tool: the Id a full run
    # gives it, (components, codimension, number among the graphs of those),
    # as the tool's -P D, -P C and -P H name it.
    id = None
    # For a graph of the tool's JSON lines: its |Aut| and the line.
    _automorphisms = None
    _tool_line = None

    def __init__(self, genus, marked_points, loops, edges, labels=None):
        self.genus = list(genus)
        self.marked_points = list(marked_points)
        self.loops = list(loops)
        self.edges = [tuple(edge) for edge in edges]
        self.labels = None if labels is None else [sorted(vertex) for vertex in labels]

    @property
    def labelled(self):
        """Whether the marked points carry the labels 1 .. n."""
        return self.labels is not None

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
        return "Graph(genus=%r, marked_points=%r, loops=%r, edges=%r, labels=%r)" % self._fields()

    def _fields(self):
        return (self.genus, self.marked_points, self.loops, self.edges, self.labels)

    def admcycles_lists(self):
        """(genera, legs, edges) for admcycles' StableGraph.

        Without labels the stream's marked points are unlabelled; this is one
        representative numbering of them, one stratum of the orbit the graph
        stands for.

        Marked points are 1 .. n in vertex order, or a labelled graph's own
        labels.  Half-edges follow from
        n + 1 on, two consecutive labels per edge, the lower one on the lower
        vertex: first the edges between distinct vertices i < j in row order
        (parallel edges one after the other), then the loops, vertex by
        vertex.  Each vertex lists its legs in ascending order.
        """
        legs = [[] for _ in range(self.K)]
        label = 1
        for vertex, count in enumerate(self.marked_points):
            legs[vertex].extend(self.labels[vertex] if self.labelled else range(label, label + count))
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
        """The object that stable-graphs-convert -P J writes for the graph,
        its last field the Id when the graph has one: for a graph of run(),
        the tool's own line, as it wrote it."""
        if self._tool_line is not None:
            return json.loads(self._tool_line)
        line = {
            "g": self.g,
            "n": self.n,
            "K": self.K,
            "codimension": self.codimension,
            "genus": list(self.genus),
            "marked_points": list(self.marked_points),
        }
        if self.labelled:
            line["legs"] = [list(vertex) for vertex in self.labels]
        line["loops"] = list(self.loops)
        line["edges"] = [list(edge) for edge in self.edges]
        line["automorphisms"] = self.automorphisms
        if self.id is not None:
            line["id"] = list(self.id)
        return line

    @property
    def automorphisms(self):
        """|Aut|: the permutations of half-edges and legs that keep the vertex
        genera, the incidence and the pairing into edges (and the labels of
        a labelled graph).  The vertex permutations that keep the graph
        (vertex_symmetries), times m! for each pair joined by m edges and
        l! 2^l for each vertex with l loops, and p! for each vertex with p
        unlabelled marked points.

        A graph of run() has the order the tool computed; a graph read from
        a stream has it from a search of this module's own."""
        if self._automorphisms is not None:
            return self._automorphisms
        order = self.vertex_symmetries()
        for _, _, m in self.edges:
            order *= math.factorial(m)
        for loops, points in zip(self.loops, self.marked_points):
            order *= math.factorial(loops) * 2 ** loops * (1 if self.labelled else math.factorial(points))
        return order

    def vertex_symmetries(self):
        """The number of vertex permutations that keep every vertex's genus,
        marked points (with their labels, in a labelled graph) and loops and
        every edge multiplicity.

        Counted as the product of orbit sizes along a chain of stabilisers:
        vertex v's orbit under the permutations that fix vertices 0 .. v-1
        is the set of w for which some symmetry fixing 0 .. v-1 sends v to w,
        and each such w is found by a search for one."""
        K = self.K
        multiplicity = [[0] * K for _ in range(K)]
        for i, j, m in self.edges:
            multiplicity[i][j] = multiplicity[j][i] = m
        labels = self.labels if self.labelled else [[] for _ in range(K)]
        kind = [(genus, points, loops, tuple(vertex_labels))
                for genus, points, loops, vertex_labels in zip(self.genus, self.marked_points, self.loops, labels)]

        order = 1
        for v in range(K):
            fixed = {u: u for u in range(v)}
            orbit = 0
            for w in range(K):
                if kind[w] == kind[v] and w not in fixed.values() and \
                        all(multiplicity[v][u] == multiplicity[w][u] for u in fixed):
                    fixed[v] = w
                    orbit += _extends(kind, multiplicity, fixed)
                    del fixed[v]
            order *= orbit
        return order


def _extends(kind, multiplicity, image):
    """Whether the partial map image (vertex -> vertex, injective, keeping
    kind and the multiplicities among the vertices mapped so far) extends to
    a permutation of all vertices that keeps them."""
    K = len(kind)
    v = next((u for u in range(K) if u not in image), None)
    if v is None:
        return True
    used = set(image.values())
    for w in range(K):
        if w in used or kind[w] != kind[v]:
            continue
        if all(multiplicity[v][u] == multiplicity[w][image[u]] for u in image):
            image[v] = w
            if _extends(kind, multiplicity, image):
                del image[v]
                return True
            del image[v]
    return False


def _is_least_labelling(graph, word):
    """Whether word (the vertex of each label) is the least of its orbit
    under the graph's vertex symmetries: each letter is the least vertex
    that a symmetry fixing the letters before it can send it to."""
    K = graph.K
    multiplicity = [[0] * K for _ in range(K)]
    for i, j, m in graph.edges:
        multiplicity[i][j] = multiplicity[j][i] = m
    kind = list(zip(graph.genus, graph.marked_points, graph.loops))
    fixed = {}
    for v in word:
        if v in fixed:
            continue
        for u in range(v):
            if u in fixed or kind[u] != kind[v] or \
                    any(multiplicity[v][f] != multiplicity[u][f] for f in fixed):
                continue
            image = dict(fixed)
            image[v] = u
            if _extends(kind, multiplicity, image):
                return False
        fixed[v] = v
    return True


def capacity_problem(g, n, edges=None):
    """None when stable-graphs accepts type (g, n), with exactly `edges`
    edges when given (as -C asks, and as each record of a stream has), else
    why not (the tool's own message)."""
    if g < 0:
        return "the genus must not be negative (got %d)" % g
    if n < 0:
        return "the number of marked points must not be negative (got %d)" % n
    # Components plus pairs joined by two or more edges, at most, for a
    # graph of the type (and of that many edges); nauty takes at most 32.
    colored = 3 * g + n - 2 - (1 if n < 2 else 0)
    if edges is None and colored > 32:
        return ("type (%d, %d) is beyond the capacity: its graphs need up to %d coloured vertices, "
                "nauty takes at most 32 (3 * genus + marked_points - 2 <= 32, or <= 33 with fewer "
                "than 2 marked points)" % (g, n, colored))
    if edges is not None and min(colored, edges + 1) > 32:
        return ("type (%d, %d) is beyond the capacity: its graphs of %d edges need up to %d coloured vertices, "
                "nauty takes at most 32 (the number of edges + 1, or 3 * genus + marked_points - 2 if less, "
                "or one less with fewer than 2 marked points, must be at most 32)"
                % (g, n, edges, min(colored, edges + 1)))
    if g > MAX_GENUS or n > MAX_MARKED_POINTS:
        return ("type (%d, %d) is beyond the capacity: a graph's record holds genus at most %d and at most %d "
                "marked points" % (g, n, MAX_GENUS, MAX_MARKED_POINTS))
    return None


# The reader takes a stream in chunks of this many bytes and checks whole
# records sliced out of them: reading it byte by byte costs more than all
# the checks together.
_CHUNK = 1 << 16

# Per component count K: the bytes of a record after its count byte, and
# the lower and upper vertex of each of its pairs (0,1), (0,2), ...,
# (K-2,K-1), for picking out the edges with itertools.compress.
_RECORD_SIZE = [3 * K + K * (K - 1) // 2 for K in range(MAX_COMPONENTS + 1)]
_PAIR_LOWER = [bytes(i for i in range(K) for j in range(i + 1, K)) for K in range(MAX_COMPONENTS + 1)]
_PAIR_UPPER = [bytes(j for i in range(K) for j in range(i + 1, K)) for K in range(MAX_COMPONENTS + 1)]

# Turns a record's multiplicities into its pattern of edges (bytes.translate):
# graphs of one pattern are all connected or all not, and a stream has far
# fewer patterns than graphs.
_EDGE_PATTERN = bytes([0] + [1] * 255)
# Caches keep at most this many entries; a stream of any length then reads
# in bounded memory.
_CACHE_SIZE = 1 << 14

_WHAT_COMPONENTS = "the number of components of a graph record"


def _read_chunk(read, size, what):
    """One read of at most size bytes, b"" at the end of the stream."""
    try:
        chunk = read(size)
    except OSError as error:
        raise StreamError("error reading graph stream while reading %s: %s"
                          % (what, error.strerror or error)) from error
    if isinstance(chunk, str):
        raise StreamError("the graph stream is a text file: open it in binary mode ('rb')")
    return chunk or b""


def _fill(read, data, pos, count, what):
    """(data, 0) where data starts with the unread bytes data[pos:] and holds
    at least count bytes: a pipe or an unbuffered file may deliver fewer per
    read than asked without being at its end."""
    data = data[pos:]
    while len(data) < count:
        chunk = _read_chunk(read, max(_CHUNK, count - len(data)), what)
        if not chunk:
            raise StreamError("unexpected end of graph stream while reading " + what)
        data += chunk
    return data, 0


def _fill_record(read, data, pos, K):
    """_fill for the whole record whose count byte is data[pos]; a stream
    that ends inside it is named by the field it ends in."""
    need = 1
    for what, length in (("a genus", K), ("a marked-point count", K), ("a loop count", K),
                         ("an edge multiplicity", K * (K - 1) // 2)):
        need += length
        if len(data) - pos < need:
            data, pos = _fill(read, data, pos, need, what)
    return data, pos


def _labels_problem(word, K, marked_points):
    """None when word (the vertex of each label) hands each vertex exactly
    its marked points, else what is wrong, in the words of the C++ reader."""
    labels = [0] * K
    for label, vertex in enumerate(word, 1):
        if vertex >= K:
            return "has label %d at vertex %d" % (label, vertex)
        labels[vertex] += 1
    for vertex, count in enumerate(marked_points):
        if labels[vertex] != count:
            return "has %d labels at vertex %d, which has %d marked points" % (labels[vertex], vertex, count)
    return None


def _record_problem(genus, marked_points, loops, multiplicities):
    """None for a record that stable-graphs can write, else what is wrong
    with it, in the words of the C++ reader."""
    K = len(genus)
    pairs = [(i, j) for i in range(K) for j in range(i + 1, K)]
    for i in range(K):
        for name, values in (("genus", genus), ("marked-point count", marked_points),
                             ("loop count", loops)):
            if values[i] < 0:
                return "has a negative " + name
        if any(m < 0 for (a, _), m in zip(pairs, multiplicities) if a == i):
            return "has a negative edge multiplicity"
    special = [marked_points[v] + 2 * loops[v] for v in range(K)]
    neighbours = [set() for _ in range(K)]
    for (i, j), m in zip(pairs, multiplicities):
        special[i] += m
        special[j] += m
        if m:
            neighbours[i].add(j)
            neighbours[j].add(i)
    for v in range(K):
        if 2 * genus[v] - 2 + special[v] <= 0:
            return "has an unstable vertex %d of genus %d with %d special points" % (v, genus[v], special[v])
    if not _connected(K, [(i, j, m) for (i, j), m in zip(pairs, multiplicities) if m]):
        return "is not connected"
    g = 1 - K + sum(genus) + sum(loops) + sum(multiplicities)
    capacity = capacity_problem(g, sum(marked_points), sum(loops) + sum(multiplicities))
    if capacity:
        return "is of type (%d, %d): %s" % (g, sum(marked_points), capacity)
    return None


def _connected(K, edges):
    """Whether the K vertices are connected by the edges (i, j, m)."""
    neighbours = [[] for _ in range(K)]
    for i, j, _ in edges:
        neighbours[i].append(j)
        neighbours[j].append(i)
    reached, pending = {0}, [0]
    while pending:
        for u in neighbours[pending.pop()]:
            if u not in reached:
                reached.add(u)
                pending.append(u)
    return len(reached) == K


def _record_edges(record, K, patterns):
    """The edges (i, j, m) of the record of K components, or None when it
    has a negative value, an unstable vertex or is not connected (for
    _record_problem to say which).

    The same checks as _record_problem, over whole slices of the record;
    patterns caches the connectedness of the patterns of edges seen."""
    if max(record) > 127:
        return None  # a negative value
    multiplicities = record[3 * K:]
    edges = list(zip(compress(_PAIR_LOWER[K], multiplicities), compress(_PAIR_UPPER[K], multiplicities),
                     compress(multiplicities, multiplicities)))
    # 2 genus + special points of each vertex, which must be at least 3.
    stability = [2 * (genus + loops) + points
                 for genus, points, loops in zip(record[:K], record[K:2 * K], record[2 * K:3 * K])]
    for i, j, m in edges:
        stability[i] += m
        stability[j] += m
    if min(stability) < 3:
        return None
    pattern = multiplicities.translate(_EDGE_PATTERN)
    connected = patterns.get(pattern)
    if connected is None:
        if len(patterns) >= _CACHE_SIZE:
            patterns.clear()
        connected = patterns[pattern] = _connected(K, edges)
    return edges if connected else None


class _Description:
    """The graph of the labelled records read last: the tool writes each
    labelled graph once, as the least labelling of its orbit, and the
    labellings of one graph in increasing order, one record after another."""

    __slots__ = ("record", "graph", "points", "last_word", "least")

    def __init__(self, record, graph):
        self.record = record
        self.graph = graph
        # The vertices of the labels of a right labelling, sorted.
        self.points = bytes(v for v, count in enumerate(graph.marked_points) for _ in range(count))
        self.last_word = None
        # Whether a labelling is the least of its orbit depends only on the
        # order in which its labels first reach each vertex.
        self.least = {}

    def is_least(self, word):
        order = bytes(dict.fromkeys(word))
        least = self.least.get(order)
        if least is None:
            if len(self.least) >= _CACHE_SIZE:
                self.least.clear()
            least = self.least[order] = _is_least_labelling(self.graph, order)
        return least


def _graphs(read, data=b""):
    """Yields the graphs of a stream, checked as the C++ reader checks them;
    see iter_graphs.  read(size) returns the next at most size bytes of the
    stream, b"" at its end; data holds bytes already read."""
    if not data:
        data = _read_chunk(read, _CHUNK, "the header byte")
        if not data:
            raise StreamError("unexpected end of graph stream while reading the header byte")
    header = data[0]
    if header not in (0, 1):
        raise StreamError("not a graph stream: the header byte is %d, not 0 or 1" % header)
    labelled = header == 1
    pos = 1
    first_type = None
    fitting = None  # the last type and codimension found within the capacity
    last_K = last_codimension = 0
    last_record = b""
    number = 0
    in_section = 0  # the graphs so far of the section (K, codimension)
    patterns = {}
    description = None
    decorations = {}
    decoration = decoration_bytes = None
    new_graph = Graph.__new__
    while True:
        if pos >= len(data):
            data, pos = _fill(read, data, pos, 1, _WHAT_COMPONENTS)
        K = data[pos]
        if K == 0:
            pos += 1
            break
        if K > 127:
            raise StreamError("corrupt graph stream: a record has a negative number of components (%d)" % (K - 256))
        if K > MAX_COMPONENTS:
            raise StreamError("corrupt graph stream: a record has %d components, more than the %d a graph can hold"
                              % (K, MAX_COMPONENTS))
        end = pos + 1 + _RECORD_SIZE[K]
        if end > len(data):
            data, pos = _fill_record(read, data, pos, K)
            end = pos + 1 + _RECORD_SIZE[K]
        record = data[pos + 1:end]
        pos = end
        number += 1
        if description is not None and record == description.record:
            # The labelled graph before again: its checks hold for this one.
            graph = _copy(description.graph)
            n = len(description.points)
        else:
            edges = _record_edges(record, K, patterns)
            if edges is None:
                raise StreamError(_where(number, K) + " " +
                                  _record_problem(*_signed_fields(record, K)))
            codimension = sum(record[2 * K:])
            g = 1 - K + sum(record[:K]) + codimension
            n = sum(record[K:2 * K])
            # The record's own edges bound what it needs, as -C bounds a run.
            if (g, n, codimension) != fitting:
                capacity = capacity_problem(g, n, codimension)
                if capacity:
                    raise StreamError("%s is of type (%d, %d): %s" % (_where(number, K), g, n, capacity))
                fitting = (g, n, codimension)
            if (g, n) != first_type:
                if first_type is not None:
                    raise StreamError("%s is of type (%d, %d), the graphs before it of type (%d, %d)"
                                      % ((_where(number, K), g, n) + first_type))
                first_type = (g, n)
            if (K, codimension) < (last_K, last_codimension):
                raise StreamError("%s and codimension %d comes after one with %d components and codimension %d"
                                  % (_where(number, K), codimension, last_K, last_codimension))
            # The tool's form and order, tested as stable-graphs-convert
            # tests them: vertices sorted by decoration; within a section
            # each record after the one before it in the search's order,
            # which is the order of the record's bytes; each record the
            # least of its relabellings.
            if decoration is None or decoration.K != K or record[:3 * K] != decoration_bytes:
                decoration_bytes = record[:3 * K]
                decoration = decorations.get(decoration_bytes)
                if decoration is None:
                    if len(decorations) >= _CACHE_SIZE:
                        decorations.clear()
                    decoration = decorations[decoration_bytes] = _Decoration(record, K)
            if not decoration.sorted:
                raise StreamError(_where(number, K) + " is not in the tool's form: its vertices are not sorted "
                                  "by genus, marked points and loops")
            if (K, codimension) == (last_K, last_codimension) and record <= last_record:
                raise StreamError(_where(number, K) + (" repeats the graph before it" if record == last_record
                                                       else " comes before the graph before it in the tool's order"))
            if not decoration.is_least(record):
                raise StreamError(_where(number, K) + " is not in the tool's form: a relabelling of its vertices "
                                  "gives a smaller adjacency matrix")
            if (K, codimension) != (last_K, last_codimension):
                in_section = 0
            last_K, last_codimension, last_record = K, codimension, record
            graph = new_graph(Graph)
            graph.genus = list(record[:K])
            graph.marked_points = list(record[K:2 * K])
            graph.loops = list(record[2 * K:3 * K])
            graph.edges = edges
            if labelled:
                # Kept as read, whatever the caller does with the graphs.
                description = _Description(record, graph)
                graph = _copy(graph)
        if labelled:
            if len(data) - pos < n:
                data, pos = _fill(read, data, pos, n, "the labels of a graph record")
            word = data[pos:pos + n]
            pos += n
            if bytes(sorted(word)) != description.points:
                raise StreamError(_where(number, K) + " " + _labels_problem(word, K, graph.marked_points))
            if description.last_word is not None and not description.last_word < word:
                raise StreamError(_where(number, K) + " repeats or reorders the labellings of the graph before it")
            if not description.is_least(word):
                raise StreamError(_where(number, K) + " has a labelling that is not the least of its orbit")
            description.last_word = word
            labels = [[] for _ in range(K)]
            for label, vertex in enumerate(word, 1):
                labels[vertex].append(label)
            graph.labels = labels
        else:
            graph.labels = None
        in_section += 1
        graph.id = (K, last_codimension, in_section)
        yield graph
    if pos < len(data) or _read_chunk(read, 1, "past the end marker"):
        raise StreamError("damaged graph stream: bytes follow the end marker")


def _getter(indices):
    """A function that picks the bytes at indices out of a record, as a
    tuple (itemgetter returns a bare value for a single index)."""
    if len(indices) == 1:
        index = indices[0]
        return lambda record: (record[index],)
    return itemgetter(*indices)


class _Decoration:
    """What the checks of the tool's form need of one decoration (the genera,
    marked points and loops of a record), made once for the records that
    share it, as consecutive records mostly do.

    A relabelling permutes vertices of equal decoration, which the tool
    keeps in consecutive blocks; it must not give a smaller upper triangle
    of the adjacency matrix read row by row, the order in which the tool's
    search assigns the multiplicities."""

    __slots__ = ("K", "sorted", "same", "rows", "pairs", "first_pair", "first_block_end", "first_base")

    def __init__(self, record, K):
        self.K = K
        decorations = list(zip(record[:K], record[K:2 * K], record[2 * K:3 * K]))
        self.sorted = all(decorations[v] <= decorations[v + 1] for v in range(K - 1))
        # same[p]: vertices p - 1 and p are in one block.
        self.same = [False] + [decorations[p] == decorations[p - 1] for p in range(1, K)]
        at = {}
        index = 3 * K
        for i in range(K):
            for j in range(i + 1, K):
                at[i, j] = at[j, i] = index
                index += 1
        # Row v of the adjacency matrix, loops on the diagonal.
        self.rows = [_getter([2 * K + v if u == v else at[v, u] for u in range(K)]) for v in range(K)]
        # Columns p - 1 and p over rows 0 .. p - 2, for vertices p - 1 and p
        # of one block: swapping the two changes those rows first.
        self.pairs = [(p, _getter([at[r, p - 1] for r in range(p - 1)]), _getter([at[r, p] for r in range(p - 1)]))
                      for p in range(2, K) if self.same[p]]
        self.first_pair = K > 1 and self.same[1]
        # Position 0's cells, the blocks after it, depend on the decoration
        # alone: the base of _RelabellingSearch.smaller_from for position 0.
        self.first_block_end = next((p for p in range(1, K) if not self.same[p]), K)
        self.first_base = [0] * (self.first_block_end - 1)
        cell = 0
        for p in range(self.first_block_end, K):
            cell += not self.same[p]
            self.first_base.append(cell << 8)

    def is_least(self, record):
        """Whether no relabelling within the blocks gives the record a
        smaller upper triangle (stable-graphs-convert's LexLeastTest)."""
        # Swapping vertices p - 1 and p of a block gives a smaller triangle
        # when the column of p is smaller before row p - 1.  Where the two
        # columns are equal, other relabellings must be searched from
        # position p - 1 on.
        branching = [0] if self.first_pair else None
        columns = [None] * self.K
        for p, column_before, column in self.pairs:
            before = column_before(record)
            after = column(record)
            columns[p] = before, after
            if before == after:
                if branching is None:
                    branching = [p - 1]
                else:
                    branching.append(p - 1)
            elif before > after:
                return False
        if branching is None:
            return True
        # Most branches end in their first row; only the positions where a
        # row equals the record's own need the whole search.
        rows = [None] * self.K
        searched = None
        for r in branching:
            smaller = self.smaller_in_first_row(record, r, columns, rows)
            if smaller:
                return False
            if smaller is None:
                if searched is None:
                    searched = [r]
                else:
                    searched.append(r)
        return searched is None or not _RelabellingSearch(record, self, rows).smaller(searched)

    def smaller_in_first_row(self, record, r, columns, rows):
        """Whether a vertex u other than r of r's cell gives a row r below
        the record's own, vertices 0 .. r - 1 in place (the first row of
        _RelabellingSearch.smaller_from's branches), or None when one gives
        the same row without being r's twin.  columns and rows are those
        known of the record."""
        K, same = self.K, self.same
        if r == 0:
            base, end = self.first_base, self.first_block_end
        else:
            # Rows 0 .. r - 1 split the blocks after r into cells: vertex p
            # starts a cell unless its column there equals p - 1's.
            end = r + 1
            while end < K and same[end] and columns[end][0][:r] == columns[end][1][:r]:
                end += 1
            base = [0] * (end - r - 1)
            cell = 0
            for p in range(end, K):
                if not same[p] or columns[p][0][:r] != columns[p][1][:r]:
                    cell += 1
                base.append(cell << 8)
        own = rows[r]
        if own is None:
            own = rows[r] = self.rows[r](record)
        own_row = list(map(add, base, own[r + 1:]))
        equal = False
        for u in range(r + 1, end):
            row = rows[u]
            if row is None:
                row = rows[u] = self.rows[u](record)
            values = list(row[r + 1:])
            values[u - r - 1] = row[r]  # vertex r takes u's position
            least = sorted(map(add, base, values))
            if least < own_row:
                return True
            if least == own_row and (own[r + 1:u] != row[r + 1:u] or own[u + 1:] != row[u + 1:]):
                equal = True
        return None if equal else False


class _RelabellingSearch:
    """The search for a smaller relabelling of one record.

    Vertices are placed at positions 0, 1, ... in turn.  Once positions
    0 .. r - 1 are taken and their rows equal the record's own, the
    positions after them fall into cells of vertices that those rows do
    not tell apart; the least row r a vertex can give at position r lists,
    cell by cell, its multiplicities to the cell in ascending order.  A row
    below the record's own row r is a smaller relabelling; one above it
    ends the branch; an equal one splits the cells and the next position
    follows.  The record's own rows are sorted within their cells (the
    column test of _Decoration.is_least), so its own labelling gives itself
    at every position: the search branches off it, vertex u instead of r at
    position r, from the last position back.  A relabelling that is equal
    in every row is an automorphism: the branch-offs of one position are
    tried once per orbit of those found (twins, two vertices whose rows
    agree but for each other, are found at once), and a branch that meets
    one ends, as it mirrors the record's own branch."""

    __slots__ = ("rows", "K", "split_at", "parent", "path", "orders", "cells")

    def __init__(self, record, decoration, rows):
        K = self.K = decoration.K
        # The rows not known yet.
        rows = self.rows = [known if known is not None else row(record)
                            for known, row in zip(rows, decoration.rows)]
        # split_at[p]: the first position from which p starts a cell of its
        # own (0 for the first vertex of a block; K when the rows before
        # p - 1 do not tell p - 1 and p apart).
        split_at = self.split_at = [0] * (K + 1)
        for p in range(1, K):
            if decoration.same[p]:
                before, after = rows[p - 1], rows[p]
                d = 0
                while d < p - 1 and before[d] == after[d]:
                    d += 1
                split_at[p] = d + 1 if d < p - 1 else K
        self.parent = list(range(K))  # the orbits of the automorphisms found
        self.path = list(range(K))    # the vertex at each position
        self.orders = [None] * (K + 1)
        self.cells = [None] * K

    def smaller(self, branching):
        """Whether a branch-off at one of the positions in branching (those
        whose cell goes on after them, ascending) meets a smaller
        relabelling.  Any such positions may be searched: the others' first
        rows, already above the record's own, show nothing smaller, and
        the automorphisms found only save branches."""
        return any(self.smaller_from(r) for r in reversed(branching))

    def smaller_from(self, r):
        """Whether a branch-off at position r meets a smaller relabelling."""
        rows = self.rows
        own = rows[r]
        candidates = []
        for u in range(r + 1, self.cell_end(r)):
            row = rows[u]
            if own[r + 1:u] == row[r + 1:u] and own[u + 1:] == row[u + 1:]:
                self.join(r, u)  # twins
            else:
                candidates.append(u)
        if not candidates:
            return False
        cells = self.cells_after(r)
        # Multiplicities plus 256 times their cell: sorting them sorts each
        # cell, and comparing them compares the rows.
        base = []
        for index, (start, end) in enumerate(cells):
            base += [index << 8] * (end - start)
        own_row = list(map(add, base, own[r + 1:]))
        tried = [r]
        tried_roots = {self.root(r)}
        for u in candidates:
            if self.root(u) in tried_roots:
                continue
            tried.append(u)
            tried_roots.add(self.root(u))
            row = rows[u]
            values = list(row[r + 1:])
            values[u - r - 1] = row[r]  # vertex r takes u's position
            least = sorted(map(add, base, values))
            if least != own_row:
                if least < own_row:
                    return True
                continue
            self.path[r] = u
            self.orders[r + 1] = self.arrange(u, r, u, list(range(self.K)), cells)
            if r + 1 == self.K - 1:
                self.record_automorphism(self.orders[r + 1])
            elif self.moved(r + 1) < 0:
                return True
            # The automorphisms found join orbits.
            tried_roots = {self.root(t) for t in tried}
        self.path[r] = r
        return False

    def moved(self, depth):
        """-1 when the branch at depth meets a smaller relabelling, 1 when it
        meets an automorphism, 0 when it meets neither."""
        rows = self.rows
        order = self.orders[depth]
        cells = self.cells_after(depth)
        own = rows[depth]
        for q in range(depth, self.cell_end(depth)):
            v = order[q]
            sign = self.compare_row(v, depth, q, order, cells, own)
            if sign < 0:
                return -1
            if sign > 0:
                continue
            self.path[depth] = v
            self.orders[depth + 1] = self.arrange(v, depth, q, order, cells)
            if depth + 1 == self.K - 1:
                self.record_automorphism(self.orders[depth + 1])
                return 1
            below = self.moved(depth + 1)
            if below:
                return below
        return 0

    def compare_row(self, v, depth, q, order, cells, own):
        """The least row vertex v gives at position depth, taken from
        position q of order, against the record's own row there: negative,
        zero or positive."""
        row = self.rows[v]
        at = order[:]
        at[q] = order[depth]
        for start, end in cells:
            if end - start == 1:
                difference = row[at[start]] - own[start]
                if difference:
                    return difference
            else:
                least = sorted(row[w] for w in at[start:end])
                for position, value in enumerate(least, start):
                    if value != own[position]:
                        return value - own[position]
        return 0

    def arrange(self, v, depth, q, order, cells):
        """The order after v takes position depth from position q: the
        positions after it sorted within their cells by v's row."""
        row = self.rows[v]
        arranged = order[:depth + 1]
        arranged[depth] = v
        at = order[:]
        at[q] = order[depth]
        for start, end in cells:
            arranged += sorted(at[start:end], key=row.__getitem__)
        return arranged

    def record_automorphism(self, order):
        """Joins the orbits of the automorphism that puts path[p] at each
        position p before the last and order's vertex at the last."""
        last = self.K - 1
        for p in range(self.K):
            self.join(p, self.path[p] if p < last else order[p])

    def root(self, v):
        """The least vertex of v's orbit."""
        parent = self.parent
        while parent[v] != v:
            parent[v] = parent[parent[v]]
            v = parent[v]
        return v

    def join(self, a, b):
        """Joins the orbits of a and b."""
        a, b = self.root(a), self.root(b)
        if a != b:
            self.parent[max(a, b)] = min(a, b)

    def cell_end(self, depth):
        """The end of the cell of position depth once it is taken."""
        end = depth + 1
        while end < self.K and self.split_at[end] > depth:
            end += 1
        return end

    def cells_after(self, depth):
        """The cells of the positions after depth, as (start, end) ranges."""
        cells = self.cells[depth]
        if cells is None:
            cells = []
            start = depth + 1
            for p in range(depth + 2, self.K):
                if self.split_at[p] <= depth:
                    cells.append((start, p))
                    start = p
            if start < self.K:
                cells.append((start, self.K))
            self.cells[depth] = cells
        return cells


def _copy(graph):
    """A graph of the same description, sharing no list with graph."""
    copy = Graph.__new__(Graph)
    copy.genus, copy.marked_points, copy.loops = graph.genus[:], graph.marked_points[:], graph.loops[:]
    copy.edges = graph.edges[:]
    return copy


def _where(number, K):
    """How a message names the graph of record number (from 1)."""
    return "damaged graph stream: graph %d with %d components" % (number, K)


def _signed_fields(record, K):
    """The genera, marked points, loops and multiplicities of a record, as
    signed values."""
    values = [b - 256 if b > 127 else b for b in record]
    return values[:K], values[K:2 * K], values[2 * K:3 * K], values[3 * K:]


def _no_more(size):
    return b""


def _stream_reader(stream):
    """read(size) for an open binary stream: read1 where there is one, so
    that a pipe hands over its graphs as they come."""
    read1 = getattr(stream, "read1", None)
    return read1 if callable(read1) else stream.read


def iter_graphs(source, converter=None):
    """Yields the graphs of a stream one by one, in stream order, without
    holding the stream: source is a path, the stream's bytes (bytes,
    bytearray, memoryview) or a file opened in binary mode.

    Accepts exactly what stable-graphs writes, and refuses what
    stable-graphs-convert refuses, in its words: raises StreamError for a
    file that cannot be opened or read, a text-mode file, an empty or cut
    stream, a header byte other than 0 and 1, labels that do not hand each
    vertex its marked points, a record with a component count
    outside 1 .. 41, a record no run can write (a negative count, an
    unstable vertex, a disconnected graph, a type beyond the tool's
    capacity), graphs of different types or out of the tool's order (by
    component count, then codimension, then ascending within a section),
    a record not in the tool's form (its vertices not sorted by
    decoration, or a relabelling of them smaller), a labelling the tool
    does not write (not the least of its orbit, repeated or out of order),
    and bytes after the end marker.

    With converter (the name or path of stable-graphs-convert) the stream
    is read by the tool's own reader instead, whose JSON lines give each
    graph the tool's automorphisms and json_object(), at about the cost of
    this module's reader, which needs nothing but the standard library (see
    doc/library.md).  Raises ToolError when the converter cannot be run.
    """
    if converter is not None:
        yield from _converted_graphs(source, converter)
    elif isinstance(source, (bytes, bytearray, memoryview)):
        yield from _graphs(_no_more, bytes(source))
    elif isinstance(source, (str, os.PathLike)):
        try:
            stream = open(source, "rb", buffering=0)
        except OSError as error:
            raise StreamError("cannot open graph stream %s: %s" % (source, error.strerror)) from error
        with stream:
            yield from _graphs(stream.read)
    elif isinstance(source, io.TextIOBase):
        raise StreamError("the graph stream is a text file: open it in binary mode ('rb')")
    else:
        yield from _graphs(_stream_reader(source))


def read_graphs(source, converter=None):
    """All graphs of a stream, as a list; source and converter as for
    iter_graphs."""
    return list(iter_graphs(source, converter))


def _converted_graphs(source, converter):
    """The graphs of stable-graphs-convert -P J for source, which a thread
    hands to the converter unless it is a path the converter opens."""
    if isinstance(source, io.TextIOBase):
        raise StreamError("the graph stream is a text file: open it in binary mode ('rb')")
    by_path = isinstance(source, (str, os.PathLike))
    command = [converter, "-P", "J", os.fspath(source) if by_path else "-"]
    try:
        process = subprocess.Popen(command, stdin=subprocess.DEVNULL if by_path else subprocess.PIPE,
                                   stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    except OSError as error:
        raise ToolError("cannot run %s: %s" % (converter, error.strerror or error)) from error
    feeder = None
    failures = []  # what the feeder met reading source
    if not by_path:
        if isinstance(source, (bytes, bytearray, memoryview)):
            chunks = iter((bytes(source),))
        else:
            read = _stream_reader(source)
            chunks = iter(lambda: _read_chunk(read, _CHUNK, "the stream for the converter"), b"")
        feeder = threading.Thread(target=_feed, args=(chunks, process.stdin, failures), daemon=True)
        feeder.start()
    with process:
        try:
            numbering = _Numbering()
            for line in process.stdout:
                yield _graph_of_line(line, numbering)
        except StreamError:
            if process.wait() == 0:
                raise
        finally:
            process.stdout.close()
            message = process.stderr.read().decode(errors="replace").strip()
            status = process.wait()
            if feeder is not None:
                feeder.join()
        if failures:
            raise failures[0]
        if status == 1 and message.startswith(converter + ": "):
            # Damage: the reader's words, without the converter's name and
            # its note that the output before it is incomplete.
            raise StreamError(message[len(converter) + 2:].replace(
                "; the output written before it is incomplete", ""))
        if status != 0:
            raise ToolError("%s exited with status %d: %s" % (" ".join(command), status, message))


def _feed(chunks, pipe, failures):
    """Writes the chunks to pipe and closes it; stops when the reader at the
    other end has gone (it met damage, or its graphs are no longer read),
    or adds to failures the StreamError that reading a chunk raised."""
    try:
        for chunk in chunks:
            pipe.write(chunk)
    except BrokenPipeError:
        pass
    except StreamError as error:
        failures.append(error)
    finally:
        try:
            pipe.close()
        except BrokenPipeError:
            pass


def run(g, n=0, labelled=True, codimension=None, program="stable-graphs", *, moduli_type=None, search=None,
        euler_check=False):
    """Runs stable-graphs for type (g, n) and yields its graphs one by one
    as it writes them.  The arguments are the tool's options:

    labelled      -L: labelled graphs, the boundary strata of M̄_{g,n}
                  (the default); False for graphs with unlabelled points
    codimension   -C: only the graphs with this many edges
    moduli_type   -M: "st" (all, the default), "ct", "rt", "tl" or "sm"
    search        --search: "orderly", "pruned" or "stored" (the same
                  graphs in the same order)
    euler_check   -E: check the graphs against the Euler characteristic;
                  a failed check raises ToolError with the tool's report

    program is the tool to run, found on PATH by default.  The graphs come
    from the tool's JSON lines (-P J), so that their ``automorphisms`` and
    ``json_object()`` are what the tool computed and wrote.

    Yields nothing for a type without stable graphs (2g - 2 + n <= 0), for
    which the tool writes nothing and a note.  Raises ToolError when the
    tool cannot be started or refuses the type or an option or fails (a
    negative genus, a type beyond its capacity, a moduli type it does not
    know, say), with its own words; StreamError when its output is cut
    short or damaged.
    """
    g, n = int(g), int(n)
    if g < 0 or n < 0:
        # The tool reads an argument that starts with '-' as an option, so
        # it cannot be asked: its own words for such a type.
        raise ToolError("%s refuses type (%d, %d): %s" % (program, g, n, capacity_problem(g, n)))
    command = [program, "-P", "J", "-S", "N"]
    if labelled:
        command.append("-L")
    if codimension is not None:
        command += ["-C", str(int(codimension))]
    if moduli_type is not None:
        command += ["-M", str(moduli_type)]
    if search is not None:
        command += ["--search", str(search)]
    if euler_check:
        command.append("-E")
    command += [str(g), str(n)]
    try:
        process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    except OSError as error:
        raise ToolError("cannot run %s: %s" % (program, error.strerror or error)) from error
    with process:
        graphs = 0
        try:
            numbering = _Numbering()
            for line in process.stdout:
                yield _graph_of_line(line, numbering)
                graphs += 1
        except StreamError:
            # A failing tool leaves a cut line behind; its own message says
            # more than the cut.
            if process.wait() == 0:
                raise
        finally:
            process.stdout.close()
            message = _tool_message(process.stderr.read())
            status = process.wait()
        if status != 0:
            raise ToolError("%s exited with status %d: %s" % (" ".join(command), status, message))
        # Every type with stable graphs has the smooth one, of every moduli
        # type: only -C can leave nothing to write.
        if graphs == 0 and codimension is None and 2 * g - 2 + n > 0:
            raise StreamError("%s wrote no graph for type (%d, %d), which has stable graphs" % (program, g, n))


class _Numbering:
    """Numbers graphs by section, (components, codimension), as they come."""

    def __init__(self):
        self.section = None
        self.number = 0

    def next(self, K, codimension):
        if (K, codimension) != self.section:
            self.section, self.number = (K, codimension), 0
        self.number += 1
        return (K, codimension, self.number)


def _graph_of_line(line, numbering):
    """The graph of one of the tool's JSON lines (bytes), which it keeps,
    numbered by numbering unless the line has its Id."""
    if not line.endswith(b"\n"):
        raise StreamError("the tool's JSON lines end in the middle of a line")
    try:
        text = line[:-1].decode()
        fields = json.loads(text)
        graph = Graph.__new__(Graph)
        graph.genus = fields["genus"]
        graph.marked_points = fields["marked_points"]
        graph.loops = fields["loops"]
        graph.edges = [tuple(edge) for edge in fields["edges"]]
        graph.labels = fields.get("legs")
        graph._automorphisms = fields["automorphisms"]
        graph.id = tuple(fields["id"]) if "id" in fields else numbering.next(fields["K"], fields["codimension"])
    except (ValueError, KeyError, TypeError) as error:
        raise StreamError("the tool wrote a line that is not one of its graphs: %r" % line[:200]) from error
    graph._tool_line = text
    return graph


def _tool_message(stderr):
    """What the tool said on standard error, without its build's flags and
    the usage text that follows a refused option."""
    lines = []
    for line in stderr.decode(errors="replace").splitlines():
        if line.startswith("Usage:"):
            break
        if not line.startswith("Compilation flags:"):
            lines.append(line)
    return "\n".join(lines).strip()
