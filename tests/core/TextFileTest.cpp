#include "core/TextFile.h"

#include "core/Cp1252.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using namespace std::string_literals;

TEST(SplitLines, EndsLinesAtCrLfLfOrLoneCrAndStopsAtNul) {
  const struct {
    const char* name;
    std::string text;
    Lines want;
  } cases[] = {
      {"empty", "", {}},
      {"no line end", "abc", {"abc"}},
      {"CR LF", "abc\r\n", {"abc"}},
      {"LF", "a\nb\n", {"a", "b"}},
      {"lone CR", "a\rb", {"a", "b"}},
      {"mixed ends", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"only CR LF", "\r\n", {""}},
      {"LF CR", "a\n\r", {"a", ""}},
      {"two CRs", "a\r\rb", {"a", "", "b"}},
      {"empty lines", "\n\n", {"", ""}},
      {"CR LF LF", "a\r\n\nb", {"a", "", "b"}},
      {"NUL ends the text", "a\nb\0c\nd"s, {"a", "b"}},
      {"NUL first", "\0abc"s, {}},
      {"tabs and high bytes kept", "a;\tb\xE9\x80 \n", {"a;\tb\xE9\x80 "}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto lines = SplitLines(c.text);
    EXPECT_EQ(Lines(lines.begin(), lines.end()), c.want);
  }
}

class ReadTextFileTest : public testing::Test {
protected:
  void SetUp() override {
    dir =
        fs::temp_directory_path() / ("morvelander-textfile-" + std::to_string(getpid()) + "-" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  fs::path Write(const std::string& name, const std::string& bytes) {
    const fs::path path = dir / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  static void ExpectCannotOpen(const fs::path& path) {
    try {
      ReadTextFile(path);
      ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot open file " + PathText(path));
    }
  }

  fs::path dir;
};

// The text ends at the first NUL byte, also where a sparse file's hole begins.
TEST_F(ReadTextFileTest, ReadsTheBytesAsTheyAreUpToTheFirstNul) {
  const fs::path path = Write("t.csv", "012;Naam\r\n900;1;Ren\xE9\n\x80\r\0rest"s);
  EXPECT_EQ(ReadTextFile(path), "012;Naam\r\n900;1;Ren\xE9\n\x80\r");
  const fs::path sparse = Write("sparse.csv", "012;Naam\r\n");
  fs::resize_file(sparse, std::uintmax_t{200} << 20);
  EXPECT_EQ(ReadTextFile(sparse), "012;Naam\r\n");
}

TEST_F(ReadTextFileTest, ReadsAHugeLine) {
  const std::string line(3 << 20, 'x');
  const std::string text = ReadTextFile(Write("big.csv", line + "\r\nend"));
  const auto lines = SplitLines(text);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], line);
  EXPECT_EQ(lines[1], "end");
}

TEST_F(ReadTextFileTest, ReadsAnEmptyFileAsNoBytes) {
  EXPECT_TRUE(ReadTextFile(Write("empty.csv", "")).empty());
}

TEST_F(ReadTextFileTest, FailsWithTheFileNameWhenItCannotBeRead) {
  ExpectCannotOpen(dir / "Ren\u00E9 missing.csv");
  ExpectCannotOpen(dir);
}

} // namespace
