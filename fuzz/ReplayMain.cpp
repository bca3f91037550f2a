// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main of a fuzz target built without libFuzzer: feeds every file of the
// folders (and the files) named on the command line to the target, one at a
// time, so that every input ever kept runs again as a test. A failed check
// aborts; a folder without inputs fails, so a corpus that went missing is seen.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

QStringList inputsOf(const QString &argument)
{
    if (!QFileInfo(argument).isDir())
        return {argument};
    QStringList files;
    const QDir folder(argument);
    for (const QString &name : folder.entryList(QDir::Files, QDir::Name))
        files << folder.filePath(name);
    return files;
}

}  // namespace

int main(int argc, char **argv)
{
    QStringList inputs;
    for (int i = 1; i < argc; ++i)
        inputs << inputsOf(QFile::decodeName(argv[i]));
    if (inputs.isEmpty()) {
        std::fprintf(stderr, "no inputs to replay\n");
        return 1;
    }
    for (const QString &input : inputs) {
        QFile file(input);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "%s: cannot read\n", qPrintable(input));
            return 1;
        }
        const QByteArray bytes = file.readAll();
        std::fprintf(stderr, "%s\n", qPrintable(input));
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
    }
    std::fprintf(stderr, "%lld inputs replayed\n", static_cast<long long>(inputs.size()));
    return 0;
}
