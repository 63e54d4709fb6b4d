// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources.h"

#include <QFile>
#include <QFontDatabase>
#include <QString>

// Q_INIT_RESOURCE declares the generated registration function in the enclosing namespace, so it
// must be expanded at global scope.
static void register_vornel_qrc() {
    Q_INIT_RESOURCE(vornel);
#ifdef VORNEL_BUNDLED_TRANSLATIONS
    Q_INIT_RESOURCE(vornel_translations);
#endif
}

namespace vornel {

void init_resources() {
    // Registering the same data twice would list it twice; a function-local static runs once.
    static const bool registered = [] {
        register_vornel_qrc();
        return true;
    }();
    (void)registered;
}

QIcon app_icon() {
    init_resources();
    return QIcon(QStringLiteral(":/vornel/vornel.png"));
}

void ensure_tahoma() {
    static const bool done = [] {
        if (QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive)) return true;
        for (const QString& path : {wine_tahoma_file(), QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf")})
            if (QFile::exists(path)) QFontDatabase::addApplicationFont(path); // -1 on failure: the fallback stays
        return true;
    }();
    (void)done;
}

QString wine_tahoma_file() { return QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"); }

QFont tahoma(int pixels, bool italic) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    font.setItalic(italic);
    return font;
}

} // namespace vornel
