#include "RegistryHive.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

const QString root = QStringLiteral("HKEY_CURRENT_USER");

RegistryHive::Value stringValue(const QString &name, const QString &text)
{
    RegistryHive::Value value;
    value.name = name;
    value.type = RegistryHive::RegSz;
    value.text = text;
    return value;
}

RegistryHive parsed(const QByteArray &text)
{
    RegistryHive hive(root);
    hive.parse(text);
    return hive;
}

} // namespace

// The REGEDIT4 text of a hive, both ways.
class TestRegistryHive : public QObject
{
    Q_OBJECT

private slots:
    void awkwardNamesAndValuesRoundTrip_data();
    void awkwardNamesAndValuesRoundTrip();
    void readsHandWrittenFiles_data();
    void readsHandWrittenFiles();
    void keepsOtherTypesUntouched();
    void keysAndNamesIgnoreCase();
    void damagedFilesKeepWhatParses_data();
    void damagedFilesKeepWhatParses();
    void randomBytesNeverCrash();
};

void TestRegistryHive::awkwardNamesAndValuesRoundTrip_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    QTest::newRow("plain") << "ID" << "0 0 0 1 1 0 True False";
    QTest::newRow("quotes") << "say \"hi\"" << "\"quoted\" and \"\"";
    QTest::newRow("backslashes") << "a\\b" << "C:\\Program Files\\x\\";
    QTest::newRow("equals signs") << "a=b" << "=x==y=";
    QTest::newRow("non-ASCII") << QString::fromUtf8("Zürich") << QString::fromUtf8("€ — 漢字 😀");
    QTest::newRow("line breaks") << "multi" << "one\ntwo\r\nthree";
    QTest::newRow("brackets and at sign") << "[x]" << "@=[HKEY_LOCAL_MACHINE\\y]";
    QTest::newRow("empty text") << "empty" << "";
    QTest::newRow("default value") << "" << "the default";
    QTest::newRow("1 MB value") << "big" << QString(1024 * 1024, 'x');
}

void TestRegistryHive::awkwardNamesAndValuesRoundTrip()
{
    QFETCH(QString, name);
    QFETCH(QString, text);

    RegistryHive hive(root);
    hive.createKey("Software\\Key with = and \"quote\"");
    QVERIFY(hive.setValue("Software\\Key with = and \"quote\"", stringValue(name, text)));
    RegistryHive::Value number;
    number.name = "n";
    number.type = RegistryHive::RegDword;
    number.number = -2;
    QVERIFY(hive.setValue("Software\\Key with = and \"quote\"", number));

    const RegistryHive back = parsed(hive.toText());
    const RegistryHive::Value *value = back.value("Software\\Key with = and \"quote\"", name);
    QVERIFY(value);
    QCOMPARE(value->type, quint32(RegistryHive::RegSz));
    QCOMPARE(value->text, text);
    QCOMPARE(back.value("Software\\Key with = and \"quote\"", "n")->number, -2);
    QCOMPARE(back.toText(), hive.toText());
}

void TestRegistryHive::readsHandWrittenFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("expected");

    const QByteArray head = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Orvane\\Tessaly]\r\n";
    QTest::newRow("CR LF") << head + "\"CF\"=\"1 2 \"\r\n" << "CF" << QVariant("1 2 ");
    QTest::newRow("blanks around equals") << head + "\"CF\" = \"x\"  \r\n" << "CF" << QVariant("x");
    QTest::newRow("dword") << head + "\"n\"=dword:0000000a\r\n" << "n" << QVariant(10);
    QTest::newRow("dword upper case") << head + "\"n\"=DWORD:FFFFFFFF\r\n" << "n" << QVariant(-1);
    QTest::newRow("default value") << head + "@=\"d\"\r\n" << "" << QVariant("d");
    QTest::newRow("unknown escape keeps the backslash") << head + "\"p\"=\"C:\\temp\"\r\n" << "p"
                                                       << QVariant("C:\\temp");
    QTest::newRow("later value of the same name wins") << head + "\"a\"=\"1\"\r\n\"A\"=\"2\"\r\n" << "a"
                                                       << QVariant("2");
    QTest::newRow("version 5 header") << QByteArray("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\k]\n\"v\"=\"w\"\n")
                                      << "v" << QVariant("w");
    QTest::newRow("Windows-1252 line") << head + "\"v\"=\"caf\xE9\"\r\n" << "v" << QVariant(QString::fromUtf8("café"));
    QTest::newRow("comment lines") << head + "; a comment\r\n\"v\"=\"w\"\r\n" << "v" << QVariant("w");
}

void TestRegistryHive::readsHandWrittenFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, name);
    QFETCH(QVariant, expected);

    const RegistryHive hive = parsed(file);
    const QString key = file.contains("Orvane") ? "Software\\orvane\\tessaly\\" : "k";
    const RegistryHive::Value *value = hive.value(key, name);
    QVERIFY(value);
    if (value->type == RegistryHive::RegDword)
        QCOMPARE(QVariant(value->number), expected);
    else
        QCOMPARE(QVariant(value->text), expected);
}

