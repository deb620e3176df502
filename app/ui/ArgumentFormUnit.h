#pragma once
// The main window: frame, menus, tool buttons, evaluation buttons, status bar
// and the handlers that tie them to the diagram, the editor and the rounds.
#include <QMainWindow>
#include <QPoint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/EditorTypes.h"
#include "eval/EvaluationLog.h"
#include "eval/EvaluationOptions.h"
#include "model/Diagram.h"
#include "model/TableCursor.h"
#include "store/DiagramFiles.h"
#include "viewport/ViewTransform.h"

class QKeyEvent;
class QMenu;

namespace zorvex {

class ArgumentEditor;
struct Arrangement;
struct ArgumentFormControls;
class MessageBoxes;
class EditorPointerFilter;
class SurfaceCanvas;
class SurfaceViewport;
class TArgdownTextPane;
class TArgumentFormHost;
class TArgumentFormStatusBar;
class TDiagramFileCommands;
class TExportPictureCommand;
class TKeyToSymbolsAndColorsForm;
class TLogForm;
class TOptionsForm;
class TPrintCommands;
class TTableViews;
class TEditMenuCommands;
class TUndoCommands;
class TViewCommands;
class TWhyCommands;
class UndoHistory;

// The other windows, created after the main window and handed to it then.
struct ArgumentFormWindows {
  TKeyToSymbolsAndColorsForm* KeyToSymbolsAndColorsForm = nullptr;
  TOptionsForm* OptionsForm = nullptr;
  TLogForm* LogForm = nullptr;
  QWidget* HelpForm = nullptr;
  QWidget* AboutForm = nullptr;
};

class TArgumentForm : public QMainWindow {
  Q_OBJECT
 public:
  // Client area of the form's 640x480 outer size, below the menu bar.
  static constexpr int InitialWidth = 640;
  static constexpr int InitialHeight = 480;
  static constexpr int BevelHeight = 2;
  static constexpr int EditPanelWidth = 33;
  static constexpr int EvaluationPanelHeight = 44;

  // Creates the controls and runs the creation step: loads the diagram from
  // `directory` with `opener`. Nothing here may use the other windows.
  TArgumentForm(const std::string& directory, TableOpener opener, QWidget* parent = nullptr);
  // The same, loading the diagram from `start` (a folder or a diagram file)
  // instead of the working directory's tables.
  TArgumentForm(const std::string& directory, TableOpener opener, std::optional<DiagramLocation> start,
                QWidget* parent = nullptr);
  ~TArgumentForm() override;

  void attachWindows(const ArgumentFormWindows& windows);

  Diagram& diagram() { return diagram_; }
  ArgumentEditor& editor() { return *editor_; }
  EvaluationLog& log() { return log_; }
  EvaluationOptions& options() { return options_; }
  const std::string& directory() const { return directory_; }
  // The sentence whose pop-up menu opened last (the set-status target).
  std::optional<int32_t> sentencePopupTarget() const;

  // Opens a pop-up menu at a screen point and returns when it has closed;
  // tests replace it to choose items without a modal loop.
  std::function<void(QMenu& menu, QPoint screenPoint)> runPopupMenu;

  // Every step the user could take back or do again.
  UndoHistory& undoHistory();

  // The drawing surface's size in pixels (ArgumentPaintBox's width and height).
  QSize surfaceSize() const;
  // The canvas widget: at client (0, 0), bevel and surface together.
  QWidget* canvasWidget() const;
  // How many rubber bands and guide lines the canvas draws now.
  size_t overlayFigureCount() const;

  // Scroll bars, zoom and the view onto the diagram.
  SurfaceViewport& surfaceViewport() { return *viewport_; }
  // Zoom, Fit Diagram and Find Sentence.
  TViewCommands& viewCommands() { return *viewCommands_; }
  // Frames a diagram rectangle (a found sentence), or takes the frame away.
  void showHighlight(const std::optional<Rect>& area);

  // Open, Save, Save As and the recovery copy.
  TDiagramFileCommands& fileCommands() { return *fileCommands_; }
  TExportPictureCommand& exportPicture() { return *exportPicture_; }
  // Print and Print Preview, made when first used.
  TPrintCommands& printCommands();
  // Replaces the diagram by the one at `where`, loaded as at start-up, and
  // the log notes it. A failure shows the box start-up shows and keeps the
  // diagram the window holds: false.
  // An AIF map read so gives its report in `mapReport`; the log has it too.
  bool replaceDiagram(const DiagramLocation& where,
                      std::optional<std::vector<std::string>>* mapReport = nullptr);
  // Replaces the diagram by an empty one, as Open replaces it; the log notes it.
  void replaceByEmptyDiagram();
  // Lets go of the table a failed load left open, unless a table view has
  // taken it over: before its folder's tables are replaced.
  void closeTableLeftOpen();
  // True while a table view holds this table file open.
  bool tableViewHolds(const std::filesystem::path& table) const;

