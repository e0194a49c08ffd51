#pragma once
// Where the program's windows open and how they stay with their owner: each
// one whole on its screen, centred where it fits, and a modal window never
// minimised or maximised away from the window it belongs to.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace CWindowPlacement {
// Centres the whole window, frame included, on the free area of the
// screen its owner is on (the primary screen for a window without one).
// A window larger than that area keeps its title bar on screen.
void CentreOnScreen(QWidget* pWindow);

// The top-left corner of a window of outer size outer centred on area;
// where it does not fit, its top-left corner stays inside the area.
QPoint CentredIn(const QRect& area, const QSize& outer);

// The largest size the window may have, its frame included, on the free
// area of its screen.
QSize RoomFor(const QWidget* pWindow);

// Shrinks a window that would not fit on its screen, frame included, to
// the free area, but never below what its layout needs.
void FitOnScreen(QWidget* pWindow);

// A title bar with a close box only, no minimise or maximise button; and
// where a window manager minimises the window all the same, it and its
// owner are brought back at once.
void KeepWithOwner(QWidget* pWindow);
} // namespace CWindowPlacement
