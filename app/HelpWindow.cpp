#include "app/HelpWindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

CHelpWindow::CHelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), m_pBrowser(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("Tickvane Help"));
    m_pBrowser->setSearchPaths({QStringLiteral(":/help")});
    m_pBrowser->setOpenLinks(true);

    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    back->setEnabled(false);
    connect(back, &QPushButton::clicked, m_pBrowser, &QTextBrowser::backward);
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(contents, &QPushButton::clicked, this,
            [this] { m_pBrowser->setSource(QUrl(QStringLiteral("index.html"))); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(contents);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_pBrowser, 1);
    resize(620, 560);
}

void CHelpWindow::ShowPage(const QString& page) {
    m_pBrowser->setSource(QUrl(page));
    show();
    raise();
    activateWindow();
}
