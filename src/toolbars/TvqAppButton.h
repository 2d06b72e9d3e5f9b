// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A flat button of the application launch bar: the program or document it
// starts, the arguments it gives, and the name shown as its tip. Its picture
// is the desktop's icon for that file.

#include <QToolButton>

class TvqAppButton : public QToolButton
{
    Q_OBJECT

public:
    explicit TvqAppButton(QWidget *parent = nullptr);

    QString AppName() const { return m_appName; }
    void SetAppName(const QString &name) { m_appName = name; }
    QString AppFilename() const { return m_appFilename; }
    // Also shows the file's icon; a file the desktop has no icon for keeps
    // the picture the button had.
    void SetAppFilename(const QString &fileName);
    QString CommandLine() const { return m_commandLine; }
    void SetCommandLine(const QString &commandLine) { m_commandLine = commandLine; }

    // Takes name, tip, file, picture and command line of another button.
    void CopyFrom(const TvqAppButton &other);

private:
    QString m_appName;
    QString m_appFilename;
    QString m_commandLine;
};

// The desktop's small icon of a program or file, drawn at (1, 1) into an
// 18 x 18 picture: a theme icon named after a program, else the icon of the
// file's type. A bare program name is looked for on the search path. Null
// when the file is not found.
QIcon AppGlyph(const QString &fileName);
