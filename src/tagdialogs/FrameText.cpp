// SPDX-License-Identifier: GPL-3.0-or-later
#include "FrameText.h"

#include "TagText.h"

#include <cmath>

int RoundedQuotient(int numerator, int denominator)
{
    // lrint rounds a half to the even neighbour in the default rounding mode.
    return int(std::lrint(double(numerator) / double(denominator)));
}

int DivisionCount(const QString &text)
{
    bool number = false;
    const int count = text.toInt(&number);
    return number ? count : 1;
}

std::vector<TFrameSettings> LayoutFrames(bool byColumns, const QStringList &divisions, QSize area)
{
    std::vector<TFrameSettings> frames;
    const int groups = int(divisions.size());
    if (groups == 0)
        return frames;
    // "Across" runs along the split, "along" inside one group.
    const int across = byColumns ? area.width() : area.height();
    const int along = byColumns ? area.height() : area.width();
    const int groupShare = RoundedQuotient(100, groups);
    const int groupStep = RoundedQuotient(across, groups);
    for (int group = 1; group <= groups; ++group) {
        const int n = std::max(DivisionCount(divisions.at(group - 1)), 1);
        const int share = RoundedQuotient(100, n);
        const int step = RoundedQuotient(along, n);
        for (int k = 1; k <= n; ++k) {
            TFrameSettings frame;
            frame.FrameName = QStringLiteral("Frame %1").arg(frames.size() + 1);
            const int acrossSize = RoundedQuotient(across * groupShare, 100);
            const int alongSize = RoundedQuotient(along * share, 100);
            if (byColumns) {
                frame.Column = group;
                frame.Row = k;
                frame.FrameWidth = groupShare;
                frame.FrameHeight = share;
                frame.Geometry = QRect((group - 1) * groupStep, (k - 1) * step, acrossSize, alongSize);
            } else {
                frame.Row = group;
                frame.Column = k;
                frame.FrameHeight = groupShare;
                frame.FrameWidth = share;
                frame.Geometry = QRect((k - 1) * step, (group - 1) * groupStep, alongSize, acrossSize);
            }
            frames.push_back(frame);
        }
    }
    return frames;
}

namespace {

// n − 1 shares of 100 / n followed by "*".
QString ShareList(int n)
{
    const QString share = QString::number(RoundedQuotient(100, n)) + QStringLiteral("%,");
    return share.repeated(n - 1) + u'*';
}

} // namespace

QString FramesetText(bool byColumns, const QStringList &divisions, const std::vector<TFrameSettings> &frames)
{
    const QString outer = byColumns ? QStringLiteral("ROWS") : QStringLiteral("COLS");
    const QString inner = byColumns ? QStringLiteral("COLS") : QStringLiteral("ROWS");
    const QString crlf = QStringLiteral("\r\n");
    QString text = CaseTag(QStringLiteral("<FRAMESET ") + outer + QStringLiteral("=")) + QStringLiteral("\"100%\"") +
                   CaseTag(u' ' + inner + QStringLiteral("=\"")) + ShareList(int(divisions.size())) +
                   QStringLiteral("\">");
    std::size_t next = 0;
    for (const QString &division : divisions) {
        const int n = std::max(DivisionCount(division), 1);
        if (n > 1)
            text += crlf + u'\t' + CaseTag(QStringLiteral("<FRAMESET ") + outer + QStringLiteral("=\"")) +
                    ShareList(n) + QStringLiteral("\">");
        for (int k = 0; k < n && next < frames.size(); ++k, ++next) {
            const TFrameSettings &frame = frames[next];
            text += crlf + u'\t' + (n > 1 ? QStringLiteral("\t") : QString());
            text += CaseTag(QStringLiteral("<FRAME NAME=")) + u'"' + frame.FrameName + u'"';
            text += CaseTag(QStringLiteral(" SRC=")) + u'"' + frame.FrameURL + u'"';
            text += CaseTag(QStringLiteral(" SCROLLING=")) + u'"' + CaseTag(frame.Scrolling) + u'"';
            if (!frame.MarginHeight.isEmpty())
                text += CaseTag(QStringLiteral(" MARGINHEIGHT=")) + frame.MarginHeight;
            if (!frame.MarginWidth.isEmpty())
                text += CaseTag(QStringLiteral(" MARGINWIDTH=")) + frame.MarginWidth;
            if (frame.NoResize)
                text += CaseTag(QStringLiteral(" NORESIZE"));
            text += u'>';
        }
        if (n > 1)
            text += crlf + u'\t' + CaseTag(QStringLiteral("</FRAMESET>"));
    }
    return text + crlf + CaseTag(QStringLiteral("</FRAMESET>"));
}
