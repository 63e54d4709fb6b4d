#pragma once

#include <QIcon>

namespace vornel {

// Registers the resources compiled into the static vornel_ui library (":/vornel/..."). A static
// library's resource object is dropped by the linker unless something refers to it, so every
// user of a resource calls this first. Safe to call any number of times.
void init_resources();

// The program's icon (":/vornel/vornel.png"), shared by the main window and the explanations
// window. Registers the resources itself.
QIcon app_icon();

// Makes the "Tahoma" family available. When the system's font configuration lacks it, the copy
// shipped with fonts-wine (/usr/share/wine/fonts/tahoma.ttf, and tahomabd.ttf for bold) is added
// to the application's fonts; without that file Qt falls back quietly to its nearest family.
// Needs a QGuiApplication; runs its work once per process.
void ensure_tahoma();

} // namespace vornel
