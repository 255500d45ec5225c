#include "ystr/panels.h"

#include <array>

#include "ystr/markers.h"

namespace varnik {
namespace {

template <std::size_t N>
constexpr std::array<PanelEntry, N> Entries(const EOznaka (&ids)[N]) {
  std::array<PanelEntry, N> entries{};
  for (std::size_t i = 0; i < N; ++i) MarkerColumnAndCopy(ids[i], entries[i].column, entries[i].copy);
  return entries;
}

constexpr EOznaka k17Kit[] = {kDys456, kDys389i, kDys390,  kDys389ii, kDys458, kDys19,
                              kDys385a, kDys385b, kDys393, kDys391,  kDys439, kDys635,
                              kDys392, kGataH4,  kDys437, kDys438,   kDys448};
constexpr EOznaka k17Ascending[] = {kDys19,  kDys385a, kDys385b, kDys389i, kDys389ii, kDys390,
                                    kDys391, kDys392,  kDys393,  kDys437,  kDys438,   kDys439,
                                    kDys448, kDys456,  kDys458,  kDys635,  kGataH4};
constexpr EOznaka k17Ftdna[] = {kDys393, kDys390,   kDys19,  kDys391, kDys385a, kDys385b,
                                kDys439, kDys389i,  kDys392, kDys389ii, kDys458, kDys437,
                                kDys448, kGataH4,   kDys456, kDys438, kDys635};
constexpr EOznaka k19Ftdna[] = {kDys393, kDys390,  kDys19,  kDys391,   kDys385a, kDys385b, kDys426,
                                kDys388, kDys439,  kDys389i, kDys392,  kDys389ii, kDys458, kDys437,
                                kDys448, kGataH4,  kDys456, kDys438,   kDys635};
constexpr EOznaka k23Kit[] = {kDys576, kDys389i, kDys448, kDys389ii, kDys19,  kDys391,
                              kDys481, kDys549,  kDys533, kDys438,   kDys437, kDys570,
                              kDys635, kDys390,  kDys439, kDys392,   kDys643, kDys393,
                              kDys458, kDys385a, kDys385b, kDys456,  kGataH4};
constexpr EOznaka k23Ftdna[] = {kDys393, kDys390,  kDys19,  kDys391,   kDys385a, kDys385b,
                                kDys439, kDys389i, kDys392, kDys389ii, kDys458,  kDys437,
                                kDys448, kGataH4,  kDys456, kDys576,   kDys570,  kDys438,
                                kDys481, kDys549,  kDys533, kDys635,   kDys643};

constexpr auto kEntries17Kit = Entries(k17Kit);
constexpr auto kEntries17Ascending = Entries(k17Ascending);
constexpr auto kEntries17Ftdna = Entries(k17Ftdna);
constexpr auto kEntries19Ftdna = Entries(k19Ftdna);
constexpr auto kEntries23Kit = Entries(k23Kit);
constexpr auto kEntries23Ftdna = Entries(k23Ftdna);

static_assert(kEntries23Kit[0] == PanelEntry{25, 0} && kEntries23Kit[20] == PanelEntry{kColumnDys385, 1});

}  // namespace

std::span<const PanelEntry> Panel(int32_t panel) {
  switch (panel) {
    case kPanel17Kit: return kEntries17Kit;
    case kPanel17Ascending: return kEntries17Ascending;
    case kPanel17Ftdna: return kEntries17Ftdna;
    case kPanel19Ftdna: return kEntries19Ftdna;
    case kPanel23Kit: return kEntries23Kit;
    case kPanel23Ftdna: return kEntries23Ftdna;
    default: return {};
  }
}

int32_t PanelOfInputOrder(int32_t order) {
  constexpr int32_t kPanels[] = {-1, kPanel17Kit, kPanel17Ascending, kPanel17Ftdna, kPanel23Kit, kPanel23Ftdna};
  return order >= 0 && order < 6 ? kPanels[order] : -1;
}

}  // namespace varnik
