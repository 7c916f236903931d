#include "dialogs/supportpage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace supportpage {

QUrl address(const QString& workingDirectory, const QString& applicationDirectory)
{
    const QString candidates[] = {
        QDir(workingDirectory).filePath(QStringLiteral("help/index.html")),
        QDir(applicationDirectory).filePath(QStringLiteral("../share/dovanel/help/index.html")),
        QDir(applicationDirectory).filePath(QStringLiteral("../data/help/index.html")),
    };
    for (const QString& path : candidates) {
        if (QFileInfo(path).isFile())
            return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    }
    return QUrl::fromLocalFile(QFileInfo(candidates[0]).absoluteFilePath());
}

QUrl address()
{
    return address(QDir::currentPath(), QCoreApplication::applicationDirPath());
}

QString caption(const QUrl& address)
{
    return address.isLocalFile() ? address.toLocalFile() : address.toDisplayString();
}

} // namespace supportpage
