#include "player/PlayerFiles.h"

#include <QDir>
#include <algorithm>

namespace player {

FileKind KindOfName(const QString& name) {
    struct Ending {
        const char* text;
        FileKind kind;
    };
    static constexpr Ending kEndings[] = {{".jpg", FileKind::Jpeg},
                                          {".bmp", FileKind::Bmp},
                                          {".tif", FileKind::Tiff},
                                          {".tiff", FileKind::Tiff}};
    for (const Ending& e : kEndings) {
        const QLatin1String ending(e.text);
        if (name.size() > ending.size() && name.endsWith(ending, Qt::CaseInsensitive))
            return e.kind;
    }
    return FileKind::None;
}

QStringList ListPlayableFiles(const QString& folder) {
    if (folder.isEmpty())
        return {};
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const QString& n) { return KindOfName(n) == FileKind::None; }),
                names.end());
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

QString PathInFolder(const QString& folder, const QString& name) {
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

}  // namespace player
