// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>
#include <QWidget>

// Checks that the windows can be used from the keyboard and by assistive
// technology: access keys of menus, and accessible names of controls.
namespace AccessChecks {

// The caption as shown: each "&" that marks an access key removed, "&&" as "&".
inline QString visibleText(const QString &caption)
{
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

// The access keys of a caption, upper case ("&&" is no access key).
inline QString accessKeys(const QString &caption)
{
    QString keys;
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            keys += caption[i + 1].toUpper();
        ++i;
    }
    return keys;
}

// What is wrong with the access keys of captions shown together (a menu,
// a tab bar): one without exactly one access key, or one letter given to two.
inline QStringList accessKeyFaults(const QStringList &captions, const QString &where)
{
    QStringList faults;
    QMap<QChar, QString> taken;
    for (const QString &caption : captions) {
        const QString keys = accessKeys(caption);
        if (keys.size() != 1) {
            faults << QStringLiteral("%1: \"%2\" has %3 access keys").arg(where, caption).arg(keys.size());
            continue;
        }
        if (taken.contains(keys[0]))
            faults << QStringLiteral("%1: %2 is the key of \"%3\" and \"%4\"")
                          .arg(where, keys, taken.value(keys[0]), caption);
        taken.insert(keys[0], caption);
    }
    return faults;
}

// The same for the commands of a menu, and of the sub-menus they open.
inline QStringList accessKeyFaults(const QList<QAction *> &actions, const QString &menuName)
{
    QStringList captions;
    QStringList faults;
    for (const QAction *action : actions) {
        if (action->isSeparator())
            continue;
        captions << action->text();
        if (const QMenu *sub = action->menu())
            faults << accessKeyFaults(sub->actions(), sub->objectName());
    }
    return accessKeyFaults(captions, menuName) + faults;
}

inline QStringList accessKeyFaults(const QMenu *menu)
{
    return accessKeyFaults(menu->actions(), menu->objectName());
}

inline QStringList accessKeyFaults(const QMenuBar *bar)
{
    return accessKeyFaults(bar->actions(), QStringLiteral("menu bar"));
}

// The roles of the controls a user acts on.
inline bool isControl(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::PageTab:
        return true;
    default:
        return false;
    }
}

// The name assistive technology gives a control. A combo box's own name is
// its current line here, so it counts as named only by an accessible name
// or by a label that it is the buddy of.
inline QString nameOf(QAccessibleInterface *control)
{
    if (control->role() != QAccessible::ComboBox)
        return control->text(QAccessible::Name).trimmed();
    if (const auto *combo = qobject_cast<const QComboBox *>(control->object());
        combo && !combo->accessibleName().isEmpty())
        return combo->accessibleName();
    const auto labels = control->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name).trimmed();
}

inline void collectUnnamed(QAccessibleInterface *node, QStringList &unnamed)
{
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface *child = node->child(i);
        if (!child || child->state().invisible)
            continue;
        if (isControl(child->role()) && nameOf(child).isEmpty()) {
            const QObject *object = child->object();
            unnamed << QStringLiteral("%1 (role %2)")
                           .arg(object ? object->objectName() : node->object()->objectName() + "'s part")
                           .arg(int(child->role()));
        }
        // The rows and cells of a list are named by their texts.
        if (qobject_cast<QWidget *>(child->object()))
            collectUnnamed(child, unnamed);
    }
}

// The visible controls of a window that have no accessible name, as
// "objectName (role number)".
inline QStringList unnamedControls(QWidget *window)
{
    QStringList unnamed;
    if (QAccessibleInterface *root = QAccessible::queryAccessibleInterface(window))
        collectUnnamed(root, unnamed);
    else
        unnamed << QStringLiteral("no accessible interface for the window");
    return unnamed;
}

}  // namespace AccessChecks
