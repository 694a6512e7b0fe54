#include "dialogs/DataExchange.h"

#include "platform/MessageService.h"

#include <QLineEdit>

#include <cstdio>
#include <limits>

namespace {

// An integer with blanks around it at most; false for anything else, or beyond int.
bool ParseInt(const QString& text, int& value) {
    bool ok = false;
    const long long parsed = text.trimmed().toLongLong(&ok, 10);
    if (!ok || parsed < std::numeric_limits<int>::min() || parsed > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(parsed);
    return true;
}

bool Refuse(QLineEdit& edit, const std::string& text, MessageService& messages) {
    messages.Show(text, MessageIcon::Warning);
    edit.setFocus(Qt::OtherFocusReason);
    edit.selectAll();
    return false;
}

} // namespace

bool ReadIntEdit(QLineEdit& edit, int& value, int min, int max, MessageService& messages) {
    int parsed = 0;
    if (!ParseInt(edit.text(), parsed))
        return Refuse(edit, "Please enter an integer.", messages);
    if (parsed < min || parsed > max) {
        char text[80];
        std::snprintf(text, sizeof text, "Please enter an integer between %d and %d.", min, max);
        return Refuse(edit, text, messages);
    }
    value = parsed;
    return true;
}

void WriteIntEdit(QLineEdit& edit, int value) {
    edit.setText(QString::number(value));
}
