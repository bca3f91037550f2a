// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AccessChecks.h"
#include "ComponentRegistry.h"
#include "DesktopUrlOpener.h"
#include "FileIO.h"
#include "LinuxProgramStarter.h"
#include "SessionStore.h"
#include "TestEnvironment.h"
#include "Translators.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QXmlStreamReader>
#include <QtTest>
#include <functional>
#include <memory>

using Object = std::unique_ptr<QObject>;

namespace {

// The catalogue's texts: what the sources say and what a German desktop
// shows instead.
class Catalogue
{
public:
    explicit Catalogue(const QString &tsFile)
    {
        QFile file(tsFile);
        if (!file.open(QIODevice::ReadOnly))
            return;
        QXmlStreamReader xml(&file);
        QString source;
        QString translation;  // a plural's forms are added one by one
        bool plural = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.isStartElement() && xml.name() == QLatin1String("translation")) {
                translation.clear();
                plural = false;
            } else if (xml.isStartElement() && xml.name() == QLatin1String("numerusform")) {
                add(source, xml.readElementText());
                plural = true;
            } else if (xml.isCharacters()) {
                translation += xml.text();
            } else if (xml.isEndElement() && xml.name() == QLatin1String("translation") && !plural) {
                add(source, translation);
            }
        }
    }

    int size() const { return int(m_translations.size()); }

    // The texts that a German window must not show: an English text of the
    // catalogue whose translation differs ("Firefox" stays), and a text that
    // is no translation at all (one the catalogue does not know).
    QStringList faults(const QStringList &shown, const QString &where) const
    {
        QStringList faults;
        for (const QString &text : shown) {
            const QStringList translations = m_translations.values(text);
            if (!translations.isEmpty() && !translations.contains(text))
                faults << QStringLiteral("%1: \"%2\" is not translated").arg(where, text);
            else if (!isTranslation(text))
                faults << QStringLiteral("%1: \"%2\" is not in the catalogue").arg(where, text);
        }
        return faults;
    }

private:
    void add(const QString &source, const QString &translation)
    {
        m_translations.insert(source, translation);
        // A translation with its place markers (%1, %n) standing for any text.
        QString pattern = QRegularExpression::escape(translation);
        pattern.replace(QRegularExpression(QStringLiteral(R"(\\%(\d|n))")), QStringLiteral(".+"));
        m_shown << QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                                      QRegularExpression::DotMatchesEverythingOption);
    }

    bool isTranslation(const QString &text) const
    {
        return std::any_of(m_shown.begin(), m_shown.end(),
                           [&](const QRegularExpression &form) { return form.match(text).hasMatch(); });
    }

    QMultiHash<QString, QString> m_translations;
    QList<QRegularExpression> m_shown;
};

// Every text a window shows a user: its title, captions, frame titles,
// labels, tabs, combo box items, actions and tool tips, of the controls
// shown (a hidden page shows its texts when its tab is chosen).
QStringList shownTexts(const QWidget *window)
{
    QStringList texts {window->windowTitle()};
    for (const QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(window))
            continue;
        texts << widget->toolTip() << widget->whatsThis() << widget->accessibleName()
              << widget->accessibleDescription();
        if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            texts << button->text();
        else if (const auto *frame = qobject_cast<const QGroupBox *>(widget))
            texts << frame->title();
        else if (const auto *label = qobject_cast<const QLabel *>(widget))
            texts << label->text();
        else if (const auto *edit = qobject_cast<const QLineEdit *>(widget))
            texts << edit->placeholderText();
        if (const auto *tabs = qobject_cast<const QTabBar *>(widget)) {
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i) << tabs->tabToolTip(i);
        }
        if (const auto *combo = qobject_cast<const QComboBox *>(widget)) {
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        }
        for (const QAction *action : widget->actions()) {
            texts << action->text();
            if (action->toolTip() != AccessChecks::visibleText(action->text()))
                texts << action->toolTip();  // one of its own, not the caption Qt gives
        }
    }
    texts.removeAll(QString());
    return texts;
}

