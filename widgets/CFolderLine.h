#pragma once
// A line that shows a folder's full path, for the dialogs that read from or
// write into a folder. Read-only, it takes no keyboard focus and adds no stop
// to the dialog's tab order; made editable, a folder typed or pasted into it
// is handed on with Enter. The end of a long path, the folder's own name,
// stays in sight and the tooltip shows the whole path.

#include <QWidget>

class QLabel;
class QLineEdit;

class CFolderLine : public QWidget {
    Q_OBJECT
public:
    // sBoxName is the line's object name.
    CFolderLine(const QString& sBoxName, QWidget* pParent);

    void setFolder(const QString& sFolder);
    QString folder() const;

    // Lets the user type into the line, with Alt+F to get there.
    void setEditable();

Q_SIGNALS:
    // Enter in an editable line, with what it holds.
    void folderEntered(const QString& sFolder);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    QLabel* lblFolder = nullptr;
    QLineEdit* txtFolder = nullptr;
};
