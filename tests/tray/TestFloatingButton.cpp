// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppState.h"
#include "BankImage.h"
#include "FloatingButton.h"
#include "TestEnvironment.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <utility>

namespace {

QString bankPath(const QString &appFolder, const QString &name)
{
    return appFolder + "/uBank/" + name + ".bnk";
}

// Whether the button shows the bank picture over its whole face: every opaque
// pixel of the picture, scaled to the button's device pixels, appears on the
// button. On a high-DPI screen that is the 2x form where the bank has one.
bool shows(FloatingButton &button, const QString &appFolder, const QString &name)
{
    const QPixmap grabbed = button.grab();
    const QImage shown = grabbed.toImage().convertToFormat(QImage::Format_ARGB32);
    const qreal ratio = button.devicePixelRatioF();
    const QString twice = bankPath(appFolder, name + "@2x");
    const QString path = ratio > 1 && QFile::exists(twice) ? twice : bankPath(appFolder, name);
    const QImage expected = QImage(path).convertToFormat(QImage::Format_ARGB32).scaled(button.size() * ratio);
    int opaque = 0;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if (qAlpha(expected.pixel(x, y)) == 255 && ++opaque && shown.pixel(x, y) != expected.pixel(x, y))
                return false;
        }
    }
    return opaque > 0 && shown.size() == expected.size() && grabbed.devicePixelRatio() == ratio;
}

// How far the 2x form, averaged over each 2 x 2 block, is from the 1x form
// (the largest difference of a channel), and how many blocks hold more than
// one colour: a 2x form drawn at its size has detail inside its blocks,
// where one scaled up from the 1x form has none.
std::pair<int, int> compareForms(const QImage &single, const QImage &twice)
{
    // Premultiplied, so that the colour of a transparent pixel counts for nothing.
    const QImage a = single.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage b = twice.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int largest = 0, detailed = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb block[] = {b.pixel(2 * x, 2 * y), b.pixel(2 * x + 1, 2 * y), b.pixel(2 * x, 2 * y + 1),
                                  b.pixel(2 * x + 1, 2 * y + 1)};
            detailed
                += std::any_of(std::begin(block), std::end(block), [&](QRgb p) { return p != block[0]; });
            const QRgb p = a.pixel(x, y);
            for (const int shift : {0, 8, 16, 24}) {  // blue, green, red, alpha
                int sum = 0;
                for (const QRgb q : block)
                    sum += int(q >> shift & 0xff);
                largest = std::max(largest, std::abs(sum / 4 - int(p >> shift & 0xff)));
            }
        }
    }
    return {largest, detailed};
}

}  // namespace

// The floating button: its pictures and tool tips, and what the mouse does on it.
class TestFloatingButton : public QObject
{
    Q_OBJECT

    AppState m_state;
    const QString m_app = QCoreApplication::applicationDirPath();  // the built program's folder
    std::unique_ptr<FloatingButton> m_button;  // over the built program's bank, shown online and ready

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    void init()
    {
        m_state.isOnline = true;
        m_state.hideOnClose = true;
        m_button = std::make_unique<FloatingButton>(m_state, m_app);
        m_button->move(40, 50);  // away from the origin, where local and global points would agree
        m_button->showButton();
        QVERIFY(QTest::qWaitForWindowExposed(m_button.get()));
    }

    void cleanup() { m_button.reset(); }

    void buttonState_data()
    {
        QTest::addColumn<bool>("online");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<int>("pressed");
        QTest::addColumn<QString>("bank");  // see buttonState()
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("toolTip");
        const auto row = [](const char *name, bool online, bool loaded, int pressed, const char *bank,
                            const char *picture, const char *toolTip) {
            QTest::newRow(name) << online << loaded << pressed << QString(bank) << QString(picture)
                                << QString(toolTip);
        };
        row("offline", false, false, 0, "", "ia", "Status: Offline");
        row("offline, main window loaded", false, true, 0, "", "ia", "Status: Offline");
        row("online, flushed", true, false, 0, "", "ib", "Status: Online: Flushed");
        row("online, ready", true, true, 0, "", "id", "Status: Online: Ready");
        // A pressed button keeps the tool tip it had.
        row("pressed", true, true, -1, "", "ic", "earlier tip");
        row("pressed by any nonzero value", false, false, 1, "", "ic", "earlier tip");
        // A picture that cannot be read leaves the previous one.
        row("unreadable picture", true, false, 0, "damaged", "ia", "Status: Online: Flushed");
        row("missing pressed picture", false, false, -1, "damaged", "ia", "earlier tip");
        // A bank file is any picture under the .bnk extension; it fills the window.
        row("smaller bitmap", true, true, 0, "BMP", "id", "Status: Online: Ready");
        row("larger PNG", true, true, 0, "PNG", "id", "Status: Online: Ready");
    }

