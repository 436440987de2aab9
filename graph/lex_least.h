// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Why the orderly searches are correct
// ====================================
//
// The searches of computer/ write, of every isomorphism class of stable
// graphs of a type, one graph: its least relabelling in the tool's order.
// The stored search recognises repeats by canonical form, the orderly one
// keeps a candidate when IsLeast says it is least, and the pruned one also
// cuts a branch once MayBecomeLeast says no completion can be least.  All
// three rest on two facts proved here: the search meets its candidates in
// ascending order, and the least relabelling of every class is among them
// (no rule, bound or prune cuts it).  Doc/HACKING.md ("Why the orderly
// search is correct") gives the argument in short.
//
// Notation.  A graph has vertices 0 .. K - 1, each with a decoration d(v)
// = (genus, marked points, loops), and the symmetric adjacency A; A[v][v]
// holds the loops.  T(G) is the upper triangle read row by row:
// A[0][1], A[0][2], .., A[0][K-1], A[1][2], .., A[K-2][K-1].
//
// 1. The order
// ------------
// CompareInToolOrder (graph/tool_order.h) orders the records of a type by
// K, codimension, the genus vector, the marked-point vector, the loop
// vector, then T, each lexicographically.  The tool writes every graph
// with its vertices sorted by decoration (CompareDecorations).  The sorted
// graphs of one class share K, codimension and the three vectors (sorting
// the decorations of isomorphic graphs gives the same list), so they
// differ in T only, and they are exactly the relabellings G^p of any one
// of them, (G^p)[a][b] = G[p(a)][p(b)], by the permutations p that map each
// block (a maximal run of vertices of equal decoration) onto itself.  The
// least of them in T is the class's form G*: one description, however
// many permutations give it.  IsLeast(G) is true exactly when G = G*.
//
// 2. The order in which the search emits candidates
// -------------------------------------------------
// a. Passes.  Compute runs one_vertex_pass (K = 1) and then run_pass(K)
//    for K = 2, 3, ..; each pass is printed before the next starts.
// b. Decorations.  make_pass_tasks calls bt_g(0).  bt_g(v) tries the genus
//    x of vertex v in ascending order and for each calls bt_g(v + 1); at
//    v = K it calls bt_m(0), which does the same for marked points and ends
//    in bt_l(0), the same for loops, which ends in add_edge_task.  The
//    recursion nests the vertices of the genus vector, then the vertices
//    of the marked-point vector, then those of the loop vector, each value
//    ascending: the tasks are made in ascending lexicographic order of
//    (genus vector, marked-point vector, loop vector), no two with the
//    same decoration.  make_pass_tasks then stable-sorts them by
//    codimension, which depends on the genus vector alone (CodimensionOf);
//    so within a codimension the tasks keep their ascending order.
// c. Upper triangles.  EdgeTask's bt_a(i, j) / assign_pair assign the
//    pairs (i, j) in the order of T (j runs to K - 1, then i + 1, i + 2),
//    each x from lo to hi ascending, and recurse into the next pair: the
//    search tree of a task is the lexicographic tree of T, and its leaves,
//    the complete candidates, are met in strictly ascending order of T.
//    finish_without_edges ends a branch with every remaining pair 0, the
//    one value the walk could give them (section 5), so it is a leaf in
//    the same place.
// d. Split.  Split(rows) walks the same tree and hands over, in the order
//    met, the nodes after row rows - 1 (or where the edges run out before
//    it), each as a task that searches that node's subtree.  The subtrees
//    are disjoint and cover every leaf below the rows cut, so their leaves
//    in the order handed over are the leaves of the whole task in order.
//    split_into puts the parts where the task stood, and the runners hand
//    the tasks back in order (RunInOrder), printed as they come.
// So the candidates reach the printer in ascending CompareInToolOrder,
// sections of K and codimension in turn.  The search writes only forms
// G* (sections 3 to 6), one per class, so the listing ascends strictly.
//
// 3. The rules of distinct_mask and their invariant
// -------------------------------------------------
// For a vertex v >= 1 let P(v) be this list of pairs of entries, first
// entry belonging to v - 1, second to v:
//   (genus[v-1], genus[v]), (marked[v-1], marked[v]), (loops[v-1], loops[v]),
//   (A[r][v-1], A[r][v])   for r = 0 .. v - 2   (the columns above),
//   (A[v-1][k], A[v][k])   for k = v + 1 .. K - 1 (the rows beyond v).
// The entry A[v-1][v] is in neither: it is the same entry for both.  The
// search assigns the first entry of each pair before its second, and the
// second entries in the order of the list: genus, marks and loops at
// bt_g(v), bt_m(v), bt_l(v), after the levels' calls for v - 1; A[r][v]
// at pair (r, v), right after A[r][v-1] at (r, v - 1); A[v][k] in row v,
// after all of row v - 1 and after the rows r < v - 1.
//
// Invariant: at every node, bit v of PartialGraph::distinct_mask is set
// exactly when some pair of P(v) whose second entry is assigned holds two
// different entries, and while it is clear every second entry assigned
// is equal to its first.  The rules are the lower bounds that make this
// hold: a second entry is at least its first while the bit is clear.
//
// Line by line:
//  - bt_g(v): lo = genus[v-1] if v > 0 and bit v is clear, else 0; bit v
//    is set when x > lo.  bound_genus_by_moduli_type may raise the first
//    value tried to `first`, but the bit is still decided against lo (a
//    vertex whose genus is pinned above its predecessor's differs from it).
//  - bt_m(v) and bt_l(v): the same with order_lo; in bt_l the bit is set
//    inside x > 0, which x > order_lo >= 0 implies.
//  - assign_pair(i, j): A[i][j] is the second entry of exactly two pairs:
//    of P(i) (row pair, first entry A[i-1][j]) when i >= 1, and of P(j)
//    (column pair, first entry A[i][j-1]) when j >= i + 2.  row_lo and
//    col_lo are those first entries while bits i and j are clear, else 0;
//    lo >= both; bits i and j are set when x exceeds them.  Pair (i, i+1)
//    has no column rule, since A[i][i+1] is the shared entry of P(i+1).
//  - Every level saves the mask before its loop and restores it after each
//    value (in assign_pair after each x > 0; x = 0 sets no bit, as x >
//    row_lo, col_lo >= 0 fails).
// Bit 0 is never read (the rules test v == 0 or i == 0, and j >= 1).
//
// The swap lemma.  Let G be sorted by decoration, v - 1 and v in one block,
// and s the transposition of v - 1 and v.  T(G^s) and T(G) differ first at
// the entry of the first pair of P(v) with unequal entries, and G^s < G
// exactly when that pair's second entry is below its first.
// Proof: (G^s)[a][b] = G[s(a)][s(b)].  Entries of T with neither index in
// {v - 1, v}, and A[v-1][v], are unchanged.  At (r, v - 1) and (r, v),
// r < v - 1, G^s holds G[r][v] and G[r][v-1]; at (v - 1, k) and (v, k),
// k > v, it holds G[v][k] and G[v-1][k].  In the order of T these come as
// (r, v - 1), (r, v) for r = 0 .. v - 2, then row v - 1, then row v.  The
// first change is at (r, v - 1) for the least r with G[r][v-1] != G[r][v],
// where G^s holds G[r][v]; without such r it is at (v - 1, k) for the
// least k > v with G[v-1][k] != G[v][k], where G^s holds G[v][k]; a change
// in row v comes after all of row v - 1.  These are the pairs of P(v)
// after the decorations (equal in a block), in the order of P(v).  QED.
//
// Hence G* satisfies every rule: for v - 1, v in one block G* <= G*^s,
// so the first unequal pair of P(v) has its first entry smaller; for v -
// 1, v in different blocks the first unequal pair is a decoration pair,
// and G* is sorted.  A rule cuts a node only when some bit v is clear (all
// assigned pairs of P(v) equal, by the invariant) and the second entry
// being assigned is below its first; along G*'s own path that never
// happens.  The rules keep more than the forms: a graph can be in order at
// every adjacent pair and still not be least (another permutation lowers
// T), which is why the orderly search asks IsLeast and the stored one
// compares canonical forms.
//
// 4. The bounds
// -------------
// Every other bound cuts a node only when no completion is a connected
// stable graph of the type, the task's codimension, moduli type and
// GraphBounds, with vertices sorted by decoration; G* is such a graph.
//  - bt_g: (left - K + 1) / (K - v) is (genus not handed out) / (vertices
//    left), each of genus >= x by the sorting, and the first Betti number
//    is not negative.  The second quotient counts edge ends: every genus-0
//    vertex needs 3 - (its marked points) of them, every other vertex one,
//    and 2E ends exist, E = g - 1 + K - (sum of genera).  C++ division
//    truncates toward zero, which only loosens a negative quotient.
//  - bt_m: a genus-0 vertex v has at most as many points as the genus-0
//    vertices after it (sorted), hence hi; t is the ends count with the
//    points placed so far; the last vertex takes the rest of n.
//  - bt_l: K - 1 edges must join the vertices; a genus-0 vertex whose loops
//    are placed and whose valence is c < 3 needs 3 - c edges to others
//    (min_valence_cap2); the ends count as in bt_m; lo: a genus-0 vertex
//    with m points reaches valence 3 only if 3 - m <= 2x + (E - x).
//  - The moduli types and GraphBounds: trees (ct, rt, tl) have K - 1 edges
//    between distinct vertices and so genera (and for tl loops) adding up
//    to what is pinned on the last vertex, which sorting by genus puts
//    last; rt has genus 0 everywhere but there.  max_multiplicity,
//    max_loops and rational_vertices bound every pair or vertex alike, so
//    they hold for all relabellings of a graph or none.
//  - assign_pair: hi keeps one edge for each further pair a connected
//    graph must join (at least K - 1 pairs), and the ends for every genus-0
//    vertex to reach valence 3 (2(E - x) ends must cover the deficits left,
//    a pair covering at most the deficits of i and j; max(3 - valence, 0)
//    is added for a vertex of positive genus too, which only loosens it).
//    A forest takes at most 1 per pair and never closes a cycle, since
//    the vertex levels left exactly the K - 1 edges of a tree.  At j = K - 1
//    the valence of i is final: a genus-0 vertex needs valence 3 and every
//    vertex a neighbour; the last pair takes every remaining edge.
//  - needs_can_be_met: each edge end lowers a vertex's need (deficit of
//    valence, or a missing neighbour) by one at most; i's needs can only be
//    met by the pairs (i, j ..), each meeting one need of a later vertex at
//    most, and the vertices between i and j only by later rows.
// None of these reads the labelling except through the sorting.
//
// 5. finish_without_edges
// -----------------------
// When partial_genus reaches g, every remaining pair can only be 0: hi <=
// 0 at every pair.  The walk over them with 0 would reach complete_candidate
// unless some pair had lo > 0 or hi < 0, and finish_without_edges cuts on
// exactly those conditions:
//  - hi < 0: the first term is -(K - joined_pairs - 2), negative exactly
//    when joined_pairs < K - 2, which zeros never change; the ends term is
//    not negative, as needs_can_be_met (called first, with no edge left)
//    passed only if every vertex from i on has valence 3 when of genus 0
//    and a neighbour, and the vertices before i reached valence 3 at the
//    end of their rows.  For the same reason the bounds at j = K - 1 ask
//    for nothing more than 0.
//  - lo > 0 from a rule: zeros set no bit, so the bits stay as they are,
//    and a rule binds where a bit is clear and the first entry is positive.
//    The first entries of the remaining pairs are: row i's A[i-1][k] for
//    k >= j (bit i); the column pair at (i, j), A[i][j-1] (bit j; the later
//    column pairs of row i compare two zeros); row i + 1's A[i][k] for k >=
//    i + 2 (bit i + 1, which no pair of row i can set: (i, i + 1) has no
//    column rule), of which those for k >= j are zeros; rows from i + 2 on
//    compare zeros with zeros.  Those are the three checks.
// It hands complete_candidate final_rows = i: the last
// MayBecomeLeastAfterRow on this path had i rows (or i is 0).  Under Split, bt_a hands the node over instead
// (edges_done), and the part's Run takes it to finish_without_edges.
//
// 6. The prune of kPruned
// -----------------------
// assign_pair asks the strategy's KeepsBranchAfterRows(w, i), which
// PrunedSearch answers by MayBecomeLeastAfterRow, when j passes K - 1, so
// rows 0 .. i - 1 are final, and only for i < K - 1.  It is false only
// when a block-preserving p puts vertices of final rows (below i) at
// positions 0 .. r < i and makes row r of G^p smaller than G's, rows
// before it equal.  Rows 0 .. r of G^p read only entries G[a][b] with a
// below i, each in row min(a, b) < i, so final: every completion H has
// H^p < H and none is least.  G*, being least, has no such prefix.  The
// *AfterRow calls answer as MayBecomeLeast and IsLeast would, given that
// along the path the row tests came in order (the search makes them so;
// valid_level_ and states_ discard what other branches left), and Split's
// parts call TakeUpAfterRows to repeat the tests their splitter passed.
// complete_candidate follows row K - 2's test (final_rows = K - 2).
//
// 7. Conclusion
// -------------
// G* is a candidate of the search (sections 3 to 6), connected, and least:
// the orderly and pruned searches keep it, and keep nothing else, since
// any least candidate is the form of its class and each description is
// met once.  The stored search meets G* first among the candidates of its
// class (section 2, and G* has the least T of them), so it keeps G* as
// well.  The stream check (stream/canonical_order_check) asks the same of
// a stream: records ascending by CompareInToolOrder, each IsLeast.
//
// 8. Edits that break it
// ----------------------
// A rule or bound made stricter than what G* satisfies loses classes; one
// made looser costs candidates and no graph.  Each edit below was made and
// run against the tests; the tests named fail (SearchOrder.EveryKind is
// SearchOrder.EveryKindWritesTheLeastFormOfEveryClassInTheToolsOrder, in
// computer/search_order_test.cc, which holds every kind, whole and split,
// against a brute force; ModuliSearch.Counts is CountsMatchABruteForce in
// computer/boundary_computer_search_test.cc; Counts.KnownTotals and
// Counts.GenusFour are BoundaryComputerCounts.KnownTotals and
// .PerComponentCountersOfGenusFour in computer/boundary_computer_test.cc):
//  - the column rule applied while bit j is set (col_lo read from
//    A[i][j-1] whatever the mask): SearchOrder.EveryKind, ModuliSearch.
//    Counts, Counts.KnownTotals, and SearchKind.* (the listings differ);
//  - the row rule applied while bit i is set: SearchOrder.EveryKind,
//    ModuliSearch.Counts, Counts.KnownTotals;
//  - bit j left clear where its column pair differs (no `distinct_mask |=
//    vertex_bit(j)` in assign_pair): the same three;
//  - the column rule extended to j = i + 1 (`j > i` for `j > i + 1` in
//    col_lo, which holds A[i][i+1] to the loops A[i][i]): the same three;
//  - bt_g deciding bit v against `first` instead of lo: the compact type
//    loses graphs whose last vertex is pinned above its predecessor's
//    genus; ModuliSearch.Counts and ModuliSearch.FindsTheFullRunsGraphs-
//    OfItsTypeInOrder (the full type is unaffected, as first == lo there);
//  - the values of a pair tried in descending order (and the forest's
//    break then skipping 0): SearchOrder.EveryKind, SearchOrder.Larger-
//    ListingsAscendInTheToolsOrder, ModuliSearch.Counts;
//  - the loops of a vertex tried in descending order: the tasks leave the
//    order of decorations; SearchOrder.EveryKind and SearchOrder.Larger-
//    Listings (every kind shares the vertex levels, so SearchKind.* does
//    not see it);
//  - finish_without_edges holding row i + 1 to row i while bit i + 1 is
//    set: SearchOrder.EveryKind, ModuliSearch.Counts, Counts.KnownTotals;
//  - the row test asked before its rows are final (MayBecomeLeast(w, i +
//    1) at the start of row i): SearchOrder.EveryKind, for kPruned only.
// A loosened rule, such as dropping finish_without_edges' check of row
// i + 1 altogether, changes no graph: only the counters (Tried, Duplicated)
// move, which Counts.GenusFour pins.

