// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorWindow.h"
#include "Paths.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velicort"));
    QApplication::setOrganizationName(QStringLiteral("Velicort"));

    // All parameters together name one file, as a path with blanks would;
    // when they do not, each names a file of its own.
    const QStringList parameters = QApplication::arguments().mid(1);
    QStringList fileNames{parameters.join(u' ').trimmed()};
    if (parameters.isEmpty())
        fileNames = QStringList{DataFilePath(QStringLiteral("sample.htm"))};
    else if (!QFileInfo(fileNames.first()).isFile())
        fileNames = parameters;

    TfEditorWindow window;
    window.show();
    for (const QString &fileName : std::as_const(fileNames))
        if (QFileInfo(fileName).isFile())
            window.OpenDocument(QFileInfo(fileName).absoluteFilePath());
    return app.exec();
}
