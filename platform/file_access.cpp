#include "file_access.h"

#include "folder_item.h"

#include <QByteArray>
#include <QFile>
#include <QString>

QString QtPath(const FolderItem& item)
{
    return QFile::decodeName(QByteArray::fromStdString(item.NativePath()));
}

std::optional<std::string> ReadWholeFile(const FolderItem& item)
{
    if (item.Directory())
        return std::nullopt;
    QFile file(QtPath(item));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return content.toStdString();
}
