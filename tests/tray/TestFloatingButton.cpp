#include "AppState.h"
#include "FloatingButton.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QImageReader>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString builtAppFolder()
{
    return QCoreApplication::applicationDirPath();
}

QImage bankImage(const QString &appFolder, const QString &name)
{
    QImageReader reader(appFolder + "/uBank/" + name + ".bnk");
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

// Whether the button shows the picture over its whole face: every opaque
// pixel of the picture, scaled to the button, appears on the button.
bool shows(FloatingButton &button, const QImage &picture)
{
    const QImage shown = button.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage expected = picture.scaled(button.size()).convertToFormat(QImage::Format_ARGB32);
    if (shown.size() != expected.size())
        return false;
    int opaque = 0;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if (qAlpha(expected.pixel(x, y)) != 255)
                continue;
            ++opaque;
            if (shown.pixel(x, y) != expected.pixel(x, y))
                return false;
        }
    }
    return opaque > 0;
}

// A temporary program folder whose bank holds only the named pictures of
// the built program.
class AppFolder
{
public:
    explicit AppFolder(const QStringList &names)
    {
        QDir(m_dir.path()).mkpath("uBank");
        for (const QString &name : names)
            QFile::copy(builtAppFolder() + "/uBank/" + name + ".bnk", bankPath(name));
    }
    QString path() const { return m_dir.path(); }
    QString bankPath(const QString &name) const { return m_dir.path() + "/uBank/" + name + ".bnk"; }

private:
    QTemporaryDir m_dir;
};

// A double click as the window system delivers it: press, release, double
// click, release. (QTest::mouseDClick sends only the double click event.)
void doubleClick(QWidget *widget, Qt::MouseButton button, QPoint at)
{
    QTest::mouseClick(widget, button, {}, at);
    QTest::mouseDClick(widget, button, {}, at);
    QTest::mouseRelease(widget, button, {}, at);
}

void addMouseAreaRows()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<bool>("inDragArea");
    QTest::newRow("face, left edge") << 0 << false;
    QTest::newRow("face, last column (315 twips)") << 21 << false;
    QTest::newRow("grip, first column (330 twips)") << 22 << true;
    QTest::newRow("grip, right edge") << 31 << true;
}

}  // namespace

// The floating button: its pictures and tool tips, and what the mouse does on it.
class TestFloatingButton : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void buttonState_data();
    void buttonState();
    void missingPictureKeepsPrevious_data();
    void missingPictureKeepsPrevious();
    void pictureFillsWindow_data();
    void pictureFillsWindow();

    void cursorShape_data();
    void cursorShape();
    void leftPressByArea_data();
    void leftPressByArea();
    void otherButtons_data();
    void otherButtons();
    void doubleClick_data();
    void doubleClick();
    void skippedDoubleClickStillRedraws();
    void drag_data();
    void drag();

    void topmostKeepsButtonShown();
    void hideDropsPictureAndShowRedraws();

private:
    AppState m_state;
};

void TestFloatingButton::initTestCase()
{
    TestEnvironment::isolate();
    for (const char *name : {"ia", "ib", "ic", "id", "b1u", "b1d"})
        QVERIFY2(!bankImage(builtAppFolder(), name).isNull(), name);
}

void TestFloatingButton::init()
{
    m_state.isOnline = true;
    m_state.hideOnClose = true;
}

void TestFloatingButton::buttonState_data()
{
    QTest::addColumn<bool>("online");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<int>("pressed");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("toolTip");

    QTest::newRow("offline") << false << false << 0 << "ia"
                             << "Status: Offline";
    QTest::newRow("offline, main window loaded") << false << true << 0 << "ia"
                                                 << "Status: Offline";
    QTest::newRow("online, flushed") << true << false << 0 << "ib"
                                     << "Status: Online: Flushed";
    QTest::newRow("online, ready") << true << true << 0 << "id"
                                   << "Status: Online: Ready";
    // A pressed button keeps the tool tip it had.
    QTest::newRow("pressed, offline") << false << false << -1 << "ic"
                                      << "earlier tip";
    QTest::newRow("pressed, ready") << true << true << -1 << "ic"
                                    << "earlier tip";
    QTest::newRow("pressed by any nonzero value") << true << false << 1 << "ic"
                                                  << "earlier tip";
}

void TestFloatingButton::buttonState()
{
    QFETCH(bool, online);
    QFETCH(bool, loaded);
    QFETCH(int, pressed);
    QFETCH(QString, picture);
    QFETCH(QString, toolTip);

    m_state.isOnline = online;
    m_state.hideOnClose = loaded;
    FloatingButton button(m_state, builtAppFolder());
    button.setToolTip("earlier tip");

    button.ButtonState(pressed);

    QCOMPARE(button.currentPictureName(), picture);
    QCOMPARE(button.toolTip(), toolTip);
    QVERIFY(shows(button, bankImage(builtAppFolder(), picture)));
}

