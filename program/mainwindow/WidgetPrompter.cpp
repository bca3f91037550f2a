#include "WidgetPrompter.h"

#include <QFileDialog>
#include <QInputDialog>
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
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
}

QString WidgetPrompter::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_owner, title, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
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