// The access keys of the shown page's controls and the dialog's buttons:
// none is given twice, nor is one a tab's.
QStringList accessKeyFaults(const QWidget *dialog, const QStringList &tabs, const QString &page)
{
    QMap<QChar, QString> taken;
    for (const QString &tab : tabs) {
        for (const QChar key : AccessChecks::accessKeys(tab))
            taken.insert(key, tab);
    }
    QStringList captions;
    for (const QAbstractButton *button : dialog->findChildren<QAbstractButton *>()) {
        if (button->isVisible())
            captions << button->text();
    }
    for (const QGroupBox *frame : dialog->findChildren<QGroupBox *>()) {
        if (frame->isVisible())
            captions << frame->title();
    }
    QStringList faults;
    for (const QString &caption : captions) {
        for (const QChar key : AccessChecks::accessKeys(caption)) {
            if (taken.contains(key))
                faults << QStringLiteral("%1: %2 is the key of \"%3\" and \"%4\"")
                              .arg(page, key, taken.value(key), caption);
            taken.insert(key, caption);
        }
    }
    return faults;
}

// A window saved as a picture where TESSALY_TEST_SCREENSHOTS names a folder,
// to be looked at by hand.
void keepPicture(QWidget *window, const QString &name)
{
    const QString folder = qEnvironmentVariable("TESSALY_TEST_SCREENSHOTS");
    if (!folder.isEmpty())
        window->grab().save(folder + u'/' + name + QStringLiteral(".png"));
}

// The host window of a merge: its file dialog "dlgDialog" records the titles
// it is shown with and is cancelled.
class FileDialogDouble : public QObject
{
    Q_OBJECT

public:
    QStringList titles;
    Q_INVOKABLE void ShowOpen() { titles << property("DialogTitle").toString(); }
};

}  // namespace

// The library's windows and the common code's messages on a German desktop
// (CTest runs this suite with LANG=de_DE.UTF-8): nothing shows an English
// text of the catalogue, and what is stored stays as it is in English.
class TestPemberlyGerman : public QObject
{
    Q_OBJECT

    Catalogue m_catalogue {QStringLiteral(PEMBERLY_TS_FILE)};
    std::unique_ptr<TestEnvironment::ConfigFolder> m_config;

    Object create(const QString &progId)
    {
        QString error;
        Object object(ComponentRegistry::createObject(progId, nullptr, &error));
        if (!object)
            qWarning("%s", qPrintable(error));
        return object;
    }

    // Runs show (which opens a modal window) and walks the window it opens
    // once it is up; walk returns the faults it finds.
    QStringList walkModal(const std::function<void()> &show, const std::function<QStringList(QWidget *)> &walk)
    {
        QStringList faults {QStringLiteral("no window opened")};
        QTimer::singleShot(0, this, [&] {
            QWidget *window = QApplication::activeModalWidget();
            if (!window)
                return;
            faults = walk(window);
            window->close();
        });
        show();
        return faults;
    }

    QStringList walkOptions(QWidget *dialog)
    {
        auto *tabBar = dialog->findChild<QTabBar *>(QStringLiteral("tbsOptions"));
        if (!tabBar)
            return {QStringLiteral("no tab bar")};
        QStringList tabs;
        for (int i = 0; i < tabBar->count(); ++i)
            tabs << tabBar->tabText(i);
        QStringList faults = AccessChecks::accessKeyFaults(tabs, QStringLiteral("options tabs"));
        for (int tab = 0; tab < tabBar->count(); ++tab) {
            tabBar->setCurrentIndex(tab);
            QCoreApplication::sendPostedEvents();
            const QString page = QStringLiteral("options page %1").arg(tab);
            faults << m_catalogue.faults(shownTexts(dialog), page) << accessKeyFaults(dialog, tabs, page);
            keepPicture(dialog, QStringLiteral("options-%1").arg(tab));
        }
        return faults;
    }

private slots:
    void initTestCase()
    {
        TestEnvironment::isolate();
        QVERIFY2(QLocale::system().language() == QLocale::German,
                 qPrintable("not a German desktop: " + QLocale::system().name()));
        QVERIFY2(m_catalogue.size() > 50, PEMBERLY_TS_FILE);
        const QString missing = Translators::installForSystemLocale(this);
        QVERIFY2(missing.isEmpty(), qPrintable("not loaded: " + missing));
    }

    void init() { m_config = std::make_unique<TestEnvironment::ConfigFolder>(); }

