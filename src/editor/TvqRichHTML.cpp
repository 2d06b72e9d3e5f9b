// SPDX-License-Identifier: GPL-3.0-or-later
#include "TvqRichHTML.h"

#include "DocumentPrinter.h"
#include "EscapeWatcher.h"
#include "LongRun.h"
#include "MessageService.h"
#include "PlainReplace.h"
#include "SettingsStore.h"
#include "TagText.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QFontDatabase>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScopeGuard>
#include <QScrollBar>

#include <algorithm>
#include <cctype>
#include <string_view>
#include <vector>

// The control's interface for filling a document away from the control, on
// any thread (its header is not installed with the control). Declared
// outside an anonymous namespace: the control implements it.
class ILoader
{
public:
    virtual int Release() = 0;
    virtual int AddData(const char *data, ptrdiff_t length) = 0;
    virtual void *ConvertToDocument() = 0;

protected:
    ~ILoader() = default;
};

namespace {

// A file larger than this is read and put into a document away from the
// window's thread.
constexpr qint64 LargeFile = 512 * 1024;
// Pieces of measured text the control remembers (about 1 MB at most).
constexpr int PositionCacheEntries = 65536;
// Replacements spanning more bytes than this go into a fresh document.
constexpr qsizetype LargeReplacement = 256 * 1024;
// While a long page wraps, the view is repainted at most this often.
constexpr int WrapRepaintMs = 100;
// Ranges longer than this show progress and can be stopped with Escape.
constexpr qsizetype LongRunLength = 4096;
// Auto-indent repeats at most the tabs among a line's first characters.
constexpr int IndentScanLength = 20;
constexpr quint32 EffectBold = 1;
constexpr quint32 EffectItalic = 2;
constexpr quint32 EffectUnderline = 4;
constexpr quint32 EffectAutoColor = 0x40000000;
// The indicator that marks the matches of a search, the first of those
// Scintilla leaves to its container, and the margin of line numbers.
constexpr int FoundIndicator = 8;
constexpr int LineNumberMargin = 0;

struct TStyleValueNames
{
    const char *color;
    const char *effects;
};

// Registry names of the seven classes, by style number - 1.
constexpr TStyleValueNames StyleValueNames[StyleClassCount] = {
    {"FontTagsColor", "FontTagsEffects"},       {"FontAnchorsColor", "FontAnchorsEffects"},
    {"FontImagesColor", "FontImagesEffects"},   {"FontCommentsColor", "FontCommentsEffects"},
    {"FontTablesColor", "FontTablesEffects"},   {"FontQuotesColor", "FontQuotesEffects"},
    {"FontScriptsColor", "FontScriptsEffects"},
};

// The order in which the classes are read and written.
constexpr TStyleClass StyleStorageOrder[StyleClassCount] = {scTags,   scAnchors, scImages, scComments,
                                                            scTables, scQuotes,  scScripts};

long ScintillaColor(TColor color)
{
    return long(ColorFromQColor(ResolveColor(color)));
}

// Text changes the control reports to the editor: inserts and deletes, and
// the moments before them (to keep styles not yet applied in step).
constexpr int WatchedChanges = QsciScintillaBase::SC_MOD_INSERTTEXT | QsciScintillaBase::SC_MOD_DELETETEXT |
                               QsciScintillaBase::SC_MOD_BEFOREINSERT | QsciScintillaBase::SC_MOD_BEFOREDELETE;
constexpr int ChangesDuringRecordedEdits =
    QsciScintillaBase::SC_MOD_BEFOREINSERT | QsciScintillaBase::SC_MOD_BEFOREDELETE;

// Styles are applied at once up to this far past the visible text; the rest
// waits until the control needs it.
constexpr qsizetype StyleChunk = 64 * 1024;

// The control's accessibility object counts characters from the start of the
// text on every edit and caret move, which makes typing in a large document
// slow; the editor is described as a plain editable text instead.
QAccessibleInterface *EditorAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("TvqRichHTML") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::EditableText);
    return nullptr;
}

// A document of the control filled with text, to be attached with
// TvqRichHTML::AttachDocument. Putting a large text into a document that no
// control shows is much faster than appending it to the shown one, and can
// run on another thread.
class TDocumentLoader
{
public:
    TDocumentLoader(QsciScintillaBase *control, qint64 sizeHint)
        : m_loader(reinterpret_cast<ILoader *>(control->SendScintilla(
              QsciScintillaBase::SCI_CREATELOADER, static_cast<unsigned long>(std::max<qint64>(sizeHint, 0)))))
    {
    }
    ~TDocumentLoader()
    {
        if (m_loader)
            m_loader->Release();
    }
    TDocumentLoader(const TDocumentLoader &) = delete;
    TDocumentLoader &operator=(const TDocumentLoader &) = delete;

    // The filled document, owned by the caller; null when the control could
    // not take the text (out of memory).
    void *Fill(const QByteArray &text)
    {
        if (!m_loader || m_loader->AddData(text.constData(), text.size()) != QsciScintillaBase::SC_STATUS_OK)
            return nullptr;
        return std::exchange(m_loader, nullptr)->ConvertToDocument();
    }

private:
    ILoader *m_loader;
};

} // namespace

// Marks an edit that records its own undo. Any other change of the text (a
// drop, a key the editor does not know) makes the old records invalid. While
// it lasts, the control reports no inserts and deletes: the editor raises
// Change() itself once the edit is done.
TvqRichHTML::TRecordedEdit::TRecordedEdit(TvqRichHTML *editor) : m_editor(editor)
{
    if (m_editor->m_recordedEdits++ == 0)
        m_editor->Send(SCI_SETMODEVENTMASK, ChangesDuringRecordedEdits);
}

TvqRichHTML::TRecordedEdit::~TRecordedEdit()
{
    if (--m_editor->m_recordedEdits == 0) {
        m_editor->Send(SCI_SETMODEVENTMASK, WatchedChanges);
        emit m_editor->Change();
    }
}

