# Copyright 2026 The stable-graphs Authors.
# SPDX-License-Identifier: Apache-2.0
"""Tests of stable_graphs on streams written by the stable-graphs build.

Run from the repository root with

    STABLE_GRAPHS_BUILD=build python3 -m unittest discover -s python -v

STABLE_GRAPHS_BUILD is the build directory holding stable-graphs and
stable-graphs-convert (default: build beside this directory).
"""

import ast
import io
import itertools
import json
import math
import os
import random
import re
import subprocess
import tempfile
import time
import unittest

import stable_graphs

BUILD = os.environ.get("STABLE_GRAPHS_BUILD",
                       os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "build"))
TOOL = os.path.join(BUILD, "stable-graphs")
CONVERTER = os.path.join(BUILD, "stable-graphs-convert")

# Types whose streams the tests read: every kind of vertex, loops and
# multiple edges, a few hundred graphs in all.
TYPES = [(0, 3), (0, 7), (1, 1), (1, 4), (2, 0), (2, 2), (3, 1), (4, 0)]


def tool_stream(g, n, *options):
    """The byte stream of stable-graphs for type (g, n)."""
    command = [TOOL, "-P", "B", "-S", "N", *options, str(g), str(n)]
    return subprocess.run(command, check=True, stdout=subprocess.PIPE).stdout


def convert(stream, *options):
    """The lines stable-graphs-convert writes for a stream."""
    result = subprocess.run([CONVERTER, *options], input=stream, check=True, stdout=subprocess.PIPE)
    return result.stdout.decode().splitlines()


class ReadsToolStreams(unittest.TestCase):
    def test_json_objects_are_the_converters_lines(self):
        for g, n in TYPES:
            with self.subTest(type=(g, n)):
                stream = tool_stream(g, n)
                lines = convert(stream, "-P", "J")
                graphs = stable_graphs.read_graphs(stream)
                self.assertEqual(len(lines), len(graphs))
                for line, graph in zip(lines, graphs):
                    self.assertEqual(json.loads(line), graph.json_object())
                    self.assertEqual(line, json.dumps(graph.json_object()))

    def test_sage_lines_are_the_converters_lines(self):
        for g, n in TYPES:
            with self.subTest(type=(g, n)):
                stream = tool_stream(g, n)
                graphs = stable_graphs.read_graphs(stream)
                self.assertEqual(convert(stream, "-P", "S"), [graph.sage_line() for graph in graphs])

    def test_sage_line_evaluates_to_the_three_lists(self):
        for graph in stable_graphs.read_graphs(tool_stream(2, 2)):
            line = graph.sage_line()
            self.assertTrue(line.startswith("StableGraph("))
            genera, legs, edges = ast.literal_eval(line[len("StableGraph"):])
            self.assertEqual((genera, legs, edges), graph.admcycles_lists())

    def test_edge_filter_keeps_one_codimension(self):
        stream = tool_stream(3, 0)
        graphs = stable_graphs.read_graphs(stream)
        for codimension in range(7):
            with self.subTest(codimension=codimension):
                filtered = stable_graphs.read_graphs(tool_stream(3, 0, "-C", str(codimension)))
                self.assertEqual(filtered, [x for x in graphs if x.codimension == codimension])


class GraphIds(unittest.TestCase):
    """Each graph read is numbered within its components and codimension,
    as the tool names graphs, the same in a run of one codimension."""

    def test_numbers_count_each_section_from_one(self):
        for g, n, options in [(2, 2, ()), (0, 7, ()), (1, 4, ("-L",))]:
            with self.subTest(type=(g, n), options=options):
                graphs = stable_graphs.read_graphs(tool_stream(g, n, *options))
                sections = {}
                for graph in graphs:
                    sections.setdefault((graph.K, graph.codimension), []).append(graph.id)
                for (K, codimension), ids in sections.items():
                    self.assertEqual([(K, codimension, k) for k in range(1, len(ids) + 1)], ids)
                for codimension in range(max(graph.codimension for graph in graphs) + 1):
                    one = stable_graphs.read_graphs(tool_stream(g, n, "-C", str(codimension), *options))
                    self.assertEqual([graph.id for graph in graphs if graph.codimension == codimension],
                                     [graph.id for graph in one])
                ran = list(stable_graphs.run(g, n, "-L" in options, program=TOOL))
                converted = stable_graphs.read_graphs(tool_stream(g, n, *options), converter=CONVERTER)
                self.assertEqual([graph.id for graph in graphs], [graph.id for graph in ran])
                self.assertEqual([graph.id for graph in graphs], [graph.id for graph in converted])


class ReadsLabelledStreams(unittest.TestCase):
    def test_lines_are_the_converters_lines(self):
        for g, n in TYPES:
            with self.subTest(type=(g, n)):
                stream = tool_stream(g, n, "-L")
                graphs = stable_graphs.read_graphs(stream)
                self.assertTrue(all(graph.labelled for graph in graphs))
                lines = convert(stream, "-P", "J")
                self.assertEqual(lines, [json.dumps(graph.json_object()) for graph in graphs])
                self.assertEqual(convert(stream, "-P", "S"), [graph.sage_line() for graph in graphs])

    def test_strata_of_zero_four(self):
        graphs = stable_graphs.read_graphs(tool_stream(0, 4, "-L"))
        self.assertEqual([graph.labels for graph in graphs], [[[1, 2, 3, 4]], [[1, 2], [3, 4]], [[1, 3], [2, 4]],
                                                            [[1, 4], [2, 3]]])
        self.assertEqual(graphs[2].admcycles_lists(), ([0, 0], [[1, 3, 5], [2, 4, 6]], [(5, 6)]))
        self.assertEqual(graphs[2].json_object()["legs"], [[1, 3], [2, 4]])

    def test_unlabelled_graphs_have_no_labels(self):
        graph = stable_graphs.read_graphs(tool_stream(0, 4))[1]
        self.assertFalse(graph.labelled)
        self.assertNotIn("legs", graph.json_object())


