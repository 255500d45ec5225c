#include "example_axes_pca.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "split_mix.h"

namespace varnik::datagen {
namespace {

// A row-major matrix of `rows` x `cols`.
struct Matrix {
  std::size_t rows = 0, cols = 0;
  std::vector<double> v;
  Matrix(std::size_t r, std::size_t c) : rows(r), cols(c), v(r * c, 0.0) {}
  double& at(std::size_t r, std::size_t c) { return v[r * cols + c]; }
  double at(std::size_t r, std::size_t c) const { return v[r * cols + c]; }
};

// Orthonormalises the columns in place (modified Gram-Schmidt).
void Orthonormalise(Matrix& m) {
  for (std::size_t c = 0; c < m.cols; ++c) {
    for (std::size_t p = 0; p < c; ++p) {
      double dot = 0;
      for (std::size_t r = 0; r < m.rows; ++r) dot += m.at(r, c) * m.at(r, p);
      for (std::size_t r = 0; r < m.rows; ++r) m.at(r, c) -= dot * m.at(r, p);
    }
    double norm = 0;
    for (std::size_t r = 0; r < m.rows; ++r) norm += m.at(r, c) * m.at(r, c);
    norm = std::sqrt(norm);
    for (std::size_t r = 0; r < m.rows; ++r) m.at(r, c) = norm > 0 ? m.at(r, c) / norm : 0.0;
  }
}

// data (rows x cols) times q (cols x k).
Matrix Times(const std::vector<double>& data, std::size_t rows, std::size_t cols, const Matrix& q) {
  Matrix out(rows, q.cols);
  for (std::size_t r = 0; r < rows; ++r) {
    double* o = &out.v[r * q.cols];
    for (std::size_t j = 0; j < cols; ++j) {
      const double x = data[r * cols + j];
      const double* qr = &q.v[j * q.cols];
      for (std::size_t c = 0; c < q.cols; ++c) o[c] += x * qr[c];
    }
  }
  return out;
}

// The transpose of data times y (rows x k).
Matrix TransposeTimes(const std::vector<double>& data, std::size_t rows, std::size_t cols, const Matrix& y) {
  Matrix out(cols, y.cols);
  for (std::size_t r = 0; r < rows; ++r) {
    const double* yr = &y.v[r * y.cols];
    for (std::size_t j = 0; j < cols; ++j) {
      const double x = data[r * cols + j];
      double* o = &out.v[j * y.cols];
      for (std::size_t c = 0; c < y.cols; ++c) o[c] += x * yr[c];
    }
  }
  return out;
}

// Eigen-decomposition of a small symmetric matrix by cyclic Jacobi rotations:
// on return `a` holds the eigenvalues on its diagonal and `vectors` the
// eigenvectors in its columns.
void JacobiEigen(Matrix& a, Matrix& vectors) {
  const std::size_t n = a.rows;
  for (std::size_t i = 0; i < n; ++i) vectors.at(i, i) = 1.0;
  for (int sweep = 0; sweep < 100; ++sweep) {
    double off = 0;
    for (std::size_t i = 0; i < n; ++i) {
      for (std::size_t j = i + 1; j < n; ++j) off += a.at(i, j) * a.at(i, j);
    }
    if (off < 1e-30) break;
    for (std::size_t p = 0; p < n; ++p) {
      for (std::size_t q = p + 1; q < n; ++q) {
        if (std::fabs(a.at(p, q)) < 1e-300) continue;
        const double theta = (a.at(q, q) - a.at(p, p)) / (2 * a.at(p, q));
        const double t = (theta >= 0 ? 1.0 : -1.0) / (std::fabs(theta) + std::sqrt(theta * theta + 1));
        const double c = 1 / std::sqrt(t * t + 1), s = t * c;
        for (std::size_t k = 0; k < n; ++k) {
          const double akp = a.at(k, p), akq = a.at(k, q);
          a.at(k, p) = c * akp - s * akq;
          a.at(k, q) = s * akp + c * akq;
        }
        for (std::size_t k = 0; k < n; ++k) {
          const double apk = a.at(p, k), aqk = a.at(q, k);
          a.at(p, k) = c * apk - s * aqk;
          a.at(q, k) = s * apk + c * aqk;
        }
        for (std::size_t k = 0; k < n; ++k) {
          const double vkp = vectors.at(k, p), vkq = vectors.at(k, q);
          vectors.at(k, p) = c * vkp - s * vkq;
          vectors.at(k, q) = s * vkp + c * vkq;
        }
      }
    }
  }
}

}  // namespace

PrincipalComponents ComputePrincipalComponents(const std::vector<double>& data, std::size_t rows, std::size_t cols,
                                               int count, uint64_t seed) {
  // A block a little wider than the components wanted converges faster on
  // the last of them.
  const std::size_t k = std::min<std::size_t>(static_cast<std::size_t>(count) + 6, std::min(rows, cols));
  Matrix q(cols, k);
  SplitMix64 random(seed);  // a fixed pseudo-random start
  for (double& x : q.v) x = random.Uniform() - 0.5;
  Orthonormalise(q);
  for (int iteration = 0; iteration < 12; ++iteration) {
    Matrix y = Times(data, rows, cols, q);
    Orthonormalise(y);
    q = TransposeTimes(data, rows, cols, y);
    Orthonormalise(q);
  }

  // Within the subspace: the eigenvectors of (XQ)'(XQ) rotate Q onto the
  // right singular vectors, and the eigenvalues are the squared singular values.
  const Matrix y = Times(data, rows, cols, q);
  Matrix gram(k, k), vectors(k, k);
  for (std::size_t a = 0; a < k; ++a) {
    for (std::size_t b = 0; b < k; ++b) {
      double s = 0;
      for (std::size_t r = 0; r < rows; ++r) s += y.at(r, a) * y.at(r, b);
      gram.at(a, b) = s;
    }
  }
  JacobiEigen(gram, vectors);
  std::vector<std::size_t> order(k);
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return gram.at(a, a) > gram.at(b, b); });

  const double total = std::inner_product(data.begin(), data.end(), data.begin(), 0.0);
  PrincipalComponents out;
  for (int c = 0; c < count && static_cast<std::size_t>(c) < k; ++c) {
    const std::size_t e = order[static_cast<std::size_t>(c)];
    const double lambda = std::max(gram.at(e, e), 0.0);
    const double sigma = std::sqrt(lambda);
    std::vector<double> score(rows, 0.0), loading(cols, 0.0);
    for (std::size_t r = 0; r < rows; ++r) {
      for (std::size_t b = 0; b < k; ++b) score[r] += y.at(r, b) * vectors.at(b, e);
      score[r] = sigma > 0 ? score[r] / sigma : 0.0;
    }
    for (std::size_t j = 0; j < cols; ++j) {
      for (std::size_t b = 0; b < k; ++b) loading[j] += q.at(j, b) * vectors.at(b, e);
    }
    out.scores.push_back(std::move(score));
    out.loadings.push_back(std::move(loading));
    out.shares.push_back(total > 0 ? lambda / total : 0.0);
  }
  return out;
}

}  // namespace varnik::datagen
