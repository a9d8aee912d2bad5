#pragma once

#include "app/results/EventFeed.h"
#include "app/run/BarrierAlarm.h"
#include "app/run/BarrierGate.h"
#include "app/run/BarrierLink.h"
#include "app/run/ProtocolLine.h"
#include "app/run/RunSession.h"
#include "app/run/TMenuItem.h"
#include "app/window/FormLifecycle.h"
#include "app/window/ProgramNames.h"
#include "app/window/ProtocolCommands.h"
#include "controls/ButtonWithColor.h"
#include "core/Colors.h"
#include "live/LiveSnapshot.h"
#include "platform/Dialogs.h"
#include "platform/InstanceLock.h"
#include "serial/ComPortScan.h"
#include "serial/TComPort.h"
#include "settings/Settings.h"

#include <QList>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class EventCommands;
class EventDocument;
class EventModel;
class ImpulseLog;
class ImpulseWindow;
class LiveFeed;
class LiveServer;
class LiveServerWindow;
struct PassAssignment;
class ProtocolJournal;
class ProtocolLineTarget;
class QUndoStack;
class ResultsWindow;
class SpectatorWindow;
class TStatusLabel;
struct JournalReplay;
class QTimer;
class QFrame;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTimer;
class QToolButton;
class QMenu;
class QPushButton;
class TCfgDialog;
class TFDlgYesNo;
class TDigit;
class TExcel;
class TLogo;
class TSortGrid;

/// The main window: the run of one competitor (START, LAP, STOP, RESET), its time and speed display
/// and the protocol lines each moment produces. The run itself is a `RunSession`; the window's
/// handlers apply what the session produces to the widgets. The implementation is split by concern:
/// TFormMain.cpp (creation, settings), TFormMainBuild.cpp (widgets and layout), TFormMainRun.cpp
/// (run control and name field), TFormMainKeyboard.cpp (shortcut menu), TFormMainDisplay.cpp
/// (digit rows), TFormMainLightBarrier.cpp (serial port and trigger), TFormMainProtocol.cpp
/// (protocol sink), TFormMainCommands.cpp (protocol commands and exports), TFormMainShell.cpp
/// (creation and destruction steps, top bar, date panel, close confirmation, help, printer setup,
/// exit), TFormMainJournal.cpp (protocol journal), TFormMainImpulses.cpp (impulse list, port
/// self-test, alarm, notices).
class TFormMain : public QWidget {
    Q_OBJECT
public:
    /// Builds the window with its controls in their state at creation (idle, both rows at zero).
    explicit TFormMain(QWidget* parent = nullptr);
    ~TFormMain() override;

    // ---- application shell ----
    /// Observes the creation and destruction steps as they begin (a diagnostics hook; tests check
    /// what each step finds done before it). Shared by every window, fired only if assigned.
    static inline std::function<void(TFormMain*, CreationStep)> OnCreationStep;
    static inline std::function<void(TFormMain*, DestructionStep)> OnDestructionStep;
    /// The names taken from the program file at creation: title, settings key, default document,
    /// help file (where it was found), start folder of the file dialogs.
    const ProgramNames& Names() const { return m_names; }
    /// The date panel update: the local date and time in the short formats.
    void TimerDateTimer(QObject* Sender);
    /// Opens the help page with the desktop's browser; a missing page is reported with its path.
    void bHelpClick(QObject* Sender);
    /// Shows the printer setup; the printer (or PDF file) chosen is the one protocol printing uses.
    void Drucker1Click(QObject* Sender);
    /// Closes the window, through the close confirmation.
    void bExitClick(QObject* Sender);
    /// Decides whether the window may close: during a run or with protocol lines only after "Ja"
    /// to "Beenden?".
    void FormCloseQuery(QObject* Sender, bool& CanClose);

