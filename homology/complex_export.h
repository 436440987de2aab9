// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_HOMOLOGY_COMPLEX_EXPORT_H_
#define STABLE_GRAPHS_HOMOLOGY_COMPLEX_EXPORT_H_

#include <stdexcept>
#include <string>

#include "homology/boundary_homology.h"
#include "homology/cell_complex.h"

/// A file of an export that could not be written in full.
class ExportError : public std::runtime_error {
 public:
  explicit ExportError(const std::string& what) : std::runtime_error(what) {}
};

/// Why `directory` cannot take an export, or "": it must be an empty
/// directory, or not exist yet in a directory that does.
std::string ExportDirectoryProblem(const std::string& directory);

/// Creates `directory` unless it exists; throws ExportError saying why it
/// cannot.
void MakeExportDirectory(const std::string& directory);

/// Writes a chain complex to files in a directory, so that its homology
/// can be checked with other software: for each degree k the basis of
/// C_k as graph Ids ("PREFIX-basis-k.txt", one per line, in the order of
/// the rows and columns) and the boundary map d_k in MatrixMarket
/// coordinate format ("PREFIX-boundary-k.mtx"), and a "PREFIX-README.txt"
/// saying what they are.  Throws ExportError, naming the file and the
/// reason, when a file cannot be written in full.
class ComplexExport : public BoundarySink {
 public:
  /// Files go to `directory` (which must exist), their names starting
  /// with `prefix` ("quotient" or "labelled").
  ComplexExport(const std::string& directory, const std::string& prefix, const CellComplex& complex);

  /// Writes the basis of `degree` (from degree 0 on) and d_degree.
  void Boundary(int degree, const SparseMatrix& matrix) override;

 private:
  std::string path(const std::string& name) const;
  void write_readme() const;
  void write_basis(int degree) const;
  void write_matrix(int degree, const SparseMatrix& matrix) const;

  std::string directory_;
  std::string prefix_;
  const CellComplex& complex_;
};

#endif  // STABLE_GRAPHS_HOMOLOGY_COMPLEX_EXPORT_H_
