#include "common/wide_number.h"

#include <cmath>

namespace varnik {

CRazlomljenBroj CRazlomljenBroj::FromParts(double mantissa, int32_t exponent) {
  CRazlomljenBroj number;
  number.mantissa_ = mantissa;
  number.exponent_ = exponent;
  number.Normalise();
  return number;
}

void CRazlomljenBroj::Normalise() {
  if (mantissa_ == 0.0) {
    mantissa_ = 0.0;  // also turns -0.0 into 0.0
    exponent_ = 0;
    return;
  }
  // An infinite or undefined mantissa would never reach [0.1, 1).
  if (!std::isfinite(mantissa_)) return;
  const bool negative = mantissa_ < 0.0;
  double m = negative ? -mantissa_ : mantissa_;
  while (m >= 1.0) {
    m /= 10.0;
    ++exponent_;
  }
  while (m < 0.1) {
    m *= 10.0;
    --exponent_;
  }
  mantissa_ = negative ? -m : m;
}

CRazlomljenBroj& CRazlomljenBroj::operator*=(const CRazlomljenBroj& other) {
  mantissa_ *= other.mantissa_;
  exponent_ += other.exponent_;
  Normalise();
  return *this;
}

CRazlomljenBroj& CRazlomljenBroj::operator/=(const CRazlomljenBroj& other) {
  mantissa_ /= other.mantissa_;
  exponent_ -= other.exponent_;
  Normalise();
  return *this;
}

CRazlomljenBroj& CRazlomljenBroj::operator+=(const CRazlomljenBroj& other) {
  if (other.IsZero()) return *this;
  if (IsZero()) return *this = other;
  // Align the smaller exponent to the larger one; a term more than about 17
  // decades smaller vanishes, as it would in any floating-point sum.
  if (exponent_ >= other.exponent_) {
    mantissa_ += other.mantissa_ * std::pow(10.0, static_cast<double>(other.exponent_) - exponent_);
  } else {
    mantissa_ = mantissa_ * std::pow(10.0, static_cast<double>(exponent_) - other.exponent_) + other.mantissa_;
    exponent_ = other.exponent_;
  }
  Normalise();
  return *this;
}

CRazlomljenBroj& CRazlomljenBroj::operator-=(const CRazlomljenBroj& other) { return *this += -other; }

CRazlomljenBroj CRazlomljenBroj::operator-() const {
  CRazlomljenBroj negated = *this;
  if (!IsZero()) negated.mantissa_ = -mantissa_;
  return negated;
}

double CRazlomljenBroj::ToDouble() const {
  if (mantissa_ == 0.0 || exponent_ == 0) return mantissa_;
  return mantissa_ * std::pow(10.0, static_cast<double>(exponent_));
}

bool operator<(const CRazlomljenBroj& a, const CRazlomljenBroj& b) {
  const int signA = a.mantissa_ > 0.0 ? 1 : a.mantissa_ < 0.0 ? -1 : 0;
  const int signB = b.mantissa_ > 0.0 ? 1 : b.mantissa_ < 0.0 ? -1 : 0;
  if (signA != signB) return signA < signB;
  if (signA == 0) return false;
  if (a.exponent_ != b.exponent_) {
    // For negative numbers a larger exponent means a smaller value.
    return signA > 0 ? a.exponent_ < b.exponent_ : a.exponent_ > b.exponent_;
  }
  return a.mantissa_ < b.mantissa_;
}

CRazlomljenBroj Power(CRazlomljenBroj base, uint32_t count) {
  CRazlomljenBroj result(1.0);
  while (count != 0) {
    if (count & 1u) result *= base;
    count >>= 1;
    if (count != 0) base *= base;
  }
  return result;
}

}  // namespace varnik
