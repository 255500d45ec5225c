#include "predictor/predictor_instructions.h"

#include <array>

namespace varnik {
namespace {

using Paragraphs = std::array<const char*, 6>;

constexpr Paragraphs kEnglish = {
    "Markers for prediction can be entered in FTDNA order and by their rules (take care for example on GATA H4 on "
    "17 or 23 markers results, it must be decreased by 1 for FTDNA). Values of different STRs should be delimited "
    "with spaces.",
    "In FTDNA order all multivalue STRs must be delimited by '-' sign, for example DYS385ab should be entered like "
    "15-17 and DYS464 like 13-14-15-16. Failing to do this, if entered without '-', entered values will be "
    "connected with wrong STRs, which will bring to wrong results. This allows easy entering of whole lines from "
    "FTDNA projects by simple copy-paste operation.",
    "It is possible to enter two or more values where is usually one, that might be needed for example in branch "
    "of G where DYS19 has two values instead of usual one.",
    "There where misses value of STR in order, should be entered sign '$' instead of number (e.g. 13 24 12 $ "
    "13-17). This allows entering of results of tests on 17 or 23 markers, or any other test.",
    "Beware that program calculates probabilities like all examined branches are equaly represented in population "
    "(like in Dunmore's predictor for chosen 'Equal priors' in field 'Area selection'). It was done this way "
    "because it is hard to make good assessment of participation of all used branches in any area.",
    "For easier entering of 17 or 23 markers' results of YFiler in their own order, input was made by choosing "
    "item in the down list. Here '-' is not necessary between DYS 385ab. If some value is missing, put $. Please "
    "beware that in this case GATA-H4 should be entered like it was got, without decreasing of value by 1.",
};

constexpr Paragraphs kSerbian = {
    "Маркери за предвиђање могу да се унесу по поретку FTDNA и по његовим правилима (пазите на пример на GATA H4 "
    "у налазима од 17 или 23 маркера, за FTDNA мора да се умањи за 1). Вредности различитих STR-ова треба "
    "раздвојити размацима.",
    "По поретку FTDNA сви STR-ови са више вредности морају да се раздвоје знаком '-', на пример DYS385ab се "
    "уноси као 15-17, а DYS464 као 13-14-15-16. Ако се то не уради, ако се унесу без '-', унете вредности ће се "
    "повезати са погрешним STR-овима, што доводи до погрешних исхода. Тако се цели редови из пројеката FTDNA "
    "лако уносе простим умножавањем и лепљењем.",
    "Могуће је унети две или више вредности тамо где је обично једна, што може бити потребно на пример у грани "
    "G где DYS19 има две вредности уместо уобичајене једне.",
    "Тамо где у поретку недостаје вредност STR-а, треба унети знак '$' уместо броја (нпр. 13 24 12 $ 13-17). "
    "Тако могу да се унесу налази тестова од 17 или 23 маркера, или било ког другог теста.",
    "Имајте на уму да програм рачуна вероватноће као да су све испитане гране подједнако заступљене у "
    "становништву (као у Данморовом предвиђачу кад се у пољу 'Area selection' изабере 'Equal priors'). Тако је "
    "урађено зато што је тешко добро проценити заступљеност свих употребљених грана у било којој области.",
    "Ради лакшег уноса налаза од 17 или 23 маркера YFiler-а у њиховом сопственом поретку, унос се бира ставком "
    "у падајућем списку. Ту '-' између DYS 385ab није потребна. Ако нека вредност недостаје, ставите $. Имајте "
    "на уму да у овом случају GATA-H4 треба унети онако како је добијен, без умањења вредности за 1.",
};

constexpr Paragraphs kRussian = {
    "Маркеры для предсказания можно вводить в порядке FTDNA и по его правилам (обратите внимание, например, на "
    "GATA H4 в результатах на 17 или 23 маркера: для FTDNA его нужно уменьшить на 1). Значения разных STR "
    "следует разделять пробелами.",
    "В порядке FTDNA все многозначные STR должны разделяться знаком '-', например DYS385ab следует вводить как "
    "15-17, а DYS464 как 13-14-15-16. Если этого не сделать и ввести значения без '-', они будут отнесены к "
    "неверным STR, что приведёт к неверным результатам. Это позволяет легко вводить целые строки из проектов "
    "FTDNA простым копированием и вставкой.",
    "Можно вводить два или более значений там, где обычно одно; это может понадобиться, например, в ветви G, "
    "где DYS19 имеет два значения вместо обычного одного.",
    "Там, где в порядке отсутствует значение STR, следует ввести знак '$' вместо числа (например, 13 24 12 $ "
    "13-17). Это позволяет вводить результаты тестов на 17 или 23 маркера или любого другого теста.",
    "Учтите, что программа вычисляет вероятности так, как будто все исследованные ветви одинаково представлены "
    "в населении (как в предсказателе Данмора при выборе 'Equal priors' в поле 'Area selection'). Так сделано "
    "потому, что трудно хорошо оценить долю всех используемых ветвей в какой-либо области.",
    "Для более удобного ввода результатов YFiler на 17 или 23 маркера в их собственном порядке порядок ввода "
    "выбирается пунктом в выпадающем списке. Здесь '-' между DYS 385ab не нужен. Если какое-то значение "
    "отсутствует, поставьте $. Учтите, что в этом случае GATA-H4 следует вводить таким, каким он получен, без "
    "уменьшения значения на 1.",
};

}  // namespace

std::string PredictorInstructions(int32_t language) {
  const Paragraphs& paragraphs = language == 0 ? kSerbian : language == 2 ? kRussian : kEnglish;
  std::string text;
  for (const char* paragraph : paragraphs) {
    if (!text.empty()) text += "\r\n\r\n";
    text += paragraph;
  }
  return text;
}

}  // namespace varnik
