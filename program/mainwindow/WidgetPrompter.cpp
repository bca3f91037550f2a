// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WidgetPrompter.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLayout>
#include <QLineEdit>
#include <QStyle>
#include <QMessageBox>

Prompter::Answer WidgetPrompter::messageBox(const QString &text, Buttons buttons, Icon icon, const QString &title)
{
    QMessageBox box(m_owner);
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::None:
        break;
    }
    if (buttons == Buttons::YesNo || buttons == Buttons::YesNoSafe) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(buttons == Buttons::YesNo ? QMessageBox::Yes : QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
}

QString WidgetPrompter::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    // A small question: a title bar with a close button only, and wide enough
    // that the title is not cut.
    QInputDialog box(m_owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    box.setInputMode(QInputDialog::TextInput);
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setTextValue(defaultText);
    // The dialog's layout sets its size from its contents: the text field is
    // made wide enough instead.
    if (auto *edit = box.findChild<QLineEdit *>()) {
        const int margins = box.style()->pixelMetric(QStyle::PM_LayoutLeftMargin)
            + box.style()->pixelMetric(QStyle::PM_LayoutRightMargin);
        edit->setMinimumWidth(inputBoxWidth(box, title) - margins);
    }
    // A fixed size: nothing to maximise, also for window managers that draw
    // their buttons whatever the window's hints say.
    box.sizeHint();  // lays the dialog out
    if (QLayout *layout = box.layout())
        layout->setSizeConstraint(QLayout::SetFixedSize);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

int WidgetPrompter::inputBoxWidth(const QWidget &box, const QString &title)
{
    // Title bars use a larger, bold font and keep room for their buttons.
    QFont titleFont = box.font();
    titleFont.setBold(true);
    if (titleFont.pointSizeF() > 0)
        titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    else
        titleFont.setPixelSize(titleFont.pixelSize() * 6 / 5);
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(title) + 4 * QFontMetrics(titleFont).height();
    return qMax(titleWidth, 300);
}

QString WidgetPrompter::nameFilter(const QString &filter)
{
    // "description|pattern" pairs, as the old common dialog takes them.
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + QStringLiteral(" (") + parts[i + 1] + u')';
    return filters.join(QStringLiteral(";;"));
}

QString WidgetPrompter::openFileName(const QString &title, const QString &filter)
{
    return QFileDialog::getOpenFileName(m_owner, title, QString(), nameFilter(filter));
}

QString WidgetPrompter::saveFileName(const QString &title, const QString &filter)
{
    // The caller asks before overwriting, so the dialog does not.
    return QFileDialog::getSaveFileName(m_owner, title, QString(), nameFilter(filter), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString WidgetPrompter::folderName(const QString &title, const QString &startFolder)
{
    return QFileDialog::getExistingDirectory(m_owner, title, existingFolder(startFolder));
}

QString WidgetPrompter::existingFolder(const QString &folder)
{
    QString path = QDir::cleanPath(QDir(folder.isEmpty() ? QDir::homePath() : folder).absolutePath());
    while (!QFileInfo(path).isDir()) {
        const QString parent = QFileInfo(path).path();
        if (parent == path)
            return QDir::rootPath();
        path = parent;
    }
    return path;
}
