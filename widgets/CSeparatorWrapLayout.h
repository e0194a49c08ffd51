#pragma once
// Lays out a plain text box so that its lines wrap only right after a
// separator, never inside the pieces between; the text itself is untouched.

#include <QAbstractTextDocumentLayout>
#include <QList>
#include <QSizeF>
#include <QString>

class QTextBlock;
class QTextDocument;

class CSeparatorWrapLayout : public QAbstractTextDocumentLayout {
    Q_OBJECT
public:
    // Becomes the layout of pDocument, which owns it.
    explicit CSeparatorWrapLayout(QTextDocument* pDocument);

    // Lines break only after sSeparator, unless a piece between two is
    // wider than the whole line. Empty: wraps as any text box does.
    void SetSeparator(const QString& sSeparator);

    void draw(QPainter* pPainter, const PaintContext& context) override;
    int hitTest(const QPointF& point, Qt::HitTestAccuracy iAccuracy) const override;
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override { return m_Size; }
    QRectF frameBoundingRect(QTextFrame* pFrame) const override;
    QRectF blockBoundingRect(const QTextBlock& block) const override;

protected:
    void documentChanged(int iFrom, int iCharsRemoved, int iCharsAdded) override;

private:
    void LayOut();
    // Lays out block at height y; returns its widest line and its height.
    QSizeF LayOutBlock(const QTextBlock& block, qreal y, qreal width);
    // Where the line starting at iStart that fits iFits characters ends.
    int LineEnd(const QString& sText, int iStart, int iFits) const;

    QString m_sSeparator;
    QSizeF m_Size;
};
