// SPDX-License-Identifier: GPL-3.0-or-later
#include "IniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class IniFileTest : public testing::Test
{
protected:
    QString Write(const QByteArray &bytes)
    {
        QFile f(m_path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return m_path;
    }

    QByteArray Contents() const
    {
        QFile f(m_path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir m_dir;
    const QString m_path = m_dir.filePath(QStringLiteral("test.ini"));
};

const QByteArray kProject = "; written by hand\r\n"
                            "[Project]\r\n"
                            "ProjectName=Site\r\n"
                            "  Version = 2.5  \r\n"
                            "[FileList]\r\n"
                            "File1=/web/a.htm\r\n"
                            "File2=\"/web/b c.htm\"\r\n"
                            "Equation=a=b\r\n"
                            ";File3=commented\r\n"
                            "file1=/web/second.htm\r\n"
                            "[Empty]\r\n"
                            "[project]\r\n"
                            "Hidden=1\r\n";

TEST_F(IniFileTest, ReadsWithProfileRules)
{
    const TIniFile ini(Write(kProject));
    struct
    {
        const char *section, *key, *expected;
    } const cases[] = {
        {"project", "projectname", "Site"},      {"PROJECT", "VERSION", "2.5"},
        {" FileList ", " File1 ", "/web/a.htm"}, // the first of two equal keys
        {"FileList", "File2", "/web/b c.htm"},   // enclosing quotes dropped
        {"FileList", "Equation", "a=b"},         // only the first "=" divides
        {"FileList", "File3", "default"},        {"Empty", "File1", "default"},
        {"Missing", "File1", "default"},         {"Project", "Hidden", "default"}, // only the first section of a name
        {"FileList", ";File3", "default"},                                         // a comment is no key
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(ini.ReadString(QString::fromUtf8(c.section), QString::fromUtf8(c.key), QStringLiteral("default"))
                      .toStdString(),
                  c.expected);
    }
    EXPECT_EQ(ini.Sections(), QStringList({"Project", "FileList", "Empty"}));
    EXPECT_EQ(ini.Keys(QStringLiteral("filelist")), QStringList({"File1", "File2", "Equation"}));
    EXPECT_TRUE(ini.SectionExists(QStringLiteral("EMPTY")));
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("Empty"), QStringLiteral("File1")));
}

TEST_F(IniFileTest, ReadInteger)
{
    const TIniFile ini(Write("[N]\r\nDec= 12 \r\nHex=0x1F\r\nNeg=-3\r\nText=12a\r\nEmpty=\r\n"));
    const QString n = QStringLiteral("N");
    EXPECT_EQ(ini.ReadInteger(n, QStringLiteral("Dec"), 7), 12);
    EXPECT_EQ(ini.ReadInteger(n, QStringLiteral("Hex"), 7), 31);
    EXPECT_EQ(ini.ReadInteger(n, QStringLiteral("Neg"), 7), -3);
    EXPECT_EQ(ini.ReadInteger(n, QStringLiteral("Text"), 7), 7);
    EXPECT_EQ(ini.ReadInteger(n, QStringLiteral("Empty"), 7), 7);
    EXPECT_EQ(ini.ReadInteger(n, QStringLiteral("Missing"), 7), 7);
}

TEST_F(IniFileTest, MissingFileReadsAsEmptyAndIsCreatedOnUpdate)
{
    TIniFile ini(m_path);
    EXPECT_TRUE(ini.Sections().isEmpty());
    EXPECT_EQ(ini.ReadString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_TRUE(ini.UpdateFile());
    EXPECT_FALSE(QFile::exists(m_path)); // nothing to write, nothing created

    ASSERT_TRUE(ini.WriteString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v")));
    EXPECT_FALSE(QFile::exists(m_path)); // edits wait for UpdateFile
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(Contents(), "[S]\r\nk=v\r\n");
}

TEST_F(IniFileTest, WritingKeepsOtherLinesByteForByte)
{
    struct
    {
        const char *before, *section, *key, *value, *after;
    } const cases[] = {
        // A changed key keeps its spelling; LF lines and odd spacing stay.
        {"; c\n[S]\nMyKey = old\n  other =  x  \n", "s", "MYKEY", "new", "; c\n[S]\nMyKey=new\r\n  other =  x  \n"},
        // A new key follows the section's last line of text.
        {"[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "a", "z", "3", "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n"},
        {"[A]\r\n[B]\r\n", "A", "z", "3", "[A]\r\nz=3\r\n[B]\r\n"},
        // A new section goes at the end; an unterminated last line is closed first.
        {"[A]\r\nx=1\r\n", "b", "k", "v", "[A]\r\nx=1\r\n[b]\r\nk=v\r\n"},
        {"[A]\nx=1", "B", "k", "v", "[A]\nx=1\r\n[B]\r\nk=v\r\n"},
        // Windows-1252 files stay in their encoding.
        {"[S]\r\nk=caf\xe9\r\n", "S", "n", "\xc3\xbc", "[S]\r\nk=caf\xe9\r\nn=\xfc\r\n"},
        {"[S]\r\nk=caf\xc3\xa9\r\n", "S", "n", "\xc3\xbc", "[S]\r\nk=caf\xc3\xa9\r\nn=\xc3\xbc\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.before);
        TIniFile ini(Write(c.before));
        ASSERT_TRUE(
            ini.WriteString(QString::fromUtf8(c.section), QString::fromUtf8(c.key), QString::fromUtf8(c.value)));
        ASSERT_TRUE(ini.UpdateFile());
        EXPECT_EQ(Contents(), QByteArray(c.after));
        EXPECT_EQ(TIniFile(m_path).ReadString(QString::fromUtf8(c.section), QString::fromUtf8(c.key), QString()),
                  QString::fromUtf8(c.value));
    }
}

TEST_F(IniFileTest, DecodesWindows1252)
{
    const TIniFile ini(Write("[S]\r\nk=caf\xe9\r\n"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("S"), QStringLiteral("k"), QString()), QStringLiteral("caf\u00e9"));
}

TEST_F(IniFileTest, EraseAndDelete)
{
    TIniFile ini(Write(kProject));
    ini.DeleteKey(QStringLiteral("FILELIST"), QStringLiteral("file2"));
    ini.DeleteKey(QStringLiteral("FileList"), QStringLiteral("NoSuchKey"));
    ini.EraseSection(QStringLiteral("PROJECT"));
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(Contents(), "; written by hand\r\n"
                          "[FileList]\r\n"
                          "File1=/web/a.htm\r\n"
                          "Equation=a=b\r\n"
                          ";File3=commented\r\n"
                          "file1=/web/second.htm\r\n"
                          "[Empty]\r\n");
}

TEST_F(IniFileTest, RewritingAListSectionRoundTrips)
{
    TIniFile ini(Write(kProject));
    ini.EraseSection(QStringLiteral("FileList"));
    const QStringList files = {"/web/x.htm", "/web/y z.htm"};
    for (int i = 0; i < files.size(); ++i)
        ASSERT_TRUE(ini.WriteString(QStringLiteral("FileList"), QStringLiteral("File%1").arg(i + 1), files.at(i)));
    ASSERT_TRUE(ini.UpdateFile());

    const TIniFile again(m_path);
    EXPECT_EQ(again.Keys(QStringLiteral("FileList")), QStringList({"File1", "File2"}));
    EXPECT_EQ(again.ReadString(QStringLiteral("FileList"), QStringLiteral("File2"), QString()), files.at(1));
    EXPECT_EQ(again.ReadString(QStringLiteral("Project"), QStringLiteral("ProjectName"), QString()),
              QStringLiteral("Site"));
    EXPECT_TRUE(Contents().endsWith("[FileList]\r\nFile1=/web/x.htm\r\nFile2=/web/y z.htm\r\n"));
}

TEST_F(IniFileTest, RefusesTextThatWouldCorruptTheFile)
{
    TIniFile ini(Write("[S]\r\nk=v\r\n"));
    const QString s = QStringLiteral("S");
    EXPECT_FALSE(ini.WriteString(s, QStringLiteral("k"), QStringLiteral("two\r\nlines")));
    EXPECT_FALSE(ini.WriteString(s, QStringLiteral("a=b"), QStringLiteral("v")));
    EXPECT_FALSE(ini.WriteString(s, QStringLiteral(" "), QStringLiteral("v")));
    EXPECT_FALSE(ini.WriteString(s, QStringLiteral("[T]"), QStringLiteral("v")));
    EXPECT_FALSE(ini.WriteString(QStringLiteral("S\nT"), QStringLiteral("k"), QStringLiteral("v")));
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(Contents(), "[S]\r\nk=v\r\n");
}

TEST_F(IniFileTest, UpdateFileFailsWhenTheFolderIsMissing)
{
    TIniFile ini(m_dir.filePath(QStringLiteral("no/such/folder/x.ini")));
    ASSERT_TRUE(ini.WriteString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v")));
    EXPECT_FALSE(ini.UpdateFile());
}

} // namespace
