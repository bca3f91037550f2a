// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "OptionsControls.h"

#include "OptionsRules.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace OptionsControls {
namespace {

QVBoxLayout *layoutOf(QGroupBox *frame)
{
    if (auto *layout = qobject_cast<QVBoxLayout *>(frame->layout()))
        return layout;
    return new QVBoxLayout(frame);
}

}  // namespace

QGroupBox *frame(QWidget *page, const QString &caption, const QString &tip)
{
    auto *box = new QGroupBox(caption, page);
    box->setToolTip(tip);
    layoutOf(box);
    return box;
}

QCheckBox *checkBox(QGroupBox *frame, const char *name, const QString &caption, const QString &tip)
{
    auto *box = new QCheckBox(caption, frame);
    box->setObjectName(QString::fromLatin1(name));
    box->setToolTip(tip);
    layoutOf(frame)->addWidget(box);
    return box;
}

QList<QRadioButton *> optionButtons(QGroupBox *frame, const char *name, const QStringList &captions,
                                    const QStringList &tips)
{
    QList<QRadioButton *> buttons;
    for (int i = 0; i < captions.size(); ++i) {
        auto *button = new QRadioButton(captions[i], frame);
        button->setObjectName(QString::fromLatin1(name) + u'_' + QString::number(i));
        button->setProperty("index", i);
        button->setToolTip(tips.value(i));
        layoutOf(frame)->addWidget(button);
        buttons << button;
    }
    return buttons;
}

void check(const QList<QRadioButton *> &buttons, int index)
{
    if (index >= 0 && index < buttons.size())
        buttons[index]->setChecked(true);
}

int checkedIndex(const QList<QRadioButton *> &buttons, int fallback)
{
    QList<bool> checked;
    for (const QRadioButton *button : buttons)
        checked << button->isChecked();
    return OptionsRules::firstChecked(checked, fallback);
}

}  // namespace OptionsControls
