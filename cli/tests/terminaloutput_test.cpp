#include "terminaloutput.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace batora::cli {
namespace {

// A stream's buffer that hands on what it holds only when flushed, into a file it may share
// with another stream, as two redirected standard streams do ("> all 2>&1").
class SharedFileBuffer : public std::stringbuf {
 public:
  explicit SharedFileBuffer(std::string& file) : m_file(file) {}
  int flushes = 0;

 protected:
  int sync() override {
    if (!str().empty()) ++flushes;
    m_file += str();
    str("");
    return 0;
  }

 private:
  std::string& m_file;
};

struct Streams {
  std::string file;
  SharedFileBuffer outBuffer{file}, errBuffer{file};
  std::ostream out{&outBuffer}, err{&errBuffer};
};

TEST(TerminalOutputTest, ListingIsWrittenAtOnceExceptOnATerminal) {
  for (const bool terminal : {false, true}) {
    SCOPED_TRACE(terminal ? "terminal" : "pipe");
    Streams s;
    TerminalOutput output(s.out, terminal, s.err, false);
    for (const char* line : {"  1  a.jpg", "  2  b\x1b.jpg", "選択ファイル数 : 0"})
      output.listed(line);
    EXPECT_EQ(s.outBuffer.flushes, terminal ? 3 : 0);
    output.flush();
    EXPECT_EQ(s.outBuffer.flushes, terminal ? 3 : 1);
    EXPECT_EQ(s.file, "  1  a.jpg\n  2  b?.jpg\n選択ファイル数 : 0\n");
  }
}

// A message or a question after listed lines must not overtake them where both streams end up
// in one file. No file name can forge a result line or steer the terminal; the messages keep
// their own line breaks (CR LF), a lone one from a name is a mark.
TEST(TerminalOutputTest, ErrorOutputFollowsTheLinesListedBeforeIt) {
  const struct {
    const char* name;
    void (*write)(TerminalOutput&);
    const char* tail;
  } cases[] = {
      {"message", [](TerminalOutput& o) { o.message("失敗\r\n　(/p/a\rb)"); },
       "失敗\n　(/p/a?b)\n"},
      {"prompt", [](TerminalOutput& o) { o.prompt("\x1b[2J続行しますか？"); },
       "?[2J続行しますか？"},
      {"result", [](TerminalOutput& o) { o.result("  1  a\n* 2  forged\x1b]0;title\x07"); },
       "  1  a?* 2  forged?]0;title?\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Streams s;
    TerminalOutput output(s.out, false, s.err, false);
    output.listed("  1  a.jpg");
    c.write(output);
    EXPECT_EQ(s.file, std::string("  1  a.jpg\n") + c.tail);
  }
}

}  // namespace
}  // namespace batora::cli
