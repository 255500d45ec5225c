#include <gtest/gtest.h>

#include <filesystem>

#include "autosomal/admixture_data.h"
#include "autosomal/autosomal_test_support.h"
#include "autosomal/genome_comparison.h"
#include "common/binary_io.h"
#include "compress/zlib_unpacker.h"

namespace varnik {

// The test program reads packed files as the programs do.
const bool kUnpackerRegistered = [] {
  RegisterUnpacker();
  return true;
}();

namespace {

const char kSample[] =
    "# raw data\n"
    "rs1\t1\t100\tAA\n"
    "rs2\t1\t200\tAG\n"
    "rs3\t1\t300\tCT\n";

std::string Calculator() {
  return TwoPopulationCalculator("rs1,1,100,0,AB,0.5,0.5\nrs2,1,200,0,AB,0.5,0.5\nrs3,1,300,0,AB,0.5,0.5\n");
}

class PackedGenotypeFileTest : public AutosomalFilesTest {
 protected:
  void SetUp() override {
    AutosomalFilesTest::SetUp();
    if (!CanUnpack()) GTEST_SKIP() << "built without zlib and minizip";
    Write("c.txt", Calculator());
  }
  std::string Pack(Packing packing, const std::string& name, const std::string& text, const std::string& entry = "s.txt") {
    const std::string path = (folder_ / name).string();
    EXPECT_TRUE(WritePackedFile(packing, path, {{entry, text}}));
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(path, bytes));
    return bytes;
  }
  std::string ReadGenotypes() const {
    std::string read;
    for (const auto& snp : data.snps) read += snp.snpName + ":" + char(snp.sampleAllele1) + char(snp.sampleAllele2) + " ";
    return read;
  }
};

TEST_F(PackedGenotypeFileTest, GzipAndZipReadAsThePlainFile) {
  Write("plain.txt", kSample);
  ASSERT_TRUE(Load("c.txt", "plain.txt")) << data.lastError;
  const std::string plain = ReadGenotypes();
  Pack(Packing::kGzip, "s.txt.gz", kSample);
  Pack(Packing::kZip, "s.zip", kSample);
  for (const char* name : {"s.txt.gz", "s.zip"}) {
    ASSERT_TRUE(Load("c.txt", name)) << data.lastError;
    EXPECT_EQ(ReadGenotypes(), plain) << name;
    CUzorakZaPoregjenje sample;
    std::string error;
    EXPECT_TRUE(ReadComparisonSample((folder_ / name).string(), sample, 0, context, error)) << error;
    EXPECT_EQ(sample.snps.size(), 3u) << name;
  }
}

TEST_F(PackedGenotypeFileTest, GzipOfSeveralMembersReadsWhole) {
  const std::string text = kSample;
  const std::string half = text.substr(0, 30), rest = text.substr(30);
  const std::string bytes = Pack(Packing::kGzip, "a.gz", half) + Pack(Packing::kGzip, "b.gz", rest);
  Write("two.gz", bytes);
  ASSERT_TRUE(Load("c.txt", "two.gz")) << data.lastError;
  EXPECT_EQ(data.snps.size(), 3u);
}

TEST_F(PackedGenotypeFileTest, AZipPicksItsOneGenotypeFileOrSaysWhatItHolds) {
  const PackedEntry readme{"README.txt", "Your raw data\n"}, folder{"data/", ""}, mac{"__MACOSX/._s.txt", "x"};
  const PackedEntry raw{"data/s.txt", kSample}, other{"t.txt", kSample};
  ASSERT_TRUE(WritePackedFile(Packing::kZip, (folder_ / "one.zip").string(), {readme, folder, raw, mac}));
  ASSERT_TRUE(Load("c.txt", "one.zip")) << data.lastError;
  EXPECT_EQ(data.snps.size(), 3u);
  ASSERT_TRUE(WritePackedFile(Packing::kZip, (folder_ / "two.zip").string(), {readme, raw, other}));
  EXPECT_FALSE(Load("c.txt", "two.zip"));
  EXPECT_EQ(data.lastError,
            "two.zip: the .zip archive holds \"README.txt\", \"data/s.txt\", \"t.txt\"; not exactly one of them is a "
            "raw genotype file");
  ASSERT_TRUE(WritePackedFile(Packing::kZip, (folder_ / "empty.zip").string(), {}));
  EXPECT_FALSE(Load("c.txt", "empty.zip"));
  EXPECT_EQ(data.lastError.rfind("empty.zip: ", 0), 0u) << data.lastError;
}

TEST_F(PackedGenotypeFileTest, EveryCutOfAPackedFileFailsCleanly) {
  for (const Packing packing : {Packing::kGzip, Packing::kZip}) {
    const std::string whole = Pack(packing, "whole", kSample);
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
      Write("cut", whole.substr(0, cut));
      EXPECT_FALSE(Load("c.txt", "cut")) << "cut at " << cut;
      EXPECT_FALSE(data.lastError.empty());
      EXPECT_TRUE(data.snps.empty());
    }
    // A flipped byte in the packed data is found by the checksum.
    std::string damaged = whole;
    damaged[packing == Packing::kGzip ? 12 : 40] ^= 0x20;  // inside the packed data
    Write("damaged", damaged);
    EXPECT_FALSE(Load("c.txt", "damaged"));
  }
}

// A packed file may unpack to 64 times its size and 64 MiB more: a small
// archive that would fill the memory is refused.
TEST_F(PackedGenotypeFileTest, APackedFileThatUnpacksFarBeyondItsSizeIsRefused) {
  const std::string header = "# rsid\tchromosome\tposition\tgenotype\n";
  std::string text = header;
  text.resize(text.size() + (std::size_t{80} << 20), '#');
  const std::string packed = Pack(Packing::kGzip, "bomb.gz", text);
  ASSERT_LT(packed.size(), std::size_t{1} << 20);
  EXPECT_FALSE(Load("c.txt", "bomb.gz"));
  EXPECT_EQ(data.lastError, "bomb.gz: the file is too large");
}

TEST(PackedFiles, WithoutAnUnpackerPackedFilesAreRefusedByName) {
  SetUnpacker({});
  std::vector<PackedEntry> files;
  EXPECT_EQ(Unpack(Packing::kGzip, "\x1f\x8b", 1000, files), UnpackStatus::kUnsupported);
  const std::string path = (std::filesystem::temp_directory_path() / "varnik_unpacker_none.gz").string();
  {
    std::ofstream(path, std::ios::binary) << "\x1f\x8b\x08 rest";
  }
  std::string bytes, error;
  EXPECT_FALSE(ReadGenotypeFile(path, bytes, error, 1));
  EXPECT_EQ(error, "varnik_unpacker_none.gz: this build of the program cannot read packed files (.zip, .gz): unpack it first");
  std::filesystem::remove(path);
  RegisterUnpacker();
}

}  // namespace
}  // namespace varnik
