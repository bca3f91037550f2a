// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BrowserDoubleWindow.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWindow>

BrowserDoubleWindow::BrowserDoubleWindow(const QString &title, const QString &url, const QString &suffix,
                                         const QString &recordFile)
    : m_address(new QLineEdit(url, this))
    , m_page(new QLabel(this))
    , m_suffix(suffix)
    , m_recordFile(recordFile)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_address);
    layout->addWidget(m_page);
    m_page->setFocusPolicy(Qt::StrongFocus);
    for (const QKeySequence &keys :
         {QKeySequence(Qt::ALT | Qt::Key_D), QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::Key_F6)}) {
        auto *shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, &BrowserDoubleWindow::selectAddress);
    }
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, m_page, [this] { m_page->setFocus(); });
    connect(m_address, &QLineEdit::returnPressed, this, &BrowserDoubleWindow::navigate);
    showPage(title);
    resize(640, 200);
}

void BrowserDoubleWindow::selectAddress()
{
    m_address->setFocus(Qt::ShortcutFocusReason);
    m_address->selectAll();
}

void BrowserDoubleWindow::navigate()
{
    const QString url = m_address->text();
    showPage(url);  // a page without a <title> is titled by its address
    QFile record(m_recordFile);
    if (!m_recordFile.isEmpty() && record.open(QIODevice::Append))
        record.write(url.toUtf8() + '\n');
    m_page->setFocus();
}

void BrowserDoubleWindow::showPage(const QString &title)
{
    m_page->setText(title);
    setWindowTitle(title + m_suffix);
    applyTitle();
}

void BrowserDoubleWindow::setVisible(bool visible)
{
    QWidget::setVisible(visible);
    applyTitle();
}

// Sets the title on the native window as well: QWidget was seen to drop the
// part after the dash from the X11 title when the window is shown.
void BrowserDoubleWindow::applyTitle()
{
    if (windowHandle())
        windowHandle()->setTitle(windowTitle());
}
