#pragma once
// The pictures compiled into the program. They live in a static library,
// where nothing would otherwise make the linker keep them: every window that
// shows one calls Init() first.

#include <QIcon>

namespace CResources {
void Init();
// The program's icon in all the sizes it is drawn in.
QIcon AppIcon();
} // namespace CResources
