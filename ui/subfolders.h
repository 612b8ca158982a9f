#pragma once
// The subfolders a folder list shows. One file per platform: read with readdir where a folder of
// many files must not cost a text per file (subfolders_posix.cpp), through Qt's own listing
// elsewhere (subfolders_win.cpp).

#include <QString>
#include <QStringList>

namespace batora {

// The folder's subfolders, links to folders included and hidden ones left out, in the order the
// home platform lists them; empty when the folder cannot be read.
QStringList visibleSubfolders(const QString& folder);

}  // namespace batora
