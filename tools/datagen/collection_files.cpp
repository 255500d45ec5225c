#include "collection_files.h"

#include <cstdio>

#include "common/binary_io.h"
#include "common/format.h"
#include "common/utf.h"
#include "predictor_models.h"
#include "split_mix.h"
#include "ystr/haplotype_convert.h"
#include "ystr/haplotype_text.h"
#include "ystr/markers.h"
#include "ystr/panels.h"
#include "ystr/sample_collections.h"
#include "ystr_simulator.h"

namespace varnik::datagen {
namespace {

constexpr uint64_t kCollectionSeed = 7100;

// A lineage of the simulator and its share of a region's men, in percent.
struct Share {
  const char* lineage;
  int32_t percent;
};

// A group of a collection: its names in Serbian, English and Russian, how
// many sample lines it has and the haplogroup mix of its men.
struct GroupPlan {
  const char* serbian;
  const char* english;
  const char* russian;
  int32_t lines;
  std::vector<Share> mix;
};

struct CollectionPlan {
  const char* note;                 // the note of every group
  const char* namePrefix;           // sample names: prefix and number
  std::vector<GroupPlan> groups;
};

const std::vector<Share> kBalkanSlavic = {{"I2-M423", 34}, {"E-V13", 20}, {"R1a-Z280", 14}, {"R1a-M458", 3},
                                          {"R1b-M269", 7}, {"J2b", 4}, {"J2a", 5}, {"I1", 5}, {"G2a", 3},
                                          {"J1", 2}, {"N1c", 2}, {"E-M123", 1}};
const std::vector<Share> kMontenegro = {{"I2-M423", 30}, {"E-V13", 27}, {"J2b", 5}, {"J2a", 4}, {"R1b-M269", 8},
                                        {"R1a-Z280", 7}, {"G2a", 4}, {"I1", 4}, {"J1", 4}, {"E-M123", 2},
                                        {"T", 2}, {"E-V22", 1}, {"N1c", 2}};
const std::vector<Share> kItaly = {{"R1b-M269", 39}, {"J2a", 17}, {"E-V13", 8}, {"G2a", 9}, {"I2-M223", 3},
                                   {"I1", 4}, {"E-M81", 3}, {"J1", 3}, {"R1a-Z280", 2}, {"R1a-Z93", 1},
                                   {"J2b", 3}, {"E-M123", 3}, {"T", 3}, {"Q", 1}, {"E-V12", 1}};
const std::vector<Share> kCroatia = {{"I2-M423", 38}, {"R1a-Z280", 17}, {"R1a-M458", 7}, {"E-V13", 10},
                                     {"R1b-M269", 7}, {"J2a", 4}, {"J2b", 2}, {"I1", 7}, {"G2a", 3},
                                     {"N1c", 2}, {"J1", 2}, {"T", 1}};
const std::vector<Share> kBulgaria = {{"E-V13", 21}, {"I2-M423", 22}, {"R1a-Z280", 13}, {"R1a-Z93", 3},
                                      {"J2a", 10}, {"G2a", 5}, {"R1b-M269", 11}, {"J2b", 4}, {"I1", 4},
                                      {"J1", 3}, {"T", 2}, {"N1c", 2}};
const std::vector<Share> kBosnia = {{"I2-M423", 50}, {"R1a-Z280", 13}, {"E-V13", 12}, {"J2a", 4}, {"J2b", 2},
                                    {"I1", 5}, {"R1b-M269", 5}, {"G2a", 4}, {"J1", 3}, {"N1c", 2}};
const std::vector<Share> kGreece = {{"E-V13", 31}, {"J2a", 20}, {"R1b-M269", 12}, {"I2-M423", 10},
                                    {"R1a-Z280", 8}, {"G2a", 6}, {"J2b", 5}, {"J1", 3}, {"T", 2},
                                    {"E-M123", 2}, {"E-V22", 1}};
const std::vector<Share> kVarious = {{"R1b-M269", 20}, {"J1", 12}, {"J2a", 12}, {"E-M81", 8}, {"E-M123", 8},
                                     {"G2a", 8}, {"L", 6}, {"H", 4}, {"Q", 4}, {"C2", 3}, {"O2", 3},
                                     {"E1b1a", 6}, {"T", 6}};
const std::vector<Share> kWesternEurope = {{"R1b-M269", 55}, {"I1", 14}, {"I2-M223", 6}, {"R1a-Z284", 4},
                                           {"R1a-L664", 2}, {"G2a", 6}, {"E-V13", 4}, {"J2a", 4}, {"N1c", 2},
                                           {"J1", 2}, {"Q", 1}};
const std::vector<Share> kEasternEurope = {{"R1a-Z280", 38}, {"R1a-M458", 12}, {"N1c", 14}, {"I2-M423", 10},
                                           {"R1b-M269", 8}, {"I1", 5}, {"E-V13", 4}, {"J2a", 3}, {"G2a", 2},
                                           {"R1a-Z93", 2}, {"Q", 1}, {"C2", 1}};
const std::vector<Share> kNearEast = {{"J1", 30}, {"J-P58", 8}, {"J2a", 18}, {"J-M67", 4}, {"E-M123", 8},
                                      {"E-M34", 6}, {"G2a", 8}, {"R1b-M269", 6}, {"T", 4}, {"L", 3},
                                      {"R1a-Z93", 3}, {"E-M81", 2}};
const std::vector<Share> kAsia = {{"O2", 30}, {"O1a", 12}, {"C2", 14}, {"D", 6}, {"N1c", 6}, {"Q", 8},
                                  {"R1a-Z93", 8}, {"R1a-Z2124", 4}, {"L", 4}, {"H", 4}, {"J2a", 4}};
const std::vector<Share> kAfrica = {{"E1b1a", 45}, {"E-M81", 15}, {"E-M293", 8}, {"E-Z830", 6}, {"E1a", 8},
                                    {"A1b1", 6}, {"B", 6}, {"R1b-V88", 6}};

std::vector<CollectionPlan> CollectionPlans() {
  return {
      {"Uzorci poznatih ogranaka, na osnovu kojih je uvezban predvidjac", "PRED-",
       {{"Западна Европа", "Western Europe", "Западная Европа", 2600, kWesternEurope},
        {"Источна Европа", "Eastern Europe", "Восточная Европа", 2200, kEasternEurope},
        {"Балкан", "Balkans", "Балканы", 1800, kBalkanSlavic},
        {"Блиски Исток", "Near East", "Ближний Восток", 1200, kNearEast},
        {"Азия", "Asia", "Азия", 700, kAsia},
        {"Африка", "Africa", "Африка", 500, kAfrica}}},
      {"Uzorci iz javnih poduhvata FTDNA, bez odredjenih SNPova", "FT-",
       {{"Србия", "Serbia", "Сербия", 800, kBalkanSlavic},
        {"Хрватска", "Croatia", "Хорватия", 600, kCroatia},
        {"Италия", "Italy", "Италия", 700, kItaly},
        {"Нѣмачка", "Germany", "Германия", 1100, kWesternEurope},
        {"Руссия", "Russia", "Россия", 1000, kEasternEurope},
        {"Арабско полуострво", "Arabian Peninsula", "Аравийский полуостров", 600, kNearEast},
        {"Разни", "Various", "Разные", 700, kVarious}}},
      {"Uzorci clanova poduhvata, 16 ili 17 oznak", "RDP-",
       {{"Шумадия", "Sumadija", "Шумадия", 450, kBalkanSlavic},
        {"Войводина", "Vojvodina", "Воеводина", 350, kCroatia},
        {"Стара Херцеговина", "Old Herzegovina", "Старая Герцеговина", 300, kMontenegro},
        {"Косово и Метохия", "Kosovo and Metohija", "Косово и Метохия", 300, kBulgaria}}},
      {"Objavljeno istrazivanje, 17 oznak", "CG-",
       {{"Стара Црна Гора", "Old Montenegro", "Старая Черногория", 120, kMontenegro},
        {"Брда", "Brda", "Брда", 100, kMontenegro},
        {"Приморье", "Littoral", "Приморье", 60, kGreece}}},
      {"Objavljeno istrazivanje, 17 oznak", "SR-",
       {{"Србия", "Serbia", "Сербия", 150, kBalkanSlavic}}},
      {"Objavljeno istrazivanje, 17 oznak", "IT-",
       {{"Сѣверна Италия", "Northern Italy", "Северная Италия", 330, kItaly},
        {"Средня Италия", "Central Italy", "Центральная Италия", 250, kItaly},
        {"Южна Италия", "Southern Italy", "Южная Италия", 224, kGreece},
        {"Сицилия", "Sicily", "Сицилия", 80, kNearEast}}},
      {"Objavljeno istrazivanje, 17 oznak", "HR-",
       {{"Копно", "Mainland", "Материк", 700, kCroatia},
        {"Острва", "Islands", "Острова", 400, kBosnia}}},
      {"Objavljeno istrazivanje, 17 oznak", "BG-",
       {{"Бугарска", "Bulgaria", "Болгария", 247, kBulgaria}}},
      {"Objavljeno istrazivanje, 23 oznake", "BH-",
       {{"Босна и Херцеговина", "Bosnia and Herzegovina", "Босния и Герцеговина", 100, kBosnia}}},
      {"Objavljeno istrazivanje i razni drugi izvori, 17 oznak", "GR-",
       {{"Сѣверна Грчка", "Northern Greece", "Северная Греция", 191, kGreece},
        {"Разни", "Various", "Разные", 160, kVarious}}},
  };
}

// Men of a group: each line's lineage is drawn from the mix.
std::vector<Haplotype> GroupMen(const YstrSimulator& simulator, const GroupPlan& group, SplitMix64& random) {
  int32_t total = 0;
  for (const Share& share : group.mix) total += share.percent;
  std::vector<Haplotype> men;
  men.reserve(static_cast<std::size_t>(group.lines));
  for (int32_t i = 0; i < group.lines; ++i) {
    int32_t pick = random.Between(0, total - 1);
    const Share* chosen = &group.mix.front();
    for (const Share& share : group.mix) {
      if (pick < share.percent) {
        chosen = &share;
        break;
      }
      pick -= share.percent;
    }
    const auto samples = simulator.Samples({FindLineage(chosen->lineage)}, 1, random.Next());
    Haplotype h = samples.front().haplotype;
    Convert389(h, false, true);  // files hold DYS389II in full
    men.push_back(std::move(h));
  }
  return men;
}

// Values of a panel in its order, -1 for missing; GATA H4 as laboratories
// count it (one above FTDNA).
std::vector<int32_t> PanelValues(const Haplotype& h, int32_t panel) {
  std::vector<int32_t> values;
  for (const PanelEntry& entry : Panel(panel)) {
    const int32_t start = FindColumn(h, entry.column);
    int32_t value = -1;
    if (start >= 0 && static_cast<std::size_t>(start + entry.copy) < h.size() &&
        h[static_cast<std::size_t>(start + entry.copy)].copy == entry.copy) {
      value = h[static_cast<std::size_t>(start + entry.copy)].value;
    }
    if (entry.column == kColumnGataH4 && value >= 1) ++value;
    values.push_back(value);
  }
  return values;
}

std::string JoinValues(const std::vector<int32_t>& values, const char* missing, const char* separator) {
  std::string out;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) out += separator;
    out += values[i] < 0 ? std::string(missing) : Format("%d", values[i]);
  }
  return out;
}