#ifndef STABLE_GRAPHS_GRAPH_LEX_LEAST_H_
#define STABLE_GRAPHS_GRAPH_LEX_LEAST_H_

#include <stdint.h>

#include "graph/graph.h"

/// Decides whether a working graph of the search is the least of its
/// relabellings, so that the search can keep the first graph of each
/// isomorphism class without remembering the graphs it found.
///
/// The vertices fall into blocks of consecutive vertices with equal genus,
/// marked points and loops; a relabelling permutes vertices within their
/// blocks only, which keeps the decorations where they are.  Relabellings
/// are compared by the upper triangle of their adjacency matrix read row by
/// row, the order in which the search assigns the edge multiplicities.
///
/// The test places vertices at positions 0, 1, ... in turn.  Once the
/// vertices at positions 0 .. r - 1 are chosen, the positions after them
/// fall into cells of vertices that no choice so far tells apart; the
/// least row r a vertex v can give at position r lists, cell by cell, its
/// multiplicities to the cell's vertices in ascending order.  A row below
/// the graph's own row r is a smaller relabelling; a row above it ends the
/// branch; an equal row splits each cell by those multiplicities and the
/// next position follows.
///
/// Along the identity every row gives itself in place, so the test follows
/// the graph's own labelling and branches off it: vertex u instead of r at
/// position r, positions before r in place.  A search that finishes rows
/// in order can keep what a test found: a branch-off whose first row was
/// above the graph's is above it for good, and only the others and those
/// of the vertices that became final need trying again (the *AfterRow
/// calls).  Relabellings found equal in every compared row cut the rest:
/// the branch-offs of a position are tried one per orbit of those found,
/// and a branch that meets one ends, as it mirrors the graph's own branch.
class LexLeastTest {
 public:
  /// Takes K and the blocks of equal decoration from `decoration`; every
  /// graph tested afterwards must share them.
  explicit LexLeastTest(const Graph& decoration);

