// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The control that holds one open document: HTML source as plain text with
// the markup colour-coded. On top of the Scintilla control it adds loading
// and saving with their messages, auto-indent, its own undo list, insert and
// overwrite tracking, the line-delete key, "<BR>" on Ctrl+Enter, redraw
// suspension for long operations and printing with line numbers.
//
// The text is held as UTF-8 whatever the file's encoding (a Windows-1252 file
// is decoded at load and encoded back at save). Positions are 0-based offsets
// into those bytes, in which a line break counts as the two characters CR and
// LF; for ASCII text they are character positions.

#include "ColorScanner.h"
#include "Colors.h"
#include "DocumentFile.h"
#include "UndoList.h"

#include <Qsci/qsciscintillabase.h>

#include <QElapsedTimer>
#include <QFont>
#include <QPointer>
#include <QTimer>

#include <array>
#include <optional>
#include <string_view>
#include <vector>

class QPrinter;

enum TInsertMode { imInsert = 0, imOverwrite = 1 };

// One colour class: the colour and the effects word (1 bold, 2 italic,
// 4 underline; 0x40000000 takes the editor's foreground colour).
struct TStylePair
{
    quint32 Effects = 0;
    TColor Color = clBlack;
    bool operator==(const TStylePair &) const = default;
};

class TvqRichHTML : public QsciScintillaBase
{
    Q_OBJECT

public:
    explicit TvqRichHTML(QWidget *parent = nullptr);
    ~TvqRichHTML() override;

    // Text and selection primitives.
    qsizetype TextLength() const;
    QByteArray RawText() const;
    // The bytes held, without a copy; valid until the next edit.
    std::string_view TextView() const;
    QString Text() const;
    QString TextRange(qsizetype start, qsizetype length) const;
    qsizetype GetSelStart() const;
    void SetSelStart(qsizetype position);
    void GetSel(qsizetype &start, qsizetype &length) const;
    void SetSel(qsizetype start, qsizetype length);
    // Puts the caret on the character at the point (in the viewport), unless
    // that character lies within the selection, which then stays.
    void MoveCaretToPoint(const QPoint &point);
    QString SelText() const;
    int LineFromChar(qsizetype position) const;
    int CurrentLine() const;
    int LineCount() const;
    qsizetype LineIndex(int line) const;  // first position of a line
    qsizetype LineLength(int line) const; // without its line break
    QString LineText(int line) const;
    void SelectLines(int first, int last);
    // The first position of the first line shown and the end of the last.
    std::pair<qsizetype, qsizetype> VisibleSpan() const;
    // The marks on the matches of a search.
    void MarkFound(qsizetype start, qsizetype length);
    void ClearFoundMarks(qsizetype start, qsizetype end);
    bool FoundMarkAt(qsizetype position) const;
    // Replaces every occurrence of find (case-sensitive with matchCase, else
    // without regard to ASCII case) in one edit, recolours the span that
    // changed and returns the count. A change is one undo step and marks the
    // document modified.
    int ReplaceAll(const QString &find, const QString &replace, bool matchCase);
    // Puts a rewritten whole text in place in one edit, for rewrites that
    // work on the whole text at once: only the bytes from start to oldEnd
    // changed, and they became text's bytes from start to newEnd. The new
    // bytes are left uncoloured.
    void ReplaceSpan(const QByteArray &text, qsizetype start, qsizetype oldEnd, qsizetype newEnd);
    // Replaces the bytes from start to end in place, the view where it was.
    // Records no undo.
    void ReplaceRange(qsizetype start, qsizetype end, QByteArrayView bytes);
    // Replaces the selection; the caret ends after the new text. Records no
    // undo, and unless a TRecordedEdit lives, drops the older records.
    void ReplaceSelBytes(const QByteArray &bytes);
    // Between text and the bytes the editor holds.
    QByteArray Encode(const QString &text) const;
    QString Decode(const QByteArray &bytes) const;
    // Whether text may enter the document. A Windows-1252 document asks once
    // before it takes a character that encoding lacks: Yes makes it a UTF-8
    // document, No cancels the edit.
    bool MayInsert(QStringView text);

    bool CanUndo() const { return !m_undo.IsEmpty(); }
    bool CanPaste() const;
    const TUndoList &UndoList() const { return m_undo; }

    // The one way generated text enters a document.
    void InsertTag(const QString &startText, const QString &endText, bool replaceSelection);
    // The tag around or before a position.
    QString GetTagAt(qsizetype position, bool select);

    // Undo.
    // Marks an edit whose undo record its caller pushes itself: the edits
    // made while it lives keep the older records.
    class TRecordedEdit
    {
    public:
        explicit TRecordedEdit(TvqRichHTML *editor);
        ~TRecordedEdit();
        TRecordedEdit(const TRecordedEdit &) = delete;
        TRecordedEdit &operator=(const TRecordedEdit &) = delete;

