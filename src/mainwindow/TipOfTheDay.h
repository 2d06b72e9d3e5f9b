// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The tip of the day. The tips are the lines of the data file "Tips.dat";
// CurrentTip under Software\Velicort counts which was shown last, so that
// each start shows the next one and the last is followed by the first.

#include <QDialog>
#include <QString>
#include <QStringList>

class QCheckBox;
class QLabel;
class QPrinter;
class QPushButton;

// At most this many tips are printed.
inline constexpr int MaxPrintedTips = 50;

// The tips of a tips file: its lines without the empty ones (CR LF or LF
// ends). On failure no tips and the text to show in their place.
struct TTipList
{
    QStringList tips;
    QString error;
};
TTipList ReadTips(const QString &path);

// The tip after the one shown last, which it makes the one shown last; the
// last tip is followed by the first. On failure the text that says why, and
// CurrentTip is left alone.
QString NextTip(const QString &path);

// The lines "Print All" prints: a line holding a blank, then for each tip,
// at most MaxPrintedTips, "Tip n", "------", the tip and two empty lines.
QStringList TipPrintLines(const QStringList &tips);

// Prints lines in Courier 10 points, wrapping long ones at the page width
// and starting new pages as needed. False when printing could not start.
bool PrintTipLines(QPrinter &printer, const QStringList &lines);

class TfTip : public QDialog
{
    Q_OBJECT

public:
    // Shows the next tip of the tips file at tipsPath at once.
    explicit TfTip(const QString &tipsPath, QWidget *parent = nullptr);

    QLabel *lblTip;
    QCheckBox *chkShowTips;
    QPushButton *btnNextTip;
    QPushButton *btnWhatsNew;
    QPushButton *btnPrintAll;
    QPushButton *btnClose;

private:
    void btnNextTipClick();
    void btnWhatsNewClick();
    void btnPrintAllClick();

    QString m_tipsPath;
};

// Shows the tip of the day from the shipped tips modally; the main window
// calls it at start-up while ShowTips is on.
void ShowTipOfTheDay(QWidget *parent = nullptr);
