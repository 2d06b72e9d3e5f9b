// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The server mapping of the preview: a local folder that a local web server
// publishes at an address. A document under the folder is shown from the
// server, so that server-side pages work in the preview.

#include <QString>

#include <optional>

// The address a local path is shown at: mapTo followed by what comes after
// mapFrom in the path (compared as the file system compares names). Nothing
// when mapFrom does not occur in the path.
std::optional<QString> MapLocalPath(const QString &path, const QString &mapFrom, const QString &mapTo);

// The local file an address shown in the browser stands for: a "file://"
// address, or an address under mapTo. Nothing for any other address.
std::optional<QString> LocalPathOfAddress(const QString &address, const QString &mapFrom, const QString &mapTo);
