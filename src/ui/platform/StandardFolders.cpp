#include "ui/platform/StandardFolders.h"

#include <QDir>
#include <QStandardPaths>

#include "core/services/AppTitle.h"

namespace tessary {

DefaultFolders StandardFolders() {
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty()) documents = QDir::homePath();
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty()) cache = QDir::homePath() + QStringLiteral("/.cache");
    const QString patterns = QDir(documents).filePath(QStringLiteral("Patterns"));
    return DefaultFolders{patterns.toStdString(), QDir(patterns).filePath(QStringLiteral("Pictures")).toStdString(),
                          QDir(cache).filePath(QString::fromLatin1(kAppTitle)).toStdString()};
}

}  // namespace tessary
