#pragma once
// A label that reports a click: a left-button press and release both on the
// label, like a button but without taking the keyboard focus.

#include <QLabel>

class CClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit CClickLabel(QWidget* pParent = nullptr);
    explicit CClickLabel(const QString& sText, QWidget* pParent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;

private:
    bool m_bPressed = false;
};
