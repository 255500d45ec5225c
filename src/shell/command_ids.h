// Command ids of the main menu and the accelerator table.
#pragma once

namespace varnik {

enum CommandId : int {
  kCmdAbout = 104,
  kCmdExit = 105,
  kCmdPrevAxisPair = 32774,        // Ctrl+Left
  kCmdNextAxisPair = 32776,        // Ctrl+Right
  kCmdZoomIn = 32778,              // keypad +
  kCmdZoomOut = 32779,             // keypad -
  kCmdPanLeft = 32781,
  kCmdPanRight = 32782,
  kCmdPanUp = 32783,
  kCmdPanDown = 32789,
  kCmdShowPopulationNames = 32793,
  kCmdShowSampleNames = 32794,
  kCmdShowNameUnderMouse = 32797,
  kCmdUnused32799 = 32799,
  kCmdUnused32801 = 32801,
  kCmdUnused32804 = 32804,
  kCmdLoadComputedAxes = 32805,
  kCmdUnused32806 = 32806,
  kCmdUnused32808 = 32808,
  kCmdUnused32809 = 32809,
  kCmdNextYAxis = 32810,           // Alt+keypad +
  kCmdPrevYAxis = 32812,           // Alt+keypad -
  kCmdHidePoint = 32814,           // Ctrl+Delete
  kCmdPrevXAxis = 32815,           // Ctrl+keypad -
  kCmdNextXAxis = 32817,           // Ctrl+keypad +
  kCmdFlipHorizontal = 32819,
  kCmdFlipVertical = 32820,
  kCmdLanguageSerbian = 32821,
  kCmdLanguageEnglish = 32822,
  kCmdHaplogroupPredictor = 32823,
  kCmdChangeDrawingMode = 32824,   // Ctrl+Shift+C
  kCmdChromosomePainting = 32827,
  kCmdAdmixture = 32828,
  kCmdHaplotypeSearch = 32832,
  kCmdTmrca = 32834,
  kCmdGenomeComparison = 32836,
  kCmdLanguageRussian = 32838,
  // Menu ids that RetitleMenu names but menu 110 does not hold.
  kCmdUnused32772 = 32772,
};

}  // namespace varnik
