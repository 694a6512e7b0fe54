#include "app/CommonDialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>

bool CQtCommonDialogs::AskOpenPath(QWidget* parent, const std::string& directory,
                                   std::string& path) {
    const QString chosen = QFileDialog::getOpenFileName(
        parent, QStringLiteral("Open"), QFile::decodeName(QByteArray::fromStdString(directory)),
        QStringLiteral("All Files (*)"));
    if (chosen.isEmpty())
        return false;
    path = QFile::encodeName(chosen).toStdString();
    return true;
}

bool CQtCommonDialogs::AskSavePath(QWidget* parent, const QString& title, const QString& filters,
                                   const std::string& suggested, std::string& path,
                                   QString& filter) {
    const QString chosen = QFileDialog::getSaveFileName(
        parent, title, QFile::decodeName(QByteArray::fromStdString(suggested)), filters, &filter);
    if (chosen.isEmpty())
        return false;
    path = QFile::encodeName(chosen).toStdString();
    return true;
}

bool CQtCommonDialogs::AskPrinter(QWidget* parent, QPrinter& printer, bool setupOnly) {
    QPrintDialog dialog(&printer, parent);
    if (setupOnly) {
        dialog.setWindowTitle(QStringLiteral("Print Setup"));
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    }
    dialog.setMinMax(1, 1);
    dialog.setFromTo(1, 1);
    return dialog.exec() == QDialog::Accepted;
}

bool CQtCommonDialogs::AskText(QWidget* parent, const QString& title, const QString& label,
                               QString& text) {
    bool accepted = false;
    const QString answer =
        QInputDialog::getText(parent, title, label, QLineEdit::Normal, text, &accepted);
    if (accepted)
        text = answer;
    return accepted;
}