  /// True when no relabelling of `graph` within the blocks has a smaller
  /// upper triangle.
  bool IsLeast(const Graph& graph);

  /// False when rows 0 .. rows - 1 of `graph`'s adjacency, already final,
  /// show a relabelling that is smaller whatever the remaining rows hold:
  /// then no completion of those rows is least.  Such a relabelling is
  /// smaller in a row r < rows, equal before it, and brings vertices of
  /// final rows to positions 0 .. r; true proves nothing.
  bool MayBecomeLeast(const Graph& graph, int rows);

  /// MayBecomeLeast for a search that finishes rows in order: for rows > 1
  /// the previous call of this kind with rows - 1 returned true for the
  /// same rows 0 .. rows - 2.  Only what those rows leave open is tried.
  bool MayBecomeLeastAfterRow(const Graph& graph, int rows);

  /// IsLeast for the same search: `final_rows` is 0, or the last
  /// MayBecomeLeastAfterRow with that many rows returned true for the same
  /// rows 0 .. final_rows - 1.
  bool IsLeastAfterRows(const Graph& graph, int final_rows);

  /// Branches of all tests so far: vertices tried at some position.
  int64_t branches() const { return branches_; }

 private:
  /// How a branch of the test ended.
  enum class Branch { kNone, kSmaller, kEqual };

