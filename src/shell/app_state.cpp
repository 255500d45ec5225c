#include "shell/app_state.h"

#include "texts/text_table.h"

namespace varnik {

std::string g_dataSetName;
std::string g_axesFilePath;
int32_t g_axisX = 0;
int32_t g_axisY = 1;
int32_t g_showPopulationNames = 1;
int32_t g_showSampleNames = 0;
int32_t g_showNameUnderMouse = 1;
int32_t g_hoverIndex = -1;
int32_t g_flipHorizontal = 0;
int32_t g_flipVertical = 0;
std::string g_registryRoot = kRegistryRoot;

void ResetShellState() {
  g_language = kLanguageSerbian;
  g_dataSetName.clear();
  g_axesFilePath.clear();
  g_axisX = 0;
  g_axisY = 1;
  g_showPopulationNames = 1;
  g_showSampleNames = 0;
  g_showNameUnderMouse = 1;
  g_hoverIndex = -1;
  g_flipHorizontal = 0;
  g_flipVertical = 0;
  g_registryRoot = kRegistryRoot;
}

}  // namespace varnik
