#include "autosomal/autosomal_messages.h"

#include "common/format.h"
#include "texts/text_table.h"

namespace varnik {

namespace {

struct MessageRow {
  AutosomalMessage id;
  const char* texts[3];  // Serbian, English, Russian
};

// clang-format off
constexpr MessageRow kRows[] = {
    {AutosomalMessage::kCannotOpen,
     {"датотека се не може отворити", "the file cannot be opened", "файл не удаётся открыть"}},
    {AutosomalMessage::kTooLarge,
     {"датотека йе превелика", "the file is too large", "файл слишком велик"}},
    {AutosomalMessage::kLineEnd,
     {"неочекивани край реда (CR без LF)", "unexpected line end (a CR without an LF)",
      "неожиданный конец строки (CR без LF)"}},
    {AutosomalMessage::kPopulationCount,
     {"први ред мора дати брой становништава, наймање 2", "the first line must give the number of populations, at least 2",
      "первая строка должна задавать число популяций, не меньше 2"}},
    {AutosomalMessage::kPopulationLine,
     {"ред становништва мора имати име и три броя бойе", "a population line must have a name and three colour numbers",
      "строка популяции должна содержать имя и три числа цвета"}},
    {AutosomalMessage::kSnpLineFields,
     {"ред СНПа мора имати %d поља", "a SNP line must have %d fields", "строка SNP должна содержать %d полей"}},
    {AutosomalMessage::kNotANumber,
     {"поље %d: \"%s\" нийе брой", "field %d: \"%s\" is not a number", "поле %d: \"%s\" не число"}},
    {AutosomalMessage::kMissingValue,
     {"поље %d: вредност недостайе", "field %d: the value is missing", "поле %d: значение отсутствует"}},
    {AutosomalMessage::kAllelePair,
     {"пар алела \"%s\" мора имати два знака", "the allele pair \"%s\" must have two characters",
      "пара аллелей \"%s\" должна состоять из двух знаков"}},
    {AutosomalMessage::kParTooShort,
     {"датотека рачунача мора имати наймање 7 редова", "the calculator file must have at least 7 lines",
      "файл калькулятора должен содержать не меньше 7 строк"}},
    {AutosomalMessage::kTooFewPopulations,
     {"потребна су наймање 2 становништва", "at least 2 populations are needed", "нужно не меньше 2 популяций"}},
    {AutosomalMessage::kAlleleField,
     {"сваки алел мора бити йедан знак", "each allele must be one character", "каждый аллель должен быть одним знаком"}},
    {AutosomalMessage::kFrequencyCount,
     {"очекивано %d учесталости, нађено %d", "%d frequencies expected, %d found", "ожидалось частот: %d, найдено: %d"}},
    {AutosomalMessage::kFrequencyFileShort,
     {"датотека се завршава после %d редова, а СНПова йе %d", "the file ends after %d lines, but there are %d SNPs",
      "файл заканчивается после %d строк, а SNP %d"}},
    {AutosomalMessage::kUnknownLayout,
     {"нийе сирова датотека генома койу овай програм познайе; познати облици: "
      "RSID,CHROMOSOME,POSITION,RESULT (зарезима, с наводницима или без, и малим словима), "
      "rsid chromosome position genotype (табулаторима, с коментарима '#'), "
      "rsid chromosome position allele1 allele2 (табулаторима), "
      "име хромозома положай генотип (размацима), SNP,Chr,Allele1,Allele2 (зарезима); "
      "и такве датотеке у .zip или .gz",
      "not a raw genotype file this program knows; the layouts it knows: "
      "RSID,CHROMOSOME,POSITION,RESULT (commas, quoted or not, also in lower case), "
      "rsid chromosome position genotype (tabs, '#' comments), "
      "rsid chromosome position allele1 allele2 (tabs), "
      "name chromosome position genotype (spaces), SNP,Chr,Allele1,Allele2 (commas); "
      "and such files in a .zip or .gz",
      "не файл сырых данных генома, известный программе; известные форматы: "
      "RSID,CHROMOSOME,POSITION,RESULT (запятые, в кавычках или без, также строчными), "
      "rsid chromosome position genotype (табуляции, комментарии '#'), "
      "rsid chromosome position allele1 allele2 (табуляции), "
      "имя хромосома позиция генотип (пробелы), SNP,Chr,Allele1,Allele2 (запятые); "
      "и такие файлы в .zip или .gz"}},
    {AutosomalMessage::kLayoutNotForPainting,
     {"овай облик нема положайе СНПова", "this layout has no SNP positions", "в этом формате нет позиций SNP"}},
    {AutosomalMessage::kNoCommonSnps,
     {"нийедан СНП узорка нийе у рачуначу", "no SNP of the sample is in the calculator",
      "ни один SNP образца не найден в калькуляторе"}},
    {AutosomalMessage::kNoPossibleGenotype,
     {"нийедан СНП узорка нема генотип койи учесталости рачунача допуштайу (учесталост 0 или 1 у свим становништвима)",
      "no SNP of the sample has a genotype that the calculator's frequencies allow (a frequency of 0 or 1 in every "
      "population)",
      "ни у одного SNP образца нет генотипа, допустимого частотами калькулятора (частота 0 или 1 во всех популяциях)"}},
    {AutosomalMessage::kNoCalculatorAlleles,
     {"нийедан СНП узорка койи йе у рачуначу нема генотип од слова рачуначевих алела (само уметања, брисања или друга "
      "слова)",
      "no SNP of the sample that is in the calculator has a genotype of the calculator's alleles (only insertions, "
      "deletions or other letters)",
      "ни у одного SNP образца из калькулятора нет генотипа из аллелей калькулятора (только вставки, делеции или "
      "другие буквы)"}},
    {AutosomalMessage::kReportNotWritten,
     {"извѣштай се не може записати у %s", "the report could not be written to %s",
      "отчёт не удалось записать в %s"}},
    {AutosomalMessage::kNoSuchChromosome,
     {"хромозома %d не постойи: СНПови узорка су на %d хромозома", "there is no chromosome %d: the sample's SNPs lie on %d chromosomes",
      "хромосомы %d нет: SNP образца лежат на %d хромосомах"}},
    {AutosomalMessage::kStopped, {"заустављено", "stopped", "остановлено"}},
    {AutosomalMessage::kChromosomeField,
     {"хромозома и положай морайу бити бройеви", "the chromosome and the position must be numbers",
      "хромосома и позиция должны быть числами"}},
    {AutosomalMessage::kEmptyGeneticMap,
     {"генетска мапа нема нийедан положай", "the genetic map holds no positions", "в генетической карте нет ни одной позиции"}},
    {AutosomalMessage::kMapLayout,
     {"ред мапе мора бити \"име,хромозома,положай,цМ,цМ,цМ\", \"хромозома име цМ положай\" или \"хромозома положай стопа цМ\"",
      "a map line must be \"name,chromosome,position,cM,cM,cM\", \"chromosome name cM position\" or \"chromosome position rate cM\"",
      "строка карты должна быть \"имя,хромосома,позиция,сМ,сМ,сМ\", \"хромосома имя сМ позиция\" или \"хромосома позиция скорость сМ\""}},
    {AutosomalMessage::kTooFewGenomes,
     {"за поређенње одаберите наймање два генома, за сродност родитеља наймање йедан",
      "choose at least two genomes for a comparison, or at least one for the relatedness of parents",
      "для сравнения выберите не меньше двух геномов, для родства родителей не меньше одного"}},
    {AutosomalMessage::kPackedDamaged,
     {"спакована датотека йе оштећена или скраћена", "the packed file is damaged or cut short",
      "упакованный файл повреждён или обрезан"}},
    {AutosomalMessage::kPackedUnsupported,
     {"спакована датотека користи начин паковања или шифровање кое се не може читати",
      "the packed file uses a packing method or encryption that cannot be read",
      "упакованный файл использует метод сжатия или шифрование, которые не читаются"}},
    {AutosomalMessage::kNoUnpacking,
     {"ово издање програма не чита спаковане датотеке (.zip, .gz): распакуйте йе",
      "this build of the program cannot read packed files (.zip, .gz): unpack it first",
      "эта сборка программы не читает упакованные файлы (.zip, .gz): распакуйте его"}},
    {AutosomalMessage::kZipContents,
     {"архива .zip садржи %s; међу њима нийе тачно йедна сирова датотека генома",
      "the .zip archive holds %s; not exactly one of them is a raw genotype file",
      "архив .zip содержит %s; среди них не ровно один файл сырых данных генома"}},
    {AutosomalMessage::kOtherBuildCalculator,
     {"%lld од %lld СНПова нађених по имену лежи на другим положайима него у рачуначу: датотека йе на другой "
      "верзийи генома; СНПови се спайайу по имену и узимайу положайе рачунача",
      "%lld of %lld SNPs found by name lie at other positions than in the calculator: the file is on another genome "
      "build; its SNPs are matched by name and take the calculator's positions",
      "%lld из %lld SNP, найденных по имени, лежат на других позициях, чем в калькуляторе: файл на другой сборке "
      "генома; SNP сопоставляются по имени и получают позиции калькулятора"}},
    {AutosomalMessage::kOtherBuildMap,
     {"%lld од %lld СНПова нађених по имену лежи на другим положайима него у генетской мапи: датотека йе на другой "
      "верзийи генома; СНПови се смештайу по имену на положайе мапе, а %lld СНПова коих нема у мапи се изоставлйа",
      "%lld of %lld SNPs found by name lie at other positions than in the genetic map: the file is on another genome "
      "build; its SNPs are placed by name at the map's positions, and %lld SNPs the map lacks are left out",
      "%lld из %lld SNP, найденных по имени, лежат на других позициях, чем в генетической карте: файл на другой "
      "сборке генома; SNP размещаются по имени на позициях карты, а %lld SNP, которых нет в карте, пропускаются"}},
};
// clang-format on

constexpr const char* kLineWord[3] = {"ред", "line", "строка"};

int Pick(int language) {
  if (language < 0) language = g_language;
  return language >= 0 && language <= 2 ? language : kLanguageEnglish;
}

}  // namespace

const char* AutosomalMessageText(AutosomalMessage message, int language) {
  for (const MessageRow& row : kRows) {
    if (row.id == message) return row.texts[Pick(language)];
  }
  return "";
}

std::string FileMessage(std::string_view path, long long line, std::string_view text, int language) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::string name(slash == std::string_view::npos ? path : path.substr(slash + 1));
  const std::string body(text);
  if (line <= 0) return Format("%s: %s", name.c_str(), body.c_str());
  return Format("%s, %s %lld: %s", name.c_str(), kLineWord[Pick(language)], line, body.c_str());
}

}  // namespace varnik
