#include "qt/QtMessageService.h"

#include <QMessageBox>

namespace {

constexpr char kCaption[] = "Tickvane";

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Texts come from the file system and the quote files as bytes; invalid UTF-8 is shown as
// replacement characters rather than dropped.
QString Text(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void CQtMessageService::Show(const std::string& text, MessageIcon icon) {
    QMessageBox box(BoxIcon(icon), kCaption, Text(text), QMessageBox::Ok, m_pParent);
    box.exec();
}

bool CQtMessageService::AskYesNo(const std::string& text, DefaultAnswer answer) {
    QMessageBox box(QMessageBox::NoIcon, kCaption, Text(text), QMessageBox::Yes | QMessageBox::No,
                    m_pParent);
    box.setDefaultButton(answer == DefaultAnswer::Yes ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
