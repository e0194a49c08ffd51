#pragma once
// Help > Instructions...: opens the user guide readme.txt, which lies in the
// program's own folder (or, once installed, its data folder), in a text
// editor. The program never reads the file.

struct CProgramFolders;
class QWidget;

namespace CInstructions {
// Starts the first editor found, without waiting, with the path of the
// guide in the data folder of folders as its one argument. A missing file or
// an editor that cannot be started is reported in a message box over
// pParent; nothing else changes.
void Open(QWidget* pParent, const CProgramFolders& folders);
} // namespace CInstructions
