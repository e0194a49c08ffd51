#include "widgets/CSeparatorWrapLayout.h"

#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QVariant>
#include <algorithm>
#include <limits>

CSeparatorWrapLayout::CSeparatorWrapLayout(QTextDocument* pDocument)
    : QAbstractTextDocumentLayout(pDocument) {
    pDocument->setDocumentLayout(this);
}

void CSeparatorWrapLayout::SetSeparator(const QString& sSeparator) {
    if (sSeparator == m_sSeparator)
        return;
    m_sSeparator = sSeparator;
    LayOut();
}

void CSeparatorWrapLayout::documentChanged(int, int, int) {
    LayOut();
}

void CSeparatorWrapLayout::LayOut() {
    const QTextDocument* pDoc = document();
    const qreal margin = pDoc->documentMargin();
    const qreal pageWidth = pDoc->pageSize().width();
    const qreal width = pageWidth > 0 ? std::max<qreal>(1, pageWidth - 2 * margin)
                                      : std::numeric_limits<int>::max();
    qreal y = margin;
    qreal widest = 0;
    for (QTextBlock block = pDoc->begin(); block.isValid(); block = block.next()) {
        const QSizeF blockSize = LayOutBlock(block, y, width);
        y += blockSize.height();
        widest = std::max(widest, blockSize.width());
    }
    const QSizeF size(pageWidth > 0 ? pageWidth : widest + 2 * margin, y + margin);
    if (size != m_Size) {
        m_Size = size;
        Q_EMIT documentSizeChanged(m_Size);
    }
    Q_EMIT update();
}

QSizeF CSeparatorWrapLayout::LayOutBlock(const QTextBlock& block, qreal y, qreal width) {
    QTextLayout* pLayout = block.layout();
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(block.blockFormat().alignment());
    // Every break is chosen here: the toolkit's own word boundaries would
    // fall inside the pieces, or be missing between them.
    if (!m_sSeparator.isEmpty())
        option.setWrapMode(QTextOption::WrapAnywhere);
    pLayout->setTextOption(option);
    pLayout->setPosition(QPointF(document()->documentMargin(), y));
    const QString sText = block.text();
    qreal height = 0;
    qreal widest = 0;
    pLayout->beginLayout();
    for (QTextLine line = pLayout->createLine(); line.isValid(); line = pLayout->createLine()) {
        line.setLineWidth(width);
        if (!m_sSeparator.isEmpty()) {
            const int iStart = line.textStart();
            const int iFits = line.textLength();
            const int iColumns = LineEnd(sText, iStart, iFits) - iStart;
            if (iColumns < iFits)
                line.setNumColumns(iColumns, width);
        }
        line.setPosition(QPointF(0, height));
        height += line.height();
        widest = std::max(widest, line.naturalTextWidth());
    }
    pLayout->endLayout();
    return {widest, height};
}

int CSeparatorWrapLayout::LineEnd(const QString& sText, int iStart, int iFits) const {
    const int iFitEnd = iStart + iFits;
    if (iFitEnd >= sText.size())
        return iFitEnd;
    const int iSeparator = static_cast<int>(m_sSeparator.size());
    // The last separator that ends within what fits; a piece wider than the
    // whole line (only ever typed) breaks where it must, so that all of it
    // shows.
    if (iFitEnd - iSeparator < iStart)
        return iFitEnd;
    const int iLast = static_cast<int>(sText.lastIndexOf(m_sSeparator, iFitEnd - iSeparator));
    return iLast >= iStart ? iLast + iSeparator : iFitEnd;
}

void CSeparatorWrapLayout::draw(QPainter* pPainter, const PaintContext& context) {
    pPainter->save();
    pPainter->setPen(context.palette.color(QPalette::Text));
    const QVariant cursorWidth = property("cursorWidth");
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const QRectF rect = blockBoundingRect(block);
        if (context.clip.isValid() && !rect.intersects(context.clip))
            continue;
        const int iBlockStart = block.position();
        const int iBlockEnd = iBlockStart + block.length();
        QList<QTextLayout::FormatRange> selections;
        for (const Selection& selection : context.selections) {
            const int iFrom = std::max(selection.cursor.selectionStart(), iBlockStart);
            const int iTo = std::min(selection.cursor.selectionEnd(), iBlockEnd);
            if (iFrom < iTo)
                selections.append({iFrom - iBlockStart, iTo - iFrom, selection.format});
        }
        QTextLayout* pLayout = block.layout();
        pLayout->draw(pPainter, QPointF(), selections, context.clip);
        if (context.cursorPosition >= iBlockStart && context.cursorPosition < iBlockEnd)
            pLayout->drawCursor(pPainter, QPointF(), context.cursorPosition - iBlockStart,
                                cursorWidth.isValid() ? cursorWidth.toInt() : 1);
    }
    pPainter->restore();
}

int CSeparatorWrapLayout::hitTest(const QPointF& point, Qt::HitTestAccuracy iAccuracy) const {
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const QRectF rect = blockBoundingRect(block);
        if (point.y() >= rect.bottom() && block.next().isValid())
            continue;
        const QTextLayout* pLayout = block.layout();
        const QPointF inBlock = point - pLayout->position();
        for (int i = 0; i < pLayout->lineCount(); ++i) {
            const QTextLine line = pLayout->lineAt(i);
            if (inBlock.y() >= line.rect().bottom() && i + 1 < pLayout->lineCount())
                continue;
            if (iAccuracy == Qt::ExactHit && !line.naturalTextRect().contains(inBlock))
                return -1;
            return block.position() + line.xToCursor(inBlock.x());
        }
        return iAccuracy == Qt::ExactHit ? -1 : block.position();
    }
    return -1;
}

QRectF CSeparatorWrapLayout::frameBoundingRect(QTextFrame*) const {
    return QRectF(QPointF(), m_Size);
}

QRectF CSeparatorWrapLayout::blockBoundingRect(const QTextBlock& block) const {
    const QTextLayout* pLayout = block.layout();
    if (!pLayout || pLayout->lineCount() == 0)
        return QRectF();
    const QTextLine last = pLayout->lineAt(pLayout->lineCount() - 1);
    return QRectF(pLayout->position(),
                  QSizeF(m_Size.width() - 2 * document()->documentMargin(), last.rect().bottom()));
}