    void windows_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("options dialog, every page") << "options";
        QTest::newRow("about box") << "about";
        QTest::newRow("merge from a bookmark file") << "merge";
        QTest::newRow("open a bookmark file as") << "open";
    }

    void windows()
    {
        QFETCH(QString, window);
        QStringList faults;
        if (window == "options") {
            QWidget host;
            const Object gcfg = create("Pemberly.gConfig");
            QVERIFY(gcfg);
            gcfg->setProperty("frmMe", QVariant::fromValue<QObject *>(&host));
            gcfg->setProperty("aP", QCoreApplication::applicationDirPath());
            faults = walkModal([&] { QMetaObject::invokeMethod(gcfg.get(), "ShowWnd"); },
                               [this](QWidget *dialog) { return walkOptions(dialog); });
        } else if (window == "about") {
            const Object about = create("Pemberly.uAbout");
            QVERIFY(about);
            const auto show = [&] {
                QMetaObject::invokeMethod(about.get(), "showAbout", Q_ARG(QObject *, nullptr),
                                          Q_ARG(QString, QCoreApplication::applicationDirPath()), Q_ARG(int, 0),
                                          Q_ARG(int, 1), Q_ARG(int, 0), Q_ARG(bool, true));
            };
            faults = walkModal(show, [this](QWidget *box) {
                keepPicture(box, QStringLiteral("about"));
                return m_catalogue.faults(shownTexts(box), QStringLiteral("about box"));
            });
        } else {
            QWidget host;
            auto *dialog = new FileDialogDouble;
            dialog->setObjectName("dlgDialog");
            dialog->setParent(&host);
            const Object merge = create("Pemberly.mergeBrow");
            QVERIFY(merge);
            merge->setProperty("thisForm", QVariant::fromValue<QObject *>(&host));
            QMetaObject::invokeMethod(merge.get(), "OpenNSAs", Q_ARG(bool, window == "merge"));
            QCOMPARE(dialog->titles.size(), 1);
            faults = m_catalogue.faults(dialog->titles, "file dialog");
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("\n")));
    }

    // The common code's messages that the windows show, as a German user reads them.
    void messages_data()
    {
        QTest::addColumn<int>("producer");
        QTest::newRow("an address that cannot be opened") << 0;
        QTest::newRow("a file that does not exist") << 1;
        QTest::newRow("a truncated session store") << 2;
        QTest::newRow("a session store that holds no session") << 3;
        QTest::newRow("a program that cannot be found") << 4;
        QTest::newRow("a library object that cannot be created") << 5;
    }

    void messages()
    {
        QFETCH(int, producer);
        const QString missing = m_config->path() + "/missing.tsy";
        const QList<std::function<QString()>> producers = {
            [] {
                QString error;
                DesktopUrlOpener().open(QUrl("no-scheme"), &error);
                return error;
            },
            [&] {
                QString error;
                QByteArray contents;
                FileIO::readFile(missing, &contents, &error);
                return error;
            },
            [] {
                QString error;
                SessionStore::decompress("mozLz4", &error);
                return error;
            },
            [] {
                QString error;
                SessionStore::currentPage("[1]", &error);
                return error;
            },
            [] {
                QString error;
                LinuxProgramStarter().startDetached("tessaly-no-such-program", {}, &error);
                return error;
            },
            [] {
                QString error;
                delete ComponentRegistry::createObject("Pemberly.NoSuchClass", nullptr, &error);
                return error;
            },
        };
        const QString message = producers.at(producer)();
        QVERIFY(!message.isEmpty());
        const QStringList faults = m_catalogue.faults({message}, "message");
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("\n")));
    }

    // A group name that the merge makes is stored: it is the same in every
    // language, so that merging the favorites again fills the same group.
    void storedNamesStayAsTheyAre()
    {
        const QString folder = m_config->path() + "/Favorites";
        QVERIFY(QDir().mkpath(folder));
        const Object merge = create("Pemberly.mergeBrow");
        QVERIFY(merge);
        merge->setProperty("favoritesFolder", folder);
        QSignalSpy groups(merge.get(), SIGNAL(NewGroup(QString)));
        QVERIFY(QMetaObject::invokeMethod(merge.get(), "MergeFaves", Q_ARG(qlonglong, 0)));
        QCOMPARE(groups.size(), 1);
        QCOMPARE(groups.first().first().toString(), "E-Favorites: (Was Root)");
    }
};

QTEST_MAIN(TestPemberlyGerman)
#include "TestPemberlyGerman.moc"
