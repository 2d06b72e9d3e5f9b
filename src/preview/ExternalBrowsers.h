// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The external browsers the user configured, in the order they were entered,
// stored under Software\Velicort\ExternalBrowsers as "Name" + n,
// "Location" + n and "UseDDE" + n for n = 1 .. MaxExternalBrowsers.

#include <QList>
#include <QString>

inline constexpr int MaxExternalBrowsers = 15;

struct TExternalBrowserInfo
{
    QString Name;     // what the user sees; the key of the list
    QString Location; // full path of the browser program
    bool UseDDE = true;

    bool operator==(const TExternalBrowserInfo &) const = default;
};

// The stored list, up to the first entry without a name. A missing UseDDE
// value reads as true.
QList<TExternalBrowserInfo> LoadExternalBrowsers();
// Replaces the stored list by the first MaxExternalBrowsers entries.
void SaveExternalBrowsers(const QList<TExternalBrowserInfo> &browsers);

// The browser programs installed on this system, for a first list: the
// desktop's default browser first, then the browsers found by name.
QList<TExternalBrowserInfo> DetectBrowsers();
