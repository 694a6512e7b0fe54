#pragma once
// The whole desktop program on the offscreen platform: its settings file in a scratch folder,
// messages and common dialogs scripted, the clock in the test's hand.

#include "app/CommandLine.h"
#include "app/CommandMap.h"
#include "app/MainFrame.h"
#include "app/TickvaneApp.h"
#include "tests/gui/ScriptedDialogs.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDir.h"

#include <QTest>
#include <QWidget>
#include <QtGlobal>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CAppFixture {
public:
    CAppFixture() {
        qputenv("TICKVANE_SETTINGS", QByteArray::fromStdString(m_dir / "Tickvane.ini"));
        qputenv("TICKVANE_WINDIR", QByteArray::fromStdString(m_dir.Path()));
        qputenv("TICKVANE_DATA", QByteArray::fromStdString(m_dir.Path()));
        m_pApp = std::make_unique<CTickvaneApp>(m_messages, m_dialogs);
        m_pApp->SetTickCount([this] { return m_nTicks; });
    }

    // Start-up with these arguments; -1 when the program would go on running.
    int Start(const std::vector<std::string>& arguments = {}) {
        return m_pApp->InitInstance(ParseCommandLine(arguments));
    }
    bool Enabled(int id) const { return m_pApp->Router().Update(id).m_bEnabled; }
    // The main window active and painted, as keys and paints need it; the commands updated.
    bool Activate() {
        QWidget& frame = m_pApp->Frame();
        frame.activateWindow();
        const bool ready = QTest::qWaitForWindowActive(&frame);
        m_pApp->OnIdle();
        return ready;
    }

    static std::string Sample() { return TICKVANE_SOURCE_DIR "/samples/demo/MASTER"; }

    CTempDir m_dir;
    CScriptedMessages m_messages;
    CScriptedDialogs m_dialogs;
    std::uint32_t m_nTicks = 5000;
    std::unique_ptr<CTickvaneApp> m_pApp;
};
