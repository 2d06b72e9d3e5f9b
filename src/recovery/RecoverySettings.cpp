// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecoverySettings.h"

#include "RegistryKeys.h"
#include "SettingsStore.h"

#include <algorithm>

namespace {

const QString SessionKey = QStringLiteral("Software\\Velicort\\Session");

} // namespace

TRecoveryOptions ReadRecoveryOptions()
{
    TRecoveryOptions options;
    options.Enabled = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("RecoveryCopies"), true);
    options.DelaySeconds = int(std::clamp<qint64>(
        ReadRegInteger(RegistryKeys::Velicort, QStringLiteral("RecoveryDelay"), options.DelaySeconds), MinRecoveryDelay,
        MaxRecoveryDelay));
    options.ReopenSession = ReadRegBool(RegistryKeys::Velicort, QStringLiteral("ReopenLastSession"), false);
    return options;
}

void WriteRecoveryOptions(const TRecoveryOptions &options)
{
    const TSettingsBatch batch;
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("RecoveryCopies"), options.Enabled);
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("RecoveryDelay"), options.DelaySeconds);
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("ReopenLastSession"), options.ReopenSession);
}

TSession ReadSession()
{
    TSession session;
    const qint64 count = ReadRegInteger(SessionKey, QStringLiteral("Count"), 0);
    for (qint64 i = 0; i < count; ++i) {
        TSessionDocument document;
        document.fileName = ReadRegValue(SessionKey, QStringLiteral("File%1").arg(i), QString());
        document.caret = ReadRegInteger(SessionKey, QStringLiteral("Caret%1").arg(i), 0);
        document.firstLine = int(ReadRegInteger(SessionKey, QStringLiteral("Top%1").arg(i), 0));
        if (!document.fileName.isEmpty())
            session.documents.append(document);
    }
    session.active = int(std::clamp<qint64>(ReadRegInteger(SessionKey, QStringLiteral("Active"), 0), 0,
                                            std::max<qint64>(0, session.documents.size() - 1)));
    return session;
}

void WriteSession(const TSession &session)
{
    const TSettingsBatch batch;
    EraseRegKey(SessionKey);
    WriteRegValue(SessionKey, QStringLiteral("Count"), session.documents.size());
    WriteRegValue(SessionKey, QStringLiteral("Active"), session.active);
    for (int i = 0; i < session.documents.size(); ++i) {
        const TSessionDocument &document = session.documents.at(i);
        WriteRegValue(SessionKey, QStringLiteral("File%1").arg(i), document.fileName);
        WriteRegValue(SessionKey, QStringLiteral("Caret%1").arg(i), qint64(document.caret));
        WriteRegValue(SessionKey, QStringLiteral("Top%1").arg(i), document.firstLine);
    }
}
