// Which files the player lists and how it reads them: by the end of the name,
// in any letter case.
#pragma once

#include <QString>
#include <QStringList>

namespace player {

enum class FileKind { None, Jpeg, Bmp, Tiff };

// ".jpg", ".bmp", ".tif" after at least one character, or ".tiff" likewise.
FileKind KindOfName(const QString& name);

// The names of the folder's files of those kinds, sorted regardless of case; empty
// when the folder cannot be read.
QStringList ListPlayableFiles(const QString& folder);

// The folder and a listed name joined into a path.
QString PathInFolder(const QString& folder, const QString& name);

}  // namespace player
