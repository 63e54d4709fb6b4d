// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QIcon>
#include <QString>

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

// Where fonts-wine puts its copy of Tahoma (regular weight).
QString wine_tahoma_file();

// The program's one font: Tahoma at `pixels` pixels, upright unless `italic`.
QFont tahoma(int pixels, bool italic = false);

// Makes Qt's own words French whatever the desktop's locale: the default locale becomes French
// (France), and Qt's French translations (qtbase_fr.qm from Qt's translations folder, else the
// copy built into the program when one was found at build time) are installed, so that the
// standard dialogs, their questions, buttons and the cells' context menus read "Annuler",
// "Nom de fichier :", "Co&ller"... The program's own texts are French already. Needs a
// QCoreApplication. The same as install_language(Language::French) (language_choice.h).
void install_qt_translations();

} // namespace vornel
