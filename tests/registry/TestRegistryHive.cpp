// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

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

    const QString key = "Software\\Key with = and \"quote\"";
    RegistryHive hive(root);
    hive.createKey(key);
    RegistryHive::Value number;
    number.name = "n";
    number.type = RegistryHive::RegDword;
    number.number = -2;
    QVERIFY(hive.setValue(key, stringValue(name, text)) && hive.setValue(key, number));

    const RegistryHive back = parsed(hive.toText());
    QVERIFY(back.value(key, name));
    QCOMPARE(readAs(*back.value(key, name)), QVariant(text));
    QCOMPARE(back.value(key, "n")->number, -2);
    QCOMPARE(back.toText(), hive.toText());
}

void TestRegistryHive::valuesKeptAsRead_data()
{
    QTest::addColumn<QByteArray>("lines");  // under [HKEY_CURRENT_USER\k]; "CF"="next" follows unless at the file's end
    QTest::addColumn<QString>("raw");       // the text of "v" kept and written back; empty for a string or number
    QTest::addColumn<quint32>("type");
    QTest::addColumn<QVariant>("read");     // what a query gives
    const auto row = [](const char *name, const QByteArray &lines, const char *raw, quint32 type, const QVariant &read) {
        QTest::newRow(name) << lines << QString(raw) << type << read;
    };
    const QVariant nothing;
    const quint32 sz = RegistryHive::RegSz, dword = RegistryHive::RegDword, binary = RegistryHive::RegBinary;
    const quint32 none = RegistryHive::RegNone;
    // Values as people write them by hand.
    row("CR LF", "\"v\"=\"1 2 \"\r\n", "", sz, "1 2 ");
    row("blanks around equals", "\"v\" = \"x\"  \n", "", sz, "x");
    row("dword upper case", "\"v\"=DWORD:FFFFFFFF\n", "", dword, -1);
    row("unknown escape keeps the backslash", "\"v\"=\"C:\\temp\"\n", "", sz, "C:\\temp");
    row("later value of the same name wins", "\"v\"=\"1\"\n\"V\"=\"2\"\n", "", sz, "2");
    row("Windows-1252 line", "\"v\"=\"caf\xE9\"\n", "", sz, QString::fromUtf8("café"));
    row("comment ending in a backslash", "; C:\\\n\"v\"=\"x\"\n", "", sz, "x");
    // Values we keep as they were found.
    row("binary over continued lines", "\"v\"=hex:01,02,\\\n  03,04\n", "hex:01,02,03,04", binary, nothing);
    row("expandable string", "\"v\"=hex(2):25,00,41,00,00,00\n", "hex(2):25,00,41,00,00,00", RegistryHive::RegExpandSz,
        nothing);
    row("hex(0) empty", "\"v\"=hex(0):\n", "hex(0):", none, nothing);
    row("hex(0) with data", "\"v\"=hex(0):01,02\n", "hex(0):01,02", none, nothing);
    row("hex(1) reads as UTF-16 text", "\"v\"=hex(1):41,00,e9,00,00,00\n", "hex(1):41,00,e9,00,00,00", sz,
        QString::fromUtf8("Aé"));
    row("hex(1) without its NUL", "\"v\"=HEX(1):42,00\n", "HEX(1):42,00", sz, "B");
    row("hex(1) of odd length", "\"v\"=hex(1):41\n", "hex(1):41", none, nothing);
    row("hex(4) reads as its number", "\"v\"=hex(4):fe,ff,ff,ff\n", "hex(4):fe,ff,ff,ff", dword, -2);
    row("hex(4) too short", "\"v\"=hex(4):01,00\n", "hex(4):01,00", none, nothing);
    row("hex(b) 64-bit number", "\"v\"=hex(b):01,00,00,00,00,00,00,00\n", "hex(b):01,00,00,00,00,00,00,00", 11, nothing);
    row("form we do not know", "\"v\"=qword:1\n", "qword:1", none, nothing);
    row("deletion", "\"v\"=-\n", "-", none, nothing);
    row("blank, tab and CR after the backslash", "\"v\"=hex:01,02,\\ \t\r\n  03\n", "hex:01,02,03", binary, nothing);
    // The file's last line, cut off after backslashes: kept with them, read as before.
    row("backslash at the file's end", "\"v\"=hex:01,\\", "hex:01,\\", binary, nothing);
    row("two backslashes at the end of the file", "\"v\"=abc\\\\", "abc\\\\", none, nothing);
    row("string cut off after backslashes", "\"v\"=\"C:\\\\dir\\\\", "\"C:\\\\dir\\\\", none, nothing);
    row("string, then backslashes at the file's end", "\"v\"=\"a\\\\\"\\\\", "\"a\\\\\"\\\\", none, nothing);
    row("string, then one backslash at the file's end", "\"v\"=\"a\"\\", "", sz, "a");
}

// A value we do not interpret survives any later write exactly as it was
// read, and never swallows the value after it.
void TestRegistryHive::valuesKeptAsRead()
{
    QFETCH(QByteArray, lines);
    QFETCH(QString, raw);
    QFETCH(quint32, type);
    QFETCH(QVariant, read);

    QByteArray file = "REGEDIT4\n\n[HKEY_CURRENT_USER\\k]\n" + lines;
    if (file.endsWith('\n'))
        file += "\"CF\"=\"next\"\n";
    RegistryHive hive = parsed(file);
    const RegistryHive::Value *value = hive.value("k", "v");
    QVERIFY(value);
    QCOMPARE(value->rawData, raw);
    QCOMPARE(value->type, type);
    QCOMPARE(readAs(*value), read);

    QVERIFY(hive.setValue("k", stringValue("CF", "next")));  // a later write
    QVERIFY(hive.setValue("k", stringValue("other", "changed")));
    hive.createKey("later");
    QVERIFY(hive.setValue("later", stringValue("w", "after")));
    const QByteArray text = hive.toText();
    const QByteArray line = "\n\"v\"=" + raw.toUtf8() + "\n";
    if (raw.endsWith('\\'))  // nothing may follow it
        QVERIFY2(text.endsWith(QByteArray(QByteArray("\n[HKEY_CURRENT_USER\\k]") + line)), text.constData());
    else if (!raw.isEmpty())
        QVERIFY2(text.contains(line), text.constData());
    const RegistryHive back = parsed(text);
    QCOMPARE(back.value("k", "v")->rawData, raw);
    QCOMPARE(readAs(*back.value("k", "v")), read);
    QCOMPARE(back.value("k", "CF")->text, QString("next"));
    QCOMPARE(back.value("k", "other")->text, QString("changed"));
    QCOMPARE(back.value("later", "w")->text, QString("after"));
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
    // Without the byte-order mark, in UTF-8, and a REGEDIT4 file stays UTF-8.
    QCOMPARE(parsed(windowsEditorFile(text).mid(2)).value("Other", "")->text, QString("d"));
    QCOMPARE(parsed(text.toUtf8()).value("software\\orvane\\tessaly", "CF")->text, QString::fromUtf8("0 1 ü"));
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
