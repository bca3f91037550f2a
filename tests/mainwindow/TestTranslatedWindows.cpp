// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The windows under LANG=de_DE.UTF-8: every window of the program is built
// twice, once without translators and once with those the program installs,
// and every text it shows (captions, menus, headers, tips, titles, names for
// screen readers, list cells) is walked. A text that reads the same both times
// is untranslated unless the German catalogue says it stays (a name, "URL"),
// and no text shown may be an English source text of the catalogue. The
// German menus keep one access key per command, none given twice in a menu.

#include "EntryEditor.h"
#include "FindWindow.h"
#include "FloatingButton.h"
#include "LinkCheckDialog.h"
#include "MainWindowTestCase.h"
#include "MaskFilterDialog.h"
#include "MergeCommands.h"
#include "MoveDialog.h"
#include "ProgramTranslations.h"
#include "StoreMerge.h"
#include "TrayWindow.h"
#include "ViewFilter.h"

#include <QAbstractItemView>
#include <QGroupBox>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSystemTrayIcon>
#include <QXmlStreamReader>

using namespace MainWindowTest;

namespace {

// A text shown and where: the object's path and the property.
using ShownTexts = QMap<QString, QString>;

// The catalogue: its English source texts, and those whose translation is the
// same text.
struct Catalogue
{
    QSet<QString> sources;
    QSet<QString> kept;
    int unfinished = 0;
};

Catalogue readCatalogue(const QString &path)
{
    Catalogue catalogue;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return catalogue;
    QXmlStreamReader xml(&file);
    QString source;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
            catalogue.sources << source;
        } else if (xml.name() == QLatin1String("translation")) {
            if (xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished"))
                ++catalogue.unfinished;
            // Plural forms are never shown as the source text reads.
            const QString translation = xml.readElementText(QXmlStreamReader::SkipChildElements);
            if (translation == source) {
                // An action's tool tip is its text without the access key.
                catalogue.kept << source << QString(source).remove(u'&');
            }
        }
    }
    return catalogue;
}

bool hasLetters(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isLetter(); });
}

class TextWalk
{
public:
    explicit TextWalk(const QSet<QString> &data)
        : m_data(data)
    { }

    ShownTexts texts;

    void walk(QObject *root, const QString &name)
    {
        visit(root, name);
        int index = 0;
        for (QObject *child : root->findChildren<QObject *>())
            visit(child, name + u'/' + pathOf(child, root) + u'#' + QString::number(index++));
    }

    void add(const QString &where, const QString &text)
    {
        if (hasLetters(text) && !m_data.contains(text))
            texts.insert(where, text);
    }

private:
    static QString pathOf(QObject *object, QObject *root)
    {
        QStringList parts;
        for (QObject *o = object; o && o != root; o = o->parent())
            parts.prepend(o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className())
                                                    : o->objectName());
        return parts.join(u'/');
    }

    void visit(QObject *object, const QString &where)
    {
        if (auto *widget = qobject_cast<QWidget *>(object))
            visitWidget(widget, where);
        if (auto *action = qobject_cast<QAction *>(object)) {
            add(where + QStringLiteral(":text"), action->text());
            add(where + QStringLiteral(":toolTip"), action->toolTip());
            add(where + QStringLiteral(":statusTip"), action->statusTip());
        }
        if (auto *model = qobject_cast<QAbstractItemModel *>(object))
            visitModel(model, where);
        if (auto *icon = qobject_cast<QSystemTrayIcon *>(object))
            add(where + QStringLiteral(":toolTip"), icon->toolTip());
    }

    void visitWidget(QWidget *widget, const QString &where)
    {
        if (widget->isWindow())
            add(where + QStringLiteral(":windowTitle"), widget->windowTitle());
        add(where + QStringLiteral(":toolTip"), widget->toolTip());
        add(where + QStringLiteral(":statusTip"), widget->statusTip());
        add(where + QStringLiteral(":whatsThis"), widget->whatsThis());
        add(where + QStringLiteral(":accessibleName"), widget->accessibleName());
        add(where + QStringLiteral(":accessibleDescription"), widget->accessibleDescription());
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            add(where + QStringLiteral(":text"), button->text());
        if (auto *label = qobject_cast<QLabel *>(widget))
            add(where + QStringLiteral(":text"), label->text());
        if (auto *box = qobject_cast<QGroupBox *>(widget))
            add(where + QStringLiteral(":title"), box->title());
        if (auto *edit = qobject_cast<QLineEdit *>(widget))
            add(where + QStringLiteral(":placeholder"), edit->placeholderText());
        if (auto *menu = qobject_cast<QMenu *>(widget))
            add(where + QStringLiteral(":title"), menu->title());
        if (auto *bar = qobject_cast<QStatusBar *>(widget))
            add(where + QStringLiteral(":message"), bar->currentMessage());
        if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            for (int i = 0; i < combo->count(); ++i)
                add(where + QStringLiteral(":item%1").arg(i), combo->itemText(i));
        }
        if (auto *tabs = qobject_cast<QTabBar *>(widget)) {
            for (int i = 0; i < tabs->count(); ++i) {
                add(where + QStringLiteral(":tab%1").arg(i), tabs->tabText(i));
                add(where + QStringLiteral(":tabTip%1").arg(i), tabs->tabToolTip(i));
            }
        }
        if (auto *view = qobject_cast<QAbstractItemView *>(widget); view && view->model())
            visitModel(view->model(), where + QStringLiteral(":model"));
    }

    void visitModel(QAbstractItemModel *model, const QString &where)
    {
        for (int column = 0; column < model->columnCount(); ++column)
            add(where + QStringLiteral(":header%1").arg(column),
                model->headerData(column, Qt::Horizontal).toString());
        for (int row = 0; row < model->rowCount(); ++row) {
            for (int column = 0; column < model->columnCount(); ++column) {
                const QModelIndex index = model->index(row, column);
                add(where + QStringLiteral(":cell%1,%2").arg(row).arg(column), index.data().toString());
                add(where + QStringLiteral(":cellTip%1,%2").arg(row).arg(column),
                    index.data(Qt::ToolTipRole).toString());
            }
        }
    }

    const QSet<QString> &m_data;
};

}  // namespace

