// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsStore.h"

#include <QDir>
#include <QPluginLoader>
#include <QSettings>
#include <QStandardPaths>

#include <memory>
#include <utility>

namespace {

// The settings of a batch under way, shared by every call until it ends.
QSettings *g_batch = nullptr;

// The store for one call: a batch's settings, or settings of its own that
// write the file as the call ends.
class TStore
{
public:
    TStore()
        : m_owned(g_batch ? nullptr : std::make_unique<QSettings>(SettingsFilePath(), QSettings::IniFormat)),
          m_settings(g_batch ? g_batch : m_owned.get())
    {
    }
    ~TStore()
    {
        // A shared store goes back to its top for the next call.
        while (!m_settings->group().isEmpty())
            m_settings->endGroup();
    }
    TStore(const TStore &) = delete;
    TStore &operator=(const TStore &) = delete;

    QSettings &operator*() const { return *m_settings; }
    QSettings *operator->() const { return m_settings; }

private:
    std::unique_ptr<QSettings> m_owned;
    QSettings *m_settings;
};

// Enters the groups of a key path, matching each component without case
// against what is stored. Returns false when a component is missing and
// create is false; with create, missing components are entered as written.
bool EnterKey(QSettings &settings, const QString &section, bool create)
{
    const QStringList parts = QString(section).replace(u'/', u'\\').split(u'\\', Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        QString found;
        const QStringList groups = settings.childGroups();
        for (const QString &g : groups) {
            if (g.compare(part, Qt::CaseInsensitive) == 0) {
                found = g;
                break;
            }
        }
        if (found.isEmpty()) {
            if (!create)
                return false;
            found = part;
        }
        settings.beginGroup(found);
    }
    return true;
}

QString StoredName(const QSettings &settings, const QString &name)
{
    const QStringList keys = settings.childKeys();
    for (const QString &k : keys) {
        if (k.compare(name, Qt::CaseInsensitive) == 0)
            return k;
    }
    return QString();
}

} // namespace

TSettingsBatch::TSettingsBatch() : m_outermost(!g_batch)
{
    if (m_outermost)
        g_batch = new QSettings(SettingsFilePath(), QSettings::IniFormat);
}

TSettingsBatch::~TSettingsBatch()
{
    if (!m_outermost)
        return;
    g_batch->sync();
    delete std::exchange(g_batch, nullptr);
}

QString SettingsFilePath()
{
    const QString overridden = qEnvironmentVariable("VELICORT_SETTINGS");
    if (!overridden.isEmpty())
        return overridden;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(folder).filePath(QStringLiteral("Velicort/Velicort.conf"));
}

QString RegValueText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("-1") : QStringLiteral("0");
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return QString::number(value.toLongLong());
    default:
        return value.toString();
    }
}

QString ReadRegValue(const QString &section, const QString &name, const QVariant &defaultValue)
{
    const TStore settings;
    if (!EnterKey(*settings, section, false))
        return RegValueText(defaultValue);
    const QString stored = StoredName(*settings, name);
    if (stored.isEmpty())
        return RegValueText(defaultValue);
    return settings->value(stored).toString();
}

void WriteRegValue(const QString &section, const QString &name, const QVariant &value)
{
    const TStore settings;
    EnterKey(*settings, section, true);
    QString stored = StoredName(*settings, name);
    settings->setValue(stored.isEmpty() ? name : stored, RegValueText(value));
}

void EraseRegKey(const QString &section)
{
    const TStore settings;
    const QStringList parts = QString(section).replace(u'/', u'\\').split(u'\\', Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return;
    if (!EnterKey(*settings, QStringList(parts.mid(0, parts.size() - 1)).join(u'\\'), false))
        return;
    for (const QString &g : settings->childGroups()) {
        if (g.compare(parts.last(), Qt::CaseInsensitive) == 0)
            settings->remove(g);
    }
}

std::optional<qint64> ParseIntegerText(const QString &text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    const qint64 value = trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                             ? trimmed.mid(2).toLongLong(&ok, 16)
                             : trimmed.toLongLong(&ok, 10);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

qint64 ReadRegInteger(const QString &section, const QString &name, qint64 defaultValue)
{
    return ParseIntegerText(ReadRegValue(section, name, defaultValue)).value_or(defaultValue);
}

bool ReadRegBool(const QString &section, const QString &name, bool defaultValue)
{
    const QString text = ReadRegValue(section, name, defaultValue).trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    const std::optional<qint64> number = ParseIntegerText(text);
    return number ? *number != 0 : defaultValue;
}

bool BrowserObjectInstalled()
{
    // Reading the module's metadata does not load it, nor the engine's large
    // libraries behind it.
    static const bool installed = !QPluginLoader(QStringLiteral(VELICORT_BROWSER_MODULE)).metaData().isEmpty();
    return installed;
}