  /// Whether a smaller relabelling exists with `known` vertices of final
  /// row and `limit` positions compared, given the test of the state at
  /// `level` (fewer of both); with keep_level >= 0, what is left open is
  /// kept as the state at keep_level.
  bool smaller_after(const Graph& graph, int level, int known, int limit, int keep_level);
  /// Whether the branch from order_[depth] meets a smaller relabelling, a
  /// relabelling equal in every compared row (which ends it), or neither.
  Branch smaller_moved(int depth);
  /// Whether the graph's row `depth` ascends within every cell after it.
  bool sorted_within_cells(int depth) const;
  /// Adds the relabelling that the branch just found equal to the orbits.
  void record_equal_relabelling();
  /// The least vertex of v's orbit under the relabellings found equal.
  int orbit_root(int v);
  /// Compares the least row that vertex v, taken from position q of the
  /// order `from`, gives at position `depth` with the graph's own row
  /// there: negative, zero or positive.  When zero, order_[depth + 1]
  /// holds the order that gives that row.
  int compare_row(int depth, int v, int q, const int8_t* from);
  /// The cells after position `depth` once row `depth` is equal.
  uint64_t split_cells(int depth) const;

  /// What a test leaves open for a test with more final rows.
  struct State {
    int known = 0;
    int limit = 0;
    /// open[r], bit u: branch-off u at position r was equal in its first
    /// row or not tried, so its outcome may change.
    uint64_t open[kMaxComponents] = {};
  };

