// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The fixture of the tests that build tags with one dialog alone: upper-case
// tags, a document in "/web", and the dialog's fields found by name.

#include "TTagDialog.h"
#include "TagText.h"

#include <QWidget>

#include <gtest/gtest.h>

class TagDialogTest : public testing::Test
{
protected:
    void SetUp() override { SetLowerCaseTags(false); }
    void TearDown() override { SetLowerCaseTags(false); }

    static TTagDialogContext Context() { return {QStringLiteral("/web"), false, false, nullptr}; }

    template <typename Widget> static Widget *Field(const QWidget &dialog, const char *name)
    {
        auto *widget = dialog.findChild<Widget *>(QLatin1String(name));
        EXPECT_TRUE(widget) << name;
        return widget;
    }
};
