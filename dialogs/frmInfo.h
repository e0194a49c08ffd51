#pragma once
// The About window: the program's name and version, a remark, the author's
// addresses and a link to the author's web page, over a background picture.

#include <QDialog>
#include <QPixmap>

class CClickLabel;
class QFrame;
class QLabel;
class QPushButton;

class frmInfo : public QDialog {
    Q_OBJECT
public:
    explicit frmInfo(QWidget* pParent = nullptr);

    // The author's details, shared with the main window's credit and link.
    static QString AuthorName();
    static QString AuthorEmail();
    static QString WebAddress();
    // The underlined link to WebAddress() that opens it in a browser, as
    // both this window and the main window show it.
    static CClickLabel* MakeWebLink(QWidget* pParent);

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    void BuildLayout();

    QPixmap m_Background;

    QLabel* lblAppName = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* lblMsg3 = nullptr;
    QLabel* lblMsg4 = nullptr;
    QLabel* lblEmail = nullptr;
    QLabel* Label2 = nullptr;
    CClickLabel* lblMyWeb = nullptr;
    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;
    QPushButton* cmdOK = nullptr;
    QLabel* Label4 = nullptr;
};