class RunsTheTool(unittest.TestCase):
    def test_strata_one_by_one(self):
        graphs = stable_graphs.run(0, 5, program=TOOL)
        self.assertFalse(isinstance(graphs, list))
        graphs = list(graphs)
        self.assertEqual(26, len(graphs))
        self.assertEqual([1, 10, 15], [sum(1 for x in graphs if x.codimension == c) for c in range(3)])
        self.assertEqual(stable_graphs.read_graphs(tool_stream(0, 5, "-L")), graphs)

    def test_known_counts(self):
        self.assertEqual(2, len(list(stable_graphs.run(1, 1, program=TOOL))))
        self.assertEqual(7, len(list(stable_graphs.run(2, program=TOOL))))
        self.assertEqual(2752, len(list(stable_graphs.run(0, 7, program=TOOL))))

    def test_unlabelled_and_one_codimension(self):
        self.assertEqual(stable_graphs.read_graphs(tool_stream(3, 1)), list(stable_graphs.run(3, 1, False, program=TOOL)))
        twos = list(stable_graphs.run(1, 3, codimension=2, program=TOOL))
        self.assertEqual(stable_graphs.read_graphs(tool_stream(1, 3, "-L", "-C", "2")), twos)
        self.assertTrue(twos and all(graph.codimension == 2 for graph in twos))

    def test_stopping_early_ends_the_tool(self):
        graphs = stable_graphs.run(0, 9, program=TOOL)
        first = next(graphs)
        self.assertEqual([list(range(1, 10))], first.labels)
        graphs.close()

    def test_failures_raise_tool_error(self):
        with self.assertRaises(stable_graphs.ToolError) as caught:
            list(stable_graphs.run(12, 0, program=TOOL))
        self.assertIn("type (12, 0) is beyond the capacity", str(caught.exception))
        with self.assertRaises(stable_graphs.ToolError):
            list(stable_graphs.run(0, 4, program=os.path.join(BUILD, "no-such-program")))

    def test_types_without_stable_graphs_yield_nothing(self):
        for g, n in [(0, 0), (0, 1), (0, 2), (1, 0)]:
            for labelled in (True, False):
                with self.subTest(type=(g, n), labelled=labelled):
                    # The tool writes nothing at all for these, and says so.
                    result = subprocess.run([TOOL, "-P", "B", "-S", "N", str(g), str(n)],
                                            stdout=subprocess.PIPE, stderr=subprocess.PIPE)
                    self.assertEqual((0, b""), (result.returncode, result.stdout))
                    self.assertIn(b"has no stable graphs", result.stderr)
                    self.assertEqual([], list(stable_graphs.run(g, n, labelled, program=TOOL)))
                    self.assertEqual([], list(stable_graphs.run(g, n, labelled, codimension=0, program=TOOL)))

    def test_refused_types_raise_the_tools_own_message(self):
        for g, n in [(12, 0), (11, 2), (0, 35), (-1, 3), (0, -2), (-4, -4)]:
            with self.subTest(type=(g, n)):
                with self.assertRaises(stable_graphs.ToolError) as caught:
                    list(stable_graphs.run(g, n, program=TOOL))
                message = str(caught.exception)
                # A negative number cannot reach the tool, which reads it
                # as an option; the module answers in the tool's words.
                self.assertIn("exited with status 1: " if g >= 0 and n >= 0 else "refuses type", message)
                # The tool's words for the type, not its usage text.
                self.assertTrue(message.endswith(": " + stable_graphs.capacity_problem(g, n)), message)
                self.assertNotIn("Usage", message)

    def test_an_empty_stream_is_damage_for_a_type_with_graphs(self):
        with tempfile.TemporaryDirectory() as directory:
            silent = os.path.join(directory, "silent-tool")
            with open(silent, "w") as script:
                script.write("#!/bin/sh\nexit 0\n")
            os.chmod(silent, 0o755)
            with self.assertRaisesRegex(stable_graphs.StreamError, "wrote no graph for type \\(0, 5\\), which has "
                                                                   "stable graphs"):
                list(stable_graphs.run(0, 5, program=silent))
            self.assertEqual([], list(stable_graphs.run(0, 2, program=silent)))
            # Under -C a type with graphs may have none to write.
            self.assertEqual([], list(stable_graphs.run(0, 5, codimension=7, program=silent)))

    def test_the_tools_own_automorphisms_and_lines(self):
        # run() reads the tool's -P J: each graph's json_object() is the
        # tool's line and its automorphisms the tool's, which this module's
        # own search confirms.
        for g, n, labelled in [(3, 1, False), (1, 4, True), (0, 10, False), (5, 0, False)]:
            with self.subTest(type=(g, n), labelled=labelled):
                options = ["-L"] if labelled else []
                command = [TOOL, "-P", "J", "-S", "N", *options, str(g), str(n)]
                lines = subprocess.run(command, check=True, stdout=subprocess.PIPE).stdout.decode().splitlines()
                graphs = list(stable_graphs.run(g, n, labelled, program=TOOL))
                self.assertEqual(lines, [json.dumps(graph.json_object()) for graph in graphs])
                read = stable_graphs.read_graphs(tool_stream(g, n, *options))
                self.assertEqual(read, graphs)
                self.assertEqual([graph.automorphisms for graph in read], [graph.automorphisms for graph in graphs])
                self.assertEqual([json.loads(line)["automorphisms"] for line in lines],
                                 [graph.automorphisms for graph in graphs])

    def test_moduli_types(self):
        # Each moduli type keeps the graphs of its kind, in the order of the
        # full run; the smooth locus is the one graph of one vertex.
        def tree(graph):
            return sum(m for _, _, m in graph.edges) == graph.K - 1 and all(m == 1 for _, _, m in graph.edges)
        kinds = {
            "st": lambda graph: True,
            "ct": lambda graph: tree(graph) and not any(graph.loops),
            "rt": lambda graph: tree(graph) and not any(graph.loops) and sorted(graph.genus)[-1] == graph.g,
            "tl": tree,
            "sm": lambda graph: graph.K == 1 and not any(graph.loops),
        }
        for g, n in [(2, 1), (1, 4), (3, 0)]:
            every = list(stable_graphs.run(g, n, False, program=TOOL))
            for moduli_type, kind in kinds.items():
                with self.subTest(type=(g, n), moduli_type=moduli_type):
                    graphs = list(stable_graphs.run(g, n, False, moduli_type=moduli_type, program=TOOL))
                    self.assertEqual([graph for graph in every if kind(graph)], graphs)
                    self.assertEqual(stable_graphs.read_graphs(tool_stream(g, n, "-M", moduli_type)), graphs)
            self.assertEqual(1, len(list(stable_graphs.run(g, n, moduli_type="sm", program=TOOL))))
        labelled_trees = list(stable_graphs.run(0, 6, moduli_type="ct", codimension=2, program=TOOL))
        self.assertEqual(stable_graphs.read_graphs(tool_stream(0, 6, "-L", "-M", "ct", "-C", "2")), labelled_trees)
        self.assertTrue(labelled_trees and all(graph.labelled for graph in labelled_trees))

    def test_search_and_euler_check(self):
        expected = list(stable_graphs.run(3, 2, program=TOOL))
        for search in ("orderly", "pruned", "stored"):
            with self.subTest(search=search):
                self.assertEqual(expected, list(stable_graphs.run(3, 2, search=search, program=TOOL)))
        self.assertEqual(expected, list(stable_graphs.run(3, 2, euler_check=True, program=TOOL)))

    def test_refused_options_raise_the_tools_words(self):
        cases = [({"moduli_type": "xx"}, "option -M takes st, ct, rt, tl or sm, not 'xx'"),
                 ({"codimension": -1}, "option -C takes a number of edges, which must not be negative (got '-1')"),
                 ({"search": "fast"}, "fast")]
        for options, words in cases:
            with self.subTest(options=options):
                with self.assertRaises(stable_graphs.ToolError) as caught:
                    list(stable_graphs.run(2, 1, program=TOOL, **options))
                message = str(caught.exception)
                self.assertIn("exited with status 1: %s: " % TOOL, message)
                self.assertIn(words, message)
                # One line: the tool's words, without its usage text.
                self.assertNotIn("\n", message)
                self.assertNotIn("Usage", message)

    def test_a_failed_euler_check_raises_the_tools_report(self):
        with tempfile.TemporaryDirectory() as directory:
            failing = os.path.join(directory, "failing-tool")
            with open(failing, "w") as script:
                script.write("#!/bin/sh\n%s \"$@\"\necho 'codimension 1: found 1, predicted 2, disagree' >&2\n"
                             "exit 4\n" % TOOL)
            os.chmod(failing, 0o755)
            graphs = stable_graphs.run(1, 1, euler_check=True, program=failing)
            self.assertEqual(2, len([next(graphs), next(graphs)]))
            with self.assertRaises(stable_graphs.ToolError) as caught:
                next(graphs)
            self.assertIn(" -E 1 1 exited with status 4: ", str(caught.exception))
            self.assertTrue(str(caught.exception).endswith("codimension 1: found 1, predicted 2, disagree"))

    def test_cut_or_foreign_lines_are_damage(self):
        with tempfile.TemporaryDirectory() as directory:
            for output, words in [("printf '{\"genus\": [1]'", "end in the middle of a line"),
                                  ("echo 'not a graph'", "not one of its graphs")]:
                with self.subTest(output=output):
                    tool = os.path.join(directory, "tool")
                    with open(tool, "w") as script:
                        script.write("#!/bin/sh\n%s\n" % output)
                    os.chmod(tool, 0o755)
                    with self.assertRaisesRegex(stable_graphs.StreamError, words):
                        list(stable_graphs.run(1, 1, program=tool))