    // ---- settings ----
    /// Puts `now` into effect where it differs from `old`, the settings in effect until now (as
    /// CurrentSettings gave them): the window's size (fitted to the screen), the run's distance and
    /// resolution (the time row reshaped), the dead time, the colours (C0 the digit rows'
    /// background, C3 and C4 the time row's leading digits from their next showing), the mode, the
    /// sound names, and last the port: closed, and the new one opened once the window is created
    /// (its creation opens it otherwise). An error opening the port is raised with everything else
    /// in effect. The resolution is kept within 0..2, the dead time within 0..DeadTimeMax.
    void applySettings(const Settings& old, const Settings& now);
    /// The settings in effect, with the window's bounds as they are now.
    Settings CurrentSettings() const;
    /// Reads the settings from the registry key and puts them into effect (applySettings). A
    /// settings file that could not be read was moved aside, invalid values took their defaults;
    /// the operator is told in one message.
    void ReadSettings();
    /// Writes the settings that changed since they were read or last written, the invalid ones
    /// that were replaced, and those the file lacks; false when not all could be written.
    bool WriteSettings();
    /// True when another running instance of the program uses the same settings file.
    bool OtherInstanceRunning();
    /// Scans the serial ports and keeps the result for the settings dialog; the port scan word.
    uint32_t ScanComPorts();
    /// The result of the last port scan.
    const platform::ComPortScanResult& PortScan() const { return m_portScan; }
    /// Creates the settings dialog (its port list from the start-up scan) and the yes/no dialog,
    /// unless they exist; the program entry calls it right after creating the window.
    void CreateDialogs();
    /// Opens the settings dialog with the settings in effect and, on OK, puts the edited ones into
    /// effect, shows zero on the time row unless a run is under way and stores them at once
    /// (button `bCFG`, Alt+E). The resolution chosen is previewed while the dialog is open.
    void bCFGClick(QObject* Sender);
    /// The settings dialog and the yes/no dialog, made by CreateDialogs().
    TCfgDialog* CfgDialog = nullptr;
    TFDlgYesNo* FDlgYesNo = nullptr;

    // ---- run state ----
    /// The run: phase, ticks and which actions are enabled.
    const RunSession& Session() const { return m_session; }
    /// Tick of the last START.
    uint32_t StartTick() const { return m_session.StartTick(); }
    /// Tick of the last LAP; 0 from START until LAP.
    uint32_t LapTick() const { return m_session.LapTick(); }
    /// Tick of the last STOP.
    uint32_t StopTick() const { return m_session.StopTick(); }