    private:
        TvqRichHTML *m_editor;
    };
    void PushUndo(TUndoInformation record);
    void RecordSelectionUndo();
    void Undo();

    // Clipboard, recorded for undo.
    void Paste();
    void Cut();
    void Copy();

    // Redraw suspension.
    // Suspends redraw unless it is suspended already, and resumes only what
    // it suspended, at the latest when it goes out of scope.
    class TRedrawSuspension
    {
    public:
        explicit TRedrawSuspension(TvqRichHTML *editor);
        ~TRedrawSuspension() { Resume(); }
        TRedrawSuspension(const TRedrawSuspension &) = delete;
        TRedrawSuspension &operator=(const TRedrawSuspension &) = delete;
        void Resume();

    private:
        QPointer<TvqRichHTML> m_editor; // events run during a long run
        bool m_suspended;
    };
    void SetUpdateLock(bool value);
    void SetPermanentLock(bool value);
    bool UpdateLocked() const { return m_updateLocked; }
    void SetShowCursorWhileLocked(bool value) { m_showCursorWhileLocked = value; }
    bool UseLockWindowUpdate() const { return m_useLockWindowUpdate; }
    void SetUseLockWindowUpdate(bool value) { m_useLockWindowUpdate = value; }

    // Files.
    QString Filename() const { return m_filename; }
    bool SetFilename(const QString &name); // loads the file; empty makes the document untitled
    // Loads a file's text into an untitled document, as a new page made from
    // a template.
    bool LoadTemplate(const QString &name);
    void Reload();
    void InsertFile(const QString &name);
    bool SaveToFile(const QString &name, bool unixLineEnds);
    bool WriteFile(const QString &name, bool unixLineEnds);
    // The bytes a save writes with line breaks in a form; none when a
    // Windows-1252 document holds a character that encoding lacks.
    std::optional<QByteArray> FileBytes(TLineEnds lineEnds) const;
    // The file's modification time when it was last loaded or saved, in
    // milliseconds since the epoch.
    qint64 FileTime() const { return m_fileTime; }
    void SetFileTime(qint64 time) { m_fileTime = time; }
    TLineEnds LineEnds() const { return m_lineEnds; }
    void SetLineEnds(TLineEnds lineEnds) { m_lineEnds = lineEnds; }
    TTextEncoding Encoding() const { return m_encoding.encoding; }
    TDetectedEncoding DetectedEncoding() const { return m_encoding; }
    // The charset the file declares when it is neither UTF-8 nor of the
    // Windows-1252 family (the file is then read as Windows-1252); else empty.
    QString OtherCharset() const { return m_encoding.otherCharset; }

    // Puts back a document that was never saved: the text as an editor held
    // it, its file name (the file is not read), encoding, line-end form and
    // the file's time. Modified, with nothing to undo.
    void RestoreDocument(const QString &fileName, const QByteArray &text, const TDetectedEncoding &encoding,
                         TLineEnds lineEnds, qint64 fileTime);
    // The address of the page an untitled document was fetched from.
    QString WebAddress() const { return m_webAddress; }
    void SetWebAddress(const QString &address) { m_webAddress = address; }

    void PrintDocument(QPrinter &printer);

    // For a container that lets the document go: stops a long run working in
    // the editor at its next tick and deletes the editor once no long run is
    // active, so that nothing is destroyed under a run.
    void CloseLater();

    // Properties.
    bool Modified() const { return m_modified; }
    void SetModified(bool value);
    bool WordWrap() const;
    void SetWordWrap(bool value);
    bool AutoIndent() const { return m_autoIndent; }
    void SetAutoIndent(bool value) { m_autoIndent = value; }
    TInsertMode InsertMode() const { return m_insertMode; }
    int TabWidth() const { return m_tabWidth; }
    void SetTabWidth(int points);
    bool FormatMargins() const { return m_formatMargins; }
    void SetFormatMargins(bool value);
    void CheckFormatMargins();
    // The margin of line numbers, as wide as the line count needs.
    bool LineNumbers() const { return m_lineNumbers; }
    void SetLineNumbers(bool value);
    int LineNumberWidth() const;

    // Colour coding.
    TColorCodeMode ColorCodeMode() const { return m_colorCodeMode; }
    void SetColorCodeMode(TColorCodeMode mode);
    void ColorRange(qsizetype start, qsizetype end);
    void ColorAll();
    void ColorLine(int line);
    void ColorLines(int firstLine, int lastLine);
    void ReadFontSettings(const QString &key);
    void WriteFontSettings(const QString &key);
    TStylePair StylePair(TStyleClass style) const { return m_styles[style - 1]; }
    void SetStylePair(TStyleClass style, TStylePair pair);
    QString FontName() const { return m_fontName; }
    int FontSize() const { return m_fontSize; }
    void SetEditorFont(const QString &name, int size);
    TColor ForegroundColor() const { return m_foregroundColor; }
    void SetForegroundColor(TColor color);
    TColor BackgroundColor() const { return m_backgroundColor; }
    void SetBackgroundColor(TColor color);
    QString ProgressCaption() const { return m_progressCaption; }
    void SetProgressCaption(const QString &caption) { m_progressCaption = caption; }
    void ReportProgress(int value);
    // Paints the styles still kept for text not shown yet.
    void FlushDeferredStyles();

