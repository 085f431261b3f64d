#include "core/reading/TextFile.h"

#include "support/HeldFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

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
  fs::path Write(const std::string& name, const std::string& bytes) {
    const fs::path path = dir / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  const TTempDir temp;
  const fs::path dir = temp.Path();
};

// Reading stops after the first NUL byte, also where a sparse file's hole begins; a UTF-16
// text is read whole.
TEST_F(ReadTextFileTest, ReadsTheBytesAsTheyAreUpToTheFirstNul) {
  const fs::path path = Write("t.csv", "012;Naam\r\n900;1;Ren\xE9\n\x80\r\0rest"s);
  EXPECT_EQ(ReadTextFile(path).Text, "012;Naam\r\n900;1;Ren\xE9\n\x80\r\0"s);
  const fs::path sparse = Write("sparse.csv", "012;Naam\r\n");
  fs::resize_file(sparse, std::uintmax_t{200} << 20);
  EXPECT_EQ(ReadTextFile(sparse).Text, "012;Naam\r\n\0"s);
  const std::string utf16 = "\xFF\xFE"
                            "0\0"
                            "1\0"
                            "2\0"s;
  EXPECT_EQ(ReadTextFile(Write("utf16.csv", utf16)).Text, utf16);
}

TEST_F(ReadTextFileTest, ReadsAHugeLine) {
  const std::string line(3 << 20, 'x');
  const std::string text = ReadTextFile(Write("big.csv", line + "\r\nend")).Text;
  const auto lines = SplitLines(text);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], line);
  EXPECT_EQ(lines[1], "end");
}

// Each way of reading nothing is told apart where it is met, and leaves no text.
TEST_F(ReadTextFileTest, TellsWhyItReadNothing) {
  const fs::path fifo = dir / "pijp.csv";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const fs::path grown = Write("groot.csv", "012;Naam\r\n");
  fs::resize_file(grown, MaxTextFileSize + 1);
  const fs::path held = Write("bezet.csv", "012;Naam\r\n");
  const THeldFile lock(held);
  const struct {
    fs::path path;
    TLoadOutcome want;
  } cases[] = {
      {dir / "Ren\u00E9 missing.csv", TLoadOutcome::Missing},
      {dir, TLoadOutcome::NotAFile},
      {fifo, TLoadOutcome::NotAFile},
      {"/dev/zero", TLoadOutcome::NotAFile},
      {grown, TLoadOutcome::TooLarge},
      {held, TLoadOutcome::InUse},
      {Write("leeg.csv", ""), TLoadOutcome::Empty},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.native());
    const TTextFile read = ReadTextFile(c.path);
    EXPECT_EQ(read.Result.Outcome, c.want);
    EXPECT_TRUE(read.Text.empty());
  }
  EXPECT_EQ(ReadTextFile(grown).Result.Size, MaxTextFileSize + 1);
}

} // namespace
