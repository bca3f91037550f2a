// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmAbout.h"

#include "BankPicture.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

// The picture shown in the box, from the program's bank folder.
const char *const pictureName = "id";

}  // namespace

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    // A title bar with its close button only: the box has nothing to minimise or resize.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    m_picture1 = new QLabel(this);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_picture1->installEventFilter(this);
    m_lblVersion = new QLabel(this);
    m_lblVersion->setObjectName(QStringLiteral("lblVersion"));
    m_lblVersion->setAlignment(Qt::AlignHCenter);
    layout->addWidget(m_picture1, 0, Qt::AlignHCenter);
    layout->addWidget(m_lblVersion, 0, Qt::AlignHCenter);
}

QString frmAbout::versionText(int major, int minor)
{
    return tr("Version %1.%2a").arg(major).arg(minor);
}

void frmAbout::load()
{
    setWindowTitle(tr("About Tessaly"));
    const QPixmap picture = BankPicture::load(appPath, QString::fromLatin1(pictureName), devicePixelRatioF());
    m_picture1->setPixmap(picture);
    m_picture1->setFixedSize(picture.deviceIndependentSize().toSize());
    m_picture1->setVisible(!picture.isNull());
    m_lblVersion->setText(versionText(appMajor, appMinor));
    // Wide enough for the caption on the title bar beside its buttons.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 160);
    adjustSize();
    setFixedSize(size());
}

void frmAbout::centreAt(QPoint centre)
{
    m_centre = centre;
    move(centre.x() - width() / 2, centre.y() - height() / 2);
}

void frmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The frame is known now: the box is placed again by its real size.
    const QRect frame = frameGeometry();
    move(m_centre.x() - frame.width() / 2, m_centre.y() - frame.height() / 2);
}

void frmAbout::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    reject();
}

void frmAbout::keyPressEvent(QKeyEvent *event)
{
    // Escape closes on its release, like any click; no key acts on its press.
    event->accept();
}

void frmAbout::keyReleaseEvent(QKeyEvent *event)
{
    event->accept();
    if (event->key() == Qt::Key_Escape && !event->isAutoRepeat())
        reject();
}

bool frmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_picture1 && event->type() == QEvent::MouseButtonRelease) {
        reject();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::done(int result)
{
    m_picture1->setPixmap(QPixmap());  // closing releases the picture
    QDialog::done(result);
}
