// SPDX-License-Identifier: GPL-3.0-or-later
#include "SampleHtmlPage.h"

#include <array>
#include <cstring>
#include <string_view>

namespace {

// A fixed generator, so that every run times the same bytes (the standard
// library's distributions may differ between implementations).
class TRandom
{
public:
    quint32 Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return quint32(m_state >> 32);
    }
    int Below(int n) { return int(Next() % quint32(n)); }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    bool OneIn(int n) { return Below(n) == 0; }

private:
    quint64 m_state = 0x9E3779B97F4A7C15ull;
};

constexpr std::array<std::string_view, 72> Words = {
    "the",     "of",       "and",      "to",        "in",       "for",     "our",         "with",     "on",
    "is",      "are",      "you",      "can",       "from",     "this",    "new",         "page",     "order",
    "price",   "service",  "garden",   "season",    "weekend",  "opening", "hours",       "menu",     "fresh",
    "local",   "delivery", "include",  "details",   "please",   "contact", "free",        "shipping", "members",
    "events",  "update",   "summer",   "winter",    "market",   "recipe",  "table",       "booking",  "group",
    "online",  "special",  "offer",    "available", "review",   "guests",  "kitchen",     "coffee",   "bread",
    "café",    "naïve",    "Größe",    "façade",    "déjà",     "résumé",  "crème",       "brûlée",   "€",
    "12,50 €", "–",        "“quoted”", "Zürich",    "Ångström", "piñata",  "smörgåsbord", "jalapeño", "São",
};

class TPageWriter
{
public:
    explicit TPageWriter(qsizetype reserve) { m_page.reserve(reserve + 4096); }

    QByteArray &Page() { return m_page; }

    void Line(int indent, const QByteArray &text)
    {
        m_page.append(QByteArray(indent, '\t'));
        m_page.append(text);
        m_page.append("\r\n");
    }
    void Blank() { m_page.append("\r\n"); }

    // Running text wrapped at a width of 60 to 110 bytes, with some inline
    // markup, as an author's editor leaves it.
    void Paragraph(int indent, int words)
    {
        const int width = m_random.Between(60, 110);
        QByteArray line = "<p>";
        for (int i = 0; i < words; ++i) {
            QByteArray word = Word();
            if (m_random.OneIn(23))
                word = "<b>" + word + "</b>";
            else if (m_random.OneIn(31))
                word = "<a href=\"pages/topic" + Number(m_random.Below(900), 3) + ".html\">" + word + "</a>";
            else if (m_random.OneIn(29))
                word = "<i>" + word + "</i>";
            if (line.size() + 1 + word.size() > width && line.size() > 3) {
                Line(indent, line);
                line.clear();
            }
            if (!line.isEmpty() && line != "<p>")
                line += ' ';
            line += word;
        }
        line += ParagraphEnd();
        Line(indent, line);
    }

    // Words up to a length of at most `width` bytes.
    QByteArray TextLine(qsizetype width)
    {
        QByteArray line;
        for (;;) {
            const QByteArray word = Word();
            if (line.size() + 1 + word.size() > width)
                return line;
            if (!line.isEmpty())
                line += ' ';
            line += word;
        }
    }

    QByteArray Word()
    {
        // Most words come from the plain half of the list.
        const int plain = 54;
        const int index = m_random.OneIn(9) ? m_random.Below(int(Words.size())) : m_random.Below(plain);
        const std::string_view w = Words[size_t(index)];
        return QByteArray(w.data(), qsizetype(w.size()));
    }

    static QByteArray Number(int value, int digits) { return QByteArray::number(value).rightJustified(digits, '0'); }

    TRandom &Random() { return m_random; }

private:
    QByteArray ParagraphEnd() { return m_random.OneIn(4) ? QByteArray("</p>") : QByteArray(".</p>"); }

    QByteArray m_page;
    TRandom m_random;
};

