// The desktop program.

#include "app/CommandLine.h"
#include "app/CommonDialogs.h"
#include "app/ProgramDialogs.h"
#include "app/StderrMessages.h"
#include "app/TickvaneApp.h"
#include "app/TickvaneView.h"
#include "qt/QtMessageService.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#ifndef TICKVANE_VERSION
#define TICKVANE_VERSION "0"
#endif

namespace {

std::vector<std::string> Arguments(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    return arguments;
}

// Where windows cannot be shown, Qt would abort with a message of its own; this one says what to
// do instead.
bool HasDisplay() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char** argv) {
    // Help and version are answered before anything needs a display.
    const CCommandLine early = ParseCommandLine(Arguments(argc, argv));
    if (early.action == StartAction::Help) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    if (early.action == StartAction::Version) {
        std::puts("tickvane " TICKVANE_VERSION);
        return 0;
    }
    const bool printing = early.action == StartAction::Print;
    if (!HasDisplay() && early.action == StartAction::Error) {
        std::fprintf(stderr, "tickvane: %s\n%s", early.error.c_str(), UsageSynopsisText().c_str());
        return 2;
    }
    if (!HasDisplay()) {
        if (!printing) {
            std::fputs("tickvane: there is no display to show the window on (DISPLAY and "
                       "WAYLAND_DISPLAY are not set).\n"
                       "tickvane-cli reads quote directories and draws charts without one.\n",
                       stderr);
            return 1;
        }
        // Printing shows no window.
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tickvane"));
    QApplication::setOrganizationName(QStringLiteral("Velmora"));
    QApplication::setApplicationVersion(QStringLiteral(TICKVANE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("tickvane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tickvane.svg")));

    // Qt has taken its own options (-platform, -style, ...) out of argv by now.
    const CCommandLine commandLine = ParseCommandLine(Arguments(argc, argv));
    if (commandLine.action == StartAction::Error) {
        std::fprintf(stderr, "tickvane: %s\n%s", commandLine.error.c_str(),
                     UsageSynopsisText().c_str());
        return 2;
    }

    // A print run tells its troubles on standard error rather than in message boxes that would
    // wait for someone to close them.
    CQtMessageService boxes;
    CStderrMessages errors;
    MessageService& messages = printing ? static_cast<MessageService&>(errors) : boxes;
    CQtCommonDialogs commonDialogs;
    CTickvaneApp app(messages, commonDialogs);
    app.SetDialogHost(std::make_unique<CProgramDialogs>(messages));
    const int exitCode = app.InitInstance(commandLine);
    if (exitCode >= 0)
        return exitCode;
    // For the start-up benchmark: the run ends once the first chart is on the screen.
    if (qEnvironmentVariableIsSet("TICKVANE_QUIT_AFTER_FIRST_CHART"))
        QObject::connect(&app.View(), &CTickvaneView::chartDrawn, &application,
                         &QCoreApplication::quit, Qt::QueuedConnection);
    return QApplication::exec();
}
