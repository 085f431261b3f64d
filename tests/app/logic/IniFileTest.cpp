#include "app/logic/IniFile.h"
#include "TestFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class IniFileTest : public ::testing::Test {
protected:
  TTempDir Temp;
  fs::path Path = Temp.Path() / "Morvelander.ini";
};

TEST_F(IniFileTest, ReadsValuesRawWithNamesMatchedWithoutRegardToCase) {
  WriteBytes(Path, "; remembered folders\r\n"
                   "[Other]\r\nDataInMap=wrong section\r\n"
                   "[lastsession]\r\n"
                   "  datainmap =  C:\\Data\\In  \r\n"
                   "DataOutMap=\"/quoted/out\"\n"
                   "Empty=\r\n");
  const TIniFile ini(Path);
  const struct {
    const char* section;
    const char* key;
    const char* want;
  } cases[] = {
      {"LastSession", "DataInMap", "C:\\Data\\In"},
      {"LASTSESSION", "DataOutMap", "\"/quoted/out\""},
      {"LastSession", "Empty", ""},
      {"LastSession", "Missing", "default"},
      {"Other", "DataInMap", "wrong section"},
      {"Absent", "DataInMap", "default"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(ini.ReadString(c.section, c.key, "default"), c.want);
  }
}

TEST_F(IniFileTest, CutsLongValuesTo2047Characters) {
  WriteBytes(Path, "[LastSession]\r\nDataInMap=" + std::string(3000, 'x') + "\r\n");
  EXPECT_EQ(TIniFile(Path).ReadString("LastSession", "DataInMap", ""), std::string(2047, 'x'));
}

TEST_F(IniFileTest, AbusedFilesReadAsDefaults) {
  const struct {
    const char* name;
    void (*make)(const fs::path&);
  } cases[] = {
      {"missing", [](const fs::path&) {}},
      {"a folder in its place", [](const fs::path& p) { fs::create_directory(p); }},
      {"binary",
       [](const fs::path& p) { WriteBytes(p, "[LastSession]\r\nDataInMap=/tmp\0\x01\xFF"s); }},
      {"huge",
       [](const fs::path& p) {
         WriteBytes(p, "[LastSession]\r\nDataInMap=/tmp\r\n");
         fs::resize_file(p, 64 * 1024 * 1024);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path path = Temp.Path() / c.name;
    c.make(path);
    EXPECT_EQ(TIniFile(path).ReadString("LastSession", "DataInMap", "default"), "default");
  }
}

TEST_F(IniFileTest, WritingCreatesTheFileWithWindowsLineEnds) {
  TIniFile ini(Path);
  ASSERT_EQ(ini.WriteString("LastSession", "DataInMap", "/data/In Box"), std::nullopt);
  ASSERT_EQ(ini.WriteString("LastSession", "DataOutMap", "/data/OutBox"), std::nullopt);
  EXPECT_EQ(ReadBytes(Path),
            "[LastSession]\r\nDataInMap=/data/In Box\r\nDataOutMap=/data/OutBox\r\n");
}

TEST_F(IniFileTest, WritingKeepsOtherSectionsKeysAndComments) {
  WriteBytes(Path, "[Other]\nDataInMap=keep\n; note\n[LASTSESSION]\nDataInMap=old\nExtra=x\n\n"
                   "[Last]\nDataOutMap=keep too\n");
  TIniFile ini(Path);
  ASSERT_EQ(ini.WriteString("LastSession", "DataInMap", "/new/in"), std::nullopt);
  ASSERT_EQ(ini.WriteString("LastSession", "DataOutMap", "/new/out"), std::nullopt);
  EXPECT_EQ(ReadBytes(Path), "[Other]\r\nDataInMap=keep\r\n; note\r\n[LASTSESSION]\r\n"
                             "DataInMap=/new/in\r\nExtra=x\r\nDataOutMap=/new/out\r\n\r\n"
                             "[Last]\r\nDataOutMap=keep too\r\n");
}

TEST_F(IniFileTest, WritingReplacesABinaryFile) {
  WriteBytes(Path, "\0\x01garbage"s);
  ASSERT_EQ(TIniFile(Path).WriteString("LastSession", "DataInMap", "/in"), std::nullopt);
  EXPECT_EQ(ReadBytes(Path), "[LastSession]\r\nDataInMap=/in\r\n");
}

TEST_F(IniFileTest, WritingWhereNoFileCanBeCreatedFails) {
  const fs::path path = Temp.Path() / "gone" / "Morvelander.ini";
  TIniFile ini(path);
  const TFileOutcome refused = ini.WriteString("LastSession", "DataInMap", "/in");
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->Text(), path.string() + "\rKan niet gemaakt worden...\rDe map bestaat niet.");
}

} // namespace
