#include "shell/menu.h"

#include "texts/text_table.h"

namespace varnik {

const std::vector<MenuPopup>& MainMenu() {
  static const std::vector<MenuPopup> menu = {
      {"Izbor",
       {
           {kCmdLoadComputedAxes, false, false, "Ucitaj proracunate ose..."},
           {0, false, false, ""},
           {kCmdHaplogroupPredictor, false, false, "Predvidjac muskih loza..."},
           {kCmdHaplotypeSearch, false, false, "Pretraga haplovrst..."},
           {kCmdTmrca, false, false, "Starost najskorijega zajednickoga predka..."},
           {0, false, false, ""},
           {kCmdChromosomePainting, false, false, "Mazanje hromozoma..."},
           {kCmdChangeDrawingMode, false, false, "Promena nacina crtanja\tCtrl+Shift+C"},
           {kCmdAdmixture, false, false, "Proracun izmesanosti..."},
           {kCmdGenomeComparison, false, false, "Poredjenje genoma i srodnost roditelja..."},
           {0, false, false, ""},
           {kCmdExit, false, false, "Kraj"},
       }},
      {"Prikaz",
       {
           {kCmdShowPopulationNames, false, true, "Ispis stanovnistava"},
           {kCmdShowSampleNames, false, false, "Ispis imen uzoraka"},
           {kCmdShowNameUnderMouse, false, true, "Ispis imena uzorka pod misem"},
           {kCmdFlipHorizontal, false, false, "Obrni vodoravnu osu"},
           {kCmdFlipVertical, false, false, "Obrni uspravnu osu"},
           {0, false, false, ""},
           {kCmdZoomIn, false, false, "Uvecaj"},
           {kCmdZoomOut, false, false, "Umanji"},
           {0, false, false, ""},
           {kCmdLanguageSerbian, false, false, "Srbski jezik"},
           {kCmdLanguageRussian, false, false, "Russkij jazyk"},
           {kCmdLanguageEnglish, false, false, "English language"},
           {0, false, false, ""},
           {kCmdAbout, true, false, "O ostvarenju..."},
       }},
  };
  return menu;
}

const std::vector<Accelerator>& AcceleratorTable() {
  using K = AccelKey;
  static const std::vector<Accelerator> table = {
      {K::kDelete, 0, true, false, false, kCmdHidePoint},
      {K::kRight, 0, false, false, false, kCmdPanRight},
      {K::kLeft, 0, false, false, false, kCmdPanLeft},
      {K::kDown, 0, false, false, false, kCmdPanDown},
      {K::kUp, 0, false, false, false, kCmdPanUp},
      {K::kNumpadSubtract, 0, false, false, false, kCmdZoomOut},
      {K::kNumpadAdd, 0, false, false, false, kCmdZoomIn},
      // The main keyboard's + (with or without Shift, which some layouts
      // need for it, and the = key it shares) and -.
      {K::kChar, '+', false, false, false, kCmdZoomIn},
      {K::kChar, '+', false, false, true, kCmdZoomIn},
      {K::kChar, '=', false, false, false, kCmdZoomIn},
      {K::kChar, '-', false, false, false, kCmdZoomOut},
      {K::kChar, '/', false, true, false, kCmdAbout},
      {K::kChar, '?', false, true, false, kCmdAbout},
      {K::kNumpadSubtract, 0, false, true, false, kCmdPrevYAxis},
      {K::kNumpadAdd, 0, false, true, false, kCmdNextYAxis},
      {K::kRight, 0, true, false, false, kCmdNextAxisPair},
      {K::kLeft, 0, true, false, false, kCmdPrevAxisPair},
      {K::kNumpadSubtract, 0, true, false, false, kCmdPrevXAxis},
      {K::kNumpadAdd, 0, true, false, false, kCmdNextXAxis},
      {K::kChar, 'C', true, false, true, kCmdChangeDrawingMode},
  };
  return table;
}

std::vector<MenuTextUpdate> MenuTexts() {
  const auto item = [](int id, std::string text) { return MenuTextUpdate{false, id, std::move(text)}; };
  const auto dots = [&](int id, int textId) { return item(id, TextById(textId) + "..."); };
  return {
      {true, 0, TextById(123)},
      {true, 1, TextById(124)},
      dots(kCmdLoadComputedAxes, 125),
      item(kCmdUnused32799, TextById(126)),
      item(kCmdUnused32801, TextById(127)),
      item(kCmdUnused32804, TextById(128)),
      item(kCmdUnused32806, TextById(129)),
      item(kCmdUnused32808, TextById(130)),
      item(kCmdUnused32809, TextById(131)),
      dots(kCmdHaplogroupPredictor, 132),
      dots(kCmdHaplotypeSearch, 219),
      dots(kCmdTmrca, 226),
      dots(kCmdChromosomePainting, 184),
      item(kCmdChangeDrawingMode, TextById(217) + "\tCtrl+Shift+C"),
      dots(kCmdAdmixture, 203),
      dots(kCmdGenomeComparison, 266),
      item(kCmdUnused32772, TextById(133)),
      item(kCmdShowPopulationNames, TextById(139)),
      item(kCmdShowSampleNames, TextById(140)),
      item(kCmdExit, TextById(134)),
      item(kCmdShowNameUnderMouse, TextById(135)),
      item(kCmdFlipHorizontal, TextById(136)),
      item(kCmdFlipVertical, TextById(137)),
      item(kCmdZoomIn, TextById(kTextZoomIn)),
      item(kCmdZoomOut, TextById(kTextZoomOut)),
      item(kCmdLanguageSerbian, "Србски йезик"),
      item(kCmdLanguageRussian, "Русский язык"),
      item(kCmdLanguageEnglish, "English language"),
      item(kCmdAbout, TextById(138)),
  };
}

}  // namespace varnik
