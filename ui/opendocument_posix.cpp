#include "opendocument.h"

#include <QProcess>
#include <QStringList>

namespace batora {

namespace {
constexpr int kStarted = 42;
constexpr int kFileNotFound = 2;
constexpr int kUnknownFailure = 1;
constexpr int kNoAssociation = 31;

// xdg-open's exit statuses (xdg-utils): 2 the file does not exist, 3 no program for it.
int shellCodeOf(int exitStatus) {
  switch (exitStatus) {
    case 0:
      return kStarted;
    case 2:
      return kFileNotFound;
    case 3:
      return kNoAssociation;
    default:
      return kUnknownFailure;
  }
}

// Long enough for xdg-open to look for a program and give up; a desktop's own opener (gio,
// kde-open) hands the document over and returns well within it.
constexpr int kAnswerMilliseconds = 3000;
}  // namespace

// xdg-open reports a missing association only through its exit status, so it is waited for.
// Without a desktop it runs the program it found in the foreground and returns only when that
// ends: a run still going at the limit has found one, and is left running on its own.
int openWithAssociatedProgram(const QString& file, const QString& folder) {
  // xdg-open reads a name that begins with "-" as an option.
  const QString argument = file.startsWith(u'-') ? QStringLiteral("./") + file : file;
  auto* opener = new QProcess;
  opener->setWorkingDirectory(folder);
  opener->setProcessChannelMode(QProcess::ForwardedChannels);
  QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
  opener->start(QStringLiteral("xdg-open"), QStringList{argument});
  if (!opener->waitForStarted()) {
    delete opener;
    return kNoAssociation;
  }
  if (!opener->waitForFinished(kAnswerMilliseconds)) return kStarted;
  const int code = opener->exitStatus() == QProcess::NormalExit ? shellCodeOf(opener->exitCode())
                                                                : kUnknownFailure;
  delete opener;
  return code;
}

}  // namespace batora