void WriteHead(TPageWriter &w)
{
    w.Line(0, "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">");
    w.Line(0, "<html>");
    w.Line(0, "<head>");
    w.Line(0, "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">");
    w.Line(0, "<title>Café Lumière – seasonal menu, opening hours and events</title>");
    w.Line(0, "<meta name=\"keywords\" content=\"café, bakery, coffee, events, catering, délices\">");
    w.Line(0, "<style type=\"text/css\">");
    w.Line(1, "body { font-family: Verdana, Arial, sans-serif; font-size: 10pt; margin: 0; }");
    w.Line(1, "td.nav { background-color: #F0E8D8; border-right: 1px solid #C0B090; }");
    w.Line(1, "a:link { color: #0000CC; } a:visited { color: #551A8B; } /* classic link colours */");
    w.Line(0, "</style>");
    w.Line(0, "<script type=\"text/javascript\" src=\"scripts/common.js\"></script>");
    w.Line(0, "</head>");
    w.Line(0, "<body bgcolor=\"#FFFFFF\" text=\"#000000\" link=\"#0000CC\" vlink=\"#551A8B\">");
}

void WriteScript(TPageWriter &w, int section)
{
    const QByteArray n = TPageWriter::Number(section, 4);
    w.Line(1, "<script type=\"text/javascript\">");
    w.Line(1, "<!--");
    w.Line(1, "function swapImage" + n + "(name, source) {");
    w.Line(2, "var images = document.images; // the page's pictures, by name");
    w.Line(2, "for (var i = 0; i < images.length; i++) {");
    w.Line(3, "if (images[i].name == name && source != \"\") images[i].src = source;");
    w.Line(2, "}");
    w.Line(2, "window.status = \"Section " + n + " – prices in € include VAT\";");
    w.Line(1, "}");
    w.Line(1, "// -->");
    w.Line(1, "</script>");
}

void WriteNavigation(TPageWriter &w, int section)
{
    TRandom &r = w.Random();
    w.Line(2, "<td width=\"180\" valign=\"top\" class=\"nav\" bgcolor=\"#F0E8D8\">");
    const int links = r.Between(4, 9);
    for (int i = 0; i < links; ++i) {
        const QByteArray item = TPageWriter::Number(section * 10 + i, 5);
        w.Line(3, "<a href=\"products/item" + item + ".html\" title=\"Product " + item + " – " + w.Word() + "\">" +
                      w.Word() + " " + w.Word() + "</a><br>");
    }
    w.Line(2, "</td>");
}

void WritePictureTable(TPageWriter &w, int section)
{
    TRandom &r = w.Random();
    w.Line(3, "<table border=\"1\" cellspacing=\"2\" cellpadding=\"3\" bordercolor=\"#C0B090\" align=\"center\">");
    const int rows = r.Between(1, 3);
    for (int row = 0; row < rows; ++row) {
        w.Line(4, "<tr>");
        const int cells = r.Between(2, 4);
        for (int cell = 0; cell < cells; ++cell) {
            const QByteArray photo = TPageWriter::Number(section * 12 + row * 4 + cell, 5);
            w.Line(5, "<td align=\"center\" valign=\"middle\" width=\"140\">");
            w.Line(6, "<a href=\"gallery/photo" + photo + ".html\"><img src=\"images/thumbs/photo" + photo +
                          ".jpg\" width=\"120\" height=\"90\" border=\"0\" alt=\"Photo " + photo + "\"></a><br>");
            w.Line(6, w.Word() + " " + w.Word() + " – " + QByteArray::number(r.Between(2, 40)) + ",50 €");
            w.Line(5, "</td>");
        }
        w.Line(4, "</tr>");
    }
    w.Line(3, "</table>");
}

void WriteSection(TPageWriter &w, int section)
{
    TRandom &r = w.Random();
    w.Line(0, "<!-- Section " + TPageWriter::Number(section, 4) + ": " + w.Word() + " " + w.Word() +
                  ", kept up to date by the site's editors -->");
    if (section % 6 == 0)
        WriteScript(w, section);
    w.Line(0, "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"4\" class=\"layout\">");
    w.Line(1, "<tr valign=\"top\">");
    WriteNavigation(w, section);
    w.Line(2, "<td valign=\"top\" class=\"content\">");
    w.Line(3, "<h2><a name=\"s" + TPageWriter::Number(section, 4) + "\">" + w.Word() + " " + w.Word() + "</a></h2>");
    const int paragraphs = r.Between(1, 4);
    for (int i = 0; i < paragraphs; ++i) {
        w.Paragraph(3, r.Between(20, 90));
        if (r.OneIn(3))
            WritePictureTable(w, section * 4 + i);
        if (r.OneIn(5))
            w.Line(3, "<!-- TODO: check the " + w.Word() + " prices with the kitchen before the weekend -->");
    }
    w.Line(2, "</td>");
    w.Line(1, "</tr>");
    w.Line(0, "</table>");
    if (r.OneIn(3))
        w.Blank();
}

} // namespace

QByteArray MakeSampleHtmlPage(qsizetype size)
{
    static constexpr std::string_view Footer = "</body>\r\n</html>\r\n";
    const qsizetype body = size - qsizetype(Footer.size());
    TPageWriter w(size);
    QByteArray &page = w.Page();
    WriteHead(w);
    // Whole sections while one surely fits, then lines of running text, and
    // a last line cut to the size asked.
    for (int section = 1; page.size() < body - 40000; ++section)
        WriteSection(w, section);
    while (body - page.size() > 124)
        w.Line(0, w.TextLine(w.Random().Between(40, 110)));
    const qsizetype rest = body - page.size();
    if (rest >= 2) {
        QByteArray line = w.TextLine(rest - 2);
        line.append(QByteArray(rest - 2 - line.size(), ' '));
        w.Line(0, line);
    } else if (rest == 1) {
        page.append(' ');
    }
    page.append(Footer.data(), qsizetype(Footer.size()));
    return page;
}

TSamplePageStats SamplePageStats(const QByteArray &page)
{
    TSamplePageStats stats;
    stats.bytes = page.size();
    qsizetype lineStart = 0;
    qsizetype textBytes = 0;
    for (qsizetype i = 0; i < page.size(); ++i) {
        const char c = page[i];
        if (c == '<')
            ++stats.tags;
        else if (static_cast<unsigned char>(c) >= 0x80)
            ++stats.nonAsciiBytes;
        else if (c == '\n') {
            const qsizetype length = i - lineStart - 1; // without CR LF
            textBytes += length;
            if (length == 0)
                ++stats.blankLines;
            ++stats.lines;
            lineStart = i + 1;
        }
    }
    stats.meanLineLength = stats.lines ? double(textBytes) / double(stats.lines) : 0;
    return stats;
}
