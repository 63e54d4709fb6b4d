// Printing an explanation through QPrinter into a PDF file.

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#include "classic_page.h"
#include "explanation_print.h"
#include "explications_test_support.h"
#include "ladder.h"
#include "ladder_page.h"

namespace {

constexpr const char* kHard = "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......";

vornel::ladder::Grid grid_of(const char* line) {
    vornel::ladder::Grid g{};
    for (int i = 0; i < 81; ++i) g[i] = static_cast<std::uint8_t>(line[i] >= '1' && line[i] <= '9' ? line[i] - '0' : 0);
    return g;
}

// The number of pages of a PDF file Qt wrote (each page is one "/Type /Page" object).
int pdf_pages(const QByteArray& pdf) {
    int pages = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0; at = pdf.indexOf("/Type /Page", at + 1))
        if (pdf.mid(at + 11, 1) != "s") ++pages;
    return pages;
}

} // namespace

class ExplanationPrintTest : public QObject {
    Q_OBJECT

private slots:
    void a_long_explanation_prints_to_pdf_over_several_pages_with_a_board_per_step() {
        const vornel::ladder::Explanation e = vornel::ladder::explain(grid_of(kHard));
        QVERIFY(e.steps.size() > 20);
        const vornel::report::Page page = vornel::report::ladder_page("Grille difficile", e);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("explication.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        QVERIFY(vornel::paint_page(page, printer));
        QFile pdf(file);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        // About three steps a page: a board is 55 mm high on an A4 or Letter page.
        const int pages = pdf_pages(bytes);
        QVERIFY2(pages >= static_cast<int>(e.steps.size()) / 5, qPrintable(QString::number(pages)));
        QVERIFY2(pages <= static_cast<int>(e.steps.size()) + 2, qPrintable(QString::number(pages)));
    }

    void a_classic_explanation_prints_too() {
        vornel::PuzzleValues values{};
        const auto g = grid_of(kHard);
        for (int i = 0; i < 81; ++i) values[i] = g[i];
        const vornel::report::Page page = vornel::report::classic_page("Grille", values);
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("classique.pdf")));
        QVERIFY(vornel::paint_page(page, printer));
        QVERIFY(QFileInfo(printer.outputFileName()).size() > 1000);
    }

    void a_printer_that_cannot_open_reports_failure() {
        const vornel::report::Page page =
            vornel::report::ladder_page("Grille", vornel::ladder::explain(grid_of(kHard)));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QStringLiteral("/nonexistent-folder/explication.pdf"));
        QVERIFY(!vornel::paint_page(page, printer));
    }
};

int run_explanation_print_tests(int argc, char** argv) {
    ExplanationPrintTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "explanation_print_test.moc"