    // ---- run control ----
    /// The START action.
    void mStartClick(QObject* Sender);
    /// Calls the LAP action.
    void mLapClick(QObject* Sender);
    /// The LAP action, shared by the menu item and the mouse press on `bLAP`.
    void DoLap();
    /// The STOP action.
    void mStopClick(QObject* Sender);
    /// The RESET action.
    void bRESETClick(QObject* Sender);
    /// Runs `bRESET`'s click operation, whether or not the button is enabled.
    void mResetClick(QObject* Sender);
    /// Mouse-press handlers of the run buttons.
    void bSTARTMouseDown(QObject* Sender, Qt::MouseButton button);
    void bLAPMouseDown(QObject* Sender, Qt::MouseButton button);
    void bSTOPMouseDown(QObject* Sender, Qt::MouseButton button);
    void bRESETMouseDown(QObject* Sender, Qt::MouseButton button);
    /// The run clock: shows the elapsed time on the time row.
    void ClockTimer(QObject* Sender);
    /// Name field gains the focus: the run shortcuts are taken away so S, L, P and Del can be typed.
    void editStartNEnter(QObject* Sender);
    /// Name field loses the focus: shortcuts back; a name that is a number becomes the start number.
    void editStartNExit(QObject* Sender);
    /// Enter in the name field moves the focus to `bSTART` while it is enabled.
    void editStartNKeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);

    /// Runs `action` with `tick` as its moment, if the run allows it now; otherwise nothing. Keys
    /// and menu items (through the item handlers above), the buttons and the light barrier (with its
    /// edge's tick) all come here.
    void runAction(RunAction action, uint32_t tick);

    // ---- light barrier ----
    /// The light barrier's serial port: Port 0 (none), 5 data bits, only the DSR event, 64-byte
    /// queues, OnDSR bound to ComPortDSR. Its Port is the setting's.
    TComPort* ComPort = nullptr;
    /// The modem-status word of the previous DSR event; 0x55555555 (no real word) before the first.
    uint32_t LastModemStatus() const { return m_lastModemStatus; }
    /// The start-up step: opens ComPort when its Port is not 0. An error is not reported: the
    /// status shows it and the port is tried again every second until it opens.
    void OpenLightBarrierPort();
    /// The port's watcher ended by itself (device gone): the status says so, retrying begins.
    void ComPortWatchEnd(QObject* Sender, const TWatchEnd& End);
    /// Every second while the port is lost or missing: tries to open it again.
    void ReconnectTimer(QObject* Sender);
    /// The light barrier's link: state and status texts.
    const BarrierLink& Link() const { return m_link; }
    /// The port's DSR handler, with the edge's status word and tick: on a new word with DSR on
    /// (and Alg 0) runs the trigger at that tick.
    void ComPortDSR(QObject* Sender, uint32_t ModemStatus, uint32_t Tick);
    /// Runs the first enabled of START, STOP, LAP at `tick`, unless the dead time holds it back.
    void LightBarrierTrigger(uint32_t tick);

    // ---- protocol journal ----
    /// The start-up step of the journal: offers "Protokoll wiederherstellen?" after an unclean end
    /// of the last session and restores its lines on "Ja", then begins journalling this session.
    /// A folder that cannot be written gives one message; timing goes on without a journal.
    void StartJournal();
    /// Marks the journal closed (a clean end); later lines are not journalled.
    void CloseJournal();
    /// The journal (null before StartJournal).
    ProtocolJournal* Journal() const;
    /// Tries again to take up a journal that could not begin at start (a full or unwritable
    /// folder, another window holding it); a timer calls it every few seconds until it works.
    void RetryJournal();
    /// Call after the protocol changed other than by a new line (cleared, loaded, a line deleted,
    /// sorted): the journal takes the whole protocol again.
    void JournalProtocolReplaced();

    // ---- impulse list, port self-test, alarm, notices ----
    /// The start-up step after the journal's: the impulse list reads today's journal and follows
    /// the journal's records from then on.
    void StartImpulses();
    /// The day's light-barrier passes (null before StartImpulses).
    ImpulseLog* Impulses() const;
    /// Opens the impulse list ("Imp&ulse", Alt+U).
    void ShowImpulses();
    /// "Lichtschranke prüfen" for `portName`: the self-test's findings and the test mode, whose
    /// proposed dead time goes into `deadTimeField` (may be null).
    void CheckPort(const QString& portName, QSpinBox* deadTimeField);
    /// Whether the alarm sounds when the barrier is lost during a run (the settings' sound flag).
    bool AlarmOn() const { return m_settings.Sound; }
    /// Switches the alarm on or off.
    void setAlarm(bool on);
    /// Shows `text` as a warning over the protocol's caption; empty hides it.
    void ShowNotice(const QString& text);
    /// The warning shown; empty when none.
    QString Notice() const;
    /// The impulse list's window, made when first opened.
    ImpulseWindow* FormImpulses = nullptr;
    /// Alt+U: the impulse list.
    TMenuItem* mImpulses = nullptr;
    /// The warning over the protocol's caption.
    TStatusLabel* LabNotice = nullptr;

    // ---- display ----
    /// Shows `value` (thousandths) on row 0 (time) or row 1 (speed).
    void ShowDigits(int row, int64_t value);
    /// Reshapes the time row for resolution `acc`.
    void ApplyResolution(int acc);
    /// The protocol's time text of `ms` at the current resolution.
    QString FormatRunTime(int64_t ms) const;

    // ---- protocol sink ----
    /// Appends one protocol line.
    void AddProtocolRow(const QString& who, const QString& time, const QString& speed, const QString& note);
    /// Brings the run just finished into view: its four lines become the top rows and are selected.
    void ShowLastRun();
    /// Scrolls the protocol back to `top` as its first visible line after the grid jumped to its
    /// first line, but far enough down that line `row` is in view.
    void RestoreProtocolView(int32_t top, int32_t row);
    /// The protocol's lines as the grid holds them, oldest first; entirely empty rows are left out.
    QList<ProtocolLine> ProtocolLines() const;
    /// Every row of the grid, its header row first and empty rows included: what the journal keeps.
    QList<ProtocolLine> GridRows() const;
    /// Enables the protocol buttons that need a protocol (all but open) when the grid has data rows.
    void UpdateProtocolButtons();
    /// Fits the protocol columns to the window: 64 pixels for the first three, the rest for the note.
    void FormResize();

    // ---- protocol commands ----
    /// The protocol's texts, every row (header included) with all its columns.
    ProtocolRows ProtocolTexts() const;
    /// Asks "Zeile löschen ?" and on yes deletes the selected data row, and that row only.
    void StrokadeleteClick(QObject* Sender);
    /// Asks "Zeitenprotokoll  löschen ?" and on yes empties the protocol to the header and one row.
    void sbCLSClick(QObject* Sender);
    /// Puts the whole protocol on the clipboard as tab-separated text (`ClipboardText`).
    void Copy1Click(QObject* Sender);
    /// Saves the protocol under a name chosen in the save dialog, in the format of the chosen type.
    void sbSaveClick(QObject* Sender);
    /// Loads a protocol file chosen in the open dialog; a file that cannot be read is reported and
    /// leaves the protocol as it was.
    void sbLoadClick(QObject* Sender);
    /// Prints every data row, titled with the application title and the current minute.
    void sbPrintClick(QObject* Sender);
    /// The word-processor export named after the current minute, left open in the word processor.
    void sbWordClick(QObject* Sender);
    /// The spreadsheet export: a new workbook with the protocol, columns fitted. Does nothing when no
    /// spreadsheet application can be reached; a later failure is shown and the export stops there.
    void sbExcelClick(QObject* Sender);
    /// The word-processor export of the protocol into `fileName`, with the busy cursor. A failure
    /// disables `sbWord` (until the next load or clear) and returns false with its text in `failure`.
    bool ExportToWord(WordExportMode mode, const QString& fileName, QString* failure = nullptr);
    /// The document the word-processor export starts from (the program's name with ".doc").
    QString DefaultDocument() const { return m_defaultDocument; }
    /// Sets the document the word-processor export starts from.
    void setDefaultDocument(const QString& fileName) { m_defaultDocument = fileName; }
    /// The spreadsheet component, owned by the window from creation to destruction.
    TExcel* Excel1 = nullptr;
    /// The save dialog's settings: the three file types with the word processor's preselected, ".csv"
    /// for a typed name without extension under a type of no single extension, the start folder.
    platform::FileDialogOptions SaveDialog1;
    /// The open dialog's settings: protocol files (".txt"), the start folder.
    platform::FileDialogOptions OpenDialog1;

    /// True while the run clock is running.
    bool ClockRunning() const;

    // ---- event and results (TFormMainEvent.cpp) ----
    /// The open event, fed from every run.
    EventDocument* Event() const { return m_event; }
    /// The event's commands (dialog, files, printing, exports).
    EventCommands* EventActions() const { return m_eventCommands; }
    /// The results window, made when first opened (null before).
    ResultsWindow* Results() const { return m_results; }
    /// Opens the results window (non-modal) and brings it to the front.
    void bResultsClick(QObject* Sender);
    /// The event's commands as a menu at the "Veranstaltung" button.
    void bEventClick(QObject* Sender);
    /// Hands the action the run session has just run to the event: START begins a run (and makes
    /// the event of the day when none is open), STOP and RESET end it; RESET proposes the next
    /// start number of the start list.
    void feedEvent(RunAction action);
    /// "Veranstaltung" and "Ergebnisse" below the run buttons; the class of the start number.
    QPushButton* bEvent = nullptr;
    QPushButton* bResults = nullptr;
    QLabel* LabClass = nullptr;
    /// Alt+V, Alt+G, Ctrl+Z, Ctrl+Y: the event, the results, undo and redo of the event's changes.
    TMenuItem* mEvent = nullptr;
    TMenuItem* mResults = nullptr;
    TMenuItem* mUndo = nullptr;
    TMenuItem* mRedo = nullptr;

    // ---- live results (TFormMainLive.cpp) ----
    /// Makes the snapshots of the live results from the open event and the run on the track.
    LiveFeed* LiveResults() const { return m_liveFeed; }
    /// The results server; runs while the settings' LiveOn is set.
    LiveServer* LiveResultsServer() const { return m_liveServer; }
    /// Opens "Live-Ergebnisse" (the switch, the port, the addresses and the QR code).
    void ShowLiveServer();
    /// Opens the spectator screen full screen on a screen other than this window's, if there is one;
    /// while it is open, each call moves it on to the next screen.
    void ShowSpectator();
    /// Adds "Live-Ergebnisse" and "Zuschauer-Anzeige" to `menu`.
    void addLiveActions(QMenu* menu);
    /// "Live-Ergebnisse" (made with the window) and the spectator screen (made when first opened).
    LiveServerWindow* FormLive = nullptr;
    SpectatorWindow* FormSpectator = nullptr;
    /// Alt+R, Alt+Z: the live results' window and the spectator screen.
    TMenuItem* mLive = nullptr;
    TMenuItem* mSpectator = nullptr;

    // ---- controls, named as in the window's design ----
    /// Top bar: help and exit buttons (next to `bCFG`), the logo, the room for the light barrier's
    /// status and the date panel.
    QPushButton* bHelp = nullptr;
    QPushButton* bBeenden = nullptr;
    TLogo* Logo = nullptr;
    /// Room in the top bar between the logo and the date panel, for the light barrier's status
    /// label: put a widget into its horizontal layout.
    QWidget* TopBarStatusSlot = nullptr;
    QLabel* PanelDate = nullptr;
    QTimer* TimerDate = nullptr;
    /// The shortcut menu's items besides the run and the settings (`mSettings`): separator,
    /// help (Alt+I), printer (Alt+D), exit (Alt+B), help (F1).
    TMenuItem* mSeparator = nullptr;
    TMenuItem* Hilfe1 = nullptr;
    TMenuItem* mPrinterSetup = nullptr;
    TMenuItem* Beenden1 = nullptr;
    TMenuItem* mHilfe = nullptr;
    TBitBtnWithColor* bSTART = nullptr;
    TBitBtnWithColor* bLAP = nullptr;
    TBitBtnWithColor* bSTOP = nullptr;
    TBitBtnWithColor* bRESET = nullptr;
    TMenuItem* mStart = nullptr;
    TMenuItem* mLap = nullptr;
    TMenuItem* mStop = nullptr;
    TMenuItem* mReset = nullptr;
    /// Alt+E: the settings.
    TMenuItem* mSettings = nullptr;
    /// "&Einstellungen" in the top bar.
    QPushButton* bCFG = nullptr;
    /// The invisible shortcut menu, in its order.
    QList<TMenuItem*> HideMenu1;
    QSpinBox* seStartN = nullptr;
    QLineEdit* editStartN = nullptr;
    QTimer* Clock = nullptr;
    /// Tries a lost or missing light-barrier port again, once a second while it is gone.
    QTimer* TimerReconnect = nullptr;
    /// The light barrier's status in the top bar; the device path is its tooltip.
    QLabel* LabBarrier = nullptr;
    /// The results protocol.
    TSortGrid* SortGrid1 = nullptr;

    /// The window's areas: the top bar (settings, help and exit buttons, logo, barrier status, date);
    /// the left column with the time row (`PanelTimer` in `PanelTimerOwner`), the speed row and the
    /// input area (name, start number, run buttons); the protocol area right of it with the
    /// caption panel ("P R O T O K O L L" and the protocol buttons) above the grid.
    QFrame* TopBar = nullptr;
    QFrame* LeftColumn = nullptr;
    QFrame* PanelTimerOwner = nullptr;
    QFrame* PanelTimer = nullptr;
    QFrame* PanelSpeed = nullptr;
    QFrame* InputArea = nullptr;
    QFrame* ProtocolArea = nullptr;
    QFrame* ProtocolCaption = nullptr;
    /// Time row digits: hundreds, tens, ones, tenths, hundredths.
    TDigit* Digit4 = nullptr;
    TDigit* Digit5 = nullptr;
    TDigit* Digit6 = nullptr;
    TDigit* Digit7 = nullptr;
    TDigit* Digit8 = nullptr;
    /// Speed row digits: hundreds, tens, ones, tenths, hundredths.
    TDigit* Digit14 = nullptr;
    TDigit* Digit15 = nullptr;
    TDigit* Digit16 = nullptr;
    TDigit* Digit17 = nullptr;
    TDigit* Digit18 = nullptr;
    /// Protocol buttons in the caption panel: clear, open, print (left); word processor,
    /// spreadsheet, save as (right, keeping their distance from the right edge).
    QToolButton* sbCLS = nullptr;
    QToolButton* sbLoad = nullptr;
    QToolButton* sbPrint = nullptr;
    QToolButton* sbWord = nullptr;
    QToolButton* sbExcel = nullptr;
    QToolButton* sbSave = nullptr;
    /// The protocol grid's context menu and its items "Zeile entfernen" and "Alles kopieren".
    QMenu* PopupMenu1 = nullptr;
    QAction* mDeleteLine = nullptr;
    QAction* Copy1 = nullptr;
    /// The digit rows' labels: the time row's comma (`LabSec`), "Sek." and "100"; the speed row's
    /// comma and "Km/Hour".
    QLabel* LabSec = nullptr;
    QLabel* Lab_sek = nullptr;
    QLabel* Lab_100 = nullptr;
    QLabel* LabSpeedComma = nullptr;
    QLabel* LabKmh = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    void buildTopBar();
    void buildShellMenu();
    void layoutTopBar();
    /// The creation steps in their order, then the destruction steps in theirs.
    void FormCreate();
    void FormDestroy();
    void runCreationStep(CreationStep step);
    void runDestructionStep(DestructionStep step);
    /// The two steps of the spreadsheet component: made at creation, destroyed first at the end.
    void CreateSpreadsheetComponent();
    void DestroySpreadsheetComponent();
    void buildDisplay();
    /// The five digits of row 0 (time) or row 1 (speed), hundreds first.
    std::array<TDigit*, 5> rowDigits(int row) const;
    void buildInputArea();
    void buildMenu();
    void buildProtocolButtons();
    void buildProtocolGrid();
    void buildLightBarrier();
    /// Places the light-barrier status in the top bar.
    void layoutBarrierStatus();
    /// Shows the link's state and runs the reconnect timer while it retries.
    void showBarrierStatus();
    /// Tells the link which port is chosen now.
    void choosePort();
    /// The settings' port choice: closes the port, stops trying the old one, and opens `port`
    /// (0 none). An error opening it is raised; the port is tried again every second meanwhile.
    void changePort(uint8_t port);
    /// Opens ComPort and tells the link; the error of a failed open is raised.
    bool tryOpenPort();
    /// Takes an ignored pass as LAP or STOP of the run being timed, at the pass's tick; false when
    /// its run is not that run or the action is not due.
    bool takePassLive(const PassAssignment& assignment);
    /// Hands a pass to the test mode while it is on; true when it took the pass.
    bool tapPass(uint32_t tick);
    /// Sounds the alarm when the link was just lost while a run is timed.
    void soundAlarmOnLoss();
    /// Places the warning over the protocol's caption.
    void layoutNotice();
    /// The warning after START with the start number `startNumberText`.
    void warnAtStart(const QString& startNumberText);
    /// The open event's start numbers (competitors not removed); empty when no start list.
    QList<int> knownStartNumbers() const;
    /// Journals a light-barrier pass.
    void journalEdge(uint32_t tick, EdgeOutcome outcome);
    /// The protocol changed other than by AddProtocolRow: a snapshot is journalled soon.
    void protocolChanged();
    /// Asks "Protokoll wiederherstellen?" in the yes/no dialog; true for "Ja".
    bool askRestore();
    /// Puts the rows of `previous` into the grid as they were and proposes the next start number.
    void restoreProtocol(const JournalReplay& previous);
    /// Makes every change of the protocol other than a new line reach the journal.
    void watchProtocolChanges();
    /// Binds the protocol buttons and the context menu items to their commands.
    void bindProtocolCommands();
    /// Puts the protocol buttons in the Tab order and gives the protocol commands their keys.
    void bindProtocolKeys();
    /// Opens the protocol's context menu at the current line, as the keyboard asks for it.
    void popupProtocolMenu();
    /// Asks `question` with the yes/no dialog; true when the operator answered "Ja".
    bool askYesNo(const QString& question);
    void buildSettingsCommand();
    /// Gives the digit rows the background colour C0.
    void applyBackground();
    void layoutAreas();
    /// The one place where what a run action produced reaches the window: the controls' enabled
    /// states, the digit rows, the protocol lines, the focus and, after STOP, the finished run in view.
    /// `tick` is the action's moment, for anything else that is to learn of the result.
    void applyRunResult(RunAction action, uint32_t tick, const RunResult& result);
    /// Mirrors the session's enabled actions onto the buttons, menu items, start number and clock.
    void applyRunState();
    TBitBtnWithColor* runButton(RunAction action) const;
    TMenuItem* runItem(RunAction action) const;
    /// Appends the lines an action produced.
    void addProtocolLine(const ProtocolLine& line);
    /// Runs `action`, showing any error it raises in a message box; the action ends there.
    template <typename F> void guarded(F&& action);
    bool handleShortCut(QKeyEvent* key, bool onlyProbe);

    /// Makes the event's buttons, menu items and the event itself; opens the day's event.
    void buildEvent();
    void startEvent();
    /// Fills the name and shows the class of a start number the start list knows.
    void showCompetitor(int startNumber);
    /// Shows a write failure of the event once, after the action running now.
    void eventWriteFailed(const QString& message);

    /// Makes the live results' feed, server and window; takes the settings in effect.
    void buildLive();
    /// Hands the open event (or none) to the live results.
    void feedLiveEvent();
    /// Hands the run on the track to the live results after `action`.
    void feedLive(RunAction action);
    /// The live results' part of applySettings: the resolution, the switch and the port.
    void applyLiveSettings(const Settings& old, const Settings& now);
    /// Starts or stops the server as the settings say; a server that cannot start shows its window.
    void applyLiveChoice();

    QLabel* m_caption = nullptr; ///< "P R O T O K O L L" in the caption panel
    ProgramNames m_names;
    RunSession m_session;
    /// The settings in effect (the window's bounds are the window's own); applySettings alone
    /// changes them.
    Settings m_settings;
    /// The creation steps have run; a port chosen from now on is opened at once.
    bool m_created = false;
    /// The settings as the file held them when read or last written.
    Settings m_storedSettings;
    /// Values read invalid and replaced by defaults: written at the next save.
    QStringList m_invalidSettings;
    std::unique_ptr<platform::InstanceLock> m_settingsLock;
    platform::ComPortScanResult m_portScan;
    uint32_t m_lastModemStatus = 0x55555555;
    BarrierLink m_link;
    std::unique_ptr<ProtocolJournal> m_journal;
    bool m_addingRow = false;           ///< inside AddProtocolRow: its line is journalled as it stands
    bool m_snapshotPending = false;     ///< a snapshot of the protocol is due in this turn
    QTimer* m_journalRetry = nullptr;   ///< runs while the journal could not begin
    bool m_journalPreviousRead = false; ///< the last session was looked at (under the lock)
    BarrierGate m_gate;
    BarrierAlarm m_alarm;
    std::unique_ptr<ImpulseLog> m_impulseLog;
    std::unique_ptr<ProtocolLineTarget> m_protocolTarget;
    std::function<void(uint32_t tick)> m_passTap; ///< the test mode, while it is on
    QString m_defaultDocument;
    EventDocument* m_event = nullptr;
    EventCommands* m_eventCommands = nullptr;
    ResultsWindow* m_results = nullptr;
    EventFeed m_eventFeed;
    QString m_filledName; ///< the name the start list put into the name field
    // Children are deleted in the order they were made: the feed, whose thread hands snapshots
    // to the server, goes first.
    LiveFeed* m_liveFeed = nullptr;
    LiveServer* m_liveServer = nullptr;
    LiveRunState m_liveRun; ///< the run on the track as the live results were last told
};
