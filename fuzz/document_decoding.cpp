// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a file's bytes into the editor's form and writing them back: any
// bytes come back byte for byte, in UTF-8 and Windows-1252 alike, and an
// LF-only save holds no CR.

#include "DocumentFile.h"
#include "FuzzCheck.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray file(reinterpret_cast<const char *>(data), qsizetype(size));
    const TDocumentText text = DocumentTextFromFile(file);
    const QByteArray held = FileBytesFromDocument(text.bytes.constData(), text.bytes.size(), text.lineEnds);
    if (text.encoding.encoding == TTextEncoding::Utf8) {
        FUZZ_CHECK(held == file);
    } else {
        const std::optional<QByteArray> encoded = EncodeWindows1252(QString::fromUtf8(held));
        FUZZ_CHECK(encoded && *encoded == file);
    }
    // Held CR LF line breaks unless the file mixed its forms.
    if (text.lineEnds != TLineEnds::Mixed)
        FUZZ_CHECK(CrLfLineBreaks(text.bytes) == text.bytes);
    const QByteArray lfOnly = FileBytesFromDocument(text.bytes.constData(), text.bytes.size(), TLineEnds::LfOnly);
    FUZZ_CHECK(!lfOnly.contains('\r'));
    return 0;
}
