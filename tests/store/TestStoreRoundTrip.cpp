#include "DayCount.h"
#include "StackFile.h"
#include "TestEnvironment.h"
#include "URLBlock.h"

#include <QRandomGenerator>
#include <QtTest>
#include <memory>

namespace {

QString randomText(QRandomGenerator &random, int maxLength)
{
    // Letters, blanks, punctuation, the characters that mark lines and
    // groups, and text from outside Latin-1.
    static const QString alphabet = QString::fromUtf8("abcXYZ 019+-*?#[]!:/%&\"'\\<>éüß€—☃漢😀\t");
    const int length = random.bounded(maxLength + 1);
    QString text;
    for (int i = 0; i < length; ++i) {
        const int at = random.bounded(int(alphabet.size()));
        // Keep surrogate pairs whole.
        if (alphabet[at].isHighSurrogate())
            text += alphabet.mid(at, 2);
        else if (!alphabet[at].isLowSurrogate())
            text += alphabet[at];
    }
    return text;
}

void fillRandomStore(URLBlock &store, QRandomGenerator &random)
{
    const int groups = random.bounded(1, 12);
    for (int g = 0; g < groups; ++g)
        store.NewCatagory(randomText(random, 20));
    const int entries = random.bounded(0, 300);
    for (int i = 0; i < entries; ++i) {
        URLData *entry
            = store.urlDatas().Add(randomText(random, 60), randomText(random, 90), random.bounded(groups));
        entry->Created = random.bounded(4096, 65535) + random.bounded(86400) / DayCount::secondsPerDay;
        entry->LastAccesed = random.bounded(3) == 0 ? 0.0 : entry->Created + random.bounded(1000);
        entry->LastAccesed = std::min(entry->LastAccesed, 65535.0);
        entry->Visited = qint32(random.generate());
        entry->Catagory = quint8(random.bounded(256));
        entry->Rated = quint8(random.bounded(6));
    }
}

// The entries of each group in order, as the file keeps them.
QList<QList<const URLData *>> entriesByGroup(const URLBlock &store)
{
    QList<QList<const URLData *>> byGroup(store.IDXList().groupCount());
    for (const URLData &entry : store.urlDatas())
        byGroup[entry.Owner].append(&entry);
    return byGroup;
}

}  // namespace

// Generated stores written and read back.
class TestStoreRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    void generatedStoresSurviveSaveAndLoad_data();
    void generatedStoresSurviveSaveAndLoad();
};

void TestStoreRoundTrip::generatedStoresSurviveSaveAndLoad_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 40; ++seed)
        QTest::newRow(qPrintable(QString("seed %1").arg(seed))) << seed;
}

void TestStoreRoundTrip::generatedStoresSurviveSaveAndLoad()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    URLBlock store;
    fillRandomStore(store, random);

    QTemporaryDir dir;
    const QString file = dir.filePath("round.tsy");
    QVERIFY(StackFile::saveStackFile(store, file));
    URLBlock back;
    QVERIFY(StackFile::loadStackFile(back, file, false, 1.0));

    QCOMPARE(back.IDXList().groupCount(), store.IDXList().groupCount());
    for (int g = 0; g < store.IDXList().groupCount(); ++g)
        QCOMPARE(back.IDXList().at(g).name, store.IDXList().at(g).name);

    const auto before = entriesByGroup(store);
    const auto after = entriesByGroup(back);
    QCOMPARE(after.size(), before.size());
    for (qsizetype g = 0; g < before.size(); ++g) {
        QCOMPARE(after[g].size(), before[g].size());
        for (qsizetype i = 0; i < before[g].size(); ++i) {
            const URLData &a = *before[g][i];
            const URLData &b = *after[g][i];
            QCOMPARE(b.Name, a.Name);
            QCOMPARE(b.url, a.url);
            QVERIFY(std::abs(b.Created - a.Created) * DayCount::secondsPerDay < 1.0);
            QVERIFY(std::abs(b.LastAccesed - a.LastAccesed) * DayCount::secondsPerDay < 1.0);
            QCOMPARE(b.Visited, a.Visited);
            QCOMPARE(b.Catagory, a.Catagory);
            QCOMPARE(b.Rated, a.Rated);
        }
    }
    // Writing what was read gives the same file again.
    QCOMPARE(StackFile::stackFileText(back), TestEnvironment::readFile(file));
}

QTEST_GUILESS_MAIN(TestStoreRoundTrip)
#include "TestStoreRoundTrip.moc"
