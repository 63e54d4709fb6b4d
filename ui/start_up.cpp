#include "start_up.h"

#include <QApplication>
#include <QTimer>

#include "resources.h"
#include "tf_vrn.h"

namespace vornel {

int run_program(int& argc, char** argv, const std::function<void(Tf_vrn&)>& on_shown) {
    QApplication app(argc, argv);
    // The standard dialogs' own words (buttons, labels) follow the desktop's language.
    install_qt_translations();
    Tf_vrn f_vrn;
    f_vrn.show();
    // A bare show() does not activate the window everywhere (no window manager, for one); the
    // activation is what puts the focus on Edit11.
    f_vrn.activateWindow();
    if (on_shown) QTimer::singleShot(0, &f_vrn, [&f_vrn, &on_shown] { on_shown(f_vrn); });
    return QApplication::exec();
}

} // namespace vornel
