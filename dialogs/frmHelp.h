#pragma once
// The "Quick Help" tool window: one numbered help text per step of the main
// window. It grows out of the main window's top-left corner over ten timer
// ticks and keeps the main window disabled until it is closed, however that
// happens.

#include <QPointer>
#include <QSize>
#include <QString>
#include <QWidget>

class QColor;
class QCursor;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;

class frmHelp : public QWidget {
    Q_OBJECT

public:
    // The main window is both the owner of this window and the window that
    // is disabled while it is open. The help window deletes itself on close.
    explicit frmHelp(QWidget* pMainWindow);

    // Write-only: which help text the next Load shows.
    void setHelpNum(qint16 iNewValue);

    // Fills in the texts, places the window on the main window's corner at
    // zero size, disables the main window, shows itself and starts growing.
    // Returns at once; the growth runs on the timer.
    void Load();

    // True while the opening animation is still running.
    bool isGrowing() const;

    // The size the window ends at: large enough for every help text.
    QSize DesignSize() const { return m_DesignSize; }

    // Stored help text of a number (paragraphs joined by two carriage
    // returns); empty for any number without a text.
    static QString HelpText(int iHelpNum);
    // The same text as shown: paragraphs separated by a blank line.
    static QString DisplayText(const QString& sStoredText);

    // Magnifying-glass pointer for the clickable help numbers.
    static QCursor HelpCursor();
    // The light green behind every help number, here and in the main window.
    static QColor HelpColour();

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;

private:
    void tmr_Timer();
    void ApplyGeometry();
    void BuildLayout();

    QPointer<QWidget> m_pMainWindow;
    qint16 m_iHelpNum = 0;
    // Window top, in twips, when the animation began. Kept in 32 bits: a
    // 16-bit twip count overflows on screens more than 2184 pixels tall.
    int StartTop = 0;
    // Geometry being animated, in twips, kept here rather than read back
    // from the window so that a window manager that adjusts the window
    // cannot stretch or stall the animation.
    int m_iLeft = 0;
    int m_iTop = 0;
    int m_iWidth = 0;
    int m_iHeight = 0;
    QSize m_DesignSize;

    QLabel* lblHelpNum = nullptr;
    QFrame* Shape4 = nullptr;
    QLabel* lblHelpText = nullptr;
    QPushButton* cmdOk = nullptr;
    QTimer* tmr = nullptr;
};
