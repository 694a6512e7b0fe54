#include "qt/DataFiles.h"

#include <QFile>
#include <QStandardPaths>

std::string DataDirectory() {
    const QByteArray named = qgetenv("TICKVANE_DATA");
    if (!named.isEmpty())
        return named.toStdString();
    // Without a data directory the file would land in the file system's root.
    const QString generic = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (generic.isEmpty())
        return {};
    return QFile::encodeName(generic + QStringLiteral("/Velmora/Tickvane")).toStdString();
}

std::string DefaultDrawingsFile() {
    const std::string directory = DataDirectory();
    return directory.empty() ? std::string() : directory + "/drawings.json";
}
