// CRazlomljenBroj: a number of very wide range, held as a double mantissa and
// a decimal exponent (value = mantissa x 10^exponent).  Products of thousands
// of probabilities fall far below the smallest double; in this form they do
// not underflow.
//
// Normal form: a zero mantissa has exponent 0; any other mantissa has an
// absolute value in [0.1, 1).
#pragma once

#include <cstdint>

namespace varnik {

class CRazlomljenBroj {
 public:
  CRazlomljenBroj() = default;
  explicit CRazlomljenBroj(double value) : mantissa_(value) { Normalise(); }
  // mantissa x 10^exponent, normalised.
  static CRazlomljenBroj FromParts(double mantissa, int32_t exponent);

  double mantissa() const { return mantissa_; }
  int32_t exponent() const { return exponent_; }
  bool IsZero() const { return mantissa_ == 0.0; }

  CRazlomljenBroj& operator*=(const CRazlomljenBroj& other);
  CRazlomljenBroj& operator/=(const CRazlomljenBroj& other);
  CRazlomljenBroj& operator+=(const CRazlomljenBroj& other);
  CRazlomljenBroj& operator-=(const CRazlomljenBroj& other);
  CRazlomljenBroj operator-() const;

  friend CRazlomljenBroj operator*(CRazlomljenBroj a, const CRazlomljenBroj& b) { return a *= b; }
  friend CRazlomljenBroj operator/(CRazlomljenBroj a, const CRazlomljenBroj& b) { return a /= b; }
  friend CRazlomljenBroj operator+(CRazlomljenBroj a, const CRazlomljenBroj& b) { return a += b; }
  friend CRazlomljenBroj operator-(CRazlomljenBroj a, const CRazlomljenBroj& b) { return a -= b; }

  // mantissa x 10^exponent in double precision: 0 or infinity outside the
  // range of a double.
  double ToDouble() const;

  // Equal: the same mantissa and exponent (both are kept normalised).
  friend bool operator==(const CRazlomljenBroj&, const CRazlomljenBroj&) = default;
  // Compares values: sign first, then exponent, then mantissa.
  friend bool operator<(const CRazlomljenBroj& a, const CRazlomljenBroj& b);
  friend bool operator>(const CRazlomljenBroj& a, const CRazlomljenBroj& b) { return b < a; }
  friend bool operator<=(const CRazlomljenBroj& a, const CRazlomljenBroj& b) { return !(b < a); }
  friend bool operator>=(const CRazlomljenBroj& a, const CRazlomljenBroj& b) { return !(a < b); }

 private:
  void Normalise();

  double mantissa_ = 0.0;
  int32_t exponent_ = 0;
};

// base^count by repeated squaring: about 2 log2(count) multiplications
// instead of count, with the same result up to rounding.
CRazlomljenBroj Power(CRazlomljenBroj base, uint32_t count);

}  // namespace varnik
