// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Let P(t, z) = sum of t^(2h-2+k) chi(M_{h,k}) z^k / k! over the stable
// (h, k).  Its exponential sums over all graphs without edges; putting
// z = x + y and averaging over a Gaussian y of variance s (y^(2m) becomes
// (2m-1)!! s^m) joins half-edges into edges in every way, which sums over
// all stable graphs, connected or not, with weight prod chi / |Aut|; the
// logarithm keeps the connected ones.  t counts 2g - 2 + n, x the marked
// points and s the edges, so the coefficient of t^(2g-2+n) x^n s^e is the
// sum over the graphs of type (g, n) with e edges.
//
// Everything is truncated to what that coefficient needs: t-degree up to
// 2g - 2 + n; s-degree up to 3g - 3 + n (degrees only add up); x-degree up
// to n after the average and n + 2 (3g - 3 + n) before it.  Vertices of
// genus above g cannot occur in a graph of genus g and are left out.
//
// The partial compactifications take a third variable u that counts the
// genera of the vertices.  A connected graph's genus is those genera plus
// its first Betti number, so the coefficient of u^g keeps exactly the trees
// (no loop, no pair joined twice): the strata of compact type.  Rational
// tails allow only vertices of genus 0 and g, which leaves trees with one
// vertex of genus g.  Tree-like graphs are trees of vertices dressed with
// loops: the Gaussian average of a product of vertex terms is
// exp(s/2 d^2/dx^2) of it, and that operator splits into the same operator
// on each factor alone (its loops) times the one that joins two factors
// (the other edges).  So each vertex term is first averaged on its own, u
// counting its genus plus its loops, and the tree part of the usual series
// over these dressed vertices, again the coefficient of u^g, sums the
// tree-like graphs.  The smooth locus is the one-vertex graph without
// loops: chi(M_{g,n}) / n! in codimension 0.
#include "euler/euler_series.h"

#include <gmpxx.h>

#include <vector>

#include "euler/moduli_euler.h"
#include "graph/factorial.h"

namespace {

/// A polynomial in x, s and u with rational coefficients, dense, truncated
/// at x^max_x, s^max_e and u^max_u.
struct Poly {
  int max_x = 0;
  int max_e = 0;
  int max_u = 0;
  std::vector<mpq_class> coefficients;

