#pragma once
// The marks over the results box's text, kept in layers that are set apart
// and shown together, so that one kind of mark never wipes out another.

#include <QList>
#include <QTextEdit>
#include <array>

class CResultsMarks {
public:
    enum Layer {
        Heard, // the note being heard while the tune plays
        LayerCount
    };

    explicit CResultsMarks(QTextEdit* pBox);

    // Replaces the layer's marks and shows every layer, in layer order.
    void Set(Layer iLayer, const QList<QTextEdit::ExtraSelection>& marks);
    void Clear(Layer iLayer) { Set(iLayer, {}); }

private:
    QTextEdit* m_pBox;
    std::array<QList<QTextEdit::ExtraSelection>, LayerCount> m_Layers;
};
