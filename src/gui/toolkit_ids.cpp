#include "gui/toolkit_ids.h"

namespace varnik {

int ToToolkitId(int commandId) {
  if (commandId >= kFirstHighCommandId) return commandId - kFirstHighCommandId + kToolkitHighIdBase;
  return commandId;
}

int FromToolkitId(int toolkitId) {
  if (toolkitId >= kToolkitHighIdBase) return toolkitId - kToolkitHighIdBase + kFirstHighCommandId;
  return toolkitId;
}

}  // namespace varnik
