// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The keys of the settings store that more than one part of the program
// uses, as the registry layout names them.

#include <QString>

namespace RegistryKeys {

inline const QString Velicort = QStringLiteral("Software\\Velicort");
inline const QString ColorCoding = QStringLiteral("Software\\Velicort\\ColorCoding");
inline const QString Toolbars = QStringLiteral("Software\\Velicort\\Toolbars");
inline const QString DocumentList = QStringLiteral("Software\\Velicort\\DocumentList");
inline const QString InternalBrowser = QStringLiteral("Software\\Velicort\\InternalBrowser");
inline const QString URLMappings = QStringLiteral("Software\\Velicort\\URLMappings");
inline const QString SpeedBar = QStringLiteral("Software\\Velicort\\SpeedBar");
inline const QString AppBar = QStringLiteral("Software\\Velicort\\AppBar1");

} // namespace RegistryKeys
