// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "homology/complex_export.h"

#include <dirent.h>
#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

#include <memory>
#include <stdexcept>

#include "homology/homology_report.h"

namespace {

/// A file written in full or not at all: every failure, the close's
/// included, is an error naming the file.
class OutputFile {
 public:
  explicit OutputFile(const std::string& path) : path_(path), file_(fopen(path.c_str(), "w")) {
    if (file_ == nullptr) fail();
  }
  ~OutputFile() {
    if (file_ != nullptr) fclose(file_);
  }
  FILE* get() const { return file_; }
  /// Closes the file; throws if anything written to it was lost.
  void Close() {
    bool lost = ferror(file_) != 0;
    FILE* file = file_;
    file_ = nullptr;
    if (fclose(file) != 0 || lost) fail();
  }

 private:
  [[noreturn]] void fail() const {
    throw ExportError("cannot write " + path_ + ": " + strerror(errno != 0 ? errno : EIO));
  }

  std::string path_;
  FILE* file_;
};

/// Whether the directory at `path` holds nothing but "." and "..".
bool empty_directory(const std::string& path) {
  DIR* directory = opendir(path.c_str());
  if (directory == nullptr) return false;
  bool empty = true;
  while (dirent* entry = readdir(directory))
    if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0) empty = false;
  closedir(directory);
  return empty;
}

/// The directory `path` is in: "." for a bare name.
std::string parent_of(const std::string& path) {
  size_t end = path.find_last_not_of('/');
  size_t slash = end == std::string::npos ? std::string::npos : path.rfind('/', end);
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::string ExportDirectoryProblem(const std::string& directory) {
  struct stat status;
  if (stat(directory.c_str(), &status) == 0) {
    if (!S_ISDIR(status.st_mode)) return directory + " is not a directory";
    if (!empty_directory(directory)) return directory + " is not empty: give a new or empty directory";
    return "";
  }
  if (errno != ENOENT) return "cannot use " + directory + ": " + strerror(errno);
  std::string parent = parent_of(directory);
  if (stat(parent.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
    return "cannot make " + directory + ": " + parent + " is not a directory";
  return "";
}

void MakeExportDirectory(const std::string& directory) {
  if (mkdir(directory.c_str(), 0777) != 0 && errno != EEXIST)
    throw ExportError("cannot make " + directory + ": " + strerror(errno));
}

ComplexExport::ComplexExport(const std::string& directory, const std::string& prefix, const CellComplex& complex)
    : directory_(directory), prefix_(prefix), complex_(complex) {
  write_readme();
}

std::string ComplexExport::path(const std::string& name) const { return directory_ + "/" + prefix_ + "-" + name; }

void ComplexExport::write_readme() const {
  OutputFile file(path("README.txt"));
  const CellComplexSettings& s = complex_.settings();
  FILE* out = file.get();
  fprintf(out, "The rational cellular chains of %s, as stable-graphs computes its reduced homology.\n",
          ComplexName(s).c_str());
  if (s.relative_to != Subcomplex::kNone)
    fprintf(out,
            "Only the cells outside a contractible subcomplex (the graphs with a loop or a vertex of positive "
            "genus%s): the chains relative to it, from degree 0 on.\n",
            s.relative_to == Subcomplex::kLoopsGenusOrSharedPoints ? ", or two marked points on a vertex" : "");
  else
    fputs("Every cell; degree -1 holds the empty cell alone, the one row of d_0.\n", out);
  fputs("A cell of degree k is a stable graph with k + 1 edges, named by its Id (components, codimension, "
        "number) in a run of stable-graphs of the same type",
        out);
  fputs(s.labelled ? " with -L (points labelled 1 .. n).\n" : ".\n", out);
  fprintf(out,
          "%s-basis-k.txt: the cells of degree k, one Id per line, in the order of the rows of d_k+1 and the "
          "columns of d_k.\n"
          "%s-boundary-k.mtx: d_k, from degree k to degree k - 1, in MatrixMarket coordinate format.\n"
          "Each cell is oriented by the order of its edges in its canonical description; column j of d_k is "
          "the sum over its edges e_i, in that order, of (-1)^i times the contraction along e_i, rewritten "
          "in the target's orientation.\n",
          prefix_.c_str(), prefix_.c_str());
  file.Close();
}

// Degree -1 holds at most the empty cell, whose own boundary is zero.
void ComplexExport::Boundary(int degree, const SparseMatrix& matrix) {
  if (degree < 0) return;
  write_basis(degree);
  write_matrix(degree, matrix);
}

void ComplexExport::write_basis(int degree) const {
  OutputFile file(path("basis-" + std::to_string(degree) + ".txt"));
  const CellBasis& basis = complex_.Basis(degree);
  for (size_t i = 0; i < basis.size(); ++i) fprintf(file.get(), "%s\n", GraphIdText(basis.Id(i)).c_str());
  file.Close();
}

void ComplexExport::write_matrix(int degree, const SparseMatrix& matrix) const {
  OutputFile file(path("boundary-" + std::to_string(degree) + ".mtx"));
  FILE* out = file.get();
  fputs("%%MatrixMarket matrix coordinate integer general\n", out);
  fprintf(out, "%% d_%d of %s: rows the cells of degree %d, columns those of degree %d\n", degree,
          ComplexName(complex_.settings()).c_str(), degree - 1, degree);
  fprintf(out, "%zu %zu %zu\n", matrix.rows, matrix.columns, matrix.entries.size());
  for (const SparseMatrix::Entry& entry : matrix.entries)
    fprintf(out, "%u %u %d\n", entry.row + 1, entry.column + 1, entry.value);
  file.Close();
}
