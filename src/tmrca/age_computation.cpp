#include "tmrca/age_computation.h"

#include <algorithm>
#include <map>

#include "common/format.h"
#include "tmrca/copy_groups.h"

namespace varnik {
namespace {

// How many descendants hold each state (or pair, or tuple of states): the
// likelihood factor of a descendant depends only on its states, so equal
// descendants are taken together as one factor raised to their number.
struct StateCount {
  int32_t state;
  uint32_t count;
};

using Histogram = std::vector<StateCount>;

Histogram CountStates(const std::vector<int32_t>& states, const std::vector<bool>& take) {
  std::map<int32_t, uint32_t> counts;
  for (std::size_t d = 0; d < states.size(); ++d) {
    if (take[d]) ++counts[states[d]];
  }
  Histogram out;
  for (const auto& [state, count] : counts) out.push_back({state, count});
  return out;
}

// prod over the histogram of P(from, state)^count.
CRazlomljenBroj RowProduct(const CKvadratnaMatrica& p, int32_t from, const Histogram& histogram) {
  CRazlomljenBroj product(1.0);
  for (const StateCount& entry : histogram) product *= Power(CRazlomljenBroj(p.at(from, entry.state)), entry.count);
  return product;
}

// Adds the terms smallest first.
CRazlomljenBroj AscendingSum(std::vector<CRazlomljenBroj>& terms) {
  std::sort(terms.begin(), terms.end());
  CRazlomljenBroj sum;
  for (const CRazlomljenBroj& term : terms) sum += term;
  return sum;
}

struct SinglePlan {
  int32_t record;
  Histogram descendants;  // states of the descendants whose state is known
};

struct TuplePlan {
  std::vector<int32_t> states;  // one per copy
  uint32_t count;
  std::vector<COdregjivanjeSpojevaPreslikavanja> assignments;
};

struct GroupPlan {
  enum Kind { kNothing, kUnknownPair, kKnownPair, kKnownMany } kind = kNothing;
  std::vector<int32_t> records;
  Histogram first, second;       // kUnknownPair: states of copy 1 and 2
  std::vector<TuplePlan> tuples;  // kKnownPair and kKnownMany
};

// A group's ancestor counts as known only when every copy's ancestral state
// is known: a later copy outside the marker's states leaves nothing to pair
// with, so such a group is taken as having an unknown ancestor.
bool AncestorKnown(const std::vector<CSTROznaka>& records, const std::vector<int32_t>& group) {
  return std::all_of(group.begin(), group.end(), [&](int32_t r) { return records[r].ancestorState >= 0; });
}

GroupPlan PlanGroup(const std::vector<CSTROznaka>& records, const CopyGroup& group, std::size_t descendants) {
  GroupPlan plan;
  plan.records = group.records;
  const std::size_t k = group.records.size();
  const bool known = AncestorKnown(records, group.records);
  if (!known && k >= 3) return plan;
  plan.kind = !known ? GroupPlan::kUnknownPair : k == 2 ? GroupPlan::kKnownPair : GroupPlan::kKnownMany;

  // A descendant takes part when all its copies are known; one with a
  // missing copy cannot be paired.
  std::vector<bool> take(descendants, true);
  for (std::size_t d = 0; d < descendants; ++d) {
    for (const int32_t r : group.records) take[d] = take[d] && records[r].descendantStates[d] >= 0;
  }
  if (plan.kind == GroupPlan::kUnknownPair) {
    plan.first = CountStates(records[group.records[0]].descendantStates, take);
    plan.second = CountStates(records[group.records[1]].descendantStates, take);
    return plan;
  }
  std::map<std::vector<int32_t>, uint32_t> tuples;
  for (std::size_t d = 0; d < descendants; ++d) {
    if (!take[d]) continue;
    std::vector<int32_t> states;
    for (const int32_t r : group.records) states.push_back(records[r].descendantStates[d]);
    ++tuples[states];
  }
  std::vector<int32_t> ancestor;
  for (const int32_t r : group.records) ancestor.push_back(records[r].ancestorState);
  for (const auto& [states, count] : tuples) {
    TuplePlan tuple{states, count, {}};
    if (plan.kind == GroupPlan::kKnownMany) tuple.assignments = CopyAssignments(ancestor, states);
    plan.tuples.push_back(std::move(tuple));
  }
  return plan;
}

// The states, matrices and descendant lists must agree before any matrix is
// indexed with them.
bool RecordsFit(const std::vector<CSTROznaka>& records, std::size_t descendants) {
  for (const CSTROznaka& r : records) {
    const int32_t n = static_cast<int32_t>(r.states.size());
    if (n == 0 || r.oneStep.side != n || r.oneStep.values.size() != static_cast<std::size_t>(n) * n ||
        r.descendantStates.size() != descendants || r.ancestorState < -1 || r.ancestorState >= n) {
      return false;
    }
    for (const int32_t s : r.descendantStates) {
      if (s < -1 || s >= n) return false;
    }
  }
  return true;
}

bool GroupsFit(const std::vector<CSTROznaka>& records, const CopyGroups& groups) {
  for (const CopyGroup& group : groups.groups) {
    for (const int32_t r : group.records) {
      if (records[r].states.size() != records[group.records[0]].states.size()) return false;
    }
  }
  return true;
}

CRazlomljenBroj SingleFactor(const CSTROznaka& record, const SinglePlan& plan) {
  const CKvadratnaMatrica& p = record.gStep;
  if (record.ancestorState >= 0) return RowProduct(p, record.ancestorState, plan.descendants);
  // Unknown ancestor: the mean over all possible ancestral states.
  std::vector<CRazlomljenBroj> terms;
  terms.reserve(static_cast<std::size_t>(p.side));
  for (int32_t s = 0; s < p.side; ++s) terms.push_back(RowProduct(p, s, plan.descendants));
  return AscendingSum(terms) / CRazlomljenBroj(static_cast<double>(p.side));
}

CRazlomljenBroj GroupFactor(const std::vector<CSTROznaka>& records, const GroupPlan& plan) {
  CRazlomljenBroj factor(1.0);
  switch (plan.kind) {
    case GroupPlan::kNothing:
      break;
    case GroupPlan::kUnknownPair: {
      // Over the pairs (s1, s2) the product over descendants splits into a
      // product for copy 1 times one for copy 2.
      const CKvadratnaMatrica& p1 = records[plan.records[0]].gStep;
      const CKvadratnaMatrica& p2 = records[plan.records[1]].gStep;
      std::vector<CRazlomljenBroj> second;
      for (int32_t s2 = 0; s2 < p2.side; ++s2) second.push_back(RowProduct(p2, s2, plan.second));
      std::vector<CRazlomljenBroj> terms;
      terms.reserve(static_cast<std::size_t>(p1.side) * second.size());
      for (int32_t s1 = 0; s1 < p1.side; ++s1) {
        const CRazlomljenBroj first = RowProduct(p1, s1, plan.first);
        for (const CRazlomljenBroj& b : second) terms.push_back(first * b);
      }
      factor = AscendingSum(terms) / CRazlomljenBroj(static_cast<double>(terms.size()));
      break;
    }
    case GroupPlan::kKnownPair: {
      const CSTROznaka& r1 = records[plan.records[0]];
      const CSTROznaka& r2 = records[plan.records[1]];
      const int32_t a1 = r1.ancestorState, a2 = r2.ancestorState;
      for (const TuplePlan& tuple : plan.tuples) {
        const int32_t d1 = tuple.states[0], d2 = tuple.states[1];
        CRazlomljenBroj term = CRazlomljenBroj(r1.gStep.at(a1, d1)) * CRazlomljenBroj(r2.gStep.at(a2, d2));
        if (a1 != a2 && d1 != d2) {
          // The copies are not told apart: the crossed pairing counts too.
          term += CRazlomljenBroj(r1.gStep.at(a1, d2)) * CRazlomljenBroj(r2.gStep.at(a2, d1));
        }
        factor *= Power(term, tuple.count);
      }
      break;
    }
    case GroupPlan::kKnownMany: {
      std::vector<CRazlomljenBroj> terms;
      for (const TuplePlan& tuple : plan.tuples) {
        terms.clear();
        for (const COdregjivanjeSpojevaPreslikavanja& assignment : tuple.assignments) {
          CRazlomljenBroj term(1.0);
          for (std::size_t j = 0; j < plan.records.size(); ++j) {
            const CSTROznaka& r = records[plan.records[j]];
            term *= CRazlomljenBroj(r.gStep.at(r.ancestorState, tuple.states[assignment.copyOf[j]]));
          }
          terms.push_back(term);
        }
        if (!terms.empty()) factor *= Power(AscendingSum(terms), tuple.count);
      }
      break;
    }
  }
  return factor;
}

}  // namespace

bool ComputeAgeDistribution(int32_t markerChoice, std::vector<CSTROznaka>& records, CNizVerovatnoca& distribution,
                            int32_t withoutAncestor, const std::atomic<int>& stop, const TmrcaProgress& progress) {
  const std::size_t descendants = records.empty() ? 0 : records.front().descendantStates.size();
  const int32_t generations = static_cast<int32_t>(distribution.raw.size());
  if (!RecordsFit(records, descendants)) return false;
  const CopyGroups groups = GroupCopies(records);
  if (!GroupsFit(records, groups)) return false;
  const bool singlesTakePart = markerChoice == 0 || markerChoice == 1;
  const bool groupsTakePart = markerChoice == 1 || markerChoice == 2;

  std::vector<SinglePlan> singles;
  if (singlesTakePart) {
    for (const int32_t r : groups.singles) {
      std::vector<bool> take(descendants);
      for (std::size_t d = 0; d < descendants; ++d) take[d] = records[r].descendantStates[d] >= 0;
      singles.push_back({r, CountStates(records[r].descendantStates, take)});
    }
  }
  std::vector<GroupPlan> groupPlans;
  if (groupsTakePart) {
    for (const CopyGroup& group : groups.groups) groupPlans.push_back(PlanGroup(records, group, descendants));
  }

  // The copies of a multi-copy marker share one model: their g-step
  // matrices stay equal, so each is computed once and copied.
  std::vector<int32_t> sameAs(records.size(), -1);
  for (std::size_t r = 1; r < records.size(); ++r) {
    const std::size_t before = r - 1;
    const int32_t first = sameAs[before] >= 0 ? sameAs[before] : static_cast<int32_t>(before);
    if (records[r].marker == records[before].marker && records[r].oneStep == records[first].oneStep) {
      sameAs[r] = first;
    }
  }
  for (CSTROznaka& record : records) ResetGenerations(record);
  std::vector<GenerationWork> work(records.size());
  std::string lastProgress;
  for (int32_t g = 1; g <= generations; ++g) {
    if (stop.load(std::memory_order_relaxed) != 0) return false;
    if (progress) {
      std::string text = Format("%d%%", static_cast<int>(static_cast<double>(g) / generations * 100.0));
      if (text != lastProgress) {
        progress(text);
        lastProgress = std::move(text);
      }
    }
    CRazlomljenBroj likelihood(1.0);
    for (const SinglePlan& plan : singles) likelihood *= SingleFactor(records[plan.record], plan);
    for (const GroupPlan& plan : groupPlans) likelihood *= GroupFactor(records, plan);
    distribution.raw[static_cast<std::size_t>(g - 1)] = likelihood;
    if (g < generations) {
      for (std::size_t r = 0; r < records.size(); ++r) {
        if (sameAs[r] >= 0) {
          records[r].gStep.values = records[static_cast<std::size_t>(sameAs[r])].gStep.values;
        } else {
          AdvanceGeneration(records[r], &work[r]);
        }
      }
    }
  }
  NormaliseAgeDistribution(distribution, withoutAncestor);
  return true;
}

}  // namespace varnik
