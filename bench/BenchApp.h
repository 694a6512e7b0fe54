#pragma once
// The desktop program on the offscreen platform for the benchmarks: a directory open, the view at
// a given size and painted once, messages collected and the common dialogs answered alike.

#include "app/CommandLine.h"
#include "app/CommonDialogs.h"
#include "app/MainFrame.h"
#include "app/TickvaneApp.h"
#include "app/TickvaneView.h"
#include "tests/support/ScriptedMessages.h"

#include <QApplication>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

// File Open and Save As are cancelled, the printer dialog is answered with OK.
class CAnsweringDialogs : public CommonDialogs {
public:
    bool AskOpenPath(QWidget*, const std::string&, std::string&) override { return false; }
    bool AskSavePath(QWidget*, const QString&, const QString&, const std::string&, std::string&,
                     QString&) override {
        return false;
    }
    bool AskPrinter(QWidget*, QPrinter&, bool) override { return true; }
    bool AskText(QWidget*, const QString&, const QString&, QString&) override { return false; }
};

struct CBenchApp {
    CScriptedMessages messages;
    CAnsweringDialogs dialogs;
    std::unique_ptr<CTickvaneApp> app;

    // Opens `master` with the settings in `settingsFile`; false when the program did not start.
    bool Start(const std::string& master, QSize view, const char* settingsFile) {
        qputenv("TICKVANE_SETTINGS", settingsFile);
        // The user's drawings stay out of the measurements.
        qputenv("TICKVANE_DATA", "/tmp/tickvane-bench-data");
        app = std::make_unique<CTickvaneApp>(messages, dialogs);
        if (app->InitInstance(ParseCommandLine({master})) >= 0)
            return false;
        CMainFrame& frame = app->Frame();
        frame.resize(frame.size() + (view - View().size()));
        while (!frame.windowHandle()->isExposed() || View().size() != view)
            QApplication::processEvents();
        return messages.m_shown.empty();
    }
    CTickvaneView& View() { return app->View(); }
};

// The main of a benchmark program of the desktop program: the benchmarks on the offscreen
// platform, in one application object.
inline int RunBenchmarksOffscreen(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
