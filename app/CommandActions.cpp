#include "app/CommandActions.h"

#include "app/CommandMap.h"
#include "platform/Commands.h"

#include <QAction>
#include <QActionGroup>
#include <QIcon>
#include <QKeySequence>
#include <QWidget>

namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QList<QKeySequence> Keys(const char* keys) {
    QList<QKeySequence> sequences;
    for (const QString& key : QString::fromLatin1(keys).split(u';', Qt::SkipEmptyParts))
        sequences.append(QKeySequence(key, QKeySequence::PortableText));
    return sequences;
}

// A command's picture is the resource icons/<name>.svg.
QIcon ToolbarIcon(const char* name) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

// The toolbar's text for a button: the menu text without its mnemonic, key and ellipsis.
QString IconText(const char* text) {
    QString plain = QString::fromUtf8(text).section(u'\t', 0, 0);
    plain.remove(u'&');
    if (plain.endsWith(QLatin1String("...")))
        plain.chop(3);
    return plain;
}

} // namespace

CCommandActions::CCommandActions(QWidget& window, const CCommandRouter& router)
    : QObject(&window), m_router(router) {
    std::map<CommandGroup, QActionGroup*> groups;
    for (const CommandInfo& command : Commands()) {
        auto* action = new QAction(Text(command.text), &window);
        action->setIconText(IconText(command.text));
        action->setShortcuts(Keys(command.keys));
        action->setStatusTip(Text(PromptOf(command)));
        action->setWhatsThis(Text(PromptOf(command)));
        action->setToolTip(TooltipOf(command).empty() ? action->iconText()
                                                      : Text(TooltipOf(command)));
        if (command.icon)
            action->setIcon(ToolbarIcon(command.icon));
        action->setCheckable(command.check != CommandCheck::None);
        if (command.check == CommandCheck::Radio) {
            QActionGroup*& group = groups[command.group];
            if (!group) {
                group = new QActionGroup(this);
                // Colours of the user's own choosing are no theme: no item is marked.
                if (command.group == CommandGroup::ViewTheme)
                    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
            }
            group->addAction(action);
        }
        action->setEnabled(false);
        const int id = command.id;
        connect(action, &QAction::triggered, this, [this, id] { m_router.Execute(id); });
        window.addAction(action);
        m_actions[id] = action;
    }
}

QAction* CCommandActions::Action(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CCommandActions::UpdateAll() {
    for (const auto& [id, action] : m_actions) {
        const CCmdUI ui = m_router.Update(id);
        action->setEnabled(ui.m_bEnabled);
        if (action->isCheckable())
            action->setChecked(ui.m_bChecked);
        if (ui.m_bTextSet && action->text() != ui.m_strText)
            action->setText(ui.m_strText);
        action->setVisible(ui.m_bVisible);
    }
}
