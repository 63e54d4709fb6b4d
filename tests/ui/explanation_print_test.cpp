// SPDX-License-Identifier: GPL-3.0-or-later
// Printing an explanation through QPrinter into a PDF file.

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
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
// Step 20 is a forcing chain of five branches.
constexpr const char* kBranching = "..3......4...8..36..8...1...4..6..73...9..........2..5..4.7..686........7..6..5..";

vornel::Grid grid_of(const char* line) {
    vornel::Grid g{};
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
    void layout_puts_two_boards_a_row_in_portrait_three_in_landscape_with_readable_marks_data() {
        QTest::addColumn<QPageSize::PageSizeId>("size");
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        QTest::addColumn<int>("columns");
        QTest::newRow("A4 portrait") << QPageSize::A4 << QPageLayout::Portrait << 2;
        QTest::newRow("A4 landscape") << QPageSize::A4 << QPageLayout::Landscape << 3;
        QTest::newRow("Letter portrait") << QPageSize::Letter << QPageLayout::Portrait << 2;
        QTest::newRow("Letter landscape") << QPageSize::Letter << QPageLayout::Landscape << 3;
    }

    void layout_puts_two_boards_a_row_in_portrait_three_in_landscape_with_readable_marks() {
        QFETCH(QPageSize::PageSizeId, size);
        QFETCH(QPageLayout::Orientation, orientation);
        QFETCH(int, columns);
        const QPageLayout page(QPageSize(size), orientation, QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
        const vornel::PrintLayout layout = vornel::print_layout(page);
        QCOMPARE(layout.columns, columns);
        const double width = page.paintRect(QPageLayout::Millimeter).width();
        QVERIFY(layout.columns * layout.board_mm <= width);
        // A pencil mark's font size (the height of its line) is at least 2 mm.
        QVERIFY2(layout.candidate_mm >= 2.0, qPrintable(QString::number(layout.candidate_mm)));
    }

    void a_hard_puzzle_prints_to_a_small_vector_pdf_with_its_steps_side_by_side() {
        const vornel::ladder::Explanation e = vornel::ladder::explain(grid_of(kHard));
        QVERIFY(e.steps.size() > 20);
        const vornel::report::Page page = vornel::report::ladder_page("Grille difficile", e);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("explication.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(12, 12, 12, 12),
                                          QPageLayout::Millimeter));
        QVERIFY(vornel::paint_page(page, printer));
        QFile pdf(file);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        // Drawn, not pictured: no image in the file, and well under 1.5 MB.
        QVERIFY(!bytes.contains("/Subtype /Image"));
        QVERIFY2(bytes.size() < 1'500'000, qPrintable(QString::number(bytes.size())));
        // Two steps a row and three rows a page: six steps a page, the puzzle and the final grid
        // aside.
        const int pages = pdf_pages(bytes);
        const int steps = static_cast<int>(e.steps.size());
        QVERIFY2(pages >= steps / 6, qPrintable(QString::number(pages)));
        QVERIFY2(pages <= (steps + 5) / 6 + 2,
                 qPrintable(QStringLiteral("%1 pages for %2 steps").arg(pages).arg(steps)));
    }

    // A forcing chain's branches print as boards of their own under the step's row: the same page
    // without them takes fewer pages, and with them every branch board comes with its caption.
    void forcing_chains_print_one_board_per_branch() {
        const vornel::ladder::Explanation e = vornel::ladder::explain(grid_of(kBranching));
        const vornel::report::Page page = vornel::report::ladder_page("Grille", e);
        std::size_t boards = 0;
        for (const vornel::report::PageStep& step : page.steps) {
            QCOMPARE(step.branch_captions.size(), step.branches.size());
            boards += step.branches.size();
        }
        QVERIFY2(boards >= 5, qPrintable(QString::number(boards)));
        vornel::report::Page bare = page;
        for (vornel::report::PageStep& step : bare.steps) {
            step.branches.clear();
            step.branch_captions.clear();
        }
        QTemporaryDir dir;
        const auto pages_of = [&](const vornel::report::Page& printed, const QString& name) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(dir.filePath(name));
            printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                              QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
            if (!vornel::paint_page(printed, printer)) return -1;
            QFile pdf(printer.outputFileName());
            return pdf.open(QIODevice::ReadOnly) ? pdf_pages(pdf.readAll()) : -1;
        };
        const int with = pages_of(page, QStringLiteral("branches.pdf"));
        const int without = pages_of(bare, QStringLiteral("bare.pdf"));
        QVERIFY(without > 0);
        QVERIFY2(with > without,
                 qPrintable(QStringLiteral("%1 pages with the branches, %2 without").arg(with).arg(without)));
    }

    void a_classic_explanation_prints_too() {
        vornel::Values values{};
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