    // From the offline picture, the button is drawn for a state. Its bank is the
    // built program's (""), or holds "ia" and: an "ib" that is no picture
    // ("damaged"), or a plain "id" picture in the format named.
    void buttonState()
    {
        QFETCH(bool, online);
        QFETCH(bool, loaded);
        QFETCH(int, pressed);
        QFETCH(QString, bank);
        QFETCH(QString, picture);
        QFETCH(QString, toolTip);
        QTemporaryDir folder;  // a program folder whose bank holds the built program's "ia"
        QDir(folder.path()).mkpath("uBank");
        QFile::copy(bankPath(m_app, "ia"), bankPath(folder.path(), "ia"));
        if (bank == "damaged") {
            TestEnvironment::writeFile(bankPath(folder.path(), "ib"), "not a picture");
        } else if (!bank.isEmpty()) {
            QImage plain(bank == "BMP" ? 16 : 48, bank == "BMP" ? 16 : 48, QImage::Format_ARGB32);
            plain.fill(QColor(200, 40, 40));
            QVERIFY(plain.save(bankPath(folder.path(), "id"), qPrintable(bank)));
        }
        const QString appFolder = bank.isEmpty() ? m_app : folder.path();
        FloatingButton button(m_state, appFolder);
        m_state.isOnline = false;
        button.ButtonState(0);
        button.setToolTip("earlier tip");

        m_state.isOnline = online;
        m_state.hideOnClose = loaded;
        button.ButtonState(pressed);
        QCOMPARE(button.currentPictureName(), picture);
        QCOMPARE(button.toolTip(), toolTip);
        QAccessibleInterface *named = QAccessible::queryAccessibleInterface(&button);
        QCOMPARE(named->text(QAccessible::Name) + ": " + named->text(QAccessible::Description),
                 "Tessaly: " + toolTip);
        QCOMPARE(button.size(), QSize(32, 32));
        QVERIFY(shows(button, appFolder, picture));
        if (bank.isEmpty()) {
            // The window is the picture's opaque part, in logical pixels at
            // every scale: the rounded corners are left out.
            const QRegion mask = button.mask();
            QCOMPARE(mask.boundingRect(), QRect(0, 0, 32, 32));
            QVERIFY(!mask.contains(QPoint(0, 0)) && !mask.contains(QPoint(31, 31)));
            QVERIFY(mask.contains(QPoint(31, 16)) && mask.contains(QPoint(16, 31)));
        }
    }

