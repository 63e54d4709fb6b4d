// SPDX-License-Identifier: GPL-3.0-or-later
// Not a test: a small window that starts a drag when pressed, so that a script driving the real
// mouse (xdotool) can drop a file or a text on the program as another program would.
// Usage: vornel_drag_source file PATH | text TEXT

#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include <cstdio>
#include <cstring>

namespace {

class DragSource final : public QLabel {
public:
    DragSource(bool file, QString value) : file_(file), value_(std::move(value)) {
        setText(QStringLiteral("Glisser : ") + value_);
        setWindowTitle(QStringLiteral("vornel_drag_source"));
        resize(200, 100);
    }

protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* data = new QMimeData;
        if (file_) {
            // As file managers offer a file: its address, and the address as text.
            data->setUrls({QUrl::fromLocalFile(value_)});
            data->setText(QUrl::fromLocalFile(value_).toString());
        } else {
            data->setText(value_);
        }
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        const Qt::DropAction done = drag->exec(Qt::CopyAction);
        std::printf("drop %s\n", done == Qt::CopyAction ? "taken" : "refused");
        std::fflush(stdout);
    }

private:
    bool file_;
    QString value_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3 || (std::strcmp(argv[1], "file") != 0 && std::strcmp(argv[1], "text") != 0)) {
        std::fprintf(stderr, "usage: vornel_drag_source file PATH | text TEXT\n");
        return 2;
    }
    DragSource source(std::strcmp(argv[1], "file") == 0, QString::fromLocal8Bit(argv[2]));
    source.move(0, 0);
    source.show();
    return QApplication::exec();
}