TvqRichHTML::TvqRichHTML(QWidget *parent) : QsciScintillaBase(parent)
{
    static const bool accessibleInstalled = (QAccessible::installFactory(EditorAccessible), true);
    Q_UNUSED(accessibleInstalled);
    for (int s = scTags; s <= scScripts; ++s)
        m_styles[s - 1] = DefaultStylePair(TStyleClass(s));

    Send(SCI_SETCODEPAGE, SC_CP_UTF8);
    Send(SCI_SETEOLMODE, SC_EOL_CRLF);
    Send(SCI_SETPASTECONVERTENDINGS, 1);
    Send(SCI_SETUNDOCOLLECTION, 0);
    Send(SCI_SETLEXER, SCLEX_CONTAINER);
    // Only text changes are needed; every other notification costs time on
    // each edit of a large document.
    Send(SCI_SETMODEVENTMASK, WatchedChanges);
    Send(SCI_SETLAYOUTCACHE, SC_CACHE_PAGE);
    // Markup repeats its words, tag names and attributes: a large cache of
    // measured pieces makes wrapping long lines several times cheaper.
    Send(SCI_SETPOSITIONCACHE, PositionCacheEntries);
    Send(SCI_SETWRAPMODE, SC_WRAP_NONE);
    Send(SCI_SETUSETABS, 1);
    Send(SCI_SETSCROLLWIDTH, 1);
    Send(SCI_SETSCROLLWIDTHTRACKING, 1);
    for (int margin = 0; margin < 5; ++margin)
        Send(SCI_SETMARGINWIDTHN, margin, 0);

    // Keys that would change the text behind the undo list's back.
    const int unboundKeys[] = {
        'D' + (SCMOD_CTRL << 16),
        'L' + (SCMOD_CTRL << 16),
        'L' + ((SCMOD_CTRL | SCMOD_SHIFT) << 16),
        'T' + (SCMOD_CTRL << 16),
        'U' + (SCMOD_CTRL << 16),
        'U' + ((SCMOD_CTRL | SCMOD_SHIFT) << 16),
        'Z' + ((SCMOD_CTRL | SCMOD_SHIFT) << 16),
        SCK_BACK + (SCMOD_ALT << 16),
        SCK_BACK + ((SCMOD_CTRL | SCMOD_SHIFT) << 16),
        SCK_DELETE + ((SCMOD_CTRL | SCMOD_SHIFT) << 16),
        SCK_TAB + (SCMOD_SHIFT << 16),
    };
    for (int key : unboundKeys)
        Send(SCI_CLEARCMDKEY, key);

    connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char *, int length) { OnModified(position, type, length); });
    connect(this, &QsciScintillaBase::SCN_STYLENEEDED, this, &TvqRichHTML::OnStyleNeeded);
    connect(this, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int updated) {
        if (updated & SC_UPDATE_SELECTION)
            emit SelectionChange();
        if (updated & SC_UPDATE_V_SCROLL)
            emit ViewChange();
        if (updated & SC_UPDATE_CONTENT)
            FitLineNumbers();
    });
    m_heldPaint.setSingleShot(true);
    connect(&m_heldPaint, &QTimer::timeout, viewport(), qOverload<>(&QWidget::update));
    Send(SCI_INDICSETSTYLE, FoundIndicator, INDIC_FULLBOX);
    Send(SCI_INDICSETFORE, FoundIndicator, ScintillaColor(0x00E0FF)); // yellow
    Send(SCI_INDICSETALPHA, FoundIndicator, 110);
    Send(SCI_INDICSETOUTLINEALPHA, FoundIndicator, 200);
    Send(SCI_INDICSETUNDER, FoundIndicator, 1);
    Send(SCI_SETMARGINTYPEN, LineNumberMargin, SC_MARGIN_NUMBER);
    ApplyStyles();
    SetFormatMargins(true);
}

TvqRichHTML::~TvqRichHTML()
{
    // The control may still report while its base class is torn down.
    disconnect(this, nullptr, this, nullptr);
    if (m_cursorHidden)
        QGuiApplication::restoreOverrideCursor();
}

long TvqRichHTML::Send(unsigned int message, unsigned long wParam, long lParam) const
{
    return SendScintilla(message, wParam, lParam);
}

const char *TvqRichHTML::CharacterPointer() const
{
    return static_cast<const char *>(SendScintillaPtrResult(SCI_GETCHARACTERPOINTER));
}

