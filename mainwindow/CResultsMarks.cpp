#include "mainwindow/CResultsMarks.h"

CResultsMarks::CResultsMarks(QTextEdit* pBox) : m_pBox(pBox) {}

void CResultsMarks::Set(Layer iLayer, const QList<QTextEdit::ExtraSelection>& marks) {
    if (marks.isEmpty() && m_Layers[iLayer].isEmpty())
        return;
    m_Layers[iLayer] = marks;
    QList<QTextEdit::ExtraSelection> all;
    for (const QList<QTextEdit::ExtraSelection>& layer : m_Layers)
        all += layer;
    m_pBox->setExtraSelections(all);
}
