// Process-wide state of the main window.  Tools read and write it directly;
// ResetShellState() returns everything to its start-up values (tests).
#pragma once

#include <cstdint>
#include <string>

namespace varnik {

extern std::string g_dataSetName;    // Serbian name of the loaded computed-axes set
extern std::string g_axesFilePath;   // full path of the loaded computed-axes file
extern int32_t g_axisX;              // axis shown horizontally
extern int32_t g_axisY;              // axis shown vertically
extern int32_t g_showPopulationNames;
extern int32_t g_showSampleNames;
extern int32_t g_showNameUnderMouse;
extern int32_t g_hoverIndex;         // sample under the mouse, -1 for none
extern int32_t g_flipHorizontal;
extern int32_t g_flipVertical;
extern std::string g_registryRoot;   // settings key of every dialog

inline constexpr const char* kRegistryRoot = "Software\\CrteziTalvera";

// Start-up values for all of the above and the interface language.
void ResetShellState();

}  // namespace varnik
