// Times the merge of a large browser bookmark file into an empty store and
// its save, through the library's merge object as the program and tsy run it;
// and, when buku is installed, buku's import of the same file.

#include "ComponentRegistry.h"
#include "DayCount.h"
#include "MergeTarget.h"
#include "StackFile.h"
#include "URLBlock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVariant>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

constexpr int linkCount = 50000;
constexpr int folderCount = 100;
constexpr int repetitions = 5;

// The host window's file dialog, answering with the generated file.
class FileChoice : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString DialogTitle MEMBER m_unused)
    Q_PROPERTY(QString Filter MEMBER m_unused)
    Q_PROPERTY(bool CancelError MEMBER m_cancel)
    Q_PROPERTY(QString FileName MEMBER m_fileName)

public:
    FileChoice(const QString &file, QObject *form)
        : QObject(form)
        , m_file(file)
    {
        setObjectName(QStringLiteral("dlgDialog"));
    }
    Q_INVOKABLE bool ShowOpen()
    {
        m_fileName = m_file;
        return true;
    }

private:
    QString m_file, m_unused, m_fileName;
    bool m_cancel = false;
};

QByteArray word(QRandomGenerator &random)
{
    static const char *const words[] = {"news",   "guide",  "linux",   "recipes", "travel", "music", "review",
                                        "garden", "python", "weather", "forum",   "maps",   "bank",  "docs"};
    return words[random.bounded(int(std::size(words)))];
}

// A Firefox-shaped export: LF line ends, four blanks a level, every folder
// at the top level, links with ADD_DATE, LAST_MODIFIED and half of them
// with a favicon as data.
QByteArray bookmarkFile()
{
    QRandomGenerator random(42);
    QByteArray text
        = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
          "charset=UTF-8\">\n<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks Menu</H1>\n\n<DL><p>\n";
    QByteArray icon(40, 'A');
    for (int folder = 0; folder < folderCount; ++folder) {
        text += "    <DT><H3 ADD_DATE=\"1600000000\" LAST_MODIFIED=\"1700000000\">Folder "
            + QByteArray::number(folder) + " &amp; " + word(random) + "</H3>\n    <DL><p>\n";
        for (int i = 0; i < linkCount / folderCount; ++i) {
            for (char &c : icon)
                c = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"[random.bounded(64)];
            const QByteArray date = QByteArray::number(1500000000 + random.bounded(200000000));
            text += "        <DT><A HREF=\"https://www." + word(random)
                + QByteArray::number(random.bounded(3000)) + ".example/" + word(random) + '/' + word(random)
                + '/' + QByteArray::number(random.bounded(100000)) + "\" ADD_DATE=\"" + date
                + "\" LAST_MODIFIED=\"" + date + '"'
                + (random.bounded(2) ? " ICON=\"data:image/png;base64,iVBORw0KGgo" + icon + "=\""
                                     : QByteArray())
                + '>' + word(random) + ' ' + word(random) + " &amp; " + word(random) + " \xe2\x80\x94 "
                + word(random) + "</A>\n";
        }
        text += "    </DL><p>\n";
    }
    return text + "</DL>\n";
}

struct Result
{
    double mergeMs = 0;
    double saveMs = 0;
    qsizetype entries = 0;
};

Result mergeAndSave(const QString &file, const QString &out)
{
    QString error;
    std::unique_ptr<QObject> mb(
        ComponentRegistry::createObject(QStringLiteral("Pemberly.mergeBrow"), nullptr, &error));
    if (!mb)
        qFatal("%s", qPrintable(error));
    QObject form;
    new FileChoice(file, &form);
    mb->setProperty("thisForm", QVariant::fromValue(&form));
    URLBlock store;
    MergeTarget target(store, DayCount::now(), mb.get());
    ComponentRegistry::connectEventsByName(mb.get(), &target, QStringLiteral("mb"));
    QElapsedTimer timer;
    timer.start();
    QMetaObject::invokeMethod(mb.get(), "OpenNSAs", Q_ARG(bool, true));
    Result result;
    result.mergeMs = double(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    if (!StackFile::saveStackFile(store, out, &error))
        qFatal("%s", qPrintable(error));
    result.saveMs = double(timer.nsecsElapsed()) / 1e6;
    result.entries = store.urlDatas().Count();
    return result;
}

// buku's import into a database of its own in a temporary home; -1 when it failed.
double bukuMs(const QString &buku, const QString &file, const QString &home)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    environment.insert(QStringLiteral("BUKU_DB"), home + QStringLiteral("/bookmarks.db"));
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    // --tacit answers buku's questions; --nostdin keeps it from waiting for input.
    process.start(buku,
                  {QStringLiteral("--nostdin"), QStringLiteral("--tacit"), QStringLiteral("--import"), file});
    if (!process.waitForFinished(600000) || process.exitCode() != 0)
        return -1;
    return double(timer.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    // The registry of the component loading lives in the temporary folder too.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
    const QString file = dir.filePath(QStringLiteral("bookmarks.html"));
    const QByteArray text = bookmarkFile();
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size())
            qFatal("cannot write %s", qPrintable(file));
    }
    std::printf("bench_merge (%s build): %d links in %d folders, %.1f MB\n", TESSALY_BENCH_BUILD_TYPE,
                linkCount, folderCount, double(text.size()) / 1e6);

    Result best {1e9, 1e9, 0};
    for (int i = 0; i < repetitions; ++i) {
        const Result run = mergeAndSave(file, dir.filePath(QStringLiteral("merged.tsy")));
        best.mergeMs = std::min(best.mergeMs, run.mergeMs);
        best.saveMs = std::min(best.saveMs, run.saveMs);
        best.entries = run.entries;
    }
    const double total = best.mergeMs + best.saveMs;
    std::printf("merge into an empty store: %8.1f ms (%lld entries; best of %d)\n", best.mergeMs,
                static_cast<long long>(best.entries), repetitions);
    std::printf("save of the stack file:    %8.1f ms\n", best.saveMs);
    std::printf("merge and save:            %8.1f ms (target: under 200 ms)\n", total);

    const QString buku = QStandardPaths::findExecutable(QStringLiteral("buku"));
    if (buku.isEmpty()) {
        std::printf("buku: not installed, no ratio\n");
        return total < 200 ? 0 : 1;
    }
    const double bukuTime = bukuMs(buku, file, dir.filePath(QStringLiteral("bukuhome")));
    if (bukuTime < 0) {
        std::printf("buku --import: failed, no ratio\n");
        return 1;
    }
    std::printf("buku --import:             %8.1f ms\n", bukuTime);
    std::printf("ratio buku / merge and save: %.0fx (target: at least 50x)\n", bukuTime / total);
    return total < 200 && bukuTime / total >= 50 ? 0 : 1;
}

#include "bench_merge.moc"