void TestRegistryHive::keepsOtherTypesUntouched()
{
    const QByteArray file = "REGEDIT4\n\n[HKEY_CURRENT_USER\\k]\n"
                            "\"bin\"=hex:01,02,\\\n  03,04\n"
                            "\"exp\"=hex(2):25,00,41,00\n"
                            "\"s\"=\"x\"\n";
    RegistryHive hive = parsed(file);
    QCOMPARE(hive.value("k", "bin")->type, quint32(RegistryHive::RegBinary));
    QCOMPARE(RegistryHive::dataSize(*hive.value("k", "bin")), 4);
    QCOMPARE(hive.value("k", "exp")->type, quint32(RegistryHive::RegExpandSz));
    QVERIFY(hive.setValue("k", stringValue("s", "changed")));

    const RegistryHive back = parsed(hive.toText());
    QCOMPARE(back.value("k", "bin")->rawData, QString("hex:01,02,03,04"));
    QCOMPARE(back.value("k", "exp")->rawData, QString("hex(2):25,00,41,00"));
    QCOMPARE(back.value("k", "s")->text, QString("changed"));
}

void TestRegistryHive::keysAndNamesIgnoreCase()
{
    RegistryHive hive(root);
    hive.createKey("Software\\Orvane\\Tessaly\\");
    QVERIFY(hive.hasKey("SOFTWARE\\ORVANE\\TESSALY"));
    QVERIFY(hive.hasKey("software\\orvane"));  // a parent exists through its sub-key
    QVERIFY(!hive.hasKey("software\\orvanex"));
    QVERIFY(hive.setValue("SOFTWARE\\orvane\\tessaly", stringValue("Id", "1")));
    QVERIFY(hive.setValue("software\\Orvane\\Tessaly", stringValue("ID", "2")));
    QCOMPARE(hive.keys().size(), 1);
    QCOMPARE(hive.keys().first().values.size(), 1);
    QCOMPARE(hive.keys().first().values.first().name, QString("Id"));  // first spelling kept
    QCOMPARE(hive.value("software\\orvane\\tessaly", "id")->text, QString("2"));
    QVERIFY(!hive.setValue("Software\\Missing", stringValue("x", "y")));
}

void TestRegistryHive::damagedFilesKeepWhatParses_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("values");  // "key|name=text" expected to be read

    const QByteArray good = "[HKEY_CURRENT_USER\\k]\n\"a\"=\"1\"\n";
    QTest::newRow("no header") << good << QStringList {"k|a=1"};
    QTest::newRow("wrong header") << "GARBAGE HEADER\n" + good << QStringList {"k|a=1"};
    QTest::newRow("truncated in a value") << "REGEDIT4\n\n" + good + "\"b\"=\"unfinish" << QStringList {"k|a=1"};
    QTest::newRow("truncated in a key line") << "REGEDIT4\n\n" + good + "[HKEY_CURRENT_USER\\l" << QStringList {"k|a=1"};
    QTest::newRow("binary in between")
        << "REGEDIT4\n\n" + good + QByteArray("\0\xff\xfe\x01\n", 5) + "\"c\"=\"3\"\n" << QStringList {"k|a=1", "k|c=3"};
    QTest::newRow("value before any key") << "REGEDIT4\n\"x\"=\"y\"\n" + good << QStringList {"k|a=1"};
    QTest::newRow("key of another root") << "[HKEY_LOCAL_MACHINE\\k]\n\"z\"=\"9\"\n" + good << QStringList {"k|a=1"};
    QTest::newRow("bad dword") << good + "\"d\"=dword:xyz\n\"e\"=dword:123456789\n\"f\"=\"ok\"\n"
                               << QStringList {"k|a=1", "k|f=ok"};
    QTest::newRow("text after the closing quote") << good + "\"g\"=\"x\" y\n\"h\"=\"ok\"\n"
                                                  << QStringList {"k|a=1", "k|h=ok"};
}

void TestRegistryHive::damagedFilesKeepWhatParses()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, values);

    const RegistryHive hive = parsed(file);
    QStringList read;
    for (const RegistryHive::Key &key : hive.keys()) {
        for (const RegistryHive::Value &value : key.values)
            read << key.path + '|' + value.name + '=' + value.text;
    }
    QCOMPARE(read, values);
}

void TestRegistryHive::randomBytesNeverCrash()
{
    QRandomGenerator random(5);
    for (int round = 0; round < 50; ++round) {
        QByteArray bytes = "REGEDIT4\n[HKEY_CURRENT_USER\\k]\n";
        for (int i = 0; i < 4000; ++i)
            bytes += "\"[]@=\\:hex,\n\r\0abc"[random.bounded(18)];
        RegistryHive hive = parsed(bytes);
        // Whatever was read is written so that it reads back the same.
        QCOMPARE(parsed(hive.toText()).toText(), hive.toText());
    }
}

QTEST_GUILESS_MAIN(TestRegistryHive)
#include "TestRegistryHive.moc"