class AdmcyclesLists(unittest.TestCase):
    def check(self, graph):
        genera, legs, edges = graph.admcycles_lists()
        self.assertEqual(genera, graph.genus)
        self.assertEqual(len(legs), graph.K)
        labels = sorted(label for vertex in legs for label in vertex)
        self.assertEqual(labels, list(range(1, graph.n + 2 * graph.codimension + 1)))
        vertex_of = {label: v for v, vertex in enumerate(legs) for label in vertex}
        start = 1
        for v, count in enumerate(graph.marked_points):
            self.assertEqual([x for x in legs[v] if x <= graph.n], list(range(start, start + count)))
            self.assertEqual(legs[v], sorted(legs[v]))
            start += count
        joined = {}
        for a, b in edges:
            self.assertGreater(a, graph.n)
            pair = (vertex_of[a], vertex_of[b])
            joined[pair] = joined.get(pair, 0) + 1
        self.assertEqual(joined, {**{(i, j): m for i, j, m in graph.edges},
                                  **{(v, v): c for v, c in enumerate(graph.loops) if c}})
        # The first Betti number plus the genera gives back the type's genus.
        self.assertEqual(sum(genera) + len(edges) - graph.K + 1, graph.g)

    def test_every_graph_of_several_types(self):
        for g, n in TYPES:
            for graph in stable_graphs.read_graphs(tool_stream(g, n)):
                with self.subTest(type=(g, n), graph=graph):
                    self.check(graph)

    def test_edges_between_vertices_come_before_loops(self):
        graph = stable_graphs.Graph([0, 1, 0], [2, 0, 1], [1, 0, 1], [(0, 1, 2), (1, 2, 1)])
        self.assertEqual(graph.admcycles_lists(),
                         ([0, 1, 0], [[1, 2, 4, 6, 10, 11], [5, 7, 8], [3, 9, 12, 13]],
                          [(4, 5), (6, 7), (8, 9), (10, 11), (12, 13)]))


