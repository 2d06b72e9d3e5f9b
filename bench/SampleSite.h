// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A site tree for the benchmarks that go through folders of pages: folders
// section000, section001, ... each holding page00.html, page01.html, ...,
// every page the sample page of the given size.

#include <QString>

bool WriteSampleSite(const QString &root, int folders, int pagesPerFolder, qsizetype size);
