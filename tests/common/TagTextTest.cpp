// SPDX-License-Identifier: GPL-3.0-or-later
#include "TagText.h"

#include "ScriptedMessageService.h"
#include "TestFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

std::string Str(const QString &s)
{
    return s.toStdString();
}

QString WriteFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    return WriteTestFile(dir.filePath(name), bytes);
}

TEST(TagTextTest, CaseTagFollowsTheGlobalFlag)
{
    const bool saved = LowerCaseTags();
    SetLowerCaseTags(false);
    EXPECT_EQ(Str(CaseTag(QStringLiteral("<Font Size="))), "<FONT SIZE=");
    SetLowerCaseTags(true);
    EXPECT_EQ(Str(CaseTag(QStringLiteral("<Font Size="))), "<font size=");
    SetLowerCaseTags(saved);
}

TEST(TagTextTest, GetTagAttributeReadsOneValue)
{
    struct
    {
        const char *tag, *name, *expected;
    } const cases[] = {
        {"<A NAME=top>", "NAME=", "top"},
        {"<A HREF=\"\">", "HREF=", ""},
        {"<a href=\"Page.HTM\">", "HREF=", "Page.HTM"},
        {"<A HREF=\"x.htm\">", " href= ", "x.htm"},
        {"<IMG SRC=a.gif WIDTH=3>", "WIDTH=", "3"},
        {"<IMG ALT=\"two words\" SRC=a.gif>", "ALT=", "two words"},
        {"<IMG SRC= \"a.gif\">", "SRC=", "a.gif"},
        // The name must follow "<" or a blank directly.
        {"<BODY VLINK=\"red\" ALINK=\"blue\">", "LINK=", ""},
        {"<BODY VLINK=\"red\" LINK=\"blue\">", "LINK=", "blue"},
        {"<HR SIZE = 3>", "SIZE=", ""},
        {"<A NAME=>", "NAME=", ""},
        // Line breaks of either form count as blanks.
        {"<IMG\r\nSRC=\"a.gif\">", "SRC=", "a.gif"},
        {"<IMG\nSRC=\"a.gif\">", "SRC=", "a.gif"},
        // An unclosed quote does not take the tag's ">" into the value.
        {"<A HREF=\"a.htm>", "HREF=", "a.htm"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.tag) + " / " + c.name);
        EXPECT_EQ(Str(GetTagAttribute(QString::fromUtf8(c.tag), QString::fromUtf8(c.name))), c.expected);
    }
}

TEST(TagTextTest, SetTagAttributeEditsInPlace)
{
    struct
    {
        const char *tag, *name, *value, *expected;
    } const cases[] = {
        // Removal takes the attribute's blank with it.
        {"<FONT SIZE=\"+1\" CLASS=\"x\">", "SIZE=", "", "<FONT CLASS=\"x\">"},
        {"<HR SIZE=3>", "SIZE=", "", "<HR>"},
        {"<HR SIZE=3>", "SIZE=", "\"\"", "<HR>"},
        {"<TD WIDTH=10 ALIGN=left NOWRAP>", "ALIGN=", "", "<TD WIDTH=10 NOWRAP>"},
        {"<IMG SRC=\"a.gif\">", "ALT=", "", "<IMG SRC=\"a.gif\">"},
        // Replacement: the new value brings its own quotes.
        {"<FONT SIZE=\"+1\">", "SIZE=", "\"+2\"", "<FONT SIZE=\"+2\">"},
        {"<FONT SIZE=+1 COLOR=red>", "SIZE=", "\"+2\"", "<FONT SIZE=\"+2\" COLOR=red>"},
        {"<font size=2>", "SIZE=", "\"3\"", "<font size=\"3\">"},
        {"<A HREF=\"\">", "HREF=", "\"x.htm\"", "<A HREF=\"x.htm\">"},
        {"<A HREF=\" x.htm\">", "HREF=", "\"y.htm\"", "<A HREF=\"y.htm\">"},
        {"<A HREF=\"a.htm>", "HREF=", "\"b.htm\"", "<A HREF=\"b.htm\">"},
        // Addition goes in front of ">", or closes a tag that has none.
        {"<IMG SRC=\"a.gif\">", "ALT=", "\"Logo\"", "<IMG SRC=\"a.gif\" ALT=\"Logo\">"},
        {"<IMG SRC=\"a.gif\"", "ALT=", "\"x\"", "<IMG SRC=\"a.gif\" ALT=\"x\">"},
        {"<BODY VLINK=\"red\">", "LINK=", "\"blue\"", "<BODY VLINK=\"red\" LINK=\"blue\">"},
        {"<HR SIZE = 3>", "SIZE=", "4", "<HR SIZE = 3 SIZE=4>"},
        // A tag that spans lines comes back on one line.
        {"<IMG\r\nSRC=\"a.gif\"\r\nALT=\"x\">", "ALT=", "\"y\"", "<IMG SRC=\"a.gif\" ALT=\"y\">"},
        {"<IMG\r\nSRC=\"a.gif\">", "ALT=", "", "<IMG SRC=\"a.gif\">"},
        // Runs of blanks collapse, except inside quotes.
        {"<IMG  SRC=\"a.gif\"   ALT=\"a  b\">", "SRC=", "\"b.gif\"", "<IMG SRC=\"b.gif\" ALT=\"a  b\">"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.tag) + " / " + c.name + " / " + c.value);
        QString tag = QString::fromUtf8(c.tag);
        SetTagAttribute(tag, QString::fromUtf8(c.name), QString::fromUtf8(c.value));
        EXPECT_EQ(Str(tag), c.expected);
    }
}