    void pictures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("bank");   // see pictures()
        QTest::addColumn<qreal>("ratio");    // the screen's device pixel ratio
        QTest::addColumn<QString>("shown");  // the form shown: "1x", "2x" or "" (none)
        const auto row
            = [](const char *rowName, const char *name, const char *bank, qreal ratio, const char *shown) {
                  QTest::newRow(rowName) << QString(name) << QString(bank) << ratio << QString(shown);
              };
        for (const char *name : {"ia", "ib", "ic", "id", "b1u", "b1d"}) {
            for (const qreal ratio : {1.0, 2.0, 3.0})
                row(qPrintable(QString("%1 at %2").arg(name).arg(ratio)), name, "", ratio,
                    ratio > 1 ? "2x" : "1x");
        }
        row("1.5: the 2x form, shrunk by the painter", "id", "", 1.5, "2x");
        row("no 2x form", "ia", "no 2x", 2.0, "1x");
        row("damaged 2x form", "ib", "damaged 2x", 2.0, "1x");
        row("damaged 1x form", "ic", "damaged", 2.0, "");
        row("damaged 1x form at 1", "ic", "damaged", 1.0, "");
        row("only a 2x form", "id", "only 2x", 2.0, "");
    }

    // Each bank picture of the built program loads in its two forms, at the 1x
    // form's logical size: the 2x form (ratio 2) on a screen above ratio 1.
    // In a bank of our own the 2x form may be missing or damaged (the 1x form
    // stands in) or the 1x form damaged or missing (no picture).
    void pictures()
    {
        QFETCH(QString, name);
        QFETCH(QString, bank);
        QFETCH(qreal, ratio);
        QFETCH(QString, shown);
        QTemporaryDir folder;
        QDir(folder.path()).mkpath("uBank");
        if (bank == "damaged")
            TestEnvironment::writeFile(bankPath(folder.path(), name), "\x89PNG\r\n\x1a\n cut short");
        else if (bank != "only 2x")
            QVERIFY(QFile::copy(bankPath(m_app, name), bankPath(folder.path(), name)));
        if (bank == "damaged 2x")
            TestEnvironment::writeFile(bankPath(folder.path(), name + "@2x"), "not a picture");
        else if (bank != "no 2x")
            QVERIFY(QFile::copy(bankPath(m_app, name + "@2x"), bankPath(folder.path(), name + "@2x")));
        const QString path = bankPath(folder.path(), name);
        QCOMPARE(BankImage::doubleSizePath(path), bankPath(folder.path(), name + "@2x"));

        const BankImage image(path);
        const QPixmap picture = image.pixmap(ratio);
        const QPixmap iconPicture = image.icon().pixmap(image.size(), ratio);
        QCOMPARE(picture.isNull(), shown.isEmpty());
        QCOMPARE(iconPicture.isNull(), shown.isEmpty());
        if (shown.isEmpty())
            return;
        const QImage single(bankPath(m_app, name));
        const QImage expected(bankPath(m_app, shown == "2x" ? name + "@2x" : name));
        const qreal formRatio = shown == "2x" ? 2 : 1;
        QCOMPARE(image.size(), single.size());
        QCOMPARE(picture.deviceIndependentSize(), QSizeF(single.size()));
        QCOMPARE(picture.devicePixelRatio(), formRatio);
        QCOMPARE(picture.toImage().convertToFormat(QImage::Format_ARGB32),
                 expected.convertToFormat(QImage::Format_ARGB32));
        // The icon (the tray's, the flip button's) picks the same form at a
        // whole ratio; between them Qt's choice is its own.
        QCOMPARE(iconPicture.deviceIndependentSize(), QSizeF(single.size()));
        if (ratio == std::floor(ratio))
            QCOMPARE(iconPicture.toImage().size(), expected.size());
        if (bank.isEmpty() && ratio == 1) {
            // The built 2x form is the same picture, drawn at twice the pixels.
            const QImage twice(bankPath(m_app, name + "@2x"));
            QCOMPARE(twice.size(), single.size() * 2);
            const auto [largest, detailed] = compareForms(single, twice);
            QVERIFY2(largest <= 80, qPrintable(QString("a channel differs by %1").arg(largest)));
            QVERIFY2(detailed >= single.width(), qPrintable(QString("%1 detailed blocks").arg(detailed)));
        }
    }

    void mouse_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<int>("x");
        QTest::addColumn<bool>("grip");
        QTest::addColumn<bool>("menu");
        QTest::newRow("left, face, last column (315 twips)") << Qt::LeftButton << 21 << false << false;
        QTest::newRow("left, grip, first column (330 twips)") << Qt::LeftButton << 22 << true << false;
        QTest::newRow("right on the face") << Qt::RightButton << 5 << false << true;
        QTest::newRow("right on the grip") << Qt::RightButton << 28 << true << true;
        QTest::newRow("middle on the face") << Qt::MiddleButton << 5 << false << false;
    }

    // The pointer shows where the grip is. A left press on the face presses the
    // button; one on the grip drags the window instead (the offscreen platform
    // cannot move windows itself: the button follows the mouse). A right press
    // asks for the menu where it was made.
    void mouse()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(int, x);
        QFETCH(bool, grip);
        QFETCH(bool, menu);
        const QPoint at(x, 10), shift(7, 15), from = m_button->pos();
        const bool drags = button == Qt::LeftButton && grip;
        QSignalSpy menuRequests(m_button.get(), &FloatingButton::menuRequested);
        QSignalSpy moved(m_button.get(), &FloatingButton::moved);
        // From the other shape, so that a move that changes nothing fails.
        m_button->setCursor(grip ? Qt::ArrowCursor : Qt::SizeAllCursor);
        QTest::mouseMove(m_button.get(), at);
        QCOMPARE(m_button->cursor().shape(), grip ? Qt::SizeAllCursor : Qt::ArrowCursor);

        QTest::mousePress(m_button.get(), button, {}, at);
        QCOMPARE(m_button->currentPictureName(), QString(button == Qt::LeftButton && !grip ? "ic" : "id"));
        QCOMPARE(menuRequests.count(), menu ? 1 : 0);
        if (menu)
            QCOMPARE(menuRequests.at(0).at(0).toPoint(), m_button->mapToGlobal(at));
        QTest::mouseMove(m_button.get(), at + shift);
        QTest::mouseRelease(m_button.get(), button, {}, drags ? at : at + shift);  // where the mouse is
        QCOMPARE(m_button->currentPictureName(), QString("id"));
        const QPoint expected = drags ? from + shift : from;
        QCOMPARE(m_button->pos(), expected);
        QCOMPARE(moved.count(), drags ? 1 : 0);
        if (drags)
            QCOMPARE(moved.at(0).at(0).toPoint(), expected);
    }

    void doubleClick_data()
    {
        QTest::addColumn<Qt::MouseButton>("clickedBefore");  // Qt::NoButton: no click before
        QTest::addColumn<Qt::MouseButton>("doubleClickedWith");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("requests");
        QTest::newRow("left") << Qt::NoButton << Qt::LeftButton << 8 << 1;
        QTest::newRow("left, on the grip") << Qt::NoButton << Qt::LeftButton << 26 << 1;
        QTest::newRow("middle") << Qt::NoButton << Qt::MiddleButton << 8 << 0;
        QTest::newRow("left after a middle click") << Qt::MiddleButton << Qt::LeftButton << 8 << 1;
        QTest::newRow("middle after a left click") << Qt::LeftButton << Qt::MiddleButton << 8 << 0;
    }

    void doubleClick()
    {
        QFETCH(Qt::MouseButton, clickedBefore);
        QFETCH(Qt::MouseButton, doubleClickedWith);
        QFETCH(int, x);
        QFETCH(int, requests);
        QSignalSpy doubleClicks(m_button.get(), &FloatingButton::doubleClicked);
        if (clickedBefore != Qt::NoButton)
            QTest::mouseClick(m_button.get(), clickedBefore, {}, QPoint(x, 16));
        // As the window system delivers it: press, release, double click, release.
        QTest::mouseClick(m_button.get(), doubleClickedWith, {}, QPoint(x, 16));
        QTest::mouseDClick(m_button.get(), doubleClickedWith, {}, QPoint(x, 16));
        QTest::mouseRelease(m_button.get(), doubleClickedWith, {}, QPoint(x, 16));
        QCOMPARE(doubleClicks.count(), requests);
    }

    // A double click skipped after a middle click still draws the button released.
    void skippedDoubleClickStillRedraws()
    {
        QSignalSpy doubleClicks(m_button.get(), &FloatingButton::doubleClicked);
        QTest::mouseClick(m_button.get(), Qt::MiddleButton, {}, QPoint(8, 16));
        QTest::mousePress(m_button.get(), Qt::LeftButton, {}, QPoint(8, 16));
        QCOMPARE(m_button->currentPictureName(), QString("ic"));
        QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(8, 16), m_button->mapToGlobal(QPointF(8, 16)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_button.get(), &event);
        QCOMPARE(doubleClicks.count(), 0);
        QCOMPARE(m_button->currentPictureName(), QString("id"));
    }

    // Topmost or not, the button stays shown; hidden, it is no longer topmost
    // and drops its picture, until shown again for the current state.
    void topmostAndHide()
    {
        m_button->setTopmost(true);
        QVERIFY(m_button->isTopmost() && m_button->isVisible());
        m_button->setTopmost(false);
        QVERIFY(!m_button->isTopmost() && m_button->isVisible());

        m_button->setTopmost(true);
        m_button->hideButton();
        QVERIFY(!m_button->isVisible() && !m_button->isTopmost());
        QCOMPARE(m_button->currentPictureName(), QString());
        m_state.isOnline = false;
        m_button->showButton();
        QVERIFY(m_button->isVisible());
        QCOMPARE(m_button->currentPictureName(), QString("ia"));
        QCOMPARE(m_button->toolTip(), QString("Status: Offline"));
    }
};

QTEST_MAIN(TestFloatingButton)
#include "TestFloatingButton.moc"
