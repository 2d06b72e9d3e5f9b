// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The addresses the anchor dialog offers: the URLs used last (newest first,
// at most 30, under Software\Velicort\URLHistory as URL1, URL2, ...) or,
// while a project is current, the project's files.

#include <QStringList>

inline constexpr int URLHistoryLimit = 30;

QStringList ReadURLHistory();
// Puts the address first, dropping an equal entry further down.
void AddToURLHistory(const QString &url);

// The URLs the anchor dialog offers first: while a project is current its
// files, each relative to the document's folder; otherwise the history.
QStringList KnownURLs(const QString &documentFolder, bool lowerCaseFiles);