TEST(TagTextTest, QuotedValuesHideBracketsAndNames)
{
    struct
    {
        const char *tag, *name, *value, *expected;
    } const cases[] = {
        // A ">" inside a value is text; the new attribute goes before the tag's own.
        {"<IMG ALT=\"a > b\" SRC=\"x.gif\">", "WIDTH=", "\"10\"", "<IMG ALT=\"a > b\" SRC=\"x.gif\" WIDTH=\"10\">"},
        {"<IMG ALT='a > b' SRC=x.gif>", "WIDTH=", "10", "<IMG ALT='a > b' SRC=x.gif WIDTH=10>"},
        {"<IMG ALT=\"don't > stop\">", "WIDTH=", "10", "<IMG ALT=\"don't > stop\" WIDTH=10>"},
        {"<IMG ALT='say \"a > b\"'>", "WIDTH=", "10", "<IMG ALT='say \"a > b\"' WIDTH=10>"},
        // An apostrophe inside a word opens no value.
        {"<IMG ALT=don't SRC=x.gif>", "WIDTH=", "10", "<IMG ALT=don't SRC=x.gif WIDTH=10>"},
        {"<IMG ALT=don't SRC=x.gif>", "SRC=", "\"y.gif\"", "<IMG ALT=don't SRC=\"y.gif\">"},
        // A name inside a value is not the attribute.
        {"<IMG ALT=\"see SRC=a\" SRC=\"x.gif\">", "SRC=", "\"y.gif\"", "<IMG ALT=\"see SRC=a\" SRC=\"y.gif\">"},
        {"<IMG ALT=' SRC=a'>", "SRC=", "\"y.gif\"", "<IMG ALT=' SRC=a' SRC=\"y.gif\">"},
        {"<IMG ALT=\"see SRC=a\" SRC=x.gif>", "SRC=", "", "<IMG ALT=\"see SRC=a\">"},
        // Single-quoted values are replaced and removed whole, quotes and all.
        {"<IMG ALT='a > b' SRC=x>", "ALT=", "\"c\"", "<IMG ALT=\"c\" SRC=x>"},
        {"<IMG ALT='a > b' SRC=x>", "ALT=", "", "<IMG SRC=x>"},
        {"<IMG  ALT='a  b'  SRC=x>", "SRC=", "y", "<IMG ALT='a  b' SRC=y>"},
        // A quote never closed runs up to the tag's last ">", which stays.
        {"<IMG ALT=\"a > b>", "WIDTH=", "10", "<IMG ALT=\"a > b WIDTH=10>"},
        {"<IMG ALT='a > b>", "WIDTH=", "10", "<IMG ALT='a > b WIDTH=10>"},
        {"<IMG ALT='a", "WIDTH=", "10", "<IMG ALT='a WIDTH=10>"},
        // An "=" that opens a quoted value is part of it.
        {"<IMG ALT=\"= > b\" SRC=x>", "ALT=", "\"c\"", "<IMG ALT=\"c\" SRC=x>"},
        {"<IMG ALT=\"= > b\" SRC=x>", "ALT=", "", "<IMG SRC=x>"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.tag) + " / " + c.name + " / " + c.value);
        QString tag = QString::fromUtf8(c.tag);
        SetTagAttribute(tag, QString::fromUtf8(c.name), QString::fromUtf8(c.value));
        EXPECT_EQ(Str(tag), c.expected);
    }

    struct
    {
        const char *tag, *name, *expected;
    } const reads[] = {
        {"<IMG ALT='a > b' SRC=x>", "ALT=", "a > b"},
        {"<IMG ALT=\"see SRC=a\" SRC=x.gif>", "SRC=", "x.gif"},
        {"<IMG ALT=\"see SRC=a\">", "SRC=", ""},
        {"<IMG ALT=''>", "ALT=", ""},
        {"<IMG ALT='a b>", "ALT=", "a b"},
        {"<IMG ALT=\"=a\">", "ALT=", "=a"},
    };
    for (const auto &r : reads) {
        SCOPED_TRACE(std::string(r.tag) + " / " + r.name);
        EXPECT_EQ(Str(GetTagAttribute(QString::fromUtf8(r.tag), QString::fromUtf8(r.name))), r.expected);
    }
}

