// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The "Settings" dialog: six pages of options, filled from the program's
// state. Each control sets the change mark of its group; the main window
// applies and writes only the marked groups when the dialog closes with OK.

#include "SettingsState.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTextBrowser;
class TvqSavedCombo;

class TfSettings : public QDialog
{
    Q_OBJECT

public:
    enum TPage { pgGeneral, pgFiles, pgEditor, pgInternalBrowser, pgExternalBrowser, pgSpeedBar };

    // Fills the dialog from the state, shows the page (General for any
    // other number) and clears the marks.
    TfSettings(const TSettingsState &state, int page, QWidget *parent = nullptr);

    // The options as the dialog shows them now.
    TSettingsState State() const;
    const TSettingsMarks &Marks() const { return m_marks; }

    // Control actions, public so that tests can run them without clicks.
    // False, after saying why, for an extension that is empty or holds a
    // character file names cannot have.
    static bool AcceptableExtension(const QString &extension);
    void AddExtension();
    void DeleteExtension();
    void AddBrowser();
    void EditBrowser();
    void DeleteBrowser();
    void SetViewerDefaults();
    void ChooseStyle(int style);

    QTabWidget *Pages() const { return m_pages; }

protected:
    void done(int result) override;

private:
    QWidget *GeneralPage();
    QWidget *FilesPage();
    QWidget *EditorPage();
    QWidget *InternalBrowserPage();
    QWidget *ExternalBrowserPage();
    QWidget *SpeedBarPage();
    void ShowStylePanel(int style);
    void ShowColorButton(QPushButton *button, TColor color);
    void UpdateSample();

    TSettingsState m_state;
    TSettingsMarks m_marks;
    QTabWidget *m_pages = nullptr;

    std::array<QCheckBox *, 11> m_general{};
    QComboBox *m_dictionary = nullptr;
    QCheckBox *m_recoveryCopies = nullptr;
    QSpinBox *m_recoveryDelay = nullptr;
    QCheckBox *m_reopenSession = nullptr;
    QListWidget *m_extensions = nullptr;
    QLineEdit *m_defaultExtension = nullptr;
    QLineEdit *m_template = nullptr;
    QLineEdit *m_bookmarkFile = nullptr;
    QRadioButton *m_internalHelp = nullptr;
    QRadioButton *m_externalHelp = nullptr;
    QLineEdit *m_helpFile = nullptr;
    QPushButton *m_helpBrowse = nullptr;

    QSpinBox *m_tabWidth = nullptr;
    QComboBox *m_fontName = nullptr;
    QSpinBox *m_fontSize = nullptr;
    QCheckBox *m_autoIndent = nullptr;
    std::array<QLabel *, StyleClassCount> m_stylePanels{};
    QPushButton *m_background = nullptr;
    QPushButton *m_foreground = nullptr;

    QCheckBox *m_useMSIE = nullptr;
    QComboBox *m_viewerFont = nullptr;
    QSpinBox *m_viewerSize = nullptr;
    QPushButton *m_viewerColor = nullptr;
    QPushButton *m_linkColor = nullptr;
    QTextBrowser *m_sample = nullptr;
    QWidget *m_viewerGroup = nullptr;
    QWidget *m_mappingGroup = nullptr;
    TvqSavedCombo *m_mapFrom = nullptr;
    TvqSavedCombo *m_mapTo = nullptr;

    QListWidget *m_browsers = nullptr;
    std::array<QRadioButton *, 3> m_launch{};

    std::array<QCheckBox *, SpeedbarOptionCount> m_speedbar{};
};
