#pragma once
// A read-only line that shows a folder's full path, for the dialogs that
// read from or write into a folder. It takes no keyboard focus, so it adds
// no stop to the dialog's tab order; the end of a long path, the folder's
// own name, stays in sight and the tooltip shows the whole path.

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

private:
    QLabel* lblFolder = nullptr;
    QLineEdit* txtFolder = nullptr;
};
