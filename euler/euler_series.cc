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
#include "euler/euler_series.h"

#include <gmpxx.h>

#include <vector>

#include "euler/moduli_euler.h"
#include "graph/factorial.h"

namespace {

/// A polynomial in x and s with rational coefficients, dense, truncated at
/// x^max_x and s^max_e.
struct Poly {
  int max_x = 0;
  int max_e = 0;
  std::vector<mpq_class> coefficients;

  Poly(int max_x_, int max_e_)
      : max_x(max_x_), max_e(max_e_), coefficients(static_cast<size_t>((max_x_ + 1) * (max_e_ + 1))) {}
  mpq_class& at(int x, int e) { return coefficients[static_cast<size_t>(x * (max_e + 1) + e)]; }
  const mpq_class& at(int x, int e) const { return coefficients[static_cast<size_t>(x * (max_e + 1) + e)]; }
};

/// A non-zero coefficient and where it sits.
struct Term {
  int x, e;
  const mpq_class* value;
};

std::vector<Term> nonzero_terms(const Poly& poly) {
  std::vector<Term> terms;
  for (int x = 0; x <= poly.max_x; ++x)
    for (int e = 0; e <= poly.max_e; ++e)
      if (sgn(poly.at(x, e)) != 0) terms.push_back(Term{x, e, &poly.at(x, e)});
  return terms;
}

/// target += factor * a * b, truncated to target's degrees.
void add_product(Poly& target, const mpq_class& factor, const std::vector<Term>& a, const std::vector<Term>& b) {
  mpq_class scaled, product;
  for (const Term& p : a) {
    scaled = factor * *p.value;
    for (const Term& q : b) {
      if (p.x + q.x > target.max_x || p.e + q.e > target.max_e) continue;
      product = scaled * *q.value;
      target.at(p.x + q.x, p.e + q.e) += product;
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

/// The coefficient of t^degree of P: chi(M_{h,k}) z^k / k! with
/// 2h - 2 + k = degree and h <= max_genus, as a polynomial in z (held in x).
Poly vertex_terms(int degree, int max_genus, int max_z) {
  Poly poly(max_z, 0);
  for (int h = 0; h <= max_genus; ++h) {
    int k = degree + 2 - 2 * h;
    if (k < 0 || k > max_z) continue;
    poly.at(k, 0) = OpenModuliEuler(h, k) / Factorial(k);
  }
  return poly;
}

/// Coefficients of t^0 .. t^max_t of exp(P), in z.
std::vector<Poly> exp_of_vertex_terms(int max_t, int max_genus, int max_z) {
  std::vector<std::vector<Term>> vertex_nonzero;
  std::vector<Poly> vertex;
  vertex.reserve(static_cast<size_t>(max_t + 1));
  for (int d = 0; d <= max_t; ++d) vertex.push_back(vertex_terms(d, max_genus, max_z));
  for (const Poly& poly : vertex) vertex_nonzero.push_back(nonzero_terms(poly));
  // E' = P' E in t: d E_d = sum_{k=1}^{d} k P_k E_{d-k}.
  std::vector<Poly> exp_terms;
  exp_terms.emplace_back(max_z, 0);
  exp_terms[0].at(0, 0) = 1;
  for (int d = 1; d <= max_t; ++d) {
    Poly next(max_z, 0);
    for (int k = 1; k <= d; ++k)
      add_product(next, fraction(k, d), vertex_nonzero[k], nonzero_terms(exp_terms[d - k]));
    exp_terms.push_back(next);
  }
  return exp_terms;
}

/// The Gaussian average over y of z^N (z = x + y): the sum over m of
/// N! / ((N - 2m)! 2^m m!) x^(N-2m) s^m.
Poly gaussian_average(const Poly& in_z, int max_x, int max_e) {
  Poly averaged(max_x, max_e);
  for (int x = 0; x <= max_x; ++x) {
    for (int e = 0; e <= max_e; ++e) {
      int z = x + 2 * e;
      if (z > in_z.max_x || sgn(in_z.at(z, 0)) == 0) continue;
      mpz_class pairings = Factorial(z) / (Factorial(x) * Factorial(e));
      pairings >>= e;
      averaged.at(x, e) = in_z.at(z, 0) * pairings;
    }
  }
  return averaged;
}

}  // namespace

std::vector<mpq_class> PredictedEulerSums(int g, int n) {
  int max_t = 2 * g - 2 + n;
  if (g < 0 || n < 0 || max_t <= 0) return {};
  int max_e = 3 * g - 3 + n;
  int max_z = n + 2 * max_e;
  std::vector<Poly> exp_terms = exp_of_vertex_terms(max_t, g, max_z);
  std::vector<Poly> averaged;
  std::vector<std::vector<Term>> averaged_nonzero;
  averaged.reserve(static_cast<size_t>(max_t + 1));
  for (int d = 0; d <= max_t; ++d) averaged.push_back(gaussian_average(exp_terms[d], n, max_e));
  for (const Poly& poly : averaged) averaged_nonzero.push_back(nonzero_terms(poly));
  // Z = exp(L), Z_0 = 1: d L_d = d Z_d - sum_{k=1}^{d-1} k L_k Z_{d-k}.
  std::vector<Poly> logarithm;
  std::vector<std::vector<Term>> logarithm_nonzero;
  logarithm.reserve(static_cast<size_t>(max_t + 1));
  logarithm.emplace_back(n, max_e);
  logarithm_nonzero.emplace_back();
  for (int d = 1; d <= max_t; ++d) {
    Poly next = averaged[d];
    for (int k = 1; k < d; ++k) add_product(next, fraction(-k, d), logarithm_nonzero[k], averaged_nonzero[d - k]);
    logarithm.push_back(next);
    logarithm_nonzero.push_back(nonzero_terms(logarithm.back()));
  }
  std::vector<mpq_class> sums;
  for (int e = 0; e <= max_e; ++e) {
    sums.push_back(logarithm[max_t].at(n, e));
    sums.back().canonicalize();
  }
  return sums;
}
