// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SessionStore.h"
#include "TestEnvironment.h"

#include <QRandomGenerator>
#include <QtEndian>
#include <QtTest>
#include <lz4.h>

namespace {

// A "mozLz40" file of json, its header claiming claimedSize (the real size when -1).
QByteArray mozLz4(const QByteArray &json, qint64 claimedSize = -1)
{
    QByteArray block(LZ4_compressBound(int(json.size())), Qt::Uninitialized);
    const int length
        = LZ4_compress_default(json.constData(), block.data(), int(json.size()), int(block.size()));
    block.truncate(length);
    QByteArray size(4, Qt::Uninitialized);
    qToLittleEndian<quint32>(quint32(claimedSize < 0 ? json.size() : claimedSize), size.data());
    return QByteArray("mozLz40\0", 8) + size + block;
}

QByteArray entry(const QString &url, const QString &title)
{
    return QStringLiteral("{\"url\":\"%1\",\"title\":\"%2\",\"ID\":7}").arg(url, title).toUtf8();
}

QByteArray tab(int index, const QList<QByteArray> &entries, const QByteArray &extra = {})
{
    return "{\"index\":" + QByteArray::number(index) + ",\"entries\":[" + entries.join(',') + "]" + extra
        + "}";
}

QByteArray window(int selected, const QList<QByteArray> &tabs)
{
    return "{\"selected\":" + QByteArray::number(selected) + ",\"tabs\":[" + tabs.join(',') + "]}";
}

QByteArray session(int selectedWindow, const QList<QByteArray> &windows)
{
    return "{\"version\":[\"sessionrestore\",1],\"selectedWindow\":" + QByteArray::number(selectedWindow)
        + ",\"windows\":[" + windows.join(',') + "],\"_closedWindows\":[]}";
}

// Two windows of two tabs each, every tab with two history entries: each entry names its place.
QByteArray twoWindows(int selectedWindow, int selectedTab, int index)
{
    QList<QByteArray> windows;
    for (int w = 1; w <= 2; ++w) {
        QList<QByteArray> tabs;
        for (int t = 1; t <= 2; ++t) {
            const QString place = QStringLiteral("w%1t%2e").arg(w).arg(t);
            tabs.append(tab(w == 2 && t == 2 ? index : 1,
                            {entry("https://a.example/" + place + "1", place + "1"),
                             entry("https://a.example/" + place + "2", place + "2")}));
        }
        windows.append(window(w == 2 ? selectedTab : 1, tabs));
    }
    return session(selectedWindow, windows);
}

}  // namespace

// The current page of a running Firefox from its compressed session store.
class TestSessionStore : public QObject
{
    Q_OBJECT

private slots:
    void decompress_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("json");  // null: refused
        QTest::addColumn<QString>("reason");   // a word of the error text when refused

        const QByteArray json = twoWindows(2, 2, 2).repeated(20);
        const QByteArray good = mozLz4(json);
        QByteArray wrongMagic = good;
        wrongMagic[6] = '1';
        QByteArray randomBlock = good.left(8) + QByteArray("\xe8\x03\0\0", 4);
        for (int i = 0; i < 200; ++i)
            randomBlock += char(QRandomGenerator(42 + i).bounded(256));