// Blanks out a few values the way real kits lack them; DYS389I stays, as
// DYS389II needs it.
void DropSomeValues(Haplotype& h, SplitMix64& random, double share) {
  int32_t column = -1;
  for (CVrednostSTRa& v : h) {
    if (v.copy == 0) ++column;
    if (column != kColumnDys389i && column != kColumnDys389ii && random.Uniform() < share) v.value = -1;
  }
}

std::string SampleName(const CollectionPlan& plan, int32_t number, SplitMix64& random) {
  static const char* const kSurnames[] = {"Petrovic", "Jovanovic", "Nikolic", "Markovic", "Popovic", "Kovac",
                                          "Horvat", "Rossi", "Russo", "Ivanov", "Georgiev", "Papadopoulos",
                                          "Muller", "Schmidt", "Smirnov", "Hasanovic", "Vukovic", "Radovic"};
  std::string name = Format("%s%04d", plan.namePrefix, number);
  if (random.Uniform() < 0.3) name += std::string(" ") + kSurnames[random.Next() % std::size(kSurnames)];
  return name;
}

// One sample line of a collection in its format; empty for a man the
// format leaves out.
std::string SampleLine(int32_t format, const std::string& name, Haplotype h, SplitMix64& random) {
  switch (format) {
    case 0: {
      constexpr int32_t kPanels[] = {11, 20, 30, 58, 102};
      const int32_t columns = kPanels[random.Between(0, 4)];
      KeepFirstMarkers(h, columns - 1);
      DropSomeValues(h, random, 0.02);
      std::string weight;
      const double u = random.Uniform();
      if (u < 0.05) weight = Format("* %d ", random.Between(2, 4));
      else if (u < 0.07) weight = "* U 1 ";
      else if (u < 0.08) weight = "* I 0.5 ";
      return name + " # " + weight + FormatHaplotype(h, false);
    }
    case 5: {
      std::vector<int32_t> values = PanelValues(h, kPanel17Ftdna);
      // The project writes GATA H4 as FTDNA counts it.
      if (values[13] >= 1) --values[13];
      if (random.Uniform() < 0.25) values.pop_back();  // kits without DYS635
      return name + " # " + JoinValues(values, "$", " ");
    }
    case 1: case 7: case 2: case 3: case 4: case 6: {
      const int32_t panel = format == 2 ? kPanel17Ftdna : format == 3 ? kPanel19Ftdna
                            : format == 4 ? kPanel17Ascending : format == 6 ? kPanel23Kit : kPanel17Kit;
      DropSomeValues(h, random, 0.01);
      const char* missing = format == 3 ? "NA" : "$";
      const char* separator = format == 2 || format == 3 ? "\t" : " ";
      std::string line = JoinValues(PanelValues(h, panel), missing, separator) + separator + name;
      if (format == 1) line = Format("%d ", random.Uniform() < 0.85 ? 1 : random.Between(2, 4)) + line;
      return line;
    }
    default:
      return {};
  }
}

}  // namespace