QFont TvqRichHTML::DefaultFont()
{
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

TStylePair TvqRichHTML::DefaultStylePair(TStyleClass style)
{
    switch (style) {
    case scAnchors:
        return {0, 0x008000};
    case scImages:
        return {0, 0x800080};
    case scComments:
        return {0, 0x808080};
    case scTables:
        return {0, 0x808000};
    case scQuotes:
        return {0, 0x000000};
    case scScripts:
        return {0, 0x000080};
    default:
        return {0, 0x800000};
    }
}

// ---------------------------------------------------------------------------
// Text and selection primitives

qsizetype TvqRichHTML::TextLength() const
{
    return Send(SCI_GETLENGTH);
}

QByteArray TvqRichHTML::RawText() const
{
    return QByteArray(CharacterPointer(), TextLength());
}

std::string_view TvqRichHTML::TextView() const
{
    return std::string_view(CharacterPointer(), size_t(TextLength()));
}

QString TvqRichHTML::Text() const
{
    return Decode(RawText());
}

QString TvqRichHTML::TextRange(qsizetype start, qsizetype length) const
{
    start = std::clamp<qsizetype>(start, 0, TextLength());
    length = std::clamp<qsizetype>(length, 0, TextLength() - start);
    const auto *data =
        static_cast<const char *>(reinterpret_cast<void *>(Send(SCI_GETRANGEPOINTER, start, long(length))));
    return Decode(QByteArray(data, length));
}

qsizetype TvqRichHTML::GetSelStart() const
{
    return Send(SCI_GETSELECTIONSTART);
}

void TvqRichHTML::SetSelStart(qsizetype position)
{
    Send(SCI_SETEMPTYSELECTION, std::clamp<qsizetype>(position, 0, TextLength()));
}

void TvqRichHTML::GetSel(qsizetype &start, qsizetype &length) const
{
    start = Send(SCI_GETSELECTIONSTART);
    length = Send(SCI_GETSELECTIONEND) - start;
}

void TvqRichHTML::SetSel(qsizetype start, qsizetype length)
{
    const qsizetype size = TextLength();
    start = std::clamp<qsizetype>(start, 0, size);
    Send(SCI_SETSEL, start, long(std::clamp<qsizetype>(start + length, 0, size)));
}

QString TvqRichHTML::SelText() const
{
    qsizetype start = 0;
    qsizetype length = 0;
    GetSel(start, length);
    return TextRange(start, length);
}

int TvqRichHTML::LineFromChar(qsizetype position) const
{
    return int(Send(SCI_LINEFROMPOSITION, position));
}

int TvqRichHTML::CurrentLine() const
{
    return LineFromChar(GetSelStart());
}

int TvqRichHTML::LineCount() const
{
    return int(Send(SCI_GETLINECOUNT));
}

qsizetype TvqRichHTML::LineIndex(int line) const
{
    if (line >= LineCount())
        return TextLength();
    return Send(SCI_POSITIONFROMLINE, std::max(line, 0));
}

qsizetype TvqRichHTML::LineLength(int line) const
{
    if (line < 0 || line >= LineCount())
        return 0;
    return Send(SCI_GETLINEENDPOSITION, line) - LineIndex(line);
}

QString TvqRichHTML::LineText(int line) const
{
    return TextRange(LineIndex(line), LineLength(line));
}

void TvqRichHTML::SelectLines(int first, int last)
{
    const qsizetype start = LineIndex(first);
    SetSel(start, LineIndex(last + 1) - start);
}

std::pair<qsizetype, qsizetype> TvqRichHTML::VisibleSpan() const
{
    const long firstShown = Send(SCI_GETFIRSTVISIBLELINE);
    const int first = int(Send(SCI_DOCLINEFROMVISIBLE, firstShown));
    const int last = int(Send(SCI_DOCLINEFROMVISIBLE, firstShown + Send(SCI_LINESONSCREEN)));
    return {LineIndex(first), LineIndex(last) + LineLength(last)};
}

void TvqRichHTML::MarkFound(qsizetype start, qsizetype length)
{
    Send(SCI_SETINDICATORCURRENT, FoundIndicator);
    Send(SCI_INDICATORFILLRANGE, start, long(length));
}

void TvqRichHTML::ClearFoundMarks(qsizetype start, qsizetype end)
{
    start = std::clamp<qsizetype>(start, 0, TextLength());
    end = std::clamp<qsizetype>(end, start, TextLength());
    Send(SCI_SETINDICATORCURRENT, FoundIndicator);
    Send(SCI_INDICATORCLEARRANGE, start, long(end - start));
}

bool TvqRichHTML::FoundMarkAt(qsizetype position) const
{
    return Send(SCI_INDICATORVALUEAT, FoundIndicator, long(position)) != 0;
}

QByteArray TvqRichHTML::Encode(const QString &text) const
{
    return text.toUtf8();
}

QString TvqRichHTML::Decode(const QByteArray &bytes) const
{
    return QString::fromUtf8(bytes);
}

bool TvqRichHTML::MayInsert(QStringView text)
{
    return m_encoding.encoding == TTextEncoding::Utf8 || EncodeWindows1252(text) || ConvertToUtf8();
}

bool TvqRichHTML::ConvertToUtf8()
{
    if (MessageDlg(QStringLiteral("Windows-1252, the encoding of this document, cannot hold some of these characters.  "
                                  "Convert the document to UTF-8?"),
                   TMsgKind::Confirmation, TMsgButtons::YesNo) != TMsgResult::Yes)
        return false;
    // The text is held as UTF-8 already: only the form of the file changes.
    SetEncoding({});
    SetModified(true);
    return true;
}

void TvqRichHTML::SetEncoding(const TDetectedEncoding &encoding)
{
    if (encoding == m_encoding)
        return;
    m_encoding = encoding;
    emit EncodingChange();
}

void TvqRichHTML::ReplaceSelBytes(const QByteArray &bytes)
{
    Send(SCI_TARGETFROMSELECTION);
    Send(SCI_REPLACETARGET, bytes.size(), reinterpret_cast<long>(bytes.constData()));
    Send(SCI_SETEMPTYSELECTION, Send(SCI_GETTARGETEND));
}

void TvqRichHTML::ReplaceRange(qsizetype start, qsizetype end, QByteArrayView bytes)
{
    Send(SCI_SETTARGETRANGE, start, long(end));
    Send(SCI_REPLACETARGET, bytes.size(), reinterpret_cast<long>(bytes.constData()));
}

void TvqRichHTML::ReplaceSpan(const QByteArray &text, qsizetype start, qsizetype oldEnd, qsizetype newEnd)
{
    TRedrawSuspension suspension(this);
    const qsizetype caret = GetSelStart();
    if (oldEnd - start < LargeReplacement) {
        Send(SCI_SETTARGETRANGE, start, oldEnd);
        Send(SCI_REPLACETARGET, newEnd - start, reinterpret_cast<long>(text.constData() + start));
    } else {
        // Deleting and inserting many lines in place costs far more than
        // putting the whole text into a fresh document.
        ReplaceDocument(text);
    }
    SetSelStart(std::min(caret, TextLength()));
}

void TvqRichHTML::ReplaceDocument(const QByteArray &text)
{
    const long firstLine = Send(SCI_GETFIRSTVISIBLELINE);
    const long xOffset = Send(SCI_GETXOFFSET);
    TDocumentLoader loader(this, text.size());
    if (void *document = loader.Fill(text)) {
        AttachDocument(document);
    } else {
        // No room for a second document: the slow way, in place.
        DropDeferredStyles();
        Send(SCI_CLEARALL);
        Send(SCI_APPENDTEXT, text.size(), reinterpret_cast<long>(text.constData()));
    }
    Send(SCI_SETFIRSTVISIBLELINE, firstLine);
    Send(SCI_SETXOFFSET, xOffset);
}

void TvqRichHTML::AttachDocument(void *document)
{
    const long tabWidth = Send(SCI_GETTABWIDTH);
    DropDeferredStyles();
    // The control drops the old document; the new one is its only owner.
    Send(SCI_SETDOCPOINTER, 0, reinterpret_cast<long>(document));
    Send(SCI_RELEASEDOCUMENT, 0, reinterpret_cast<long>(document));
    // What a document keeps of its own settings.
    Send(SCI_SETCODEPAGE, SC_CP_UTF8);
    Send(SCI_SETEOLMODE, SC_EOL_CRLF);
    Send(SCI_SETUNDOCOLLECTION, 0);
    Send(SCI_SETLEXER, SCLEX_CONTAINER);
    Send(SCI_SETUSETABS, 1);
    Send(SCI_SETTABWIDTH, tabWidth);
}

int TvqRichHTML::ReplaceAll(const QString &find, const QString &replace, bool matchCase)
{
    const QByteArray pattern = Encode(find);
    if (pattern.isEmpty() || !MayInsert(replace))
        return 0;
    const QByteArray replacement = Encode(replace);
    const TPlainReplaced replaced =
        ReplacePlain(std::string_view(CharacterPointer(), size_t(TextLength())),
                     std::string_view(pattern.constData(), size_t(pattern.size())),
                     std::string_view(replacement.constData(), size_t(replacement.size())), matchCase);
    const qsizetype count = replaced.count;
    if (count == 0)
        return 0;
    const qsizetype first = replaced.first;
    const qsizetype newEnd = replaced.oldEnd + count * (replacement.size() - pattern.size());
    const QByteArray old(CharacterPointer() + first, replaced.oldEnd - first);
    {
        TRecordedEdit recorded(this);
        ReplaceSpan(replaced.text, first, replaced.oldEnd, newEnd);
    }
    PushUndo({first, newEnd - first, old});
    // The styles of the replaced span are gone: colour it again.
    if (m_colorCodeMode != ccNone)
        ColorRange(first, newEnd);
    SetSel(newEnd - replacement.size(), replacement.size());
    SetModified(true);
    return int(count);
}

bool TvqRichHTML::CanPaste() const
{
    return Send(SCI_CANPASTE) != 0;
}

// ---------------------------------------------------------------------------
// Insertion and tags

void TvqRichHTML::InsertTag(const QString &startText, const QString &endText, bool replaceSelection)
{
    if (!MayInsert(startText + endText))
        return;
    TRedrawSuspension suspension(this);
    auto finish = qScopeGuard([&] {
        suspension.Resume();
        if (isVisible() && isEnabled())
            setFocus();
        SetModified(true);
    });

    qsizetype start = 0;
    qsizetype length = 0;
    GetSel(start, length);
    const QByteArray opener = Encode(startText);
    const bool wrap = m_insertMode != imOverwrite && !replaceSelection;
    QByteArray text = opener;
    if (wrap)
        text += QByteArray(CharacterPointer() + start, length);
    text += Encode(endText);

    RecordSelectionUndo();
    {
        TRecordedEdit recorded(this);
        ReplaceSelBytes(text);
    }
    m_undo.Newest().Length = text.size();

    const int firstLine = LineFromChar(start);
    const int lastLine = LineFromChar(start + text.size());
    if (firstLine == lastLine) {
        // Typed-in text is plain until the caret leaves the line.
        Send(SCI_STARTSTYLING, LineIndex(firstLine), 0);
        Send(SCI_SETSTYLING, LineLength(firstLine), scPlain);
        MarkPending(firstLine);
    } else {
        ColorLines(firstLine, lastLine);
    }

    // Text that was wrapped stays selected between the two tags.
    if (!endText.isEmpty() && wrap)
        SetSel(start + opener.size(), length);
    else
        SetSelStart(start + opener.size());
}

QString TvqRichHTML::GetTagAt(qsizetype position, bool select)
{
    const qsizetype length = TextLength();
    if (position <= 0 || length == 0)
        return QString();
    const std::string_view text(CharacterPointer(), size_t(length));
    const size_t from = size_t(std::min(position, length - 1));
    const size_t open = text.rfind('<', from);
    if (open == std::string_view::npos)
        return QString();
    const size_t close = text.find('>', open);
    if (close == std::string_view::npos)
        return QString();
    if (select)
        SetSel(qsizetype(open), qsizetype(close + 1 - open));
    return Decode(QByteArray(text.data() + open, qsizetype(close + 1 - open)));
}

// ---------------------------------------------------------------------------
// Undo

void TvqRichHTML::PushUndo(TUndoInformation record)
{
    m_undo.Push(std::move(record));
}

void TvqRichHTML::RecordSelectionUndo()
{
    qsizetype start = 0;
    qsizetype length = 0;
    GetSel(start, length);
    if (length > 0)
        PushUndo({start, length, QByteArray(CharacterPointer() + start, length)});
    else
        PushUndo({start, 1, QByteArray()});
}

void TvqRichHTML::Undo()
{
    if (m_undo.IsEmpty())
        return;
    // The record goes even when putting it back fails.
    const TUndoInformation record = m_undo.TakeNewest();
    {
        TRecordedEdit recorded(this);
        SetSel(record.Position, record.Length);
        ReplaceSelBytes(record.Text);
    }
    const int line = LineFromChar(record.Position);
    const int caretLine = CurrentLine();
    if (line < caretLine)
        ColorLines(line, caretLine);
    SetModified(true);
}

// ---------------------------------------------------------------------------
// Clipboard

void TvqRichHTML::Paste()
{
    if (!MayInsert(QApplication::clipboard()->text()))
        return;
    qsizetype start = 0;
    qsizetype length = 0;
    GetSel(start, length);
    TUndoInformation record{start, 0, QByteArray(CharacterPointer() + start, length)};
    {
        TRecordedEdit recorded(this);
        Send(SCI_PASTE);
    }
    const qsizetype end = GetSelStart();
    record.Length = end - start;
    PushUndo(std::move(record));
    const int firstLine = LineFromChar(start);
    const int lastLine = LineFromChar(end);
    if (firstLine == lastLine) {
        MarkPending(firstLine);
    } else {
        const bool useLock = m_useLockWindowUpdate;
        m_useLockWindowUpdate = false;
        ColorLines(firstLine, lastLine);
        m_useLockWindowUpdate = useLock;
        SetSelStart(end);
    }
    SetModified(true);
}

void TvqRichHTML::Cut()
{
    qsizetype start = 0;
    qsizetype length = 0;
    GetSel(start, length);
    if (length == 0)
        return;
    Copy();
    PushUndo({start, 0, QByteArray(CharacterPointer() + start, length)});
    {
        TRecordedEdit recorded(this);
        ReplaceSelBytes(QByteArray());
    }
    SetModified(true);
}

void TvqRichHTML::Copy()
{
    QString text = SelText();
    if (text.isEmpty())
        return;
    // The clipboard carries the system's line ends.
    if (SystemLineEnds() == TLineEnds::Lf)
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QApplication::clipboard()->setText(text);
}

// ---------------------------------------------------------------------------
// Redraw suspension and the modified flag

void TvqRichHTML::SetUpdateLock(bool value)
{
    if (m_permanentLock || value == m_updateLocked)
        return;
    m_updateLocked = value;
    if (value) {
        setUpdatesEnabled(false);
        if (m_showCursorWhileLocked && !m_cursorHidden) {
            QGuiApplication::setOverrideCursor(Qt::BlankCursor);
            m_cursorHidden = true;
        }
    } else {
        setUpdatesEnabled(true);
        if (!m_useLockWindowUpdate)
            viewport()->update();
        if (m_cursorHidden) {
            QGuiApplication::restoreOverrideCursor();
            m_cursorHidden = false;
        }
    }
}

TvqRichHTML::TRedrawSuspension::TRedrawSuspension(TvqRichHTML *editor)
    : m_editor(editor), m_suspended(!editor->UpdateLocked())
{
    if (m_suspended)
        m_editor->SetUpdateLock(true);
}

void TvqRichHTML::TRedrawSuspension::Resume()
{
    if (m_suspended && m_editor) {
        m_suspended = false;
        m_editor->SetUpdateLock(false);
    }
}

void TvqRichHTML::SetPermanentLock(bool value)
{
    if (!value)
        m_permanentLock = false;
    SetUpdateLock(value);
    m_permanentLock = value;
}

bool TvqRichHTML::WordWrap() const
{
    return Send(SCI_GETWRAPMODE) != SC_WRAP_NONE;
}

void TvqRichHTML::SetWordWrap(bool value)
{
    Send(SCI_SETWRAPMODE, value ? SC_WRAP_WORD : SC_WRAP_NONE);
}

void TvqRichHTML::SetModified(bool value)
{
    m_modified = value;
    if (!m_updateLocked)
        emit ModifyStatusChange();
}

void TvqRichHTML::OnModified(qsizetype position, int type, qsizetype length)
{
    if (type & (SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE)) {
        KeepDeferredStylesInStep(position, type, length);
        return;
    }
    if (!(type & (SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT)) || m_recordedEdits > 0)
        return;
    // The positions of the old records no longer fit the text.
    m_undo.Clear();
    SetModified(true);
    emit Change();
}

// ---------------------------------------------------------------------------
// Keys and mouse

void TvqRichHTML::MarkPending(int line)
{
    m_pending = {line, true};
}

void TvqRichHTML::ColorPendingLine()
{
    if (!m_pending.dirty)
        return;
    m_pending.dirty = false;
    const qsizetype anchor = Send(SCI_GETANCHOR);
    const qsizetype caret = Send(SCI_GETCURRENTPOS);
    ColorLine(m_pending.line);
    Send(SCI_SETSEL, anchor, caret);
}

void TvqRichHTML::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool alt = modifiers & Qt::AltModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    const int key = event->key();
    if (!ctrl && !alt && !event->text().isEmpty())
        emit KeyPress(event->text().at(0));

    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !alt) {
        EnterKey(ctrl);
        return;
    }
    if (key == Qt::Key_Insert && !alt) {
        if (ctrl) {
            Copy();
        } else if (shift) {
            Paste();
        } else {
            m_insertMode = m_insertMode == imInsert ? imOverwrite : imInsert;
            emit InsertModeChange(m_insertMode);
            Send(SCI_SETOVERTYPE, m_insertMode == imOverwrite);
        }
        return;
    }
    if (ctrl && !alt) {
        switch (key) {
        case Qt::Key_Y:
            DeleteCurrentLine();
            return;
        case Qt::Key_Z:
            Undo();
            return;
        case Qt::Key_V:
            Paste();
            return;
        case Qt::Key_X:
            Cut();
            return;
        case Qt::Key_C:
            Copy();
            return;
        case Qt::Key_Backspace:
            DeleteWord(true);
            return;
        case Qt::Key_Delete:
            DeleteWord(false);
            return;
        default:
            break;
        }
    }
    if (key == Qt::Key_Delete && shift && !ctrl && !alt) {
        Cut();
        return;
    }

    const QString typed = (key == Qt::Key_Tab || key == Qt::Key_Backtab) ? QStringLiteral("\t") : event->text();
    const bool textKey = !typed.isEmpty() && (typed.at(0) == u'\t' || typed.at(0) >= u' ') && typed.at(0) != u'\x7f';
    const bool editing = !ctrl && !alt && (key == Qt::Key_Backspace || key == Qt::Key_Delete || textKey);
    if (!editing) {
        QsciScintillaBase::keyPressEvent(event);
        const bool leavesLine =
            key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Up || key == Qt::Key_Down;
        if (leavesLine && !ctrl && !alt && m_colorCodeMode != ccNone) {
            ColorPendingLine();
            m_pending = {CurrentLine(), false};
        }
        return;
    }

    qsizetype start = 0;
    qsizetype length = 0;
    GetSel(start, length);
    const char *text = CharacterPointer();
    TUndoInformation record{start, 0, QByteArray()};
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
        if (length > 0) {
            record.Text = QByteArray(text + start, length);
        } else if (key == Qt::Key_Backspace) {
            if (start == 0)
                return;
            qsizetype before = Send(SCI_POSITIONBEFORE, start);
            if (text[start - 1] == '\n' && start >= 2 && text[start - 2] == '\r')
                before = start - 2;
            record.Position = before;
            record.Text = QByteArray(text + before, start - before);
            const int line = LineFromChar(before);
            if (line != m_pending.line && m_pending.dirty) {
                ColorPendingLine();
                m_pending = {line, false};
            }
        } else {
            qsizetype after = Send(SCI_POSITIONAFTER, start);
            if (text[start] == '\r' && start + 1 < TextLength() && text[start + 1] == '\n')
                after = start + 2;
            record.Text = QByteArray(text + start, after - start);
        }
        TRecordedEdit recorded(this);
        QsciScintillaBase::keyPressEvent(event);
    } else {
        TypeText(typed);
        return;
    }
    MarkPending(CurrentLine());
    PushUndo(std::move(record));
    SetModified(true);
}

