#include "dialogs/CollectedMessages.h"

#include <algorithm>

namespace {

int Weight(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Stop:
        return 3;
    case MessageIcon::Warning:
        return 2;
    case MessageIcon::Information:
        return 1;
    case MessageIcon::None:
        break;
    }
    return 0;
}

} // namespace

void CCollectedMessages::Show(const std::string& text, MessageIcon icon) {
    if (std::find(m_texts.begin(), m_texts.end(), text) == m_texts.end())
        m_texts.push_back(text);
    if (Weight(icon) > Weight(m_icon))
        m_icon = icon;
}

bool CCollectedMessages::AskYesNo(const std::string& text, DefaultAnswer) {
    Show(text, MessageIcon::None);
    return false;
}

std::string CCollectedMessages::Summary() const {
    std::string summary;
    const int shown = std::min(static_cast<int>(m_texts.size()), kMaxLines);
    for (int i = 0; i < shown; ++i) {
        if (i > 0)
            summary += '\n';
        summary += m_texts[static_cast<std::size_t>(i)];
    }
    const int more = static_cast<int>(m_texts.size()) - shown;
    if (more > 0)
        summary += "\n(and " + std::to_string(more) + " more)";
    return summary;
}