class TestTranslatedWindows : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { setUpWindow(); }
    void cleanup() { tearDownWindow(); }

    void catalogueIsComplete();
    void cataloguesFollowTheLocale_data();
    void cataloguesFollowTheLocale();
    void everyWindowShowsGerman_data();
    void everyWindowShowsGerman();
    void storedTextsStayEnglish();

private:
    using Walk = std::function<void(TestEnvironment::ConfigFolder &, TextWalk &)>;
    ShownTexts shownTexts(const Walk &walk, bool translated);

    bool madeOfKeptTexts(QString text) const;

    Catalogue m_catalogue;
    // What the fixture's store holds: names of the user's, never translated.
    const QSet<QString> m_data {"News",
                                "Tech",
                                "Empty",
                                "Alpha",
                                "Beta",
                                "Gamma",
                                "Tessaly",
                                "http://a.example/",
                                "http://b.example/",
                                "http://g.example/"};
};

void TestTranslatedWindows::initTestCase()
{
    TestEnvironment::isolate();
    QCOMPARE(QLocale::system().language(), QLocale::German);
    m_catalogue = readCatalogue(QStringLiteral(TESSALY_TRANSLATIONS_SOURCE "/tessaly_de.ts"));
}

// A text that reads the same in German when it is made only of texts the
// catalogue keeps and of the user's names ("Status: " and "Offline", a group
// name in a question).
bool TestTranslatedWindows::madeOfKeptTexts(QString text) const
{
    QStringList parts = m_catalogue.kept.values() + m_data.values();
    std::sort(parts.begin(), parts.end(),
              [](const QString &a, const QString &b) { return a.size() > b.size(); });
    for (const QString &part : parts) {
        if (!part.isEmpty())
            text.remove(part);
    }
    return !hasLetters(text);
}

void TestTranslatedWindows::catalogueIsComplete()
{
    QVERIFY(m_catalogue.sources.size() > 100);
    QCOMPARE(m_catalogue.unfinished, 0);
}

