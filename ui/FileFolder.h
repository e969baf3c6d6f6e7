// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The folder chooser: a tree of the file system with a status line for the
// folder under selection and an edit box where a folder can be typed.

#include "window_services.h"

#include <QDialog>
#include <QString>

#include <optional>
#include <string>

class QFileSystemModel;
class QSortFilterProxyModel;
class QLabel;
class QLineEdit;
class QTreeView;

// The folder a text typed in the edit box names: an absolute path, one from
// the home folder ("~"), or a name or relative path taken from the selected
// folder; "..", "." and links are followed as the file system does. No
// trailing separator except for "/" itself. Nothing when the text names no
// existing folder (or is relative with no folder selected).
std::optional<std::string> ResolveTypedFolder(const std::string& selectedFolder,
                                              const std::string& typed);

// Shows the chooser above owner, not modal, and waits for it in its own event
// loop, so the main window keeps working meanwhile. result receives the chosen
// folder and is left as it was when nothing is chosen.
void SelectFolder(const std::string& initialFolder, std::string& result, MessageService& boxes,
                  const QWidget* owner = nullptr);

class FileFolderChooser : public FolderChooser {
  public:
    explicit FileFolderChooser(MessageService& boxes) : boxes_(boxes) {}
    void SelectFolder(const std::string& initialFolder, std::string& result) override;
    void SetOwner(const QWidget* owner) { owner_ = owner; }

  private:
    MessageService& boxes_;
    const QWidget* owner_ = nullptr;
};

// Parentless and non-modal on purpose: an application-modal chooser would
// freeze the main window, and a parent would own it (it only stands above
// one). Object names of the parts: "folderTree", "statusLine", "folderName",
// "okButton", "cancelButton".
class FolderDialog : public QDialog {
    Q_OBJECT
  public:
    // An empty or unusable initial folder starts at the home folder.
    FolderDialog(const std::string& initialFolder, MessageService& boxes);

    // The folder chosen with OK; nothing after cancelling.
    const std::optional<std::string>& Chosen() const { return chosen_; }

    // The folder under selection; empty when none is.
    std::string SelectedFolder() const;

    // Selects, expands and shows a folder; false when the tree has no such folder.
    bool ShowFolder(const std::string& folder);

  private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void SelectionChanged();
    // The tree shows the folder typed so far, when it is one.
    void FollowTyped(const QString& typed);
    void KeepSelectionInView();
    void OkClicked();

    MessageService& boxes_;
    QFileSystemModel* model_;
    QSortFilterProxyModel* names_; // what the tree shows of the model
    QTreeView* tree_;
    QLabel* status_;
    QLineEdit* name_;
    // The folder picked in the tree, which typed names are taken from, and its name.
    std::string typedFrom_;
    QString selectionName_;
    bool following_ = false; // the tree moves to what is typed
    std::optional<std::string> chosen_;
};
