// SPDX-License-Identifier: GPL-3.0-or-later
// The main of every test program: a headless application, a fresh settings
// file and data folder, the scripted message service, and Qt warnings turned
// into test failures.

#include "ScriptedMessageService.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TScriptedMessageService *g_scripted = nullptr;

void FailOnQtWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    // Font fallback, mouse-grab and raise notes of the offscreen platform are
    // not faults of ours.
    if (message.contains(QLatin1String("QFont")) || message.contains(QLatin1String("propagateSizeHints")) ||
        message.contains(QLatin1String("does not support grabbing")) ||
        message.contains(QLatin1String("does not support raise()")) ||
        // The web engine finds no OpenGL on the offscreen platform.
        message.contains(QLatin1String("OpenGL context creation failed")) ||
        message.contains(QLatin1String("No suitable graphics backend found")))
        return;
    ADD_FAILURE() << "Qt warning: " << message.toStdString();
}

// Each test starts with no recorded messages and an empty settings file.
class ResetEachTest : public testing::EmptyTestEventListener
{
    void OnTestStart(const testing::TestInfo &) override
    {
        Scripted().Reset();
        QFile::remove(qEnvironmentVariable("VELICORT_SETTINGS"));
    }
};

} // namespace

TScriptedMessageService &Scripted()
{
    return *g_scripted;
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir settingsDir;
    qputenv("VELICORT_SETTINGS", settingsDir.filePath(QStringLiteral("Velicort.conf")).toLocal8Bit());

    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    auto scripted = std::make_unique<TScriptedMessageService>();
    g_scripted = scripted.get();
    TMessageService::Install(std::move(scripted));
    testing::UnitTest::GetInstance()->listeners().Append(new ResetEachTest);
    qInstallMessageHandler(FailOnQtWarnings);
    return RUN_ALL_TESTS();
}
