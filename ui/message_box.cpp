// SPDX-License-Identifier: GPL-3.0-or-later
#include "message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include "failures.h"

namespace vornel {

void QtMessageBoxes::show(const BoxRequest& request) {
    QPointer<QWidget> previous = QApplication::activeWindow();
    QWidget* parent = previous ? previous.data() : owner_;
    const QMessageBox::Icon icon = request.kind == BoxKind::Failure ? QMessageBox::Critical : QMessageBox::Information;
    QMessageBox box(icon, request.caption, request.text, QMessageBox::Ok, parent);
    if (!request.more.isEmpty()) box.setInformativeText(request.more);
    box.exec();
    if (previous) previous->activateWindow();
}

QString application_title() {
    const QByteArray path = QCoreApplication::applicationFilePath().toUtf8();
    return QString::fromStdString(app_title(std::string_view(path.constData(), static_cast<std::size_t>(path.size()))));
}

} // namespace vornel
