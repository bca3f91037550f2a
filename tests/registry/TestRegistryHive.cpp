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

// A text as the Windows registry editor saves it: UTF-16LE with a byte-order mark, CR LF line ends.
QByteArray windowsEditorFile(const QString &text)
{
    QString windowsText = text;
    windowsText.replace("\n", "\r\n");
    return QByteArray("\xff\xfe") + QByteArray(reinterpret_cast<const char *>(windowsText.utf16()), windowsText.size() * 2);
}

// What reading a value gives: its string or number, nothing for other types.
QVariant readAs(const RegistryHive::Value &value)
{
    if (value.type == RegistryHive::RegSz)
        return value.text;
    return value.type == RegistryHive::RegDword ? QVariant(value.number) : QVariant();
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
    void valuesKeptAsRead_data();
    void valuesKeptAsRead();
    void windowsEditorFileKeepsItsForm();
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
    QTest::newRow("version 5 in UTF-16") << windowsEditorFile("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\k]\n"
                                                              "\"v\"=\"w\"\n")
                                         << "v" << QVariant("w");
    QTest::newRow("version 5 in UTF-16, non-ASCII")
        << windowsEditorFile(QString::fromUtf8("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\k]\n"
                                               "\"v\"=\"漢字 €\"\n"))
        << "v" << QVariant(QString::fromUtf8("漢字 €"));
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

void TestRegistryHive::valuesKeptAsRead_data()
{
    QTest::addColumn<QByteArray>("lines");  // under [HKEY_CURRENT_USER\k]; "CF"="next" follows unless at the file's end
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("raw");       // the text kept and written back
    QTest::addColumn<quint32>("type");
    QTest::addColumn<QVariant>("read");     // what a query gives

    const QVariant nothing;
    QTest::newRow("binary over continued lines") << QByteArray("\"v\"=hex:01,02,\\\n  03,04\n") << "v"
                                                 << "hex:01,02,03,04" << quint32(RegistryHive::RegBinary) << nothing;
    QTest::newRow("expandable string") << QByteArray("\"v\"=hex(2):25,00,41,00,00,00\n") << "v"
                                       << "hex(2):25,00,41,00,00,00" << quint32(RegistryHive::RegExpandSz) << nothing;
    QTest::newRow("hex(0) empty") << QByteArray("\"v\"=hex(0):\n") << "v" << "hex(0):" << quint32(RegistryHive::RegNone)
                                  << nothing;
    QTest::newRow("hex(0) with data") << QByteArray("\"v\"=hex(0):01,02\n") << "v" << "hex(0):01,02"
                                      << quint32(RegistryHive::RegNone) << nothing;
    QTest::newRow("hex(1) reads as UTF-16 text") << QByteArray("\"v\"=hex(1):41,00,e9,00,00,00\n") << "v"
                                                 << "hex(1):41,00,e9,00,00,00" << quint32(RegistryHive::RegSz)
                                                 << QVariant(QString::fromUtf8("Aé"));
    QTest::newRow("hex(1) without its NUL") << QByteArray("\"v\"=HEX(1):42,00\n") << "v" << "HEX(1):42,00"
                                            << quint32(RegistryHive::RegSz) << QVariant("B");
    QTest::newRow("hex(1) of odd length") << QByteArray("\"v\"=hex(1):41\n") << "v" << "hex(1):41"
                                          << quint32(RegistryHive::RegNone) << nothing;
    QTest::newRow("hex(4) reads as its number") << QByteArray("\"v\"=hex(4):fe,ff,ff,ff\n") << "v" << "hex(4):fe,ff,ff,ff"
                                                << quint32(RegistryHive::RegDword) << QVariant(-2);
    QTest::newRow("hex(4) little-endian") << QByteArray("\"v\"=hex(4):0a,01,00,00\n") << "v" << "hex(4):0a,01,00,00"
                                          << quint32(RegistryHive::RegDword) << QVariant(266);
    QTest::newRow("hex(4) too short") << QByteArray("\"v\"=hex(4):01,00\n") << "v" << "hex(4):01,00"
                                      << quint32(RegistryHive::RegNone) << nothing;
    QTest::newRow("hex(b) 64-bit number") << QByteArray("\"v\"=hex(b):01,00,00,00,00,00,00,00\n") << "v"
                                          << "hex(b):01,00,00,00,00,00,00,00" << quint32(11) << nothing;
    QTest::newRow("form we do not know") << QByteArray("\"v\"=qword:1\n") << "v" << "qword:1"
                                         << quint32(RegistryHive::RegNone) << nothing;
    QTest::newRow("deletion") << QByteArray("\"v\"=-\n") << "v" << "-" << quint32(RegistryHive::RegNone) << nothing;
    QTest::newRow("blank after the backslash") << QByteArray("\"v\"=hex:01,02,\\  \n  03\n") << "v" << "hex:01,02,03"
                                               << quint32(RegistryHive::RegBinary) << nothing;
    QTest::newRow("tab and CR after the backslash") << QByteArray("\"v\"=hex:01,\\\t\r\n 02\r\n") << "v" << "hex:01,02"
                                                    << quint32(RegistryHive::RegBinary) << nothing;
    QTest::newRow("backslash at the file's end") << QByteArray("\"v\"=hex:01,\\") << "v" << "hex:01,"
                                                 << quint32(RegistryHive::RegBinary) << nothing;
    QTest::newRow("two backslashes at the end of the file") << QByteArray("\"v\"=abc\\\\") << "v" << "abc"
                                                          << quint32(RegistryHive::RegNone) << nothing;
    QTest::newRow("comment ending in a backslash") << QByteArray("; C:\\\n\"v\"=\"x\"\n") << "v" << "" << quint32(RegistryHive::RegSz)
                                                   << QVariant("x");
}

// A value we do not interpret survives any later write exactly as it was
// read, and never swallows the value after it.
void TestRegistryHive::valuesKeptAsRead()
{
    QFETCH(QByteArray, lines);
    QFETCH(QString, name);
    QFETCH(QString, raw);
    QFETCH(quint32, type);
    QFETCH(QVariant, read);

    QByteArray file = "REGEDIT4\n\n[HKEY_CURRENT_USER\\k]\n" + lines;
    if (file.endsWith('\n'))
        file += "\"CF\"=\"next\"\n";
    RegistryHive hive = parsed(file);
    const RegistryHive::Value *value = hive.value("k", name);
    QVERIFY(value);
    QCOMPARE(value->rawData, raw);
    QCOMPARE(value->type, type);
    QCOMPARE(readAs(*value), read);

    QVERIFY(hive.setValue("k", stringValue("CF", "next")));  // a later write
    QVERIFY(hive.setValue("k", stringValue("other", "changed")));
    const QByteArray text = hive.toText();
    if (!raw.isEmpty())
        QVERIFY2(text.contains(QByteArray("\n\"" + name.toUtf8() + "\"=" + raw.toUtf8() + "\n")), text.constData());
    const RegistryHive back = parsed(text);
    QCOMPARE(back.value("k", name)->rawData, raw);
    QCOMPARE(readAs(*back.value("k", name)), read);
    QCOMPARE(back.value("k", "CF")->text, QString("next"));
    QCOMPARE(back.value("k", "other")->text, QString("changed"));
    QCOMPARE(back.toText(), text);
}

// A file saved by the Windows registry editor is read, and written back in
// its own form with everything it held.
void TestRegistryHive::windowsEditorFileKeepsItsForm()
{
    const QString text = QString::fromUtf8("Windows Registry Editor Version 5.00\n\n"
                                           "[HKEY_CURRENT_USER\\Software\\Orvane\\Tessaly]\n"
                                           "\"CF\"=\"0 1 ü\"\n\"n\"=dword:00000010\n"
                                           "\"path\"=hex(2):25,00,41,00,25,00,\\\n  00,00\n\n"
                                           "[HKEY_CURRENT_USER\\Other]\n@=\"d\"\n");
    RegistryHive hive = parsed(windowsEditorFile(text));
    QCOMPARE(hive.value("software\\orvane\\tessaly", "CF")->text, QString::fromUtf8("0 1 ü"));
    QCOMPARE(hive.value("software\\orvane\\tessaly", "n")->number, 16);
    QCOMPARE(hive.value("Other", "")->text, QString("d"));

    QVERIFY(hive.setValue("Other", stringValue("new", "€")));
    const QByteArray written = hive.toText();
    QVERIFY(written.startsWith(windowsEditorFile("Windows Registry Editor Version 5.00\n\n[")));
    const RegistryHive back = parsed(written);
    QCOMPARE(back.value("software\\orvane\\tessaly", "path")->rawData, QString("hex(2):25,00,41,00,25,00,00,00"));
    QCOMPARE(back.value("Other", "new")->text, QString("€"));
    QCOMPARE(back.toText(), written);
    // Without the byte-order mark, and a REGEDIT4 file stays UTF-8.
    QCOMPARE(parsed(windowsEditorFile(text).mid(2)).value("Other", "")->text, QString("d"));
    QVERIFY(parsed("REGEDIT4\r\n[HKEY_CURRENT_USER\\k]\r\n").toText().startsWith("REGEDIT4\n\n[HKEY_CURRENT_USER\\k]\n"));
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
    QTest::addColumn<QStringList>("values");  // "key|name=text" read, "key|name~text" kept as found

    const QByteArray good = "[HKEY_CURRENT_USER\\k]\n\"a\"=\"1\"\n";
    QTest::newRow("no header") << good << QStringList {"k|a=1"};
    QTest::newRow("wrong header") << "GARBAGE HEADER\n" + good << QStringList {"k|a=1"};
    QTest::newRow("truncated in a value") << "REGEDIT4\n\n" + good + "\"b\"=\"unfinish" << QStringList {"k|a=1", "k|b~\"unfinish"};
    QTest::newRow("truncated in a key line") << "REGEDIT4\n\n" + good + "[HKEY_CURRENT_USER\\l" << QStringList {"k|a=1"};
    QTest::newRow("binary in between")
        << "REGEDIT4\n\n" + good + QByteArray("\0\xff\xfe\x01\n", 5) + "\"c\"=\"3\"\n" << QStringList {"k|a=1", "k|c=3"};
    QTest::newRow("value before any key") << "REGEDIT4\n\"x\"=\"y\"\n" + good << QStringList {"k|a=1"};
    QTest::newRow("key of another root") << "[HKEY_LOCAL_MACHINE\\k]\n\"z\"=\"9\"\n" + good << QStringList {"k|a=1"};
    QTest::newRow("bad dword") << good + "\"d\"=dword:xyz\n\"e\"=dword:123456789\n\"f\"=\"ok\"\n"
                               << QStringList {"k|a=1", "k|d~dword:xyz", "k|e~dword:123456789", "k|f=ok"};
    QTest::newRow("text after the closing quote") << good + "\"g\"=\"x\" y\n\"h\"=\"ok\"\n"
                                                  << QStringList {"k|a=1", "k|g~\"x\" y", "k|h=ok"};
}

void TestRegistryHive::damagedFilesKeepWhatParses()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, values);

    const RegistryHive hive = parsed(file);
    QStringList read;
    for (const RegistryHive::Key &key : hive.keys()) {
        for (const RegistryHive::Value &value : key.values)
            read << key.path + '|' + value.name
                        + (RegistryHive::keepsRawData(value) ? '~' + value.rawData : '=' + value.text);
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
