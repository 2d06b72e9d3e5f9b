// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the files of a publish run go: the destination is the address of a
// folder on a server (sftp, ftp, ftps, or http and https for WebDAV), and the
// site root is the folder on disk that maps to it, so that a page keeps its
// path below the root on the server.

#include <QString>
#include <QUrl>

#include <optional>

enum class TPublishProtocol { Sftp, Ftp, WebDav };

// Empty when the address is one the publish step can send to; otherwise the
// message that says what is wrong with it.
QString DestinationProblem(const QString &destination);
TPublishProtocol ProtocolOf(const QUrl &destination);

// The file's path below the site root with "/" between the folders; the file
// name alone when no root is set; nothing for a file outside the root.
std::optional<QString> RemotePathBelow(const QString &siteRoot, const QString &file);

// The address of a path below the destination folder, each name
// percent-encoded; a folder path ends in "/".
QUrl RemoteUrl(const QUrl &destination, const QString &remotePath);

// The name a file is sent under before it replaces the file of its name.
QString TemporaryName(const QString &name);

// The deepest folder that holds all the files.
QString CommonFolder(const QStringList &files);