void TvqRichHTML::TypeText(const QString &text)
{
    if (!MayInsert(text))
        return;
    qsizetype start = 0;
    qsizetype length = 0;
    GetSel(start, length);
    const char *buffer = CharacterPointer();
    const QByteArray bytes = Encode(text);
    TUndoInformation record{start, bytes.size(), QByteArray(buffer + start, length)};
    if (length == 0 && m_insertMode == imOverwrite && start < TextLength() && buffer[start] != '\r' &&
        buffer[start] != '\n') {
        // Overwriting replaces the character after the caret.
        const qsizetype after = Send(SCI_POSITIONAFTER, start);
        record.Text = QByteArray(buffer + start, after - start);
        SetSel(start, after - start);
    }
    {
        TRecordedEdit recorded(this);
        ReplaceSelBytes(bytes);
    }
    Send(SCI_SCROLLCARET);
    MarkPending(CurrentLine());
    PushUndo(std::move(record));
    SetModified(true);
}

void TvqRichHTML::EnterKey(bool ctrl)
{
    if (ctrl) {
        InsertTag(CaseTag(QStringLiteral("<BR>")), QString(), false);
        ColorLine(CurrentLine());
        m_pending.dirty = false;
    }

    int tabs = 0;
    if (m_autoIndent) {
        const QByteArray head = QByteArray(CharacterPointer() + LineIndex(CurrentLine()),
                                           std::min<qsizetype>(LineLength(CurrentLine()), IndentScanLength));
        while (tabs < head.size() && head[tabs] == '\t')
            ++tabs;
    }

    qsizetype start = 0;
    qsizetype length = 0;
    GetSel(start, length);
    const int splitLine = LineFromChar(start);
    TUndoInformation record{start, 2 + tabs, QByteArray(CharacterPointer() + start, length)};
    {
        TRecordedEdit recorded(this);
        Send(SCI_NEWLINE);
        if (tabs > 0)
            ReplaceSelBytes(QByteArray(tabs, '\t'));
    }
    Send(SCI_SCROLLCARET);
    // One undo removes the line break and the indentation together.
    PushUndo(std::move(record));
    SetModified(true);

    if (m_colorCodeMode == ccNone)
        return;
    const int newLine = CurrentLine();
    if (tabs > 0) {
        if (m_pending.dirty) {
            m_pending.dirty = false;
            ColorLine(splitLine);
            const QString line = LineText(newLine);
            m_pending = {newLine, LineLength(newLine) > tabs && line.contains(u'<')};
        }
        return;
    }
    ColorPendingLine();
    m_pending = {newLine, false};
}