  int K_;
  // The masks of positions hold a bit for each position and one for the
  // position K after the last, where every cell ends: any record's K fits.
  static_assert(kMaxComponents + 1 <= 64, "position masks need K + 1 bits");
  uint64_t block_starts_;  // bit p: a block starts at position p
  const int8_t (*adjacency_)[kMaxComponents] = nullptr;
  int known_ = 0;        // vertices below this have final rows
  int depth_limit_ = 0;  // positions compared: 0 .. depth_limit_ - 1
  int64_t branches_ = 0;
  // order_[r]: the vertices at positions r .. K - 1 as the choices before
  // position r arranged them, a cell starting at every bit of starts_[r]
  // (which depends on r alone: the graph's rows before r decide the cells).
  int8_t order_[kMaxComponents + 1][kMaxComponents];
  int8_t identity_[kMaxComponents];  // the order along the graph's labelling
  uint64_t starts_[kMaxComponents + 1];
  int8_t path_[kMaxComponents];          // the vertex chosen at each position
  int8_t orbit_parent_[kMaxComponents];  // union-find of the orbits
  // states_[rows]: left by MayBecomeLeastAfterRow with `rows`; states_[0]
  // is the empty test.  States above valid_level_ belong to other rows.
  State states_[kMaxComponents + 1];
  int valid_level_ = 0;
};

#endif  // STABLE_GRAPHS_GRAPH_LEX_LEAST_H_
