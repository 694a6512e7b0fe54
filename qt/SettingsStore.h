#pragma once
// The program's persistent settings in a per-user INI file: each section is a group of the file,
// each value a text. Nothing is cached: every read parses the file afresh and every write goes to
// disk at once, so a second running copy sees a value as soon as it is written and the store never
// needs flushing. Names of sections and values match ignoring case, as the registry keys and the
// old initialisation files that these settings replace did.

#include "platform/Settings.h"

#include <string>
#include <string_view>

class CSettingsStore : public Settings {
public:
    // The program's settings file: the file named by the environment variable TICKVANE_SETTINGS
    // when it is set, else Velmora/Tickvane.ini in the user's configuration directory. Empty when
    // neither can be determined.
    static std::string DefaultFile();

    // The start-up sequence: creates the settings file at DefaultFile() and, when it did not exist
    // before, imports the old initialisation file into it. Gives false when the file cannot be
    // created; the program then runs with its defaults.
    bool SetUp();

    // Makes `file` the settings file (also when the rest fails), then creates it and the folders
    // above it if they are missing. `newlyCreated` tells whether the file did not exist before.
    // False when the file can neither be created nor opened for writing.
    bool CreateRootKey(const std::string& file, bool& newlyCreated);

    // Copies the sections and values of the old initialisation file Tickvane.INI (any case) from
    // the directory named by TICKVANE_WINDIR, else from the user's configuration directory, into
    // the settings file. A missing old file imports nothing.
    void ImportIniFile();

    bool WriteString(std::string_view section, std::string_view name,
                     std::string_view text) override;

    const std::string& RootFile() const { return m_strRootFile; }

protected:
    bool ReadStored(std::string_view section, std::string_view name, std::string& stored) override;

private:
    // Empty until CreateRootKey: reads then give defaults and writes fail.
    std::string m_strRootFile;
};
