// SPDX-License-Identifier: GPL-3.0-or-later
#include "HTMLValidator.h"

#include <QFile>

#include <tidy/tidy.h>
#include <tidy/tidybuffio.h>

namespace {

// A Tidy document for as long as it lives.
class TTidyDoc
{
public:
    TTidyDoc() : m_doc(tidyCreate()) {}
    ~TTidyDoc() { tidyRelease(m_doc); }
    TTidyDoc(const TTidyDoc &) = delete;
    TTidyDoc &operator=(const TTidyDoc &) = delete;
    operator TidyDoc() const { return m_doc; }

private:
    TidyDoc m_doc;
};

std::optional<TFindingType> FindingType(TidyReportLevel level)
{
    switch (level) {
    case TidyError:
    case TidyBadDocument:
    case TidyFatal:
        return TFindingType::Error;
    case TidyWarning:
    case TidyAccess:
        return TFindingType::Warning;
    case TidyInfo:
        return TFindingType::Comment;
    default:
        return std::nullopt; // configuration and dialogue texts
    }
}

Bool TIDY_CALL CollectFinding(TidyMessage message)
{
    auto *findings = static_cast<QList<TValidatorFinding> *>(tidyGetAppData(tidyGetMessageDoc(message)));
    if (const std::optional<TFindingType> type = FindingType(tidyGetMessageLevel(message)))
        findings->append({*type, tidyGetMessageLine(message), tidyGetMessageColumn(message),
                          QString::fromUtf8(tidyGetMessage(message))});
    return no; // nothing goes to Tidy's own error output
}

constexpr QByteArrayView TypePrefix = "MESSAGETYPE=";
constexpr QByteArrayView LinePrefix = "LINENUMBER=";
constexpr QByteArrayView MessagePrefix = "MESSAGE=";

QByteArray TypeName(TFindingType type)
{
    switch (type) {
    case TFindingType::Error:
        return "ERROR";
    case TFindingType::Warning:
        return "WARNING";
    case TFindingType::Comment:
        break;
    }
    return "COMMENT";
}

std::optional<TFindingType> TypeOfName(QByteArrayView name)
{
    for (const TFindingType type : {TFindingType::Error, TFindingType::Warning, TFindingType::Comment})
        if (name == TypeName(type))
            return type;
    return std::nullopt;
}

} // namespace

QList<TValidatorFinding> THTMLValidator::Check(QByteArrayView page)
{
    QList<TValidatorFinding> findings;
    const TTidyDoc tdoc;
    tidySetAppData(tdoc, &findings);
    tidySetMessageCallback(tdoc, CollectFinding);
    tidyOptSetBool(tdoc, TidyShowMarkup, no);
    tidyOptSetBool(tdoc, TidyQuiet, yes);
    tidySetCharEncoding(tdoc, "utf8");
    TidyBuffer input;
    tidyBufInit(&input);
    tidyBufAttach(&input, reinterpret_cast<byte *>(const_cast<char *>(page.data())), uint(page.size()));
    // The steps and their order of the tidy program, so that the findings
    // read as its own.
    if (tidyParseBuffer(tdoc, &input) >= 0 && tidyCleanAndRepair(tdoc) >= 0)
        tidyRunDiagnostics(tdoc);
    tidyBufDetach(&input);
    return findings;
}

std::optional<QList<TValidatorFinding>> THTMLValidator::CheckFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return Check(file.readAll());
}

QString THTMLValidator::ReportLine(const TValidatorFinding &finding)
{
    const char *kind = finding.type == TFindingType::Error     ? "Error"
                       : finding.type == TFindingType::Warning ? "Warning"
                                                               : "Info";
    const QString text = QLatin1String(kind) + QStringLiteral(": ") + finding.message;
    if (finding.line <= 0)
        return text;
    return QStringLiteral("line %1 column %2 - ").arg(finding.line).arg(finding.column) + text;
}

QByteArray THTMLValidator::ResultsText(const QList<TValidatorFinding> &findings)
{
    QByteArray text;
    for (const TValidatorFinding &finding : findings) {
        text += TypePrefix.toByteArray() + TypeName(finding.type) + '\n';
        text += LinePrefix.toByteArray() + QByteArray::number(finding.line) + '\n';
        // One line each: a line break inside a message would end it.
        QString message = finding.message;
        message.replace(u'\r', u' ').replace(u'\n', u' ');
        text += MessagePrefix.toByteArray() + message.toUtf8() + '\n';
    }
    return text + "ENDOFFILE=YES\n";
}

QList<TValidatorFinding> THTMLValidator::ReadResults(QByteArrayView text)
{
    QList<TValidatorFinding> findings;
    TValidatorFinding current;
    bool inFinding = false;
    bool known = false; // the finding is of a type that is listed
    const auto finish = [&] {
        if (known)
            findings.append(current);
    };
    for (QByteArrayView line : QByteArray(text.toByteArray()).split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.startsWith(TypePrefix)) {
            finish();
            inFinding = true;
            const std::optional<TFindingType> type = TypeOfName(line.sliced(TypePrefix.size()));
            known = type.has_value();
            current = {type.value_or(TFindingType::Comment), 0, 0, QString()};
        } else if (inFinding && line.startsWith(LinePrefix)) {
            current.line = line.sliced(LinePrefix.size()).toByteArray().trimmed().toInt();
        } else if (inFinding && line.startsWith(MessagePrefix)) {
            current.message = QString::fromUtf8(line.sliced(MessagePrefix.size()));
        } else if (!inFinding && line.contains(QByteArrayView("ENDOFFILE=YES"))) {
            break;
        }
    }
    finish();
    return findings;
}