  Poly(int max_x_, int max_e_, int max_u_ = 0)
      : max_x(max_x_), max_e(max_e_), max_u(max_u_),
        coefficients(static_cast<size_t>((max_x_ + 1) * (max_e_ + 1) * (max_u_ + 1))) {}
  size_t index(int x, int e, int u) const { return static_cast<size_t>((x * (max_e + 1) + e) * (max_u + 1) + u); }
  mpq_class& at(int x, int e, int u = 0) { return coefficients[index(x, e, u)]; }
  const mpq_class& at(int x, int e, int u = 0) const { return coefficients[index(x, e, u)]; }
};

/// A non-zero coefficient and where it sits.
struct Term {
  int x, e, u;
  const mpq_class* value;
};

std::vector<Term> nonzero_terms(const Poly& poly) {
  std::vector<Term> terms;
  for (int x = 0; x <= poly.max_x; ++x)
    for (int e = 0; e <= poly.max_e; ++e)
      for (int u = 0; u <= poly.max_u; ++u)
        if (sgn(poly.at(x, e, u)) != 0) terms.push_back(Term{x, e, u, &poly.at(x, e, u)});
  return terms;
}

/// target += factor * a * b, truncated to target's degrees.
void add_product(Poly& target, const mpq_class& factor, const std::vector<Term>& a, const std::vector<Term>& b) {
  mpq_class scaled, product;
  for (const Term& p : a) {
    scaled = factor * *p.value;
    for (const Term& q : b) {
      if (p.x + q.x > target.max_x || p.e + q.e > target.max_e || p.u + q.u > target.max_u) continue;
      product = scaled * *q.value;
      target.at(p.x + q.x, p.e + q.e, p.u + q.u) += product;
    }
  }
}

/// k / d in lowest terms: gmpxx leaves mpq_class(k, d) as given, and GMP's
/// arithmetic keeps a fraction that is not in lowest terms so, which makes
/// equal values compare unequal.
mpq_class fraction(int k, int d) {
  mpq_class value(k, d);
  value.canonicalize();
  return value;
}

/// The vertices a series is made of and what u counts.
struct VertexKind {
  int max_genus;         // vertices of genus up to this
  bool only_zero_and_g;  // rational tails: genus 0 or max_genus only
  bool count_genus;      // u counts the genus (max_u = max_genus), else max_u = 0
  bool dressed;          // each vertex with its loops (s counts them)
};

VertexKind vertex_kind(int g, ModuliType type) {
  switch (type) {
    case ModuliType::kCompactType: return VertexKind{g, false, true, false};
    case ModuliType::kRationalTails: return VertexKind{g, true, true, false};
    case ModuliType::kTreeLike: return VertexKind{g, false, true, true};
    case ModuliType::kStable:
    case ModuliType::kSmooth: break;
  }
  return VertexKind{g, false, false, false};
}

/// The coefficient of t^degree of P: chi(M_{h,k}) z^k / k! with
/// 2h - 2 + k = degree, as a polynomial in z (held in x), times u^h when
/// the genus is counted.  A dressed vertex of genus h (counted by u) and k
/// free half-edges gathers the vertices of genus h - l with k + 2l
/// half-edges, l of them loops: chi(M_{h-l,k+2l}) s^l z^k / (k! 2^l l!).
Poly vertex_terms(int degree, const VertexKind& kind, int max_z) {
  int max_u = kind.count_genus ? kind.max_genus : 0;
  Poly poly(max_z, kind.dressed ? kind.max_genus : 0, max_u);
  for (int h = 0; h <= kind.max_genus; ++h) {
    if (kind.only_zero_and_g && h != 0 && h != kind.max_genus) continue;
    int k = degree + 2 - 2 * h;
    if (k < 0 || k > max_z) continue;
    int u = kind.count_genus ? h : 0;
    for (int l = 0; l <= (kind.dressed ? h : 0); ++l) {
      mpz_class ways = Factorial(k) * Factorial(l);
      ways <<= l;
      poly.at(k, l, u) = OpenModuliEuler(h - l, k + 2 * l) / ways;
      poly.at(k, l, u).canonicalize();
    }
  }
  return poly;
}

/// Coefficients of t^0 .. t^max_t of exp(P), in z.
std::vector<Poly> exp_of_vertex_terms(int max_t, const VertexKind& kind, int max_z) {
  std::vector<std::vector<Term>> vertex_nonzero;
  std::vector<Poly> vertex;
  vertex.reserve(static_cast<size_t>(max_t + 1));
  for (int d = 0; d <= max_t; ++d) vertex.push_back(vertex_terms(d, kind, max_z));
  for (const Poly& poly : vertex) vertex_nonzero.push_back(nonzero_terms(poly));
  // E' = P' E in t: d E_d = sum_{k=1}^{d} k P_k E_{d-k}.
  const Poly& shape = vertex[0];
  std::vector<Poly> exp_terms;
  exp_terms.emplace_back(shape.max_x, shape.max_e, shape.max_u);
  exp_terms[0].at(0, 0, 0) = 1;
  for (int d = 1; d <= max_t; ++d) {
    Poly next(shape.max_x, shape.max_e, shape.max_u);
    for (int k = 1; k <= d; ++k)
      add_product(next, fraction(k, d), vertex_nonzero[k], nonzero_terms(exp_terms[d - k]));
    exp_terms.push_back(next);
  }
  return exp_terms;
}

/// The Gaussian average over y of z^N (z = x + y): the sum over m of
/// N! / ((N - 2m)! 2^m m!) x^(N-2m) s^m, applied term by term (the powers
/// of s and u already there carried along).
Poly gaussian_average(const Poly& in_z, int max_x, int max_e) {
  Poly averaged(max_x, max_e, in_z.max_u);
  mpq_class product;
  for (int x = 0; x <= max_x; ++x) {
    for (int e = 0; e <= max_e; ++e) {
      int z = x + 2 * e;
      if (z > in_z.max_x) continue;
      mpz_class pairings = Factorial(z) / (Factorial(x) * Factorial(e));
      pairings >>= e;
      for (int had = 0; had <= in_z.max_e && had + e <= max_e; ++had)
        for (int u = 0; u <= in_z.max_u; ++u) {
          if (sgn(in_z.at(z, had, u)) == 0) continue;
          product = in_z.at(z, had, u) * pairings;
          averaged.at(x, had + e, u) += product;
        }
    }
  }
  return averaged;
}

/// The series of the graphs of connected type (g, n) built from the
/// vertices of `kind`, by number of edges, at u^target_u.
std::vector<mpq_class> connected_sums(int g, int n, const VertexKind& kind, int target_u) {
  int max_t = 2 * g - 2 + n;
  int max_e = 3 * g - 3 + n;
  int max_z = n + 2 * max_e;
  std::vector<Poly> exp_terms = exp_of_vertex_terms(max_t, kind, max_z);
  std::vector<Poly> averaged;
  std::vector<std::vector<Term>> averaged_nonzero;
  averaged.reserve(static_cast<size_t>(max_t + 1));
  for (int d = 0; d <= max_t; ++d) averaged.push_back(gaussian_average(exp_terms[d], n, max_e));
  for (const Poly& poly : averaged) averaged_nonzero.push_back(nonzero_terms(poly));
  // Z = exp(L), Z_0 = 1: d L_d = d Z_d - sum_{k=1}^{d-1} k L_k Z_{d-k}.
  std::vector<Poly> logarithm;
  std::vector<std::vector<Term>> logarithm_nonzero;
  logarithm.reserve(static_cast<size_t>(max_t + 1));
  logarithm.emplace_back(n, max_e, averaged[0].max_u);
  logarithm_nonzero.emplace_back();
  for (int d = 1; d <= max_t; ++d) {
    Poly next = averaged[d];
    for (int k = 1; k < d; ++k) add_product(next, fraction(-k, d), logarithm_nonzero[k], averaged_nonzero[d - k]);
    logarithm.push_back(next);
    logarithm_nonzero.push_back(nonzero_terms(logarithm.back()));
  }
  std::vector<mpq_class> sums;
  for (int e = 0; e <= max_e; ++e) {
    sums.push_back(logarithm[max_t].at(n, e, target_u));
    sums.back().canonicalize();
  }
  return sums;
}

}  // namespace

std::vector<mpq_class> PredictedEulerSums(int g, int n) { return PredictedEulerSums(g, n, ModuliType::kStable); }

std::vector<mpq_class> PredictedEulerSums(int g, int n, ModuliType type) {
  if (g < 0 || n < 0 || 2 * g - 2 + n <= 0) return {};
  if (type == ModuliType::kSmooth) {
    std::vector<mpq_class> sums(static_cast<size_t>(3 * g - 3 + n + 1));
    sums[0] = OpenModuliEuler(g, n) / Factorial(n);
    sums[0].canonicalize();
    return sums;
  }
  VertexKind kind = vertex_kind(g, type);
  return connected_sums(g, n, kind, kind.count_genus ? g : 0);
}
