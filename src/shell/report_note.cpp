#include "shell/report_note.h"

#include "common/format.h"
#include "texts/text_ids.h"
#include "texts/text_table.h"

namespace varnik {

std::string ReportNote(const ReportLocation& where, int32_t language) {
  if (!where.userFolder) return "";
  return "\r\n" + Format(TextById(kTextReportInUserFolder, language).c_str(), where.path.c_str()) + "\r\n";
}

}  // namespace varnik
