#include "qt/SettingsStore.h"

#include "platform/FileNames.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

// Names the settings file and the old initialisation file.
constexpr std::string_view kApplicationName = "Tickvane";

// A line of the old initialisation file is read in pieces of at most this many characters, as the
// program that kept such files read them.
constexpr int kIniPieceChars = 519;

constexpr std::string_view kBlanks = " \t\n\v\f\r";

// Latin-1 maps every byte to one character and back, so any text the core hands over survives the
// file, and its length in characters is its length in bytes.
QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString FilePath(const std::string& file) {
    return QFile::decodeName(QByteArray::fromStdString(file));
}

std::string ConfigDirectory() {
    const QString directory =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QFile::encodeName(directory).toStdString();
}

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// QSettings drops empty parts of a slash-separated key; doing the same here lets a key be compared
// with what allKeys() gives back.
QString NormalizedKey(const QString& key) {
    return key.split(u'/', Qt::SkipEmptyParts).join(u'/');
}

// The key under which the file holds `name` of `section`: an existing key that differs only in
// case wins, so a section or value written by hand or imported as "viewoptions" is the same as
// "ViewOptions". Empty when the name cannot be a key.
QString ResolveKey(const QSettings& settings, std::string_view section, std::string_view name) {
    const QString value = NormalizedKey(Latin1(name));
    if (value.isEmpty())
        return {};
    const QString group = NormalizedKey(Latin1(section));
    const QString key = group.isEmpty() ? value : group + u'/' + value;
    if (settings.contains(key))
        return key;
    const QStringList keys = settings.allKeys();
    const auto it = std::find_if(keys.begin(), keys.end(), [&key](const QString& existing) {
        return existing.compare(key, Qt::CaseInsensitive) == 0;
    });
    return it == keys.end() ? key : *it;
}

// Every value this store writes reads back as a QString. A file edited by hand may hold a bare
// comma list or a typed "@..." value; those are taken as the text they most nearly stand for.
bool StoredText(const QVariant& value, std::string& stored) {
    QString text;
    if (!value.isValid())
        return false;
    if (value.typeId() == QMetaType::QStringList)
        text = value.toStringList().join(u", ");
    else if (value.canConvert<QString>())
        text = value.toString();
    else
        return false;
    stored = text.toLatin1().toStdString();
    return true;
}

std::string OldIniDirectory() {
    const QByteArray windir = qgetenv("TICKVANE_WINDIR");
    return windir.isEmpty() ? ConfigDirectory() : windir.toStdString();
}

} // namespace

std::string CSettingsStore::DefaultFile() {
    const QByteArray file = qgetenv("TICKVANE_SETTINGS");
    if (!file.isEmpty())
        return file.toStdString();
    // Without a configuration directory the file would land in the file system's root.
    std::string directory = ConfigDirectory();
    if (directory.empty())
        return {};
    AppendSeparator(directory);
    return directory + "Velmora" + kPathSeparator + std::string(kApplicationName) + ".ini";
}

bool CSettingsStore::SetUp() {
    bool newlyCreated = false;
    if (!CreateRootKey(DefaultFile(), newlyCreated))
        return false;
    // Only the run that creates the file imports: later changes to the old file are not looked at.
    if (newlyCreated)
        ImportIniFile();
    return true;
}

bool CSettingsStore::CreateRootKey(const std::string& file, bool& newlyCreated) {
    m_strRootFile = file;
    newlyCreated = false;
    if (file.empty())
        return false;
    const QString path = FilePath(file);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile settingsFile(path);
    if (settingsFile.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        newlyCreated = true;
        return true;
    }
    // The file exists (perhaps a second copy created it just now); it must take writes, or every
    // later write would fail as well.
    return settingsFile.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly);
}

void CSettingsStore::ImportIniFile() {
    if (m_strRootFile.empty())
        return;
    std::string directory = OldIniDirectory();
    if (directory.empty())
        return;
    AppendSeparator(directory);
    const CFilePtr file = OpenFileNoCase(directory, std::string(kApplicationName) + ".INI", "rb");
    if (!file)
        return;

    QSettings settings(FilePath(m_strRootFile), QSettings::IniFormat);
    std::optional<std::string> section; // value lines before the first header have nowhere to go
    char piece[kIniPieceChars + 1];
    // A NUL ends a piece's text: the old program kept each piece as a C string.
    while (std::fgets(piece, sizeof piece, file.get())) {
        const std::string_view line = Trim(piece);
        const std::size_t open = line.find('[');
        const std::size_t close = line.find(']');
        if (open != std::string_view::npos && close != std::string_view::npos && close >= open &&
            close - open + 1 == line.size()) {
            // Writing out what the previous section gathered shows whether the file still takes
            // a section; one that cannot be created ends the import, keeping what came before.
            settings.sync();
            if (settings.status() != QSettings::NoError)
                return;
            std::string name(line);
            name[open] = ' ';
            name[close] = ' ';
            section = std::string(Trim(name));
        } else if (const std::size_t equals = line.find('=');
                   equals != std::string_view::npos && section) {
            // Neither part is trimmed: "a = b" names "a " with the value " b".
            const QString key = ResolveKey(settings, *section, line.substr(0, equals));
            if (!key.isEmpty())
                settings.setValue(key, Latin1(line.substr(equals + 1)));
        }
    }
    settings.sync();
}

bool CSettingsStore::ReadStored(std::string_view section, std::string_view name,
                                std::string& stored) {
    if (m_strRootFile.empty())
        return false;
    const QSettings settings(FilePath(m_strRootFile), QSettings::IniFormat);
    const QString key = ResolveKey(settings, section, name);
    return !key.isEmpty() && StoredText(settings.value(key), stored);
}

bool CSettingsStore::WriteString(std::string_view section, std::string_view name,
                                 std::string_view text) {
    if (m_strRootFile.empty())
        return false;
    QSettings settings(FilePath(m_strRootFile), QSettings::IniFormat);
    const QString key = ResolveKey(settings, section, name);
    if (key.isEmpty())
        return false;
    settings.setValue(key, Latin1(text));
    settings.sync();
    return settings.status() == QSettings::NoError;
}
