// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Document templates: HTML files with the extension ".vct". They come from
// two folders, the shipped read-only "Templates" data folder and the user's
// template folder, where new templates are written. A template's name is its
// file name without folder and extension; names compare without case, and a
// user's template replaces a shipped one of the same name.

#include <QString>
#include <QStringList>

#include <system_error>

// The folder the user's templates are written to: TemplateDir under
// Software\Velicort, or "Templates" in the program's data location when that
// is empty. It need not exist yet.
QString UserTemplateFolder();

// The names of all templates, each once, sorted without case.
QStringList TemplateNames();

// The file of the named template: the user's when there is one, else the
// shipped one; empty when there is none.
QString TemplatePath(const QString &name);

// True when the named template is a shipped one the user has no copy of.
bool IsShippedTemplate(const QString &name);

// Copies a file into the user's template folder as the named template,
// creating the folder when needed and replacing a user template of that
// name. The system error on failure, else an empty error code.
std::error_code CreateUserTemplate(const QString &source, const QString &name);