TEST(TagTextTest, SetThenGetGivesTheValueBack)
{
    const char *tags[] = {"<IMG>", "<IMG ALT=old>", "<IMG ALT=\"old one\" SRC=x>", "<IMG\r\nALT=\"\">"};
    for (const char *t : tags) {
        SCOPED_TRACE(t);
        QString tag = QString::fromUtf8(t);
        SetTagAttribute(tag, QStringLiteral("ALT="), QStringLiteral("\"New Text\""));
        EXPECT_EQ(Str(GetTagAttribute(tag, QStringLiteral("alt="))), "New Text");
        SetTagAttribute(tag, QStringLiteral("ALT="), QString());
        EXPECT_EQ(Str(GetTagAttribute(tag, QStringLiteral("ALT="))), "");
        EXPECT_FALSE(tag.contains(QLatin1String("ALT"), Qt::CaseInsensitive)) << Str(tag);
    }
}

TEST(TagTextTest, ClassifyTagLooksAtTheFirstTenCharacters)
{
    struct
    {
        const char *tag;
        TTagKind kind;
    } const cases[] = {
        {"<A HREF=\"x.htm\">", tkAnchor},
        {"<a\r\nhref=\"x.htm\">", tkOther},
        {"<ABBR>", tkOther},
        {"<APPLET CODE=x>", tkApplet},
        {"<bgsound src=x>", tkBackgroundSound},
        {"<!-- note -->", tkComment},
        {"<FONT SIZE=2>", tkFont},
        {"<BASEFONT SIZE=2>", tkBaseFont},
        {"<FRAME SRC=x>", tkFrame},
        {"<FRAMESET ROWS=\"*\">", tkFrameset},
        {"<IFRAME SRC=x>", tkFloatingFrame},
        {"<p align=center>", tkParagraph},
        {"<P>", tkParagraph},
        {"<PRE>", tkOther},
        {"<TH>", tkTableHeaderCell},
        {"", tkOther},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tag);
        EXPECT_EQ(ClassifyTag(QString::fromUtf8(c.tag)), c.kind);
    }
}

const char kLinks[] = "<A HREF=\"b.htm\">b</A> <a href=\"A.htm\">a</a> <A HREF=\"B.HTM\"> <A HREF=\"c.htm";

TEST(TagTextTest, CollectQuotedValuesSortsAndDropsDuplicatesWhenAsked)
{
    const QString prefix = QStringLiteral("HREF=\"");
    const QString text = QString::fromUtf8(kLinks);
    EXPECT_EQ(CollectQuotedValues(prefix, text, true), QStringList({"A.htm", "b.htm"}));
    // Unsorted keeps duplicates, in the order found among equals.
    EXPECT_EQ(CollectQuotedValues(prefix, text, false), QStringList({"A.htm", "b.htm", "B.HTM"}));
    EXPECT_TRUE(CollectQuotedValues(prefix, QStringLiteral("no links"), true).isEmpty());
}

TEST(TagTextTest, CollectQuotedValuesReadsAFile)
{
    QTemporaryDir dir;
    const QString path = WriteFile(dir, QStringLiteral("page.htm"), "<A HREF=\"caf\xe9.htm\">" + QByteArray(kLinks));
    const auto values = CollectQuotedValues(QStringLiteral("href=\""), QFileInfo(path), true);
    ASSERT_TRUE(values.has_value());
    EXPECT_EQ(*values, QStringList({"A.htm", "b.htm", QStringLiteral("caf\u00e9.htm")}));
    EXPECT_TRUE(Scripted().messages.isEmpty());
}