        QTest::newRow("whole file") << good << json << QString();
        QTest::newRow("empty json") << mozLz4("{}") << QByteArray("{}") << QString();
        QTest::newRow("empty file") << QByteArray() << QByteArray() << "truncated";
        QTest::newRow("truncated header") << good.left(11) << QByteArray() << "truncated";
        QTest::newRow("wrong magic") << wrongMagic << QByteArray() << "not a mozLz4";
        QTest::newRow("size claim past the cap")
            << mozLz4(json, SessionStore::largestSize + 1) << QByteArray() << "too large";
        QTest::newRow("size claim of 4 GiB") << mozLz4(json, 0xffffffffLL) << QByteArray() << "too large";
        QTest::newRow("size claim above the data")
            << mozLz4(json, json.size() + 1) << QByteArray() << "damaged";
        QTest::newRow("size claim below the data")
            << mozLz4(json, json.size() - 1) << QByteArray() << "damaged";
        QTest::newRow("truncated block") << good.chopped(4) << QByteArray() << "damaged";
        QTest::newRow("random bytes block") << randomBlock << QByteArray() << "damaged";
    }

    void decompress()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, json);
        QFETCH(QString, reason);

        QString error;
        const std::optional<QByteArray> result = SessionStore::decompress(file, &error);
        QCOMPARE(result.has_value(), !json.isNull());
        if (result)
            QCOMPARE(*result, json);
        else
            QVERIFY2(error.contains(reason), qPrintable(error));
    }

    void currentPage_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("url");  // null: no page
        QTest::addColumn<QString>("title");

        const QString unicode = QStringLiteral("Page A ünï & \\\"q\\\" — 日本語 😀");
        QTest::newRow("second window, second tab, second entry")
            << twoWindows(2, 2, 2) << "https://a.example/w2t2e2"
            << "w2t2e2";
        QTest::newRow("first window") << twoWindows(1, 2, 2) << "https://a.example/w1t1e1"
                                      << "w1t1e1";
        QTest::newRow("selectedWindow 0: the last window")
            << twoWindows(0, 1, 2) << "https://a.example/w2t1e1"
            << "w2t1e1";
        QTest::newRow("window past the end") << twoWindows(3, 2, 2) << QString() << QString();
        QTest::newRow("tab 0") << twoWindows(2, 0, 2) << QString() << QString();
        QTest::newRow("tab past the end") << twoWindows(2, 3, 2) << QString() << QString();
        QTest::newRow("entry 0") << twoWindows(2, 2, 0) << QString() << QString();
        QTest::newRow("entry past the end") << twoWindows(2, 2, 3) << QString() << QString();
        QTest::newRow("unicode title")
            << session(1, {window(1, {tab(1, {entry("https://b.example/ü?q=1", unicode)})})})
            << QStringLiteral("https://b.example/ü?q=1") << QStringLiteral("Page A ünï & \"q\" — 日本語 😀");
        QTest::newRow("entry without a title")
            << session(1, {window(1, {tab(1, {"{\"url\":\"https://c.example/\"}"})})}) << "https://c.example/"
            << "";
        QTest::newRow("entry without an address")
            << session(1, {window(1, {tab(1, {"{\"title\":\"t\"}"})})}) << QString() << QString();
        QTest::newRow("new tab with a typed address")
            << session(1, {window(1, {tab(1, {}, ",\"userTypedValue\":\"https://typed.example/\"")})})
            << "https://typed.example/"
            << "";
        QTest::newRow("new tab with nothing typed")
            << session(1, {window(1, {tab(1, {})})}) << QString() << QString();
        QTest::newRow("no windows") << session(0, {}) << QString() << QString();
        QTest::newRow("windows missing") << QByteArray("{\"selectedWindow\":1}") << QString() << QString();
        QTest::newRow("tabs not an array")
            << QByteArray("{\"selectedWindow\":1,\"windows\":[{\"selected\":1,\"tabs\":5}]}") << QString()
            << QString();
        QTest::newRow("a JSON array") << QByteArray("[1,2]") << QString() << QString();
        QTest::newRow("not JSON") << QByteArray("{\"windows\":[") << QString() << QString();
    }

    void currentPage()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, url);
        QFETCH(QString, title);

        QString error;
        const std::optional<SessionStore::Page> page = SessionStore::currentPage(json, &error);
        QCOMPARE(page.has_value(), !url.isNull());
        if (page) {
            QCOMPARE(page->url, url);
            QCOMPARE(page->title, title);
        } else {
            QVERIFY(!error.isEmpty());
        }
    }

    void readCurrentPage_data()
    {
        QTest::addColumn<QByteArray>("file");  // null: no file
        QTest::addColumn<QString>("url");      // null: no page

        QTest::newRow("running session") << mozLz4(twoWindows(2, 2, 1)) << "https://a.example/w2t2e1";
        QTest::newRow("no session store") << QByteArray() << QString();
        QTest::newRow("damaged session store") << mozLz4(twoWindows(2, 2, 1)).chopped(1) << QString();
        QTest::newRow("session store with no page") << mozLz4(session(0, {})) << QString();
    }

    void readCurrentPage()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, url);

        QTemporaryDir profile;
        QVERIFY(QDir(profile.path()).mkpath("sessionstore-backups"));
        if (!file.isNull())
            TestEnvironment::writeFile(profile.filePath("sessionstore-backups/recovery.jsonlz4"), file);
        QString error;
        const std::optional<SessionStore::Page> page = SessionStore::readCurrentPage(profile.path(), &error);
        QCOMPARE(page ? page->url : QString(), url);
        QCOMPARE(error.isEmpty(), page.has_value());
    }
};

QTEST_GUILESS_MAIN(TestSessionStore)
#include "TestSessionStore.moc"