void TestTranslatedWindows::cataloguesFollowTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("layout");  // where the program's catalogues are
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("fileMenu");
    QTest::addColumn<QString>("oneEntry");
    const QStringList german {"qtbase_de.qm", "tessaly_de.qm"};
    QTest::newRow("German, built") << "de_DE"
                                   << "build" << german << "&Datei"
                                   << "1 Eintrag";
    QTest::newRow("German, installed") << "de_AT"
                                       << "installed" << german << "&Datei"
                                       << "1 Eintrag";
    QTest::newRow("German, no catalogues") << "de_DE"
                                           << "none" << QStringList {"qtbase_de.qm"} << "&File"
                                           << "1 entry(s)";
    QTest::newRow("French: Qt's, and English forms")
        << "fr_FR"
        << "build" << QStringList {"qtbase_fr.qm", "tessaly_en.qm"} << "&File"
        << "1 entry";
    QTest::newRow("C: English forms") << "C"
                                      << "build" << QStringList {"tessaly_en.qm"} << "&File"
                                      << "1 entry";
}

// The folder beside the program, or the installed share/tessaly/translations;
// a language without a catalogue stays English, with its plural forms.
void TestTranslatedWindows::cataloguesFollowTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, layout);
    QFETCH(QStringList, files);
    QFETCH(QString, fileMenu);
    QFETCH(QString, oneEntry);
    QTemporaryDir prefix;
    QString appFolder = m_state->appFolder;
    if (layout != "build") {
        appFolder = prefix.filePath("bin");
        QVERIFY(QDir().mkpath(appFolder));
        const QString installed = prefix.filePath("share/tessaly/translations");
        QVERIFY(QDir().mkpath(installed));
        if (layout == "installed") {
            for (const QString &name : QStringList {"tessaly_de.qm", "tessaly_en.qm"})
                QVERIFY(QFile::copy(m_state->appFolder + "/translations/" + name, installed + u'/' + name));
        }
    }
    const ProgramTranslations translations(appFolder, QLocale(locale));
    QStringList names;
    for (const QString &file : translations.files())
        names << QFileInfo(file).fileName();
    // The library's catalogue, where its build made one, follows the program's.
    const QStringList library = names.filter(QRegularExpression("^pemberly_"));
    for (const QString &name : library) {
        names.removeOne(name);
        QVERIFY2(names.contains(QString(name).replace("pemberly_", "tessaly_")), qPrintable(name));
    }
    QCOMPARE(names, files);
    QCOMPARE(QCoreApplication::translate("MainMenus", "&File"), fileMenu);
    QCOMPARE(QCoreApplication::translate("MergeCommands", "%n entry(s)", nullptr, 1), oneEntry);
}