void TvqRichHTML::DeleteWord(bool left)
{
    qsizetype start = 0;
    qsizetype length = 0;
    GetSel(start, length);
    if (length == 0) {
        const qsizetype caret = start;
        Send(left ? SCI_WORDLEFTEXTEND : SCI_WORDRIGHTEXTEND);
        GetSel(start, length);
        if (length == 0) {
            SetSelStart(caret);
            return;
        }
    }
    PushUndo({start, 0, QByteArray(CharacterPointer() + start, length)});
    {
        TRecordedEdit recorded(this);
        ReplaceSelBytes(QByteArray());
    }
    MarkPending(CurrentLine());
    SetModified(true);
}

void TvqRichHTML::DeleteCurrentLine()
{
    const int line = CurrentLine();
    const qsizetype from = LineIndex(line);
    const qsizetype to = LineIndex(line + 1);
    if (to == from)
        return;
    PushUndo({from, 0, QByteArray(CharacterPointer() + from, to - from)});
    {
        TRecordedEdit recorded(this);
        SetSel(from, to - from);
        ReplaceSelBytes(QByteArray());
    }
    SetModified(true);
}

void TvqRichHTML::inputMethodEvent(QInputMethodEvent *event)
{
    if (event->commitString().isEmpty() || !MayInsert(event->commitString())) {
        TRecordedEdit recorded(this);
        QsciScintillaBase::inputMethodEvent(event);
        return;
    }
    qsizetype start = 0;
    qsizetype length = 0;
    GetSel(start, length);
    TUndoInformation record{start, Encode(event->commitString()).size(),
                            QByteArray(CharacterPointer() + start, length)};
    {
        TRecordedEdit recorded(this);
        QsciScintillaBase::inputMethodEvent(event);
    }
    MarkPending(CurrentLine());
    PushUndo(std::move(record));
    SetModified(true);
}

void TvqRichHTML::mousePressEvent(QMouseEvent *event)
{
    if (m_pending.dirty && CurrentLine() != m_pending.line)
        ColorPendingLine();

    if (event->button() == Qt::RightButton)
        MoveCaretToPoint(event->position().toPoint());
    QsciScintillaBase::mousePressEvent(event);
}

void TvqRichHTML::MoveCaretToPoint(const QPoint &point)
{
    const qsizetype position = Send(SCI_POSITIONFROMPOINT, point.x(), point.y());
    qsizetype start = 0;
    qsizetype length = 0;
    GetSel(start, length);
    if (length == 0 || position < start || position > start + length)
        SetSelStart(position);
}

void TvqRichHTML::contextMenuEvent(QContextMenuEvent *event)
{
    // The owner shows the editor's menu; the control's own would edit the
    // text behind the undo list.
    event->ignore();
}

void TvqRichHTML::resizeEvent(QResizeEvent *event)
{
    QsciScintillaBase::resizeEvent(event);
    CheckFormatMargins();
}

