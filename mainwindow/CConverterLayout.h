#pragma once
// Builds the main window's controls, layouts and menus, and holds them under
// their own names for the window that wires them up.

#include "engine/Forms.h"

#include <array>
#include <cstddef>
#include <initializer_list>

class CClickLabel;
class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QString;
class QTextEdit;
class QWidget;

class CConverterLayout {
public:
    // The two steps and the results area; the options selected as before
    // start-up reads the settings.
    void BuildWidgets(QMainWindow* pWindow);
    // Access keys only: no item has a shortcut.
    void BuildMenus(QMenuBar* pMenuBar);
    // Steps first, then name, tempo, Play, results and Fit to Phone.
    void SetTabOrder();

    // Step frames.
    QGroupBox* fraOptions = nullptr;
    std::array<QGroupBox*, 3> fraWiz{};
    std::array<QRadioButton*, Notation::Count> optSource{};
    std::array<QRadioButton*, 2> optFile{};
    std::array<QRadioButton*, ShowForm::Count> optShowAs{};
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
    QPushButton* cmdPlay = nullptr;
    QTextEdit* rtf = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* lblNoteCount = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* lblRemaining = nullptr;
    QPushButton* cmdFit = nullptr;
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
    QAction* mnuFileSaveSound = nullptr;
    QAction* mnuFileImportMidi = nullptr;
    QAction* mnuSepFile1 = nullptr;
    QAction* mnuFileExit = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuEditCopy = nullptr;
    QAction* mnuEditSep1 = nullptr;
    QAction* mnuFit = nullptr;
    QAction* mnuUndoFit = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpInfo = nullptr;
    QAction* mnuHelpSep1 = nullptr;
    QAction* mnuHelpAbout = nullptr;

private:
    QGroupBox* BuildSourceStep();
    QGroupBox* BuildFileStep();
    QGroupBox* BuildShowAsStep();
    QGroupBox* MakeStep(size_t iStep, const QString& sCaption);
    void LayOutStep(size_t iStep, std::initializer_list<QRadioButton*> options, QWidget* pBeside);
    QGroupBox* BuildResults();
};
