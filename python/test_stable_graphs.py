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
import json
import os
import subprocess
import tempfile
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

    def test_damaged_streams(self):
        damaged = {
            b"": "while reading the header byte",
            b"\x07\x00": "header byte is 7",
            self.FOUR_POINTS[:-1]: "number of components",
            self.FOUR_POINTS[:3]: "marked-point count",
            self.FOUR_POINTS[:10]: "loop count",
            self.FOUR_POINTS[:12]: "edge multiplicity",
            b"\x00\x2a": "42 components",
            b"\x00\xff": "-1 components",
            b"\x00\x01\xff\x06\x01\x00": "negative count",
            self.FOUR_POINTS[:-1] + b"\x01\x00\x05\x00\x00": r"type \(0, 5\) follows graphs of type \(0, 4\)",
            b"\x00\x01\x00\x02\x00\x00": r"no stable graph has type \(0, 2\)",
        }
        for stream, message in damaged.items():
            with self.subTest(stream=stream):
                with self.assertRaisesRegex(stable_graphs.StreamError, message):
                    stable_graphs.read_graphs(stream)


if __name__ == "__main__":
    unittest.main()