bool TvqRichHTML::TPaintedView::SameSightAs(const TPaintedView &other) const
{
    return firstLine == other.firstLine && xOffset == other.xOffset && caret == other.caret && anchor == other.anchor &&
           length == other.length && size == other.size;
}

TvqRichHTML::TPaintedView TvqRichHTML::PaintedViewNow() const
{
    return {Send(SCI_DOCLINEFROMVISIBLE, Send(SCI_GETFIRSTVISIBLELINE)),
            Send(SCI_GETXOFFSET),
            Send(SCI_GETCURRENTPOS),
            Send(SCI_GETANCHOR),
            Send(SCI_GETLENGTH),
            viewport()->size(),
            verticalScrollBar()->maximum()};
}

void TvqRichHTML::paintEvent(QPaintEvent *event)
{
    // After each slice of wrapping a long page in idle time the control
    // repaints the whole view, although only the scroll range changed: the
    // lines in view were wrapped before they were first shown. Those
    // repaints come at most every WrapRepaintMs; anything else that shows
    // (an edit, a scroll, the caret, a resize) is painted at once.
    const TPaintedView now = PaintedViewNow();
    const bool wholeView = (QRegion(viewport()->rect()) - event->region()).isEmpty();
    if (wholeView && now.scrollMaximum != m_paintedView.scrollMaximum && now.SameSightAs(m_paintedView) &&
        m_sincePaint.isValid() && m_sincePaint.elapsed() < WrapRepaintMs) {
        if (!m_heldPaint.isActive())
            m_heldPaint.start(int(WrapRepaintMs - m_sincePaint.elapsed()));
        return;
    }
    m_paintedView = now;
    m_sincePaint.start();
    QsciScintillaBase::paintEvent(event);
}

// ---------------------------------------------------------------------------
// Files

void TvqRichHTML::ClearDocument()
{
    // A fresh document in place of the old one: deleting a large text would
    // take the control through every one of its lines.
    AttachDocument(reinterpret_cast<void *>(Send(SCI_CREATEDOCUMENT)));
}

bool TvqRichHTML::SetFilename(const QString &name)
{
    m_filename.clear();
    ClearDocument();
    const QPointer<TvqRichHTML> self(this);
    m_showCursorWhileLocked = false;
    TRedrawSuspension suspension(this);
    auto finish = qScopeGuard([&] {
        m_undo.Clear();
        suspension.Resume();
        m_showCursorWhileLocked = true;
    });

    SetEncoding({});
    m_lineEnds = SystemLineEnds();
    if (!name.isEmpty()) {
        QByteArray bytes;
        TFileResult read;
        TDocumentText document;
        const qint64 size = QFileInfo(name).size();
        // Sized as it fills, on the thread that fills it.
        TDocumentLoader loader(this, 0);
        void *loaded = nullptr;
        const auto readFile = [&] {
            read = ReadWholeFile(name, bytes);
            if (!read.ok())
                return;
            document = DocumentTextFromFile(bytes);
            bytes = QByteArray();
            loaded = loader.Fill(document.bytes);
            document.bytes = QByteArray();
            // The control could not hold it: refused, never cut.
            if (!loaded)
                read.code = EFBIG;
        };
        // Reading, decoding and filling the control's document away from
        // the window keeps a large page from freezing it.
        if (size > LargeFile)
            RunAside(readFile);
        else
            readFile();
        if (!read.ok()) {
            QString text = QStringLiteral("Unable to open ") + name + u'.';
            if (read.sharingViolation)
                text += QStringLiteral("  File is locked by another process.");
            else if (read.code == EFBIG)
                text += QStringLiteral("  The file is too large.");
            MessageDlg(text, TMsgKind::Error);
            SetModified(false);
            return false;
        }
        SetEncoding(document.encoding);
        m_lineEnds = document.lineEnds;
        // Lines wrap once the page is in and coloured: wrapping while it
        // goes in costs more and freezes the window.
        const long wrapMode = Send(SCI_GETWRAPMODE);
        Send(SCI_SETWRAPMODE, SC_WRAP_NONE);
        if (!self)
            return false; // closed while it loaded
        if (m_closing) {
            Send(SCI_RELEASEDOCUMENT, 0, reinterpret_cast<long>(loaded));
            return false;
        }
        {
            TRecordedEdit recorded(this);
            AttachDocument(loaded);
        }
        m_fileTime = QFileInfo(name).lastModified().toMSecsSinceEpoch();
        ColorAll();
        Send(SCI_SETWRAPMODE, wrapMode);
    }
    m_filename = name;
    SetModified(false);
    return true;
}

void TvqRichHTML::RestoreDocument(const QString &fileName, const QByteArray &text, const TDetectedEncoding &encoding,
                                  TLineEnds lineEnds, qint64 fileTime)
{
    SetFilename(QString());
    {
        TRedrawSuspension suspension(this);
        TRecordedEdit recorded(this);
        ReplaceDocument(text);
        ColorAll();
    }
    m_undo.Clear();
    SetEncoding(encoding);
    m_lineEnds = lineEnds;
    m_filename = fileName;
    m_fileTime = fileTime;
    SetModified(true);
}

bool TvqRichHTML::LoadTemplate(const QString &name)
{
    if (!SetFilename(name))
        return false;
    m_filename.clear();
    m_fileTime = 0;
    m_lineEnds = SystemLineEnds();
    return true;
}

void TvqRichHTML::Reload()
{
    if (m_filename.isEmpty()) {
        MessageDlg(QStringLiteral("This file hasn't been saved - unable to reload."), TMsgKind::Information);
        return;
    }
    if (!QFileInfo::exists(m_filename)) {
        MessageDlg(QStringLiteral("File \"") + m_filename + QStringLiteral("\" no longer exists - unable to reload."),
                   TMsgKind::Warning);
        return;
    }
    SetFilename(QString(m_filename));
}

void TvqRichHTML::InsertFile(const QString &name)
{
    QByteArray bytes;
    if (!QFileInfo(name).isFile() || !ReadWholeFile(name, bytes).ok()) {
        MessageDlg(QStringLiteral("File \"") + name + QStringLiteral("\" does not exist."), TMsgKind::Error);
        return;
    }
    // One insertion, undone in one step, ending with a line break.
    QString text = Decode(CrLfLineBreaks(DocumentTextFromFile(bytes).bytes));
    if (text.isEmpty())
        return;
    if (!text.endsWith(QLatin1String("\r\n")))
        text += QLatin1String("\r\n");
    InsertTag(text, QString(), false);
}

bool TvqRichHTML::SaveToFile(const QString &name, bool unixLineEnds)
{
    if (!WriteFile(name, unixLineEnds))
        return false;
    m_fileTime = QFileInfo(name).lastModified().toMSecsSinceEpoch();
    m_filename = name;
    emit DocumentSaved();
    return true;
}

std::optional<QByteArray> TvqRichHTML::FileBytes(TLineEnds lineEnds) const
{
    QByteArray bytes = FileBytesFromDocument(CharacterPointer(), TextLength(), lineEnds);
    if (m_encoding.encoding == TTextEncoding::Utf8)
        return bytes;
    return EncodeWindows1252(Decode(bytes));
}

