// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExternalBrowsers.h"

#include "SettingsStore.h"

#include <QStandardPaths>

#include <algorithm>

namespace {

const QString ExternalBrowsersKey = QStringLiteral("Software\\Velicort\\ExternalBrowsers");

QString ValueName(const char *name, int n)
{
    return QLatin1String(name) + QString::number(n);
}

} // namespace

QList<TExternalBrowserInfo> LoadExternalBrowsers()
{
    QList<TExternalBrowserInfo> browsers;
    for (int n = 1; n <= MaxExternalBrowsers; ++n) {
        TExternalBrowserInfo browser;
        browser.Name = ReadRegValue(ExternalBrowsersKey, ValueName("Name", n), QString());
        if (browser.Name.isEmpty())
            break;
        browser.Location = ReadRegValue(ExternalBrowsersKey, ValueName("Location", n), QString());
        browser.UseDDE = ReadRegBool(ExternalBrowsersKey, ValueName("UseDDE", n), true);
        browsers.append(browser);
    }
    return browsers;
}

void SaveExternalBrowsers(const QList<TExternalBrowserInfo> &browsers)
{
    EraseRegKey(ExternalBrowsersKey);
    // Loading reads no more than MaxExternalBrowsers entries.
    for (int n = 1; n <= std::min<qsizetype>(browsers.size(), MaxExternalBrowsers); ++n) {
        const TExternalBrowserInfo &browser = browsers.at(n - 1);
        WriteRegValue(ExternalBrowsersKey, ValueName("Name", n), browser.Name);
        WriteRegValue(ExternalBrowsersKey, ValueName("Location", n), browser.Location);
        WriteRegValue(ExternalBrowsersKey, ValueName("UseDDE", n), browser.UseDDE);
    }
}

QList<TExternalBrowserInfo> DetectBrowsers()
{
    const std::pair<const char *, const char *> known[] = {
        {"Default Browser", "xdg-open"},
        {"Firefox", "firefox"},
        {"Firefox ESR", "firefox-esr"},
        {"Chromium", "chromium"},
        {"Chrome", "google-chrome"},
        {"Epiphany", "epiphany-browser"},
        {"Falkon", "falkon"},
        {"Konqueror", "konqueror"},
    };
    QList<TExternalBrowserInfo> browsers;
    for (const auto &[name, program] : known) {
        const QString location = QStandardPaths::findExecutable(QLatin1String(program));
        if (!location.isEmpty() && browsers.size() < MaxExternalBrowsers)
            browsers.append({QLatin1String(name), location, false});
    }
    return browsers;
}