class Automorphisms(unittest.TestCase):
    # Larger types than TYPES, with many symmetric graphs: long chains and
    # cycles of alike vertices, multiple edges between them, many leaves.
    SYMMETRIC_TYPES = [(0, 10), (5, 0), (3, 3), (1, 6)]

    def test_search_agrees_with_the_converters_orders(self):
        # Two independent computations: this module's own search and the
        # library's colour refinement and nauty, through -P J.
        for g, n in TYPES + self.SYMMETRIC_TYPES:
            with self.subTest(type=(g, n)):
                stream = tool_stream(g, n)
                orders = [json.loads(line)["automorphisms"] for line in convert(stream, "-P", "J")]
                graphs = stable_graphs.read_graphs(stream)
                self.assertEqual(len(orders), len(graphs))
                for order, graph in zip(orders, graphs):
                    self.assertEqual(order, graph.automorphisms, graph)
                if (g, n) in self.SYMMETRIC_TYPES:
                    self.assertTrue(any(graph.vertex_symmetries() > 1 for graph in graphs))

    def test_hand_checked_orders(self):
        Graph = stable_graphs.Graph
        cases = [
            ("one vertex, four points", Graph([0], [4], [0], []), 1, 24),
            ("two vertices of two points", Graph([0, 0], [2, 2], [0, 0], [(0, 1, 1)]), 2, 8),
            ("two loops", Graph([0], [0], [2], []), 1, 8),
            ("three parallel edges", Graph([0, 0], [0, 0], [0, 0], [(0, 1, 3)]), 2, 12),
            ("triangle", Graph([0, 0, 0], [1, 1, 1], [0, 0, 0], [(0, 1, 1), (0, 2, 1), (1, 2, 1)]), 6, 6),
            ("square", Graph([0] * 4, [1] * 4, [0] * 4, [(0, 1, 1), (0, 3, 1), (1, 2, 1), (2, 3, 1)]), 8, 8),
            ("star with the centre last", Graph([1, 1, 1, 0], [0] * 4, [0] * 4, [(0, 3, 1), (1, 3, 1), (2, 3, 1)]),
             6, 6),
            ("chain of double edges", Graph([1, 0, 1], [0] * 3, [0] * 3, [(0, 1, 2), (1, 2, 2)]), 2, 8),
        ]
        for what, graph, symmetries, order in cases:
            with self.subTest(what):
                self.assertEqual(graph.vertex_symmetries(), symmetries)
                self.assertEqual(graph.automorphisms, order)

    def test_exact_beyond_floating_point(self):
        self.assertEqual(stable_graphs.Graph([0], [33], [0], []).automorphisms, math.factorial(33))
        star = stable_graphs.Graph([0] * 25, [0] + [2] * 24, [0] * 25, [(0, k, 1) for k in range(1, 25)])
        self.assertEqual(star.vertex_symmetries(), math.factorial(24))
        self.assertEqual(star.automorphisms, math.factorial(24) * 2 ** 24)


class StreamFormat(unittest.TestCase):
    FOUR_POINTS = bytes.fromhex("0001000400020000020200000100")

    def test_four_points_of_genus_zero(self):
        one, two = stable_graphs.read_graphs(self.FOUR_POINTS)
        self.assertEqual((one.K, one.genus, one.marked_points, one.loops, one.edges), (1, [0], [4], [0], []))
        self.assertEqual((two.K, two.marked_points, two.edges, two.codimension), (2, [2, 2], [(0, 1, 1)], 1))
        self.assertEqual((two.g, two.n), (0, 4))

    def test_sources(self):
        expected = stable_graphs.read_graphs(self.FOUR_POINTS)
        self.assertEqual(stable_graphs.read_graphs(io.BytesIO(self.FOUR_POINTS)), expected)
        with tempfile.TemporaryDirectory() as directory:
            path = os.path.join(directory, "m04.bin")
            with open(path, "wb") as stream:
                stream.write(self.FOUR_POINTS)
            self.assertEqual(stable_graphs.read_graphs(path), expected)
            with self.assertRaisesRegex(stable_graphs.StreamError, "cannot open graph stream"):
                stable_graphs.read_graphs(os.path.join(directory, "missing.bin"))

    def test_iter_graphs_yields_before_the_end(self):
        graphs = stable_graphs.iter_graphs(io.BytesIO(self.FOUR_POINTS[:-3]))
        self.assertEqual(next(graphs).marked_points, [4])
        with self.assertRaises(stable_graphs.StreamError):
            next(graphs)

    def test_empty_stream_has_no_graph(self):
        self.assertEqual(stable_graphs.read_graphs(b"\0\0"), [])
        self.assertEqual(stable_graphs.read_graphs(tool_stream(1, 1, "-C", "9")), [])

    def test_memoryview_and_bytearray(self):
        expected = stable_graphs.read_graphs(self.FOUR_POINTS)
        self.assertEqual(stable_graphs.read_graphs(memoryview(self.FOUR_POINTS)), expected)
        self.assertEqual(stable_graphs.read_graphs(bytearray(self.FOUR_POINTS)), expected)
        self.assertEqual(list(stable_graphs.iter_graphs(memoryview(self.FOUR_POINTS))), expected)

    def test_iter_graphs_takes_a_path(self):
        expected = stable_graphs.read_graphs(self.FOUR_POINTS)
        with tempfile.TemporaryDirectory() as directory:
            path = os.path.join(directory, "m04.bin")
            with open(path, "wb") as stream:
                stream.write(self.FOUR_POINTS)
            self.assertEqual(list(stable_graphs.iter_graphs(path)), expected)
            with self.assertRaisesRegex(stable_graphs.StreamError, "cannot open graph stream"):
                list(stable_graphs.iter_graphs(os.path.join(directory, "missing.bin")))
            with self.assertRaisesRegex(stable_graphs.StreamError, "cannot open graph stream"):
                stable_graphs.read_graphs(directory)
            with self.assertRaisesRegex(stable_graphs.StreamError, "cannot open graph stream"):
                stable_graphs.read_graphs("")

    def test_open_failures_in_the_converters_words(self):
        # A directory, a missing file, an empty path: the converter (the C++
        # reader) and this module say the same.
        with tempfile.TemporaryDirectory() as directory:
            for path in (directory, os.path.join(directory, "missing.bin"), ""):
                with self.subTest(path=path):
                    result = subprocess.run([CONVERTER, "-P", "N", path], stderr=subprocess.PIPE)
                    self.assertEqual(1, result.returncode)
                    with self.assertRaises(stable_graphs.StreamError) as raised:
                        stable_graphs.read_graphs(path)
                    self.assertEqual(result.stderr.decode(), "%s: %s\n" % (CONVERTER, raised.exception))
            with self.assertRaises(stable_graphs.StreamError) as raised:
                stable_graphs.read_graphs(directory)
            self.assertEqual(str(raised.exception), "cannot open graph stream %s: Is a directory" % directory)

    def test_text_mode_file_is_refused(self):
        with tempfile.TemporaryDirectory() as directory:
            path = os.path.join(directory, "m04.bin")
            with open(path, "wb") as stream:
                stream.write(self.FOUR_POINTS)
            for read in (stable_graphs.read_graphs, lambda s: list(stable_graphs.iter_graphs(s))):
                with open(path, "r", encoding="latin-1") as text:
                    with self.assertRaisesRegex(stable_graphs.StreamError, "open it in binary mode"):
                        read(text)
            with self.assertRaisesRegex(stable_graphs.StreamError, "open it in binary mode"):
                stable_graphs.read_graphs(io.StringIO("\0\0"))

    def test_short_reads_are_not_the_end(self):
        class Trickle(io.RawIOBase):
            """Delivers at most one byte per read, as a slow pipe may."""
            def __init__(self, data):
                self.data = data
            def readable(self):
                return True
            def readinto(self, buffer):
                if not self.data or len(buffer) == 0:
                    return 0
                buffer[0] = self.data[0]
                self.data = self.data[1:]
                return 1
        stream = tool_stream(2, 2)
        self.assertEqual(stable_graphs.read_graphs(Trickle(stream)), stable_graphs.read_graphs(stream))

    def test_graphs_are_the_callers_to_change(self):
        # Records of one labelled graph follow each other; changing the
        # graphs read changes neither the ones after them nor the checks.
        stream = tool_stream(1, 3, "-L")
        expected = stable_graphs.read_graphs(stream)
        self.assertGreater(len(expected), len({repr(x.edges) + repr(x.genus) for x in expected}))
        for graph, same in zip(stable_graphs.iter_graphs(stream), expected):
            self.assertEqual(graph, same)
            for values in (graph.genus, graph.marked_points, graph.loops, graph.edges, graph.labels):
                values.append(99)
                values[0] = 99

    def test_pieces_of_any_size(self):
        class Pieces(io.RawIOBase):
            """Delivers 1 to 700 bytes per read."""
            def __init__(self, data, seed):
                self.data, self.rng = data, random.Random(seed)
            def readable(self):
                return True
            def readinto(self, buffer):
                count = min(len(buffer), len(self.data), self.rng.randrange(1, 700))
                buffer[:count] = self.data[:count]
                self.data = self.data[count:]
                return count
        for stream in (tool_stream(1, 5, "-L"), tool_stream(4, 0)):
            expected = stable_graphs.read_graphs(stream)
            for seed in range(3):
                self.assertEqual(stable_graphs.read_graphs(Pieces(stream, seed)), expected)
                self.assertEqual(stable_graphs.read_graphs(io.BufferedReader(Pieces(stream, seed))), expected)
            with self.assertRaisesRegex(stable_graphs.StreamError, "bytes follow the end marker"):
                stable_graphs.read_graphs(Pieces(stream + b"\0", 0))

    def test_unbuffered_pipe(self):
        command = [TOOL, "-P", "B", "-S", "N", "3", "1"]
        with subprocess.Popen(command, stdout=subprocess.PIPE, bufsize=0) as process:
            graphs = stable_graphs.read_graphs(process.stdout)
        self.assertEqual(graphs, stable_graphs.read_graphs(tool_stream(3, 1)))
        self.assertGreater(len(graphs), 100)

    def test_nothing_may_follow_the_end_marker(self):
        c1, c2 = tool_stream(0, 5, "-C", "1"), tool_stream(0, 5, "-C", "2")
        early_end = bytearray(tool_stream(1, 2))
        self.assertEqual(early_end[5], 1)
        early_end[5] = 0
        for stream in (c1 + c2, self.FOUR_POINTS + b"xyz", bytes(early_end), bytes(1 << 20)):
            with self.assertRaisesRegex(stable_graphs.StreamError, "bytes follow the end marker"):
                stable_graphs.read_graphs(stream)
        with open("/dev/zero", "rb") as zeros:
            with self.assertRaisesRegex(stable_graphs.StreamError, "bytes follow the end marker"):
                stable_graphs.read_graphs(zeros)