void TestTranslatedWindows::everyWindowShowsGerman_data()
{
    QTest::addColumn<Walk>("walk");

    QTest::newRow("main window, menus, tabs, lists")
        << Walk([this](TestEnvironment::ConfigFolder &, TextWalk &walk) {
               MainWindow *window = openWindow();
               walk.walk(window, "main");
               // Every command keeps an access key of its own in its menu.
               for (const QMenu *menu : {window->menus()->mnuPopup, window->menus()->mnuIPop})
                   QCOMPARE(AccessChecks::accessKeyFaults(menu).join("; "), QString());
               QCOMPARE(AccessChecks::accessKeyFaults(window->menuBar()).join("; "), QString());
               window->showStatus(MergeCommands::statusText({1, 2, 1, 1}));
               walk.add("merge status", window->statusBar()->currentMessage());
               walk.add("viewed", statusText("StatusBar1_1"));
               walk.add("total", statusText("StatusBar1_2"));
               m_window.reset();
           });
    QTest::newRow("questions of the main window")
        << Walk([this](TestEnvironment::ConfigFolder &, TextWalk &walk) {
               MainWindow *window = openWindow();
               window->switchTab(2);
               m_prompter.answers << Prompter::Answer::No;
               window->menus()->mnuRemoveGroup->trigger();
               window->menus()->mnuNewGroup->trigger();
               QCOMPARE(m_prompter.asked.size(), 2);
               for (int i = 0; i < m_prompter.asked.size(); ++i) {
                   const QStringList parts = m_prompter.asked[i].split(u'|');
                   for (int part = 1; part < parts.size(); ++part)
                       walk.add(QStringLiteral("asked %1.%2").arg(i).arg(part), parts[part]);
               }
               m_window.reset();
           });
    QTest::newRow("entry editor") << Walk([](TestEnvironment::ConfigFolder &, TextWalk &walk) {
        URLBlock store;
        store.addGroup("News");
        URLData *entry = store.urlDatas().Add("Alpha", "http://a.example/", 0);
        EntryEditor editor(store);
        editor.editEntry(*entry, 0);
        walk.walk(&editor, "editor");
    });
    QTest::newRow("find window") << Walk([](TestEnvironment::ConfigFolder &, TextWalk &walk) {
        QString findText;
        FindWindow find(findText);
        walk.walk(&find, "find");
    });
    QTest::newRow("move dialog") << Walk([](TestEnvironment::ConfigFolder &, TextWalk &walk) {
        URLBlock store;
        store.addGroup("News");
        MoveDialog move(store.IDXList());
        walk.walk(&move, "move");
    });
    QTest::newRow("mask filter dialog") << Walk([](TestEnvironment::ConfigFolder &, TextWalk &walk) {
        ViewFilter filter;
        MaskFilterDialog mask(filter);
        walk.walk(&mask, "mask");
    });
    QTest::newRow("check links window") << Walk([](TestEnvironment::ConfigFolder &, TextWalk &walk) {
        LinkCheckDialog dialog;
        const auto outcomes = {LinkCheckResult::Outcome::Ok, LinkCheckResult::Outcome::Moved,
                               LinkCheckResult::Outcome::Gone, LinkCheckResult::Outcome::Error,
                               LinkCheckResult::Outcome::TimedOut, LinkCheckResult::Outcome::NotChecked};
        int row = 0;
        for (const LinkCheckResult::Outcome outcome : outcomes) {
            dialog.addEntry("Alpha", "http://a.example/");
            LinkCheckResult result;
            result.outcome = outcome;
            dialog.showResult(row++, result);
        }
        dialog.addEntry("Beta", "http://b.example/");  // still waiting
        dialog.showProgress(6, 7);
        dialog.showEnd(true, 1, 1);
        walk.walk(&dialog, "checkLinks");
    });
    QTest::newRow("tray menu, tip and floating button")
        << Walk([this](TestEnvironment::ConfigFolder &, TextWalk &walk) {
               TrayWindow tray(*m_state, m_prompter);
               tray.start({});
               walk.walk(tray.trayMenu(), "trayMenu");
               QCOMPARE(AccessChecks::accessKeyFaults(tray.trayMenu()).join("; "), QString());
               walk.walk(tray.trayIcon(), "trayIcon");
               walk.walk(tray.floatingButton(), "button");
           });
}

// Builds the windows of one row, without translators or with the program's.
ShownTexts TestTranslatedWindows::shownTexts(const Walk &walk, bool translated)
{
    std::optional<ProgramTranslations> translations;
    if (translated)
        translations.emplace(m_state->appFolder);
    TextWalk texts(m_data);
    walk(*m_config, texts);
    return texts.texts;
}

void TestTranslatedWindows::everyWindowShowsGerman()
{
    QFETCH(Walk, walk);
    const ShownTexts english = shownTexts(walk, false);
    setUpWindow();
    const ShownTexts german = shownTexts(walk, true);
    QVERIFY(english.size() > 2);
    QCOMPARE(german.keys(), english.keys());  // the same windows, walked alike

    QStringList untranslated;
    for (auto it = english.cbegin(); it != english.cend(); ++it) {
        const QString shown = german.value(it.key());
        if (shown == it.value() && !madeOfKeptTexts(shown))
            untranslated << it.key() + QStringLiteral(" = ") + shown;
    }
    // A text only the German windows show must not be English either.
    for (auto it = german.cbegin(); it != german.cend(); ++it) {
        if (m_catalogue.sources.contains(it.value()) && !m_catalogue.kept.contains(it.value()))
            untranslated << it.key() + QStringLiteral(" = ") + it.value();
    }
    untranslated.removeDuplicates();
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(u'\n')));
}

// Only what is shown is German: the names the program gives and what it
// writes to the stack file read the same in every language.
void TestTranslatedWindows::storedTextsStayEnglish()
{
    const ProgramTranslations translations(m_state->appFolder);
    MainWindow *window = openWindow();
    window->quickAdd("http://q.example/");
    window->menus()->mnuSaveDefault->trigger();
    const QByteArray saved = TestEnvironment::readFile(stackFile());
    QVERIFY2(saved.contains("\x05<Quick Add>\x05"), saved.constData());
    QVERIFY(saved.startsWith("+News\r\n"));
    QCOMPARE(window->activeModel()->headerData(0, Qt::Horizontal).toString(), QString("Titel"));
}

QTEST_MAIN(TestTranslatedWindows)
#include "TestTranslatedWindows.moc"