    // The line typed in whose colours are not yet up to date.
    struct TPendingLine
    {
        int line = 0;
        bool dirty = false;
    };
    const TPendingLine &PendingLine() const { return m_pending; }

    // Without a stored font: the system's fixed-width font.
    static QFont DefaultFont();

    // The default colours of the seven classes, in the order the settings
    // store keeps them.
    static TStylePair DefaultStylePair(TStyleClass style);

signals:
    void DocumentSaved();
    void InsertModeChange(TInsertMode mode);
    void ModifyStatusChange();
    void ProgressChange(int value);
    void Change();
    void SelectionChange();
    // A key typed a character (Enter, Tab and Backspace included).
    void KeyPress(QChar key);
    // The encoding or the other declared charset changed (a load, a
    // conversion to UTF-8).
    void EncodingChange();
    // The text scrolled up or down.
    void ViewChange();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    const char *CharacterPointer() const;
    long Send(unsigned int message, unsigned long wParam = 0, long lParam = 0) const;
    void ApplyStyles();
    // Puts the text into a fresh document in place of the current one.
    void ReplaceDocument(const QByteArray &text);
    void ApplyStyle(TStyleClass style);
    void MarkPending(int line);
    void ColorPendingLine();
    void EnterKey(bool ctrl);
    void DeleteWord(bool left);
    void DeleteCurrentLine();
    void TypeText(const QString &text);
    void ClearDocument();
    // Puts a document filled by a TDocumentLoader in place of the current
    // one.
    void AttachDocument(void *document);
    void SetEncoding(const TDetectedEncoding &encoding);
    // The question of MayInsert; true when the document became UTF-8.
    bool ConvertToUtf8();
    void OnModified(qsizetype position, int type, qsizetype length);
    void OnStyleNeeded(int position);
    // Styles are painted for the visible text at once and kept for the rest
    // until the control needs them.
    void PaintStyles(qsizetype first, std::vector<char> styles);
    // Styles a span with words marked (see TColorScanner::MarkWords).
    void SetStyling(qsizetype position, char *styles, qsizetype count);
    void ApplyDeferredStyles(qsizetype upTo);
    void DropDeferredStyles();
    void KeepDeferredStylesInStep(qsizetype position, int type, qsizetype length);
    void FitLineNumbers();

    TUndoList m_undo;
    bool m_showCursorWhileLocked = true;
    bool m_autoIndent = false;
    TColorCodeMode m_colorCodeMode = ccFull;
    QString m_fontName = DefaultFont().family();
    int m_fontSize = DefaultFont().pointSize();
    bool m_permanentLock = false;
    QString m_filename;
    QString m_webAddress;
    std::array<TStylePair, StyleClassCount> m_styles;
    TInsertMode m_insertMode = imInsert;
    qint64 m_fileTime = 0;
    TColor m_foregroundColor = clBlack;
    TColor m_backgroundColor = clWindow;
    QString m_progressCaption;
    int m_tabWidth = 20;
    bool m_updateLocked = false;
    bool m_cursorHidden = false;
    bool m_useLockWindowUpdate = true;
    bool m_formatMargins = true;
    bool m_lineNumbers = false;
    int m_lineNumberDigits = 0; // the digits the margin is wide enough for
    bool m_modified = false;
    TLineEnds m_lineEnds = SystemLineEnds();
    TDetectedEncoding m_encoding;
    TPendingLine m_pending;
    bool m_closing = false;  // CloseLater was called
    int m_recordedEdits = 0; // edits that record their own undo are under way
    std::vector<char> m_deferredStyles;
    size_t m_deferredOffset = 0;  // the first style not painted yet
    qsizetype m_deferredFrom = 0; // the position it belongs to
    // What the last paint showed, to tell the repaints after each slice of
    // wrapping, which show nothing new, from those that do.
    struct TPaintedView
    {
        long firstLine = -1;
        long xOffset = 0;
        long caret = 0;
        long anchor = 0;
        long length = 0;
        QSize size;
        int scrollMaximum = 0;
        bool SameSightAs(const TPaintedView &other) const;
    };
    TPaintedView PaintedViewNow() const;
    TPaintedView m_paintedView;
    QElapsedTimer m_sincePaint;
    QTimer m_heldPaint;
};
