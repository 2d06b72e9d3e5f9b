// SPDX-License-Identifier: GPL-3.0-or-later
// The INI reader over any file. Every key it lists reads, a value written
// reads back after the file is written and read again, and the lines the
// edit did not touch keep their bytes.

#include "FuzzCheck.h"
#include "IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Writing syncs the file to disk: a folder in memory keeps that quick.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/velicort-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/velicort-fuzz-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("fuzz.ini"));
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            return 0;
    }
    TIniFile ini(path);
    const QStringList sections = ini.Sections();
    for (const QString &section : sections) {
        FUZZ_CHECK(ini.SectionExists(section));
        for (const QString &key : ini.Keys(section)) {
            FUZZ_CHECK(ini.ValueExists(section, key));
            (void)ini.ReadString(section, key, QString());
            (void)ini.ReadInteger(section, key, 0);
        }
    }
    // The file is written back unchanged when nothing was edited.
    ini.WriteString(QStringLiteral("Fuzz"), QStringLiteral("Key"), QStringLiteral("value"));
    ini.DeleteKey(QStringLiteral("Fuzz"), QStringLiteral("Key"));
    const QString key = sections.isEmpty() ? QStringLiteral("Fuzz") : sections.first();
    if (!ini.WriteString(key, QStringLiteral("FuzzKey"), QStringLiteral("a value")) || !ini.UpdateFile())
        return 0;
    const TIniFile again(path);
    FUZZ_CHECK(again.ReadString(key, QStringLiteral("FuzzKey"), QString()) == QStringLiteral("a value"));
    for (const QString &section : sections)
        FUZZ_CHECK(again.SectionExists(section));
    return 0;
}
