// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmOptions.h"

#include "OptionsBrowserPage.h"
#include "OptionsGeneralPage.h"
#include "OptionsInternetPage.h"
#include "OptionsPageScroller.h"
#include "OptionsRules.h"
#include "OptionsSessionPage.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QVBoxLayout>

frmOptions::frmOptions(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(tr("Options"));
    // A title bar with its close button only; placeOnScreen gives the size.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto *layout = new QVBoxLayout(this);
    buildTabs();
    layout->addWidget(m_tabs);
    layout->addWidget(m_pages, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton *ok = button("cmdOK", tr("OK"));
    QPushButton *cancel = button("cmdCancel", tr("Cancel"));
    QPushButton *apply = button("cmdApply", tr("Apply"));
    QPushButton *help = button("cmdHelp", tr("Help"));
    for (QPushButton *each : {ok, cancel, apply, help})
        buttons->addWidget(each);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, [this] {
        m_closing = true;
        emit ApplyCurrent();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(apply, &QPushButton::clicked, this, &frmOptions::ApplyCurrent);
    connect(help, &QPushButton::clicked, this,
            [this] { emit HelpRequested(OptionsRules::helpContext(currentTab())); });
    selectTab(0);
}

frmOptions::~frmOptions() = default;

void frmOptions::buildTabs()
{
    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("tbsOptions"));
    m_tabs->setExpanding(false);
    m_pages = new QStackedWidget(this);
    m_general = new OptionsGeneralPage(m_pages);
    m_browser = new OptionsBrowserPage(m_pages);
    m_session = new OptionsSessionPage(m_pages);
    m_internet = new OptionsInternetPage(m_pages);
    const QList<std::pair<QWidget *, QStringList>> tabs = {
        {m_general, {tr("&General"), tr("General Options")}},
        {m_browser, {tr("&Browser"), tr("Browser Control Options")}},
        {m_session, {tr("&Session"), tr("Session Auto Settings")}},
        {m_internet, {tr("&Internet"), tr("Internet Options")}},
    };
    for (int i = 0; i < tabs.size(); ++i) {
        QWidget *page = tabs[i].first;
        page->setObjectName(QStringLiteral("picOptions_%1").arg(i));
        page->setProperty("index", i);
        m_pages->addWidget(new OptionsPageScroller(page, m_pages));
        m_tabs->addTab(tabs[i].second[0]);
        m_tabs->setTabToolTip(i, tabs[i].second[1]);
        m_tabs->setTabData(i, QStringLiteral("Group%1").arg(i + 1));  // the tab's key
    }
    connect(m_tabs, &QTabBar::currentChanged, this, &frmOptions::selectTab);
}

QPushButton *frmOptions::button(const char *name, const QString &caption)
{
    auto *push = new QPushButton(caption, this);
    push->setObjectName(QString::fromLatin1(name));
    push->setAutoDefault(false);
    return push;
}

void frmOptions::load(const OptionsValues &values, bool startupShortcut)
{
    m_general->load(values, startupShortcut);
    m_browser->load(values);
    m_session->load(values);
    m_internet->load(values);
}

OptionsValues frmOptions::values(const OptionsValues &current) const
{
    OptionsValues values = current;
    m_general->store(values);
    m_browser->store(values);
    m_session->store(values);
    m_internet->store(values);
    return values;
}

void frmOptions::setPicture(const QPixmap &picture)
{
    m_general->setPicture(picture);
}

int frmOptions::currentTab() const
{
    return m_tabs->currentIndex();
}

void frmOptions::selectTab(int tab)
{
    if (tab < 0 || tab >= m_pages->count())
        return;
    m_tabs->setCurrentIndex(tab);
    m_pages->setCurrentIndex(tab);
    for (int i = 0; i < m_pages->count(); ++i)
        m_pages->widget(i)->setEnabled(i == tab);
}

void frmOptions::placeOnScreen()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The sizes the pages have when shown. Until a dialog is shown its
    // layouts keep the sizes their controls had when first asked, before
    // the picture was loaded: every control and layout is asked again.
    ensurePolished();
    for (QWidget *child : findChildren<QWidget *>())
        child->updateGeometry();
    for (QLayout *each : findChildren<QLayout *>())
        each->invalidate();
    const QRect area = screen->availableGeometry();
    resize(fittedSize(area.size()));
    move(area.left() + (area.width() - frameGeometry().width()) / 2,
         area.top() + (area.height() - frameGeometry().height()) / 2);
}

QSize frmOptions::fittedSize(const QSize &available) const
{
    // The window manager's frame is known once the dialog has been shown;
    // before that, room is left for a title bar and thin borders.
    QMargins frame(geometry().left() - frameGeometry().left(), geometry().top() - frameGeometry().top(),
                   frameGeometry().right() - geometry().right(), frameGeometry().bottom() - geometry().bottom());
    if (frame.isNull()) {
        const int border = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) + 2;
        frame = QMargins(border, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this) + border, border,
                         border);
    }
    const QSize room = available.shrunkBy(frame);
    QSize size = sizeHint();
    // A page cut short scrolls: its scroll bar takes width the page keeps.
    if (size.height() > room.height())
        size.rwidth() += style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return size.boundedTo(room);
}

void frmOptions::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Tab && event->modifiers() == Qt::ControlModifier) {
        selectTab(OptionsRules::nextTab(currentTab(), m_pages->count()));
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmOptions::done(int result)
{
    // Closing releases the picture; the next showing loads it again.
    setPicture(QPixmap());
    QDialog::done(result);
}
