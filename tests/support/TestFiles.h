// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Files that tests write for the code under test to read.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

// Writes the bytes to the path and returns the path.
inline QString WriteTestFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()) << path.toStdString();
    return path;
}
