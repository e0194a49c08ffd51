#pragma once
// The main window: three numbered steps (the notation of the ringtone, where
// it comes from, how to display it) above the results area, with the File,
// Edit and Help menus. It owns the settings kept between runs: it reads them
// once while it loads and writes them once when it closes.

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <optional>

class CClickLabel;
class QAction;
class QCloseEvent;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTextEdit;
class frmSaveAs;

class frmConverter : public QMainWindow {
    Q_OBJECT
public:
    explicit frmConverter(QWidget* pParent = nullptr);

    // Empties the results area; leaves the converter, the options and the
    // menus alone.
    void Clear();

    // Opens the quick help window on text iHelpNum and returns at once,
    // while the window is still growing.
    void LoadHelp(qint16 iHelpNum);

protected:
    void closeEvent(QCloseEvent* pEvent) override;
    // A ringtone file or text dropped anywhere on the window is got.
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dragMoveEvent(QDragMoveEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;

private:
    void BuildLayout();
    QGroupBox* BuildSourceStep();
    QGroupBox* BuildFileStep();
    QGroupBox* BuildShowAsStep();
    QGroupBox* BuildResults();
    void BuildMenus();
    void SetTabOrder();
    void ConnectControls();
    void StartUp();
    void SaveSettings();

    void SourceOptionChosen(int iIndex);
    void FileOptionChosen(int iIndex);
    void ShowAsOptionChosen(int iIndex);
    void FileNew();
    void ShowAbout(QWidget* pParent);
    void EnableFileMenu();
    void EnableEditMenu();

    // Get: the ringtone from a file or the clipboard, converted and shown.
    void Get();
    // The rest of Get for the file the converter names (none: nothing), and
    // for a text from the clipboard or dropped on the window.
    void GetFile();
    void GetText(const QString& sText, bool bFromClipboard);
    // Underlines the notes whose parse recorded error lines, with the lines
    // as their tooltip.
    void MarkNotes();
    // The quick help of the step that holds the keyboard focus.
    void HelpForFocus();
    // The file's text with its lines joined; empty after "Could not open
    // file". Nothing when the file is refused as no ringtone at all.
    std::optional<QString> ReadRingToneFile(const QString& sPath);
    void ConvertAndShow();
    void ShowFailure(const char* sDescription);
    void ReportErrors();

    // File > Save and Edit > Export/Copy.
    void FileSave();
    void EditCopy();
    int16_t ChosenForm() const;
    QString RingToneForm(int16_t iForm) const;
    void ReportSaveFailure(const QString& sDescription);

    // True only while the start-up steps run.
    bool bLoading = false;

    // Step frames.
    QGroupBox* fraOptions = nullptr;
    std::array<QGroupBox*, 3> fraWiz{};
    std::array<QRadioButton*, 2> optSource{};
    std::array<QRadioButton*, 2> optFile{};
    std::array<QRadioButton*, 3> optShowAs{};
    QPushButton* cmdGet = nullptr;
    // Numbered help labels and the legend's square.
    std::array<CClickLabel*, 4> lblNum{};
    CClickLabel* lblNum1 = nullptr;

    // Results area.
    QGroupBox* fraResults = nullptr;
    QLabel* lbl1 = nullptr;
    QLineEdit* txtName = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* txtTempo = nullptr;
    QTextEdit* rtf = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* lblNoteCount = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* lblRemaining = nullptr;
    std::array<QLabel*, 2> Label1{};
    QLabel* lblMsg = nullptr;
    QLabel* Label4 = nullptr;
    CClickLabel* lblMyWeb = nullptr;

    // Decoration only.
    QFrame* shpBack = nullptr;
    QFrame* Shape1 = nullptr;
    QFrame* Shape2 = nullptr;
    QFrame* Shape3 = nullptr;
    QFrame* Shape5 = nullptr;
    QFrame* Shape6 = nullptr;
    QFrame* pnl = nullptr;

    // Menus.
    QMenu* mnuFile = nullptr;
    QAction* mnuFileNew = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuSepFile1 = nullptr;
    QAction* mnuFileExit = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuEditCopy = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpInfo = nullptr;
    QAction* mnuHelpSep1 = nullptr;
    QAction* mnuHelpAbout = nullptr;

    // Made at the first save, kept for the window's lifetime.
    frmSaveAs* SaveAsDialog = nullptr;
};