class ReadsThroughTheConverter(unittest.TestCase):
    """iter_graphs(source, converter=...) reads with the C++ reader."""

    def test_same_graphs_with_the_tools_automorphisms(self):
        for stream in (tool_stream(3, 1), tool_stream(1, 4, "-L"), tool_stream(0, 10)):
            with self.subTest(stream=stream[:20].hex()):
                expected = stable_graphs.read_graphs(stream)
                lines = convert(stream, "-P", "J")
                with tempfile.TemporaryDirectory() as directory:
                    path = os.path.join(directory, "graphs.bin")
                    with open(path, "wb") as file:
                        file.write(stream)
                    with open(path, "rb") as file:
                        for source in (stream, path, file, io.BytesIO(stream)):
                            graphs = stable_graphs.read_graphs(source, converter=CONVERTER)
                            self.assertEqual(expected, graphs)
                            self.assertEqual(lines, [json.dumps(graph.json_object()) for graph in graphs])
                            self.assertEqual([graph.automorphisms for graph in expected],
                                             [graph.automorphisms for graph in graphs])

    def test_the_shared_table_in_the_same_words(self):
        for stream, graphs, message, line in stream_cases():
            with self.subTest(line=line):
                if graphs is not None:
                    self.assertEqual(graphs, len(stable_graphs.read_graphs(stream, converter=CONVERTER)))
                else:
                    with self.assertRaises(stable_graphs.StreamError) as raised:
                        stable_graphs.read_graphs(stream, converter=CONVERTER)
                    self.assertEqual(message, str(raised.exception))

    def test_failures(self):
        with self.assertRaisesRegex(stable_graphs.ToolError, "cannot run"):
            stable_graphs.read_graphs(b"\0\0", converter=os.path.join(BUILD, "no-such-program"))
        with self.assertRaisesRegex(stable_graphs.StreamError, "open it in binary mode"):
            stable_graphs.read_graphs(io.StringIO("\0\0"), converter=CONVERTER)
        with tempfile.TemporaryDirectory() as directory:
            with self.assertRaisesRegex(stable_graphs.StreamError, "cannot open graph stream .*missing.bin"):
                stable_graphs.read_graphs(os.path.join(directory, "missing.bin"), converter=CONVERTER)

    def test_stopping_early(self):
        graphs = stable_graphs.iter_graphs(tool_stream(0, 9, "-L"), converter=CONVERTER)
        self.assertEqual([list(range(1, 10))], next(graphs).labels)
        graphs.close()


