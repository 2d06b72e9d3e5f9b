// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A benchmark runs offscreen unless told otherwise, on a profile of its own
// that goes when it ends: the user's settings and data stay as they were.
// Made before the application object.

#include <QStandardPaths>
#include <QTemporaryDir>

class TBenchProfile
{
public:
    TBenchProfile()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QStandardPaths::setTestModeEnabled(true);
        qputenv("VELICORT_SETTINGS", m_settings.filePath(QStringLiteral("Velicort.conf")).toLocal8Bit());
    }

private:
    QTemporaryDir m_settings;
};
