#pragma once
// The Windows shell as the window needs it beyond Qt: opening a document with its associated
// program, starting a command line, and one instance per program. Free of Qt, so that it is
// built and tested under Wine without a Windows Qt kit; no system type appears here. Only
// Windows has an implementation (winshell_win.cpp): elsewhere the window uses Qt's means.
// All texts are UTF-8.

#include <string>
#include <string_view>

namespace batora::winshell {

// Opens `file` (found in `folder`, which is also the working folder) with the program the
// system associates with its type, in a normal window, without waiting. Answers the shell's
// result code: 42 when it started, else the failure code (2 no such file, 31 no associated
// program and the rest of the table shellErrorText knows).
int openDocument(std::string_view file, std::string_view folder);

// Starts a command line as it is written (program, space, arguments), in a normal window with
// the focus, without waiting. False when nothing was started.
bool startCommandLine(std::string_view commandLine);

// The command line that opens a text file in the system's plain-text editor: "notepad " and the
// path, unquoted, as the editor takes everything after its name as one path.
std::string plainTextEditorCommand(std::string_view path);

// The claim of one running instance, held while the object lives: a named mutex of the
// user's session.
class SingleInstance {
 public:
  explicit SingleInstance(std::string_view name);
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;
  ~SingleInstance();

  // True while another live instance holds the claim; takes the claim once it is free.
  bool anotherInstanceRuns();

 private:
  void claim();

  std::wstring m_name;
  void* m_mutex = nullptr;
  bool m_another = false;
};

}  // namespace batora::winshell