def labelled_strata(graph):
    """The number of strata of M-bar_{g,n} that the graph stands for: the
    ways to number its marked points, up to the graph's automorphisms."""
    K = graph.K
    adjacency = [[0] * K for _ in range(K)]
    for i, j, m in graph.edges:
        adjacency[i][j] = adjacency[j][i] = m
    decoration = [(graph.genus[v], graph.marked_points[v], graph.loops[v]) for v in range(K)]
    automorphisms = [p for p in itertools.permutations(range(K))
                     if all(decoration[p[v]] == decoration[v] for v in range(K))
                     and all(adjacency[p[u]][p[v]] == adjacency[u][v] for u in range(K) for v in range(K))]
    seen = set()
    for order in itertools.permutations(range(1, graph.n + 1)):
        parts, at = [], 0
        for count in graph.marked_points:
            parts.append(tuple(sorted(order[at:at + count])))
            at += count
        seen.add(min(tuple(parts[p[v]] for v in range(K)) for p in automorphisms))
    return len(seen)


class GraphsAreOrbitsOfStrata(unittest.TestCase):
    """Each graph stands for an S_n-orbit of strata, as the README says:
    numbering its points in every way gives back the strata of M-bar_{g,n}."""

    def strata(self, g, n, codimension):
        graphs = stable_graphs.read_graphs(tool_stream(g, n, "-C", str(codimension)))
        return len(graphs), sum(labelled_strata(graph) for graph in graphs)

    def test_zero_five(self):
        self.assertEqual(len(stable_graphs.read_graphs(tool_stream(0, 5))), 3)
        self.assertEqual(self.strata(0, 5, 1), (1, 10))
        self.assertEqual(self.strata(0, 5, 2), (1, 15))

    def test_boundary_divisors(self):
        # M-bar_{0,n} has 2^(n-1) - n - 1 boundary divisors, M-bar_{1,n} one
        # more for the irreducible ones: 2^n - n.
        for n in range(4, 8):
            with self.subTest(type=(0, n)):
                self.assertEqual(self.strata(0, n, 1)[1], 2 ** (n - 1) - n - 1)
        for n in range(1, 6):
            with self.subTest(type=(1, n)):
                self.assertEqual(self.strata(1, n, 1)[1], 2 ** n - n)


def stream_cases():
    """The table of streams that the C++ reader runs too: (bytes, number of
    graphs or None, part of the message or None, the line)."""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "stream", "stream_cases.txt")
    cases = []
    with open(path, encoding="utf-8") as table:
        for line in table:
            line = line.rstrip("\n")
            if not line or line.startswith("#") or " | " not in line:
                continue
            hex_bytes, outcome = line.split(" | ", 1)
            kind, _, value = outcome.partition(" ")
            cases.append((bytes.fromhex(hex_bytes), int(value) if kind == "graphs" else None,
                          value if kind == "error" else None, line))
    return cases


class LeastRelabelling(unittest.TestCase):
    """The reader's test that a record is the least of its relabellings
    within its blocks, against every such relabelling."""

    @staticmethod
    def record(decorations, multiplicity):
        K = len(decorations)
        return bytes([d[0] for d in decorations] + [d[1] for d in decorations] + [d[2] for d in decorations] +
                     [multiplicity[i][j] for i in range(K) for j in range(i + 1, K)])

    @staticmethod
    def block_permutations(decorations):
        K = len(decorations)
        starts = [0] + [p for p in range(1, K) if decorations[p] != decorations[p - 1]] + [K]
        blocks = [range(starts[b], starts[b + 1]) for b in range(len(starts) - 1)]
        for parts in itertools.product(*(itertools.permutations(block) for block in blocks)):
            yield [v for part in parts for v in part]

    @staticmethod
    def triangle(multiplicity, perm):
        K = len(perm)
        return [multiplicity[perm[i]][perm[j]] for i in range(K) for j in range(i + 1, K)]

    def check(self, decorations, multiplicity):
        K = len(decorations)
        own = self.triangle(multiplicity, range(K))
        least = all(own <= self.triangle(multiplicity, perm) for perm in self.block_permutations(decorations))
        record = self.record(decorations, multiplicity)
        self.assertEqual(least, stable_graphs._Decoration(record, K).is_least(record), (decorations, multiplicity))
        return least

    def test_random_graphs(self):
        rng = random.Random(5)
        outcomes = set()
        for _ in range(1500):
            K = rng.randint(1, 7)
            decorations = sorted(rng.choice([(0, 0, 0), (0, 1, 0), (1, 0, 0)][:rng.randint(1, 3)]) for _ in range(K))
            multiplicity = [[0] * K for _ in range(K)]
            density = rng.random()
            for i in range(K):
                for j in range(i + 1, K):
                    if rng.random() < density:
                        multiplicity[i][j] = multiplicity[j][i] = rng.choice([1, 1, 2, 3])
            outcomes.add(self.check(decorations, multiplicity))
        self.assertEqual({False, True}, outcomes)

    def test_every_relabelling_of_symmetric_graphs(self):
        # Cycles, circulants and bipartite graphs of alike vertices have
        # many automorphisms and relabellings equal in many rows: exactly
        # the least of the relabellings of each is least.
        rng = random.Random(6)
        for _ in range(60):
            K = rng.randint(3, 7)
            decorations = sorted(rng.choice([(0, 0, 0), (0, 0, 0), (0, 1, 0)]) for _ in range(K))
            step, kind = rng.choice([1, 2, 3]), rng.randrange(3)
            multiplicity = [[0] * K for _ in range(K)]
            for i in range(K):
                for j in range(i + 1, K):
                    joined = [(j - i) % step == 0, i % 2 != j % 2 and rng.random() < 0.8, rng.random() < 0.4][kind]
                    if joined:
                        multiplicity[i][j] = multiplicity[j][i] = rng.choice([1, 1, 2])
            perms = list(self.block_permutations(decorations))
            relabellings = [[[multiplicity[perm[i]][perm[j]] for j in range(K)] for i in range(K)]
                            for perm in rng.sample(perms, min(len(perms), 40))]
            with self.subTest(decorations=decorations, multiplicity=multiplicity):
                least = [self.check(decorations, relabelled) for relabelled in relabellings]
                least_triangle = min(self.triangle(multiplicity, perm) for perm in perms)
                self.assertEqual(least, [self.triangle(m, range(K)) == least_triangle for m in relabellings])


