#include "common/binary_io.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include "common/utf.h"

namespace varnik {

bool ByteReader::ReadUtf16(std::size_t units, std::string& out) {
  if (!CanHold(units, 2)) return Fail();
  std::u16string text(units, u'\0');
  for (std::size_t k = 0; k < units; ++k) {
    uint16_t u = 0;
    ReadU16(u);
    text[k] = static_cast<char16_t>(u);
  }
  out = Utf16ToUtf8(text);
  return true;
}

std::size_t ByteWriter::WriteUtf16(std::string_view utf8) {
  const std::u16string units = Utf8ToUtf16(utf8);
  for (char16_t u : units) WriteU16(static_cast<uint16_t>(u));
  return units.size();
}

bool ReadWholeFile(const std::string& path, std::string& out, std::size_t maxBytes) {
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  if (!in) return false;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0 || static_cast<uint64_t>(size) > maxBytes) return false;
  in.seekg(0, std::ios::beg);
  std::string data(static_cast<std::size_t>(size), '\0');
  if (size > 0 && !in.read(data.data(), size)) return false;
  out = std::move(data);
  return true;
}

namespace {

// Follows a chain of symbolic links to the path it ends at (which need not
// exist).  Relative links are resolved from the folder of the link.
std::filesystem::path FinalTarget(std::filesystem::path path, std::error_code& ec) {
  namespace fs = std::filesystem;
  // More links than this in a row is a loop.
  for (int hops = 0; hops < 40; ++hops) {
    if (!fs::is_symlink(fs::symlink_status(path, ec))) {
      ec.clear();
      return path;
    }
    const fs::path link = fs::read_symlink(path, ec);
    if (ec) return path;
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
  ec = std::make_error_code(std::errc::too_many_symbolic_link_levels);
  return path;
}

// Opens a file for writing by its path in the system's own encoding, so
// that names in any script work on Windows too.
std::FILE* OpenForWriting(const std::filesystem::path& path) {
#ifdef _WIN32
  return _wfopen(path.c_str(), L"wb");
#else
  return std::fopen(path.c_str(), "wb");
#endif
}

// The reason of the last failed file operation.
std::string LastError() { return std::generic_category().message(errno != 0 ? errno : EIO); }

// Hands an open file to `produce` and closes it.  False when a piece could
// not be written (the reason goes to `error`) or `produce` gave up.
bool ProduceAndClose(std::FILE* file, const std::function<bool(const ByteSink&)>& produce, std::string& error) {
  errno = 0;
  const ByteSink sink = [&](std::string_view piece) {
    if (piece.empty() || std::fwrite(piece.data(), 1, piece.size(), file) == piece.size()) return true;
    if (error.empty()) error = LastError();
    return false;
  };
  bool ok = produce(sink) && error.empty();
  errno = 0;
  if (std::fflush(file) != 0 && error.empty()) error = LastError();
  errno = 0;
  if (std::fclose(file) != 0 && error.empty()) error = LastError();
  return ok && error.empty();
}

// A name for a temporary file next to `target` that no other writer uses.
std::filesystem::path TemporaryNameFor(const std::filesystem::path& target) {
  static std::atomic<uint64_t> counter{0};
  std::random_device random;
  const uint64_t unique = (static_cast<uint64_t>(random()) << 32) ^ random() ^ (counter.fetch_add(1) << 48);
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(unique));
  std::filesystem::path temp = target;
  temp += suffix;
  return temp;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
  return WriteFileAtomically(path, [bytes](const ByteSink& sink) { return sink(bytes); }, error);
}

bool WriteFileAtomically(const std::string& path, const std::function<bool(const ByteSink&)>& produce,
                         std::string* error) {
  namespace fs = std::filesystem;
  std::string reason;
  const auto fail = [&](std::string why) {
    if (error != nullptr) *error = std::move(why);
    return false;
  };
  std::error_code ec;
  const fs::path target = FinalTarget(PathFromUtf8(path), ec);
  if (ec) return fail(ec.message());
  const fs::file_status status = fs::status(target, ec);
  if (status.type() == fs::file_type::directory) return fail(std::make_error_code(std::errc::is_a_directory).message());
  errno = 0;
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    // A device or a pipe cannot be replaced by a file: it takes the bytes.
    std::FILE* file = OpenForWriting(target);
    if (file == nullptr) return fail(LastError());
    return ProduceAndClose(file, produce, reason) || fail(reason);
  }
  const fs::path temp = TemporaryNameFor(target);
  std::FILE* file = OpenForWriting(temp);
  if (file == nullptr) return fail(LastError());
  if (!ProduceAndClose(file, produce, reason)) {
    fs::remove(temp, ec);
    return fail(reason);
  }
  // The replaced file keeps its permissions.
  if (fs::is_regular_file(status)) fs::permissions(temp, status.permissions(), ec);
  fs::rename(temp, target, ec);
  if (ec) {
    reason = ec.message();
    fs::remove(temp, ec);
    return fail(reason);
  }
  return true;
}

}  // namespace varnik