void TestFloatingButton::missingPictureKeepsPrevious_data()
{
    QTest::addColumn<bool>("online");
    QTest::addColumn<int>("pressed");
    QTest::addColumn<QString>("toolTip");

    // The bank holds "ia" and an "ib" that is no picture; "ic" and "id" are missing.
    QTest::newRow("unreadable picture") << true << 0 << "Status: Online: Flushed";
    QTest::newRow("missing pressed picture") << false << -1 << "Status: Offline";
}

void TestFloatingButton::missingPictureKeepsPrevious()
{
    QFETCH(bool, online);
    QFETCH(int, pressed);
    QFETCH(QString, toolTip);

    AppFolder folder({"ia"});
    TestEnvironment::writeFile(folder.bankPath("ib"), "not a picture");
    m_state.isOnline = false;
    m_state.hideOnClose = false;
    FloatingButton button(m_state, folder.path());
    button.ButtonState(0);
    QCOMPARE(button.currentPictureName(), QString("ia"));

    m_state.isOnline = online;
    button.ButtonState(pressed);

    QCOMPARE(button.currentPictureName(), QString("ia"));
    QVERIFY(shows(button, bankImage(folder.path(), "ia")));
    QCOMPARE(button.toolTip(), toolTip);
}

void TestFloatingButton::pictureFillsWindow_data()
{
    QTest::addColumn<int>("pictureSize");
    QTest::addColumn<QByteArray>("format");

    // A bank file is any picture under the .bnk extension.
    QTest::newRow("smaller bitmap") << 16 << QByteArray("BMP");
    QTest::newRow("larger PNG") << 48 << QByteArray("PNG");
}

void TestFloatingButton::pictureFillsWindow()
{
    QFETCH(int, pictureSize);
    QFETCH(QByteArray, format);

    AppFolder folder({});
    QImage picture(pictureSize, pictureSize, QImage::Format_ARGB32);
    picture.fill(QColor(200, 40, 40));
    QVERIFY(picture.save(folder.bankPath("id"), format.constData()));
    FloatingButton button(m_state, folder.path());

    button.ButtonState(0);

    QCOMPARE(button.size(), QSize(32, 32));
    const QImage shown = button.grab().toImage();
    QCOMPARE(QColor(shown.pixel(0, 0)), QColor(200, 40, 40));
    QCOMPARE(QColor(shown.pixel(31, 31)), QColor(200, 40, 40));
}

void TestFloatingButton::cursorShape_data()
{
    addMouseAreaRows();
}

void TestFloatingButton::cursorShape()
{
    QFETCH(int, x);
    QFETCH(bool, inDragArea);

    FloatingButton button(m_state, builtAppFolder());
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    // Start from the other shape, so that a move that changes nothing fails.
    button.setCursor(inDragArea ? Qt::ArrowCursor : Qt::SizeAllCursor);

    QTest::mouseMove(&button, QPoint(x, 16));

    QCOMPARE(button.cursor().shape(), inDragArea ? Qt::SizeAllCursor : Qt::ArrowCursor);
}

void TestFloatingButton::leftPressByArea_data()
{
    addMouseAreaRows();
}

void TestFloatingButton::leftPressByArea()
{
    QFETCH(int, x);
    QFETCH(bool, inDragArea);

    FloatingButton button(m_state, builtAppFolder());
    button.showButton();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QCOMPARE(button.currentPictureName(), QString("id"));

    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(x, 16));
    // The face presses the button; the grip starts a drag instead.
    QCOMPARE(button.currentPictureName(), inDragArea ? QString("id") : QString("ic"));

    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(x, 16));
    QCOMPARE(button.currentPictureName(), QString("id"));
}

void TestFloatingButton::otherButtons_data()
{
    QTest::addColumn<Qt::MouseButton>("mouseButton");
    QTest::addColumn<int>("x");
    QTest::addColumn<bool>("menu");

    QTest::newRow("right on the face") << Qt::RightButton << 5 << true;
    QTest::newRow("right on the grip") << Qt::RightButton << 28 << true;
    QTest::newRow("middle on the face") << Qt::MiddleButton << 5 << false;
}

