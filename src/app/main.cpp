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

    // All parameters together name one file, as a path with blanks would.
    QStringList parameters = QApplication::arguments().mid(1);
    QString fileName = parameters.join(u' ');
    if (fileName.isEmpty())
        fileName = DataFilePath(QStringLiteral("sample.htm"));

    TfEditorWindow window;
    window.show();
    if (QFileInfo::exists(fileName))
        window.OpenDocument(QFileInfo(fileName).absoluteFilePath());
    return app.exec();
}
