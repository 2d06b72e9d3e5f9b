// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Edits given to the real program by a test that then kills it, to prove
// that a crash loses nothing. Only when the environment variable
// VELICORT_TEST_EDITS names a file: a JSON array of steps run in order, each
// {"open": path}, {"new": true}, {"insert": text} (at the caret of the
// active document, as typed text enters it) or {"exitAfter": milliseconds},
// which later drops every change, as answering No to each question would,
// and closes the window.

#include <QStringList>

#include <functional>

class TvqHTMLTab;

void RunTestEditsIfAsked(TvqHTMLTab *documents, const std::function<void(const QStringList &)> &openFiles);
