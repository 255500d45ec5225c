#include "common/binary_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

namespace varnik {
namespace {

TEST(ByteReader, ReadsLittleEndianValuesWrittenByTheWriter) {
  ByteWriter w;
  w.WriteI32(-5);
  w.WriteF64(0.125);
  w.WriteU16(0xBEEF);
  const std::size_t units = w.WriteUtf16("Оса");
  const std::string bytes = w.str();
  ByteReader r(bytes);
  int32_t i = 0;
  double d = 0;
  uint16_t u = 0;
  std::string s;
  ASSERT_TRUE(r.ReadI32(i) && r.ReadF64(d) && r.ReadU16(u) && r.ReadUtf16(units, s));
  EXPECT_TRUE(i == -5 && d == 0.125 && u == 0xBEEF && r.AtEnd());
  EXPECT_EQ(s, "Оса");
}

TEST(ByteReader, RejectsReadsAndCountsPastTheEndAndStaysFailed) {
  ByteReader r(std::string_view("12345678", 8));
  EXPECT_TRUE(r.CanHold(2, 4));
  EXPECT_FALSE(r.CanHold(3, 4));
  EXPECT_FALSE(r.CanHold(UINT64_MAX, 8));
  std::string s;
  EXPECT_FALSE(r.ReadUtf16(0x7FFFFFFF, s));
  ByteReader cut(std::string_view("\x01\x02\x03", 3));
  uint32_t v = 0;
  uint8_t b = 0;
  EXPECT_FALSE(cut.ReadU32(v));
  EXPECT_FALSE(cut.ReadU8(b));  // a failed reader stays failed
  EXPECT_FALSE(cut.ok());
}

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A fresh folder of its own for each test.
fs::path TestFolder(const char* name) {
  const fs::path folder = fs::temp_directory_path() / (std::string("varnik_atomic_") + name);
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

TEST(WriteFileAtomically, ReplacesAFileAndWritesThroughLinksLeavingNoTemporaryFile) {
  const fs::path folder = TestFolder("links");
  const fs::path file = folder / "report.txt";
  ASSERT_TRUE(WriteFileAtomically(file.string(), "first"));
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(WriteFileAtomically(file.string(), "second"));
  EXPECT_EQ(Contents(file), "second");
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);

  // A chain of a relative and an absolute link: both stay links, the file
  // at their end takes the bytes; a dangling link gets its target created.
  fs::create_directory_symlink(folder, folder / "sub");
  fs::create_symlink("sub/report.txt", folder / "relative");
  fs::create_symlink(folder / "relative", folder / "absolute");
  fs::create_symlink("made.txt", folder / "dangling");
  for (const char* name : {"relative", "absolute", "dangling"}) {
    ASSERT_TRUE(WriteFileAtomically((folder / name).string(), name)) << name;
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder / name))) << name;
    EXPECT_EQ(Contents(folder / name), name);
  }
  EXPECT_EQ(Contents(file), "absolute");
  EXPECT_EQ(Contents(folder / "made.txt"), "dangling");
  fs::create_symlink("loop", folder / "loop");
  std::string error;
  EXPECT_FALSE(WriteFileAtomically((folder / "loop").string(), "x", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(WriteFileAtomically(folder.string(), "x", &error));  // a folder is never replaced
  EXPECT_TRUE(fs::is_directory(folder));

  std::size_t entries = 0;
  for (const auto& entry : fs::directory_iterator(folder)) entries += entry.path().extension() == ".tmp";
  EXPECT_EQ(entries, 0u);
  fs::remove_all(folder);
}

#if !defined(_WIN32)
TEST(WriteFileAtomically, WritesIntoAPipeOrDeviceInsteadOfReplacingIt) {
  const fs::path folder = TestFolder("fifo");
  const fs::path fifo = folder / "pipe";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] { received = Contents(fifo); });
  EXPECT_TRUE(WriteFileAtomically(fifo.string(), "through the pipe"));
  reader.join();
  EXPECT_EQ(received, "through the pipe");
  EXPECT_TRUE(fs::is_fifo(fifo));
  fs::remove_all(folder);

  // A device that is full reports the reason and stays the device.
  if (fs::is_character_file("/dev/full")) {
    std::string error;
    EXPECT_FALSE(WriteFileAtomically("/dev/full", std::string(1 << 16, 'x'), &error));
    EXPECT_EQ(error, std::make_error_code(std::errc::no_space_on_device).message());
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
  }
}
#endif

}  // namespace
}  // namespace varnik
