// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecoveryTestHook.h"

#include "FileIO.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

void RunTestEditsIfAsked(TvqHTMLTab *documents, const std::function<void(const QStringList &)> &openFiles)
{
    const QString script = qEnvironmentVariable("VELICORT_TEST_EDITS");
    QByteArray bytes;
    if (script.isEmpty() || !ReadWholeFile(script, bytes).ok())
        return;
    const QJsonArray steps = QJsonDocument::fromJson(bytes).array();
    for (const QJsonValue &value : steps) {
        const QJsonObject step = value.toObject();
        if (step.contains(QLatin1String("open")))
            openFiles({step.value(QLatin1String("open")).toString()});
        else if (step.contains(QLatin1String("new")))
            documents->AddDocument(QString(), documents->ActiveEditor()->ColorCodeMode(), 0);
        else if (step.contains(QLatin1String("insert")))
            documents->ActiveEditor()->InsertTag(step.value(QLatin1String("insert")).toString(), QString(), true);
        else if (step.contains(QLatin1String("exitAfter")))
            QTimer::singleShot(step.value(QLatin1String("exitAfter")).toInt(), documents, [documents] {
                for (int i = 0; i < documents->DocumentCount(); ++i)
                    documents->Editor(i)->SetModified(false);
                documents->window()->close();
            });
    }
}
