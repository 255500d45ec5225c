#include "shell/report_note.h"

#include <filesystem>
#include <system_error>

#include "common/format.h"
#include "texts/text_ids.h"
#include "texts/text_table.h"

namespace varnik {

std::string ReportNote(const ReportLocation& where, int32_t language) {
  if (where.path.empty()) return "";
  // The whole path, so that the user can find the file.
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(std::filesystem::path(where.path), error);
  const std::string path = error ? where.path : absolute.lexically_normal().string();
  const int32_t text = where.userFolder ? kTextReportInUserFolder : kTextReportWrittenTo;
  return "\r\n" + Format(TextById(text, language).c_str(), path.c_str()) + "\r\n";
}

}  // namespace varnik