std::string CollectionFileText(int index) {
  static const YstrSimulator simulator(kLineageSeed);
  const std::vector<CollectionPlan> plans = CollectionPlans();
  const CollectionPlan& plan = plans[static_cast<std::size_t>(index)];
  const int32_t format = SampleCollections()[static_cast<std::size_t>(index)].format;
  SplitMix64 random(kCollectionSeed + static_cast<uint64_t>(index));
  std::string text = "{ Simulated haplotypes, made by varnik-datagen }\r\n";
  int32_t number = 0;
  for (std::size_t g = 0; g < plan.groups.size(); ++g) {
    const GroupPlan& group = plan.groups[g];
    text += Format("\r\n[%s#%s#%s]\r\n", group.serbian, group.english, group.russian);
    text += Format(";%s\r\n", plan.note);
    const std::vector<Haplotype> men = GroupMen(simulator, group, random);
    for (std::size_t i = 0; i < men.size(); ++i) {
      if (i > 0 && i % 250 == 0) text += Format(";%s (deo %zu)\r\n", plan.note, i / 250 + 1);
      text += SampleLine(format, SampleName(plan, ++number, random), men[i], random) + "\r\n";
    }
  }
  return text;
}

bool WriteSampleCollections(const std::string& folder) {
  for (int index = 0; index < kCollectionCount; ++index) {
    const std::string path = folder + "/" + SampleCollections()[static_cast<std::size_t>(index)].fileName;
    if (!WriteFileAtomically(path, Utf16LeWithBom(CollectionFileText(index)))) {
      std::fprintf(stderr, "varnik-datagen: cannot write %s\n", path.c_str());
      return false;
    }
  }
  return true;
}

}  // namespace varnik::datagen
