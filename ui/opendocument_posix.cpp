#include "opendocument.h"

#include <QProcess>
#include <QStringList>

namespace batora {

namespace {
constexpr int kStarted = 42;
constexpr int kNoAssociation = 31;
}  // namespace

// xdg-open looks the association up itself and reports a missing one only through its exit
// status, after we have returned; so "started" is the most this can promise, and a failure to
// start at all (no xdg-open, folder gone) is the nearest thing to "no associated program".
int openWithAssociatedProgram(const QString& file, const QString& folder) {
  // xdg-open reads a name that begins with "-" as an option.
  const QString argument = file.startsWith(u'-') ? QStringLiteral("./") + file : file;
  const bool started =
      QProcess::startDetached(QStringLiteral("xdg-open"), QStringList{argument}, folder);
  return started ? kStarted : kNoAssociation;
}

}  // namespace batora
