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

// The URLs the anchor dialog offers first. This is the one place where the
// current project's files, written relative to the document, will take the
// history's place; without a project it is the history.
QStringList KnownURLs();
