// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "batch_driver.h"
#include "conversion_state.h"
#include "fs.h"
#include "process.h"
#include "processing_list.h"
#include "quiet_services.h"
#include "repaint_pacer.h"
#include "window_services.h"

#include <QElapsedTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QAction;
class QProgressBar;
class QPushButton;
class QTimer;
class QTreeView;
class QMimeData;
class CloseWhileBlocked;

// What the window is handed: its side effects and where it finds its files.
struct WindowServices {
    WindowBoxes& boxes;
    FolderChooser& chooser;
    DesktopShell& shell;
    std::function<std::string()> decoderPath = DecoderPath;
    std::string settingsPath;
    DesktopNotifier& notifier = NoNotifier::Instance();
    // How many decoders a batch runs at once when the user asks for several.
    std::function<int()> usableCores = UsableCores;
    // False where the window system drops the stay-on-top hint (Wayland's own
    // platform): the box then keeps its setting but can't be changed.
    bool stayOnTopWorks = true;
    SleepInhibitor& sleepInhibitor = NoSleepInhibitor::Instance();
    // Why a settings file beside the executable was passed over for
    // settingsPath: told in the error box at close; empty when none was.
    std::string settingsPassedOver = {};
    // The batch's speed tricks, all unless a benchmark turns one off.
    SpeedTricks speedTricks = {};
};

// The main window: the processing list, the folders, the conversion and its progress.
class TForm1 : public QWidget, private ConversionWindow {
    Q_OBJECT
  public:
    explicit TForm1(WindowServices services);
    ~TForm1() override;

    ProcessingList& List() { return list_; }
    const ConversionState& Conversion() const { return conversion_; }
    bool BatchRunning() const { return batch_.Running(); }

    // Handlers, one per control event.
    void FormCreate();
    void FormActivate();
    void FormDestroy();
    // What FormDestroy writes, for an end with no display left: a failure is
    // told on standard error, as no box can show.
    void WriteSettingsQuietly();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void FileListBox1DblClick();
    void ListView1Click();
    void N1Click();
    void N2Click();
    void Delete1Click();
    void Label8Click();
    void Timer1Timer();
    void CheckBox2Click();
    void AddDroppedPaths(const QMimeData& drop);
    // Files and folders handed over at start, taken in as a drop of them would be.
    void AddPaths(const std::vector<std::string>& paths);
    // The same for names already looked at (the command line's).
    void AddPaths(const std::vector<NamedPath>& paths);
    // Paths a later start of the program handed over: taken in, and the window
    // comes forward. A window that is closing takes none and says so.
    bool TakeHandedOverPaths(const std::vector<std::string>& paths);
    bool CheckDecoderPresent();
    // Ends the program at once, for a signal to end or a second close during a
    // batch: open boxes and choosers close unanswered, a running decoder is
    // stopped and the window closes.
    void StopAndClose();
    // The information line in Label10, whole however long it is.
    void ShowInformationLine(const QString& line);

    // The source folder's files as listed, and the chosen folders, as raw bytes.
    const std::string& SourceFolder() const { return sourceFolder_; }
    const std::string& Destination() const { return destination_; }

    // Controls, named as in the window's layout.
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox3;
    QGroupBox* GroupBox1;
    QLabel* Label1;
    QPushButton* Button1;
    QListWidget* FileListBox1;
    QTreeView* ListView1;
    QPushButton* Button2;
    QPushButton* Button5;
    QPushButton* Button3;
    QLabel* Image1;
    QLabel* Label2;
    QLabel* Image2;
    QLabel* Label3;
    QLabel* Image3;
    QLabel* Label4;
    QCheckBox* CheckBox1;
    QGroupBox* GroupBox2;
    QLabel* Label5;
    QPushButton* Button4;
    QGroupBox* GroupBox4;
    QLabel* Label10;
    QGroupBox* GroupBox3;
    QLabel* Label12;
    QProgressBar* ProgressBar1;
    QLabel* Label13;
    QProgressBar* ProgressBar2;
    QLabel* Label7;
    QLabel* Label6;
    QLabel* Label9;
    QLabel* Label8;
    QTimer* Timer1;
    QMenu* PopupMenu1;
    QAction* N1;
    QAction* Delete1;
    QAction* N2;

    static constexpr const char* kHomePage = "https://brindlecot.org/";

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateControls();
    void DescribeControls();
    // The legend of every state, with its picture and what it means.
    QString LegendHint() const;
    // Label8: the home page, as a link.
    void ShowHomePageLink();
    void ConnectHandlers();
    void SetStayOnTop(bool on);
    void ShowSourceFolderFiles(const std::string& folder);
    // Runs a handler; an error it raises goes to the error box and the program goes on.
    void Handle(const std::function<void()>& handler);

    // What a batch needs, bound to the controls.
    void ShowConvertButton(bool shown) override;
    void ShowAbortButton(bool shown) override;
    void EnableClearButton(bool enabled) override;
    std::optional<Path> DestinationFolder() const override {
        return DestinationNamedBy(destination_);
    }
    void SetInformationLine(const std::string& line) override;
    void SetOutputPath(const Path& path) override;
    void SetOverallProgress(int percent) override;
    void SetFileProgress(int percent) override;
    void SetOutputSizeText(const std::string& text) override;
    void EnableProgressTimer(bool enabled) override;
    void MakeItemVisible(int index) override;
    void DispatchEvents() override;
    void DispatchEventsButDrawing() override;
    void BatchEnded(int converted, int failed, bool aborted) override;
    // Shows value at the next frame, unless it shows already.
    template <typename T> void ShowSoon(std::optional<T>& waiting, T value, const T& shown);
    void CatchUpView();

    WindowServices services_;
    std::unique_ptr<CloseWhileBlocked> closeWhileBlocked_;
    bool closeRequested_ = false;
    // Set for good once the window is on its way out.
    bool closing_ = false;
    bool stopRequested_ = false;
    BoxesUntilClose gatedBoxes_;
    ConversionState conversion_;
    ProcessingList list_;
    BatchDriver batch_;
    // From a batch's start to its end: the machine stays awake.
    std::unique_ptr<SleepInhibitor::Token> awake_;
    std::string sourceFolder_;
    std::string destination_;
    bool activated_ = false;
    // Since when the abort button shows, to tell a click on it from the end of a double-click.
    QElapsedTimer abortShown_;
    // What the batch asked to show and the paced drawing has not shown yet:
    // a batch of quick files changes them several times a frame.
    struct {
        std::optional<QString> informationLine, outputPath, outputSize;
        std::optional<int> overallProgress, fileProgress;
        std::optional<ItemId> item; // to scroll into view
    } toShow_;
    // During a batch: often enough for the eye, rarely enough to cost nothing.
    // A change after a quiet spell is drawn at once; changes that keep coming,
    // as a batch of quick files makes them, five times a second: each frame
    // then draws a list of rows new to it, which costs the same at ten frames
    // a second as at five, and at ten was most of what the window added to
    // the batch.
    RepaintPacer repaintPacer_{*this, std::chrono::milliseconds(200), [this] { CatchUpView(); }};
};