 signals:
  // The main window has closed: the program ends.
  void closed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Handlers, each tied to its control where the control is made.
  void FormActivate();
  void ExitMenuItemClick();
  void OptionsMenuItemClick();
  void ContentsMenuItemClick();
  void KeyToSymbolsAndColorsMenuItemClick();
  void AboutMenuItemClick();
  void ViewLogMemoCheckBoxClick();
  void EvaluateOneRoundButtonClick();
  void JumpOneRoundButtonClick();
  void ResetButtonClick();
  void ImplicitMeaningButtonClick();
  void AddSentenceSpeedButtonClick();
  void AddArrowSpeedButtonClick();
  void AddDefeaterSpeedButtonClick();
  void MakeSelectionSpeedButtonClick();
  void SetStatusUndefeatedMenuItemClick();
  void SetStatusDefeatedMenuItemClick();
  void SetStatusNotEvaluatedMenuItemClick();
  void ShowSentenceDataMenuItemClick();
  void AddRuleMenuItemClick();
  void ShowArrowDataMenuItemClick();
  void ShowDefeaterDataMenuItemClick();
  void ViewSentencesTableCheckBoxClick();
  void ViewArrowsTableCheckBoxClick();
  void ViewDefeatersTableCheckBoxClick();
  // True when the key was the window's own (its press goes no further).
  bool FormKeyDown(int key);
  void UndoMenuItemClick();
  void RedoMenuItemClick();
  void ExportPictureMenuItemClick();
  void OpenRecoveredMenuItemClick();
  // At start-up: a recovery copy newer than the diagram's last save is told
  // in the status bar and offered in the File menu, without a question.
  void offerRecoveredDiagram();
  void ArrangeDiagramMenuItemClick();
  void ArrangeSelectionMenuItemClick();
  std::optional<std::pair<Diagram, OpenResult>> openFresh(const DiagramLocation& where);
  // The window takes `fresh` in place of its diagram, with nothing to undo.
  void installDiagram(Diagram fresh);
  void arrangeInBackground(std::function<Arrangement(Diagram&)> arrange);
  void finishArrangement(Arrangement arranged);
  void SentenceEditKeyPress(char key);
  // "&Why?" in the pop-up menus, "Evaluate until &stable" in "&Zorvex".
  void WhyMenuItemClick(ElementKind kind);
  void EvaluateUntilStableMenuItemClick();

  void FormCreate();
  bool previewKey(QObject* watched, QKeyEvent* key);
  // Each part of the window is made and tied to its handlers in one place.
  void createControls();
  void createEditButtons();
  void createEvaluationControls();
  void createHiddenControls();
  void createMenus();
  void createFileMenu();
  void createPopupMenus();
  void createOpenRecoveredMenuItem();
  void createViewMenu();
  // "Argdown &Text": the pane beside the surface, made when first shown.
  void showTextPane(QAction& item, bool on);
  void showDeveloperControls();
  void layoutControls();
  void showError(const std::string& message);
  void finishRound(const std::string& panelText);
  void runStatusRound(const char* stepName, const std::function<std::string()>& round);
  void logCommand(std::initializer_list<std::string> lines);
  // What reading an AIF map made and left out, as "[Open] ..." log lines.
  void logMapReport(const std::vector<std::string>& report);
  void saveLog();
  void setStatusByUser(int which);
  void refreshLogWindow();
  // Drawing, once the canvas is in place (the host does it).
  void repaintSurface();
  void repaintElement(ElementRef ref);
  void setUpViewport();
  void viewChanged(const ViewTransform& view);

  std::unique_ptr<ArgumentFormControls> controls_;
  std::string directory_;
  TableOpener opener_;
  Diagram diagram_;
  EvaluationOptions options_;
  EvaluationLog log_;
  std::unique_ptr<TableCursor> tableLeftOpen_;
  std::unique_ptr<TArgumentFormHost> host_;
  std::unique_ptr<ArgumentEditor> editor_;
  EditorPointerFilter* pointerFilter_ = nullptr;
  std::unique_ptr<SurfaceCanvas> canvas_;
  std::unique_ptr<TTableViews> tableViews_;
  std::optional<DiagramLocation> start_;
  std::unique_ptr<TDiagramFileCommands> fileCommands_;
  std::unique_ptr<TExportPictureCommand> exportPicture_;
  TPrintCommands* print_ = nullptr;  // a child of the window
  std::unique_ptr<TUndoCommands> undo_;
  // Owned by the Edit menu it adds to.
  TEditMenuCommands* editMenu_ = nullptr;
  SurfaceViewport* viewport_ = nullptr;
  std::unique_ptr<TViewCommands> viewCommands_;
  std::unique_ptr<TWhyCommands> why_;
  ArgumentFormWindows windows_;
  TArgdownTextPane* textPane_ = nullptr;  // a child of the window
  bool logSavedOnClose_ = false;
};

}  // namespace zorvex