void TestFloatingButton::otherButtons()
{
    QFETCH(Qt::MouseButton, mouseButton);
    QFETCH(int, x);
    QFETCH(bool, menu);

    FloatingButton button(m_state, builtAppFolder());
    button.move(40, 50);
    button.showButton();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QSignalSpy menuRequests(&button, &FloatingButton::menuRequested);
    QSignalSpy moves(&button, &FloatingButton::moved);

    QTest::mousePress(&button, mouseButton, {}, QPoint(x, 16));

    QCOMPARE(menuRequests.count(), menu ? 1 : 0);
    if (menu)
        QCOMPARE(menuRequests.at(0).at(0).toPoint(), button.mapToGlobal(QPoint(x, 16)));
    QCOMPARE(button.currentPictureName(), QString("id"));  // not pressed

    QTest::mouseRelease(&button, mouseButton, {}, QPoint(x, 16));
    QCOMPARE(moves.count(), 0);
    QCOMPARE(button.pos(), QPoint(40, 50));
}

void TestFloatingButton::doubleClick_data()
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

void TestFloatingButton::doubleClick()
{
    QFETCH(Qt::MouseButton, clickedBefore);
    QFETCH(Qt::MouseButton, doubleClickedWith);
    QFETCH(int, x);
    QFETCH(int, requests);
    const QPoint at(x, 16);

    FloatingButton button(m_state, builtAppFolder());
    button.showButton();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QSignalSpy doubleClicks(&button, &FloatingButton::doubleClicked);
    if (clickedBefore != Qt::NoButton)
        QTest::mouseClick(&button, clickedBefore, {}, at);

    ::doubleClick(&button, doubleClickedWith, at);

    QCOMPARE(doubleClicks.count(), requests);
    QCOMPARE(button.currentPictureName(), QString("id"));
}

void TestFloatingButton::skippedDoubleClickStillRedraws()
{
    FloatingButton button(m_state, builtAppFolder());
    button.showButton();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QSignalSpy doubleClicks(&button, &FloatingButton::doubleClicked);
    QTest::mouseClick(&button, Qt::MiddleButton, {}, QPoint(8, 16));
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(8, 16));
    QCOMPARE(button.currentPictureName(), QString("ic"));

    // The double click arrives while the button is still drawn pressed.
    QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(8, 16), button.mapToGlobal(QPointF(8, 16)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&button, &event);

    QCOMPARE(doubleClicks.count(), 0);
    QCOMPARE(button.currentPictureName(), QString("id"));
}

void TestFloatingButton::drag_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<bool>("moves");

    QTest::newRow("by the grip") << 26 << true;
    QTest::newRow("by the face") << 10 << false;
}

void TestFloatingButton::drag()
{
    QFETCH(int, x);
    QFETCH(bool, moves);

    FloatingButton button(m_state, builtAppFolder());
    button.move(100, 120);
    button.showButton();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QSignalSpy moved(&button, &FloatingButton::moved);
    const QPoint start(x, 10);
    const QPoint shift(7, 15);

    // The offscreen platform cannot move windows itself: the button follows the mouse.
    QTest::mousePress(&button, Qt::LeftButton, {}, start);
    QTest::mouseMove(&button, start + shift);
    const QPoint end = moves ? start : start + shift;  // the point under the mouse, on the button
    QTest::mouseRelease(&button, Qt::LeftButton, {}, end);

    const QPoint expected = moves ? QPoint(100, 120) + shift : QPoint(100, 120);
    QCOMPARE(button.pos(), expected);
    QCOMPARE(moved.count(), moves ? 1 : 0);
    if (moves)
        QCOMPARE(moved.at(0).at(0).toPoint(), expected);
}

void TestFloatingButton::topmostKeepsButtonShown()
{
    FloatingButton button(m_state, builtAppFolder());
    button.showButton();
    QVERIFY(QTest::qWaitForWindowExposed(&button));

    button.setTopmost(true);
    QVERIFY(button.isTopmost());
    QVERIFY(button.isVisible());
    QVERIFY(button.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(button.windowType(), Qt::Tool);

    button.setTopmost(false);
    QVERIFY(!button.isTopmost());
    QVERIFY(button.isVisible());
}

void TestFloatingButton::hideDropsPictureAndShowRedraws()
{
    FloatingButton button(m_state, builtAppFolder());
    button.showButton();
    button.setTopmost(true);

    button.hideButton();
    QVERIFY(!button.isVisible());
    QVERIFY(!button.isTopmost());
    QCOMPARE(button.currentPictureName(), QString());

    m_state.isOnline = false;
    button.showButton();
    QVERIFY(button.isVisible());
    QCOMPARE(button.currentPictureName(), QString("ia"));
    QCOMPARE(button.toolTip(), QString("Status: Offline"));
}

QTEST_MAIN(TestFloatingButton)
#include "TestFloatingButton.moc"