def stream_records(stream):
    """The records of a stream of the tool: (K, the record's bytes after K,
    the labels' bytes)."""
    labelled = stream[0] == 1
    records, at = [], 1
    while stream[at]:
        K = stream[at]
        end = at + 1 + 3 * K + K * (K - 1) // 2
        record = stream[at + 1:end]
        labels = stream[end:end + sum(record[K:2 * K])] if labelled else b""
        records.append((K, record, labels))
        at = end + len(labels)
    return records


def join_records(header, records):
    return bytes([header]) + b"".join(bytes([K]) + record + labels for K, record, labels in records) + b"\0"


def relabelled(K, record, labels, perm):
    """The record and labels with vertex perm[p] moved to position p."""
    genus, points, loops = record[:K], record[K:2 * K], record[2 * K:3 * K]
    multiplicity = {}
    at = 3 * K
    for i in range(K):
        for j in range(i + 1, K):
            multiplicity[i, j] = multiplicity[j, i] = record[at]
            at += 1
    position = {v: p for p, v in enumerate(perm)}
    return (bytes(genus[v] for v in perm) + bytes(points[v] for v in perm) + bytes(loops[v] for v in perm) +
            bytes(multiplicity[perm[i], perm[j]] for i in range(K) for j in range(i + 1, K)),
            bytes(position[v] for v in labels))


def block_permutation(rng, K, record):
    """A random permutation of the vertices within their blocks of equal
    genus, marked points and loops."""
    decorations = list(zip(record[:K], record[K:2 * K], record[2 * K:3 * K]))
    perm, start = [], 0
    for p in range(1, K + 1):
        if p == K or decorations[p] != decorations[start]:
            block = list(range(start, p))
            rng.shuffle(block)
            perm += block
            start = p
    return perm


def damage_records(rng, stream, records, change):
    """The stream with change(records) applied to a copy of its records;
    None when there is nothing to change."""
    if not records:
        return None
    copy = list(records)
    if change(rng, copy) is False:
        return None
    return join_records(stream[0], copy)


def _relabel_within_blocks(rng, records):
    i = rng.randrange(len(records))
    K, record, labels = records[i]
    record, labels = relabelled(K, record, labels, block_permutation(rng, K, record))
    records[i] = (K, record, labels)


def _relabel_across_blocks(rng, records):
    i = rng.randrange(len(records))
    K, record, labels = records[i]
    perm = list(range(K))
    rng.shuffle(perm)
    record, labels = relabelled(K, record, labels, perm)
    records[i] = (K, record, labels)


def _follow_with_relabelling(rng, records):
    # A graph and then a relabelling of it: one stratum twice, unless the
    # reader refuses the second.
    i = rng.randrange(len(records))
    K, record, labels = records[i]
    moved, labels = relabelled(K, record, labels, block_permutation(rng, K, record))
    records.insert(i + 1, (K, moved, labels))


def _swap_multiplicities(rng, records):
    i = rng.randrange(len(records))
    K, record, labels = records[i]
    if K < 3:
        return False
    a, b = rng.sample(range(3 * K, len(record)), 2)
    changed = bytearray(record)
    changed[a], changed[b] = changed[b], changed[a]
    records[i] = (K, bytes(changed), labels)


def _swap_labels(rng, records):
    i = rng.randrange(len(records))
    K, record, labels = records[i]
    if len(labels) < 2:
        return False
    a, b = rng.sample(range(len(labels)), 2)
    changed = bytearray(labels)
    changed[a], changed[b] = changed[b], changed[a]
    records[i] = (K, record, bytes(changed))


def _swap_records(rng, records):
    if len(records) < 2:
        return False
    i = rng.randrange(len(records) - 1)
    j = i + 1 if rng.random() < 0.7 else rng.randrange(len(records))
    records[i], records[j] = records[j], records[i]


def _repeat_record(rng, records):
    i = rng.randrange(len(records))
    records.insert(i + 1, records[i])


def _end_early(rng, records):
    # Still a stream the tool can write: a -C run, or one cut by hand at a
    # section's end, which the readers cannot tell apart from damage.
    del records[rng.randrange(len(records)):]


def _change_byte(rng, stream, records):
    damaged = bytearray(stream)
    damaged[rng.randrange(len(damaged))] = rng.choice([0, 1, 2, 3, rng.randrange(256)])
    return bytes(damaged)


def _cut(rng, stream, records):
    return stream[:rng.randrange(len(stream))]


# Each damage takes (rng, stream, records) and returns the damaged stream,
# or None when it does not apply.
DAMAGES = {
    name: (lambda change: lambda rng, stream, records: damage_records(rng, stream, records, change))(change)
    for name, change in [("relabel within blocks", _relabel_within_blocks),
                         ("relabel across blocks", _relabel_across_blocks),
                         ("follow with a relabelling", _follow_with_relabelling),
                         ("swap multiplicities", _swap_multiplicities), ("swap labels", _swap_labels),
                         ("swap records", _swap_records), ("repeat a record", _repeat_record),
                         ("end early", _end_early)]
}
DAMAGES["change a byte"] = _change_byte
DAMAGES["cut"] = _cut


