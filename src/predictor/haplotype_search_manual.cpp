#include "predictor/haplotype_search.h"
#include "texts/text_table.h"

namespace varnik {
namespace {

constexpr const char* kEnglish[] = {
    "Dialog for Search of my collection of about 19 thousands haplotypes is very similar to dialog for Prediction "
    "of male haplogroups. Whole left side is identical to it, so I shall not spend much space for description of "
    "entering of input haplotype data. Because it is already described there.",
    "I shall try only to describe meaning of fields on right side. In upper right part are three fields from group "
    "'Settings'. First field determines minimal number of common markers two haplotypes (input haplotype and "
    "haplotype from collection) should have in order to be eligible for comparing. This field is very suitable when "
    "user wants to avoid comparision with short haplotypes, for example of length 12, because with them report often "
    "becomes overcrowded and blocked so cannot be got longer ones, those who are really relevant and needed. Then "
    "here should be entered bigger number, for example 17, 25, 37...",
    "Second field determines biggest allowed percent of different markers for haplotype to be displayed in result. "
    "For example if it is 30%, haplotypes from collection which differ in more than 30% of common markers from input "
    "haplotype will not be taken into account.",
    "Third field determines maximal number of haplotypes which will be displayed in report after search is finished, "
    "ordered by closeness.",
    "To describe fields with group name 'Constraints' is somewhat harder. Their purpose is to allow user to "
    "intentionally narrow extent of search. It is useful for investigating haplotypes which have some marker(s) with "
    "unusual or rare value, and when user wants to see only haplotypes from collection with the same values on "
    "chosen markers. For example, input haplotype has value 20 on DYS456, and user wants only haplotypes with "
    "identical value on that marker. Then in combo box user should choose DYS456 and write value of 20 in edit box "
    "right from it, and program will in report display only such haplotypes. This way is much easier to search for "
    "close haplotypes, when unusual values are noticed for his haplogroup (unusual values could be easily seen on "
    "picture to right in dialog for prediction of male haplogroups). In short, for search are eligible only "
    "haplotypes which fulfill all given constraints.",
    "If user wants to limit both values on double-value marker, (for example DYS385 on 12-19), then he should choose "
    "in two combo boxes DYS385 and right from them write in coresponding edit fields values 12 and 19.",
    "It is possible for value to enter longer range, for example 12~15 (it includes numbers 12, 13, 14 and 15), or "
    "range unlimited on left (for example ~15, which includes number 15 and all smaller than it), or range unlimited "
    "on right (for example 20~).",
    "In resulting report are written satisfying haplotypes ordered by increasing number of differences with input "
    "haplotype. For example, if you see in first resulting haplotype something like: 1. 7/37 (10), 7/37 means that "
    "two haplotypes are different on seven markers out of common 37. Number in brackets (10) denotes that total "
    "difference of values on seven markers is 10, and this number cannot be lesser than first number.",
};

constexpr const char* kSerbian[] = {
    "Прозор за претрагу моје збирке од око 19 хиљада хапловрст врло йе сличан прозору за прѣдвиђанйе мушких лоз. "
    "Цѣла лѣва страна йеднака йе ньему, па унос улазне хапловрсте нећу овде поново описивати, йер йе тамо већ описан.",
    "Горе десно су три поља из скупа 'Поставке'. Прво одређуйе наймањи брой зайедничких ознака коие две хапловрсте "
    "(улазна и она из збирке) морайу имати да би се поредиле. Корисно йе кад се желе избећи кратке хапловрсте, "
    "нпр. од 12 ознака, коие често затрпайу извѣштай, па се не виде дуже, оне коие су заиста битне; тада се уноси "
    "већи брой, нпр. 17, 25, 37... Друго поље одређуйе найвећи дозвољени постотак различитих ознака: ако йе 30%, "
    "хапловрсте из збирке коие се разликуйу у више од 30% зайедничких ознака не узимайу се у обзир.",
    "Треће поље одређуйе найвећи брой хапловрст коие ће се по завршеној претрази исписати у извѣштайу, поређане по "
    "блискости.",
    "Поља из скупа 'Ограничења' служе да корисник намерно сузи претрагу. Корисна су кад хапловрста има неку ознаку с "
    "необичном или рѣтком врѣдношћу, а корисник жели видѣти само хапловрсте из збирке с истом врѣдношћу на одабраним "
    "ознакама. На примѣр, ако улазна хапловрста има 20 на ДЫС456, у падайућем списку се одабере ДЫС456 и десно од "
    "ньега упише 20, па ће извѣштай садржати само такве хапловрсте. У претрагу улазе само хапловрсте коие испуньавайу "
    "сва задата ограничења.",
    "Ако се желе ограничити обѣ врѣдности двоструке ознаке (нпр. ДЫС385 на 12-19), у два падайућа списка се одабере "
    "ДЫС385 и десно од ньих упишу врѣдности 12 и 19.",
    "Може се унети и распон, нпр. 12~15 (обухвата 12, 13, 14 и 15), распон неограничен слѣва (нпр. ~15, тй. 15 и све "
    "мање) или здесна (нпр. 20~).",
    "У извѣштайу су хапловрсте коие задовољавайу услове, поређане по растућем бройу разлика с улазном хапловрстом. "
    "Нпр. '1. 7/37 (10)' значи да се две хапловрсте разликуйу на седам од 37 зайедничких ознака, а брой у заградама "
    "(10) йе укупна разлика врѣдности на тих седам ознака, и не може бити мањи од првог бройа.",
};

template <std::size_t N>
std::string Join(const char* const (&paragraphs)[N]) {
  std::string out;
  for (std::size_t i = 0; i < N; ++i) {
    if (i > 0) out += "\r\n\r\n";
    out += paragraphs[i];
  }
  return out;
}

}  // namespace

std::string HaplotypeSearchManual(int32_t language) {
  if (language < 0) language = g_language;
  return language == kLanguageSerbian ? Join(kSerbian) : Join(kEnglish);
}

}  // namespace varnik