TEST(TagTextTest, CollectQuotedValuesReportsAMissingFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing.htm"));
    EXPECT_FALSE(CollectQuotedValues(QStringLiteral("HREF=\""), QFileInfo(path), true).has_value());
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Str(Scripted().messages.at(0).text), Str("Unable to open " + path + "."));
    EXPECT_EQ(Scripted().messages.at(0).kind, TMsgKind::Error);
    EXPECT_EQ(Scripted().messages.at(0).buttons, TMsgButtons::Ok);
}

TEST(TagTextTest, MakeRelativeFolder)
{
    struct
    {
        const char *document, *target;
        bool lower;
        const char *expected;
    } const cases[] = {
        {"c:\\web\\", "c:\\web\\", false, ""},
        {"c:\\web\\", "c:\\web\\img\\", false, "img/"},
        {"c:\\web\\docs\\", "c:\\web\\img\\", false, "../img/"},
        {"c:\\web\\", "d:\\img\\", false, "/img/"},
        {"/web/", "/web/", false, ""},
        {"/web", "/web/img", false, "img/"},
        {"/web/docs/", "/web/img/", false, "../img/"},
        {"/web/docs/a/", "/web/", false, "../../"},
        {"/web/", "/website/", false, "../website/"},
        {"/web/docs/", "/media/d/img/", false, "../../media/d/img/"},
        {"/Web/", "/web/IMG/", true, "img/"},
        {"/Web/", "/web/IMG/", false, "../web/IMG/"},
        // With no document folder the target is used without its drive.
        {"", "c:\\img\\", false, "\\img\\"},
        {"", "/img/", false, "/img/"},
        {"/web/", "", false, "/web/"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.document) + " -> " + c.target);
        EXPECT_EQ(Str(MakeRelativeFolder(QString::fromUtf8(c.document), QString::fromUtf8(c.target), c.lower)),
                  c.expected);
    }
}

TEST(TagTextTest, ResolveDocumentPath)
{
    struct
    {
        const char *document, *reference, *expected;
    } const cases[] = {
        {"/web/docs/a.htm", "img/b.gif", "/web/docs/img/b.gif"},
        {"/web/docs/a.htm", "../img/b.gif", "/web/img/b.gif"},
        {"/web/docs/a.htm", "..\\img\\b.gif", "/web/img/b.gif"},
        {"/web/docs/a.htm", "img/../b.gif", "/web/docs/b.gif"},
        {"/web/docs/a.htm", "./b.gif", "/web/docs/b.gif"},
        {"/web/a.htm", "../../b.gif", "/b.gif"},
        {"/web/docs/a.htm", "#top", "/web/docs/a.htm#top"},
        // Any reference with a scheme is no file and comes back as written.
        {"/web/docs/a.htm", "http://example.com/a.gif", "http://example.com/a.gif"},
        {"/web/docs/a.htm", "mailto:me@example.com", "mailto:me@example.com"},
        {"/web/docs/a.htm", "javascript:history.back()", "javascript:history.back()"},
        {"/web/docs/a.htm", "news:comp.lang.c", "news:comp.lang.c"},
        {"/web/docs/a.htm", "JavaScript:go('../x')", "JavaScript:go('../x')"},
        {"/web/docs/a.htm", ":odd", ":odd"},
        {"/web/docs/a.htm", "../a:b", "../a:b"},
        {"/web/docs/a.htm", "/other/b.gif", "/other/b.gif"},
        {"/web/docs/a.htm", "c:/img/b.gif", "c:/img/b.gif"},
        {"c:\\web\\docs\\a.htm", "../img/b.gif", "c:/web/img/b.gif"},
        {"c:\\web\\a.htm", "../../b.gif", "c:/b.gif"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.document) + " + " + c.reference);
        EXPECT_EQ(Str(ResolveDocumentPath(QString::fromUtf8(c.document), QString::fromUtf8(c.reference))), c.expected);
    }
}

TEST(TagTextTest, ReadShortcutURL)
{
    QTemporaryDir dir;
    const QString shortcut = WriteFile(dir, QStringLiteral("site.url"),
                                       "[DEFAULT]\r\nBASEURL=http://wrong/\r\n"
                                       "[internetshortcut]\r\nurl = http://example.com/a?b=c\r\n");
    EXPECT_EQ(Str(ReadShortcutURL(shortcut)), "http://example.com/a?b=c");
    EXPECT_EQ(Str(ReadShortcutURL(dir.filePath(QStringLiteral("missing.url")))), "");
    EXPECT_TRUE(Scripted().messages.isEmpty());
}

} // namespace