class SharedStreamTable(unittest.TestCase):
    def test_every_case(self):
        cases = stream_cases()
        self.assertGreaterEqual(len(cases), 30)
        for stream, graphs, message, line in cases:
            with self.subTest(line=line):
                if graphs is not None:
                    self.assertEqual(len(stable_graphs.read_graphs(stream)), graphs)
                else:
                    with self.assertRaises(stable_graphs.StreamError) as raised:
                        stable_graphs.read_graphs(stream)
                    # The table holds whole messages: the module's are the
                    # converter's without its name and its note about output.
                    self.assertEqual(message, str(raised.exception))

    def test_damaged_streams_in_the_converters_words(self):
        # Streams of the tool with bytes changed, swapped, repeated or cut:
        # the converter accepts exactly those that this module accepts, with
        # the same graphs, and refuses the others with the same message.
        rng = random.Random(2026)
        streams = [tool_stream(1, 3), tool_stream(2, 1), tool_stream(0, 6, "-L"), tool_stream(2, 1, "-L")]
        accepted = refused = 0
        for stream in streams:
            for _ in range(40):
                damaged = bytearray(stream)
                at = rng.randrange(len(damaged))
                how = rng.randrange(4)
                if how == 0:
                    damaged[at] = rng.choice([0, 1, 2, 3, rng.randrange(256)])
                elif how == 1:
                    other = min(len(damaged) - 1, at + rng.randrange(1, 8))
                    damaged[at], damaged[other] = damaged[other], damaged[at]
                elif how == 2:
                    damaged[at:at] = damaged[at:at + rng.randrange(1, 30)]
                else:
                    del damaged[at:]
                damaged = bytes(damaged)
                with self.subTest(stream=damaged.hex()):
                    result = subprocess.run([CONVERTER, "-P", "J"], input=damaged, stdout=subprocess.PIPE,
                                            stderr=subprocess.PIPE)
                    try:
                        graphs = stable_graphs.read_graphs(damaged)
                    except stable_graphs.StreamError as error:
                        refused += 1
                        self.assertEqual(1, result.returncode)
                        self.assertIn(result.stderr.decode(),
                                      ["%s: %s\n" % (CONVERTER, error),
                                       "%s: %s; the output written before it is incomplete\n" % (CONVERTER, error)])
                    else:
                        accepted += 1
                        self.assertEqual(0, result.returncode, result.stderr)
                        self.assertEqual(result.stdout.decode().splitlines(),
                                         [json.dumps(graph.json_object()) for graph in graphs])
        # Both outcomes are met.
        self.assertGreater(accepted, 5)
        self.assertGreater(refused, 50)

    def test_randomly_damaged_streams_in_the_converters_words(self):
        # Streams of the tool damaged record by record, as well as byte by
        # byte: records relabelled within their blocks or across them, two
        # multiplicities or two labels swapped, records swapped, repeated,
        # or followed by a relabelling of themselves.  The converter and this
        # module must accept the same streams with the same graphs, and
        # refuse the others with the same first message.  Seeded, and ended
        # after a fixed number of cases or a minute, whichever comes first.
        rng = random.Random(2027)
        streams = [tool_stream(3, 0), tool_stream(0, 7), tool_stream(2, 2, "-C", "4"), tool_stream(1, 4, "-C", "3"),
                   tool_stream(0, 6, "-L"), tool_stream(1, 3, "-L", "-C", "3"), tool_stream(2, 1, "-L", "-C", "3")]
        streams = [(stream, stream_records(stream)) for stream in streams]
        deadline = time.monotonic() + 60
        outcomes = {}
        cases = 0
        while cases < 1200 and time.monotonic() < deadline:
            stream, records = rng.choice(streams)
            how = rng.choice(sorted(DAMAGES))
            damaged = DAMAGES[how](rng, stream, records)
            if damaged is None or damaged == stream:
                continue
            cases += 1
            verdict = self.same_verdict(damaged)
            outcomes[verdict] = outcomes.get(verdict, 0) + 1
        self.assertGreaterEqual(cases, 200)
        # The damage reaches every kind of check, the least relabelling's
        # most of all; both readers accept some damaged streams too.
        least = "N with N components is not in the tool's form: a relabelling of its vertices gives a smaller " \
                "adjacency matrix"
        self.assertGreater(outcomes.get(least, 0), cases // 20, outcomes)
        for verdict in ("accepted", "N with N components comes before the graph before it in the tool's order",
                        "N with N components is not in the tool's form: its vertices are not sorted by genus, "
                        "marked points and loops",
                        "N with N components has a labelling that is not the least of its orbit",
                        "N with N components repeats or reorders the labellings of the graph before it",
                        "N with N components repeats the graph before it",
                        "N with N components and codimension N comes after one with N components and codimension N",
                        "N with N components is of type (N, N), the graphs before it of type (N, N)",
                        "unexpected end of graph stream while reading an edge multiplicity"):
            self.assertIn(verdict, outcomes)

    def same_verdict(self, damaged):
        """Asserts that the converter and read_graphs agree on a stream;
        returns "accepted" or the refusal without the graph's number."""
        result = subprocess.run([CONVERTER, "-P", "J"], input=damaged, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        try:
            graphs = stable_graphs.read_graphs(damaged)
        except stable_graphs.StreamError as error:
            self.assertEqual(1, result.returncode, damaged.hex())
            self.assertIn(result.stderr.decode(),
                          ["%s: %s\n" % (CONVERTER, error),
                           "%s: %s; the output written before it is incomplete\n" % (CONVERTER, error)], damaged.hex())
            # The kind of refusal: the message without its numbers and the
            # graph it names.
            return re.sub(r"-?[0-9]+", "N", str(error).replace("damaged graph stream: graph ", ""))
        self.assertEqual((0, b""), (result.returncode, result.stderr), damaged.hex())
        self.assertEqual(result.stdout.decode().splitlines(), [json.dumps(graph.json_object()) for graph in graphs])
        return "accepted"

    def test_capacity_is_the_tools(self):
        # One vertex of genus g with n marked points: the converter accepts
        # the record exactly when the tool accepts the type.
        for g in range(0, 12):
            for n in sorted({0, 1, 2, 3, max(0, 33 - 3 * g), 34 - 3 * g, 35 - 3 * g}):
                if n < 0 or 2 * g - 2 + n <= 0:
                    continue
                with self.subTest(type=(g, n)):
                    stream = bytes([0, 1, g, n, 0, 0])
                    result = subprocess.run([CONVERTER, "-P", "N"], input=stream, stderr=subprocess.PIPE)
                    # A record's own edges bound what it needs: none here.
                    self.assertEqual(stable_graphs.capacity_problem(g, n, 0) is None, result.returncode == 0)


if __name__ == "__main__":
    unittest.main()