bool TvqRichHTML::WriteFile(const QString &name, bool unixLineEnds)
{
    // Exactly what the document holds, new file or not.
    const TLineEnds lineEnds = unixLineEnds ? TLineEnds::LfOnly : m_lineEnds;
    std::optional<QByteArray> bytes = FileBytes(lineEnds);
    if (!bytes) {
        if (!ConvertToUtf8())
            return false;
        bytes = FileBytes(lineEnds);
    }

    const TFileResult written = SaveDocumentFile(name, *bytes);
    if (written.ok())
        return true;
    if (written.readOnly) {
        MessageDlg(ReadOnlyFileMessage(name), TMsgKind::Warning);
        return false;
    }
    if (written.sharingViolation) {
        const TMsgResult answer =
            MessageDlg(QStringLiteral("File ") + name + QStringLiteral(" is in use by another program."),
                       TMsgKind::Error, TMsgButtons::RetryCancel);
        return answer == TMsgResult::Retry && WriteFile(name, unixLineEnds);
    }
    MessageDlg(QStringLiteral("Error ") + QString::number(written.code) + QStringLiteral(".  Unable to save file ") +
                   name + QStringLiteral(".  ") + qt_error_string(written.code) + u'.',
               TMsgKind::Error);
    return false;
}

void TvqRichHTML::PrintDocument(QPrinter &printer)
{
    QStringList lines;
    const int count = LineCount();
    lines.reserve(count);
    for (int line = 0; line < count; ++line)
        lines.append(LineText(line));
    // A document that ends with a line break has no further line to print.
    if (count > 1 && lines.last().isEmpty())
        lines.removeLast();
    // The lines and the name are copies: the printing does not need the
    // editor any more when the events it lets run close the document.
    TLongRun run;
    TEscapeWatcher escape;
    TDocumentPrinter(lines, QFont(m_fontName, m_fontSize), m_filename).Print(printer, [&] { return escape.Pressed(); });
}

void TvqRichHTML::CloseLater()
{
    m_closing = true;
    hide();
    TLongRun::WhenIdle(this, [this] { deleteLater(); });
}

// ---------------------------------------------------------------------------
// Properties

void TvqRichHTML::SetTabWidth(int points)
{
    m_tabWidth = points;
    TRedrawSuspension suspension(this);
    const double pixels = points * logicalDpiX() / 72.0;
    const long space = SendScintilla(SCI_TEXTWIDTH, STYLE_DEFAULT, " ");
    Send(SCI_SETTABWIDTH, std::max(1L, std::lround(pixels / std::max(1L, space))));
    SetSelStart(0);
}

void TvqRichHTML::SetFormatMargins(bool value)
{
    m_formatMargins = value;
    CheckFormatMargins();
}

void TvqRichHTML::SetLineNumbers(bool value)
{
    m_lineNumbers = value;
    m_lineNumberDigits = -1; // fit anew
    FitLineNumbers();
}

int TvqRichHTML::LineNumberWidth() const
{
    return int(Send(SCI_GETMARGINWIDTHN, LineNumberMargin));
}

void TvqRichHTML::FitLineNumbers()
{
    // At least three digits, so that the margin does not widen on the
    // first lines typed.
    const int digits = m_lineNumbers ? std::max(3, int(QString::number(LineCount()).size())) : 0;
    if (digits == m_lineNumberDigits)
        return;
    m_lineNumberDigits = digits;
    const QByteArray widest(digits, '9');
    const long width = digits == 0 ? 0 : SendScintilla(SCI_TEXTWIDTH, STYLE_LINENUMBER, widest.constData()) + 8;
    Send(SCI_SETMARGINWIDTHN, LineNumberMargin, width);
}

void TvqRichHTML::CheckFormatMargins()
{
    const int left = m_formatMargins ? 6 : 0;
    const int right = m_formatMargins ? 4 : 0;
    const QMargins margins = m_formatMargins ? QMargins(0, 5, 0, 6) : QMargins();
    if (Send(SCI_GETMARGINLEFT) != left)
        Send(SCI_SETMARGINLEFT, 0, left);
    if (Send(SCI_GETMARGINRIGHT) != right)
        Send(SCI_SETMARGINRIGHT, 0, right);
    if (viewportMargins() != margins)
        setViewportMargins(margins);
}

// ---------------------------------------------------------------------------
// Colour coding

void TvqRichHTML::ApplyStyle(TStyleClass style)
{
    const TStylePair pair = m_styles[style - 1];
    for (const int number : {int(style), style | StyleTwin}) {
        Send(SCI_STYLESETFORE, number, ScintillaColor(pair.Effects & EffectAutoColor ? m_foregroundColor : pair.Color));
        Send(SCI_STYLESETBOLD, number, (pair.Effects & EffectBold) != 0);
        Send(SCI_STYLESETITALIC, number, (pair.Effects & EffectItalic) != 0);
        Send(SCI_STYLESETUNDERLINE, number, (pair.Effects & EffectUnderline) != 0);
    }
}

void TvqRichHTML::ApplyStyles()
{
    // The platform control takes at most 31 characters of a font name.
    SendScintilla(SCI_STYLESETFONT, STYLE_DEFAULT, m_fontName.left(31).toUtf8().constData());
    Send(SCI_STYLESETSIZE, STYLE_DEFAULT, m_fontSize);
    Send(SCI_STYLESETFORE, STYLE_DEFAULT, ScintillaColor(m_foregroundColor));
    Send(SCI_STYLESETBACK, STYLE_DEFAULT, ScintillaColor(m_backgroundColor));
    Send(SCI_STYLECLEARALL);
    Send(SCI_SETCARETFORE, ScintillaColor(m_foregroundColor));
    for (int s = scTags; s <= scScripts; ++s)
        ApplyStyle(TStyleClass(s));
}

void TvqRichHTML::SetStylePair(TStyleClass style, TStylePair pair)
{
    m_styles[style - 1] = pair;
    ApplyStyle(style);
}

void TvqRichHTML::SetEditorFont(const QString &name, int size)
{
    m_fontName = name.left(255);
    m_fontSize = size;
    ApplyStyles();
}

void TvqRichHTML::SetForegroundColor(TColor color)
{
    m_foregroundColor = color;
    ApplyStyles();
    SetSelStart(0);
    ColorAll();
}

void TvqRichHTML::SetBackgroundColor(TColor color)
{
    m_backgroundColor = color;
    ApplyStyles();
}

void TvqRichHTML::ReportProgress(int value)
{
    emit ProgressChange(std::clamp(value, 0, 100));
}

void TvqRichHTML::SetColorCodeMode(TColorCodeMode mode)
{
    m_colorCodeMode = mode;
    if (!parentWidget())
        return;
    if (mode != ccNone) {
        ColorAll();
        return;
    }
    TRedrawSuspension suspension(this);
    DropDeferredStyles();
    Send(SCI_STARTSTYLING, 0, 0);
    Send(SCI_SETSTYLING, TextLength(), scPlain);
}

void TvqRichHTML::ColorRange(qsizetype start, qsizetype end)
{
    const qsizetype caret = GetSelStart();
    const qsizetype length = TextLength();
    start = std::clamp<qsizetype>(start, 0, length);
    const bool longRun = end - start > LongRunLength;
    // The events a long run lets through (from its first progress report
    // on) must not close or change the document under it.
    std::optional<TLongRun> run;
    if (longRun)
        run.emplace();
    const QPointer<TvqRichHTML> self(this);
    TRedrawSuspension suspension(this);
    auto finish = qScopeGuard([&] {
        if (!self)
            return;
        if (longRun) {
            ReportProgress(100);
            m_progressCaption.clear();
        }
        SetSelStart(caret);
        suspension.Resume();
    });
    if (longRun) {
        m_progressCaption = QStringLiteral("Color coding...");
        ReportProgress(0);
        if (!self || m_closing)
            return;
    }

    // Scanning from the range's start onwards leaves the gap of the text
    // buffer in place when it lies before the range.
    const auto *data = reinterpret_cast<const char *>(Send(SCI_GETRANGEPOINTER, start, long(length - start)));
    const std::string_view text(data, size_t(length - start));
    TEscapeWatcher escape;
    TColorScanner::TTick tick;
    if (longRun) {
        tick = [&](qsizetype position) {
            ReportProgress(int(std::lround(double(start + position) * 100.0 / double(end + 1))));
            return escape.Pressed() || !self || m_closing;
        };
    }
    TColorScanner::TResult result = TColorScanner::ColorRange(text, 0, end - start, m_colorCodeMode, tick);
    if (!self || m_closing)
        return;
    PaintStyles(start + result.first, std::move(result.styles));
}

void TvqRichHTML::PaintStyles(qsizetype first, std::vector<char> styles)
{
    const qsizetype last = first + qsizetype(styles.size());
    if (!m_deferredStyles.empty()) {
        const qsizetype deferredEnd = m_deferredFrom + qsizetype(m_deferredStyles.size() - m_deferredOffset);
        if (first <= m_deferredFrom && last >= deferredEnd)
            DropDeferredStyles();
        else if (first < deferredEnd && last > m_deferredFrom)
            ApplyDeferredStyles(deferredEnd);
    }
    // Paint what can be seen and a good way past it now, the rest when the
    // control needs it. Only one span waits at a time: while styles of
    // another span still wait, these are painted whole.
    const int lastVisibleLine =
        int(Send(SCI_DOCLINEFROMVISIBLE, Send(SCI_GETFIRSTVISIBLELINE) + Send(SCI_LINESONSCREEN) + 1));
    const qsizetype now = m_deferredStyles.empty()
                              ? std::clamp<qsizetype>(std::max(first, LineIndex(lastVisibleLine)) + StyleChunk - first,
                                                      0, qsizetype(styles.size()))
                              : qsizetype(styles.size());
    if (now > 0)
        SetStyling(first, styles.data(), now);
    if (now < qsizetype(styles.size())) {
        m_deferredStyles = std::move(styles);
        m_deferredOffset = size_t(now);
        m_deferredFrom = first + now;
    }
}

void TvqRichHTML::SetStyling(qsizetype position, char *styles, qsizetype count)
{
    // Words are marked as they are painted, so that a large page pays for
    // it piece by piece.
    const auto *text = reinterpret_cast<const char *>(Send(SCI_GETRANGEPOINTER, position, long(count)));
    TColorScanner::MarkWords(std::string_view(text, size_t(count)), styles);
    Send(SCI_STARTSTYLING, position, 0);
    Send(SCI_SETSTYLINGEX, count, reinterpret_cast<long>(styles));
}

void TvqRichHTML::ApplyDeferredStyles(qsizetype upTo)
{
    if (m_deferredStyles.empty() || upTo <= m_deferredFrom)
        return;
    const qsizetype count = std::min(upTo - m_deferredFrom, qsizetype(m_deferredStyles.size() - m_deferredOffset));
    SetStyling(m_deferredFrom, m_deferredStyles.data() + m_deferredOffset, count);
    m_deferredOffset += size_t(count);
    m_deferredFrom += count;
    if (m_deferredOffset == m_deferredStyles.size())
        DropDeferredStyles();
}

void TvqRichHTML::DropDeferredStyles()
{
    m_deferredStyles = std::vector<char>();
    m_deferredOffset = 0;
    m_deferredFrom = 0;
}

void TvqRichHTML::FlushDeferredStyles()
{
    ApplyDeferredStyles(TextLength());
}

void TvqRichHTML::KeepDeferredStylesInStep(qsizetype position, int type, qsizetype length)
{
    if (m_deferredStyles.empty())
        return;
    if (type & SC_MOD_BEFOREINSERT) {
        if (position <= m_deferredFrom)
            m_deferredFrom += length;
        else
            FlushDeferredStyles();
    } else {
        if (position + length <= m_deferredFrom)
            m_deferredFrom -= length;
        else
            FlushDeferredStyles();
    }
}

void TvqRichHTML::OnStyleNeeded(int position)
{
    if (!m_deferredStyles.empty() && position > m_deferredFrom) {
        ApplyDeferredStyles(position + StyleChunk);
        return;
    }
    // Text typed in is plain until the caret leaves its line: nothing to do
    // but say that the text is styled this far.
    if (Send(SCI_GETENDSTYLED) < position)
        Send(SCI_STARTSTYLING, position, 0);
}

void TvqRichHTML::ColorAll()
{
    if (m_colorCodeMode != ccNone && TextLength() > 0)
        ColorRange(0, TextLength());
}

void TvqRichHTML::ColorLine(int line)
{
    if (m_colorCodeMode == ccNone || line < 0 || line >= LineCount())
        return;
    const qsizetype start = LineIndex(line);
    const qsizetype length = LineLength(line);
    if (length > 1)
        ColorRange(start, start + length + 1);
}

void TvqRichHTML::ColorLines(int firstLine, int lastLine)
{
    if (m_colorCodeMode == ccNone)
        return;
    ColorRange(LineIndex(firstLine), LineIndex(lastLine) + LineLength(lastLine));
}

void TvqRichHTML::ReadFontSettings(const QString &key)
{
    if (key.isEmpty()) {
        MessageDlg(QStringLiteral("ReadFontSettings - Invalid FFontRegistryKey."), TMsgKind::Information);
        return;
    }
    const QFont fallback = DefaultFont();
    m_fontName = ReadRegValue(key, QStringLiteral("DefaultFontName"), fallback.family()).left(255);
    m_fontSize = int(ReadRegInteger(key, QStringLiteral("DefaultFontSize"), fallback.pointSize()));
    for (TStyleClass style : StyleStorageOrder) {
        const TStylePair fallback = DefaultStylePair(style);
        const TStyleValueNames &names = StyleValueNames[style - 1];
        TStylePair &pair = m_styles[style - 1];
        pair.Color = TColor(ReadRegInteger(key, QLatin1String(names.color), fallback.Color));
        pair.Effects = quint32(ReadRegInteger(key, QLatin1String(names.effects), fallback.Effects));
    }
    ApplyStyles();
}

void TvqRichHTML::WriteFontSettings(const QString &key)
{
    if (key.isEmpty()) {
        MessageDlg(QStringLiteral("WriteFontSettings - Invalid FontRegKey."), TMsgKind::Information);
        return;
    }
    WriteRegValue(key, QStringLiteral("DefaultFontName"), m_fontName);
    WriteRegValue(key, QStringLiteral("DefaultFontSize"), m_fontSize);
    for (TStyleClass style : StyleStorageOrder) {
        const TStyleValueNames &names = StyleValueNames[style - 1];
        const TStylePair &pair = m_styles[style - 1];
        WriteRegValue(key, QLatin1String(names.color), qint64(pair.Color));
        WriteRegValue(key, QLatin1String(names.effects), qint64(pair.Effects));
    }
}
