#include "editor/ChannelPrinter.h"

#include "editor/ChannelGridSetup.h"
#include "ui/CommandIds.h"
#include "ui/HelpHook.h"

#include <QDate>
#include <QFont>
#include <QFontMetrics>
#include <QPageSetupDialog>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <numeric>

namespace {

constexpr int kLargestPoints = 10;
constexpr int kSmallestPoints = 6;
constexpr int kCellPadding = 2;     // in average characters
constexpr double kRowSpacing = 1.8; // row height in lines of text
constexpr int kHeadingLines = 3;    // product, file and date, a blank line
constexpr int kFooterLines = 2;     // a blank line, the page number

// Left edges of the columns across `width`, by weight; one more entry for the right edge.
std::vector<int> ColumnEdges(const std::vector<double>& weights, int columns, int width) {
    std::vector<double> used(weights.begin(), weights.end());
    used.resize(static_cast<size_t>(columns), 1.0);
    const double total = std::accumulate(used.begin(), used.end(), 0.0);
    std::vector<int> edges{0};
    double sum = 0;
    for (double weight : used) {
        sum += weight;
        edges.push_back(static_cast<int>(width * sum / total));
    }
    return edges;
}

void DrawRow(QPainter& painter, const QStringList& texts, const std::vector<int>& edges, int top,
             int height) {
    const QFontMetrics metrics = painter.fontMetrics();
    for (size_t col = 0; col + 1 < edges.size(); ++col) {
        const QRect cell(edges[col], top, edges[col + 1] - edges[col], height);
        painter.drawRect(cell);
        const QString text =
            static_cast<int>(col) < texts.size() ? texts[static_cast<int>(col)] : QString();
        painter.drawText(cell, Qt::AlignCenter,
                         metrics.elidedText(text, Qt::ElideRight, cell.width() - 4));
    }
}

// Whether every heading and text fits its column in the painter's current font.
bool TableFits(const QPainter& painter, const ChannelPrintout& printout,
               const std::vector<int>& edges) {
    QFont bold = painter.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold, painter.device());
    const int padding = metrics.averageCharWidth() * kCellPadding;
    auto fits = [&](const QStringList& texts) {
        for (int col = 0; col < texts.size() && col + 1 < static_cast<int>(edges.size()); ++col)
            if (metrics.horizontalAdvance(texts[col]) + padding >
                edges[static_cast<size_t>(col) + 1] - edges[static_cast<size_t>(col)])
                return false;
        return true;
    };
    return fits(printout.headers) && std::all_of(printout.rows.begin(), printout.rows.end(), fits);
}

} // namespace

int PrintChannelTable(QPagedPaintDevice& device, const ChannelPrintout& printout) {
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const int width = device.width() - 1;
    const int columns = std::max(1, static_cast<int>(printout.headers.size()));
    const std::vector<int> edges = ColumnEdges(printout.columnWeights, columns, width);

    // The largest type in which the whole table fits across the page.
    QFont font = painter.font();
    for (int points = kLargestPoints; points >= kSmallestPoints; --points) {
        font.setPointSize(points);
        painter.setFont(font);
        if (TableFits(painter, printout, edges))
            break;
    }

    const int line = painter.fontMetrics().lineSpacing();
    const int rowHeight = static_cast<int>(line * kRowSpacing);
    const int tableTop = line * kHeadingLines;
    const int tableSpace = device.height() - tableTop - line * kFooterLines - rowHeight;
    const int rowsPerPage = std::max(1, tableSpace / rowHeight);
    const int rowCount = static_cast<int>(printout.rows.size());
    const int pages = std::max(1, (rowCount + rowsPerPage - 1) / rowsPerPage);

    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            device.newPage();
        painter.drawText(QRect(0, 0, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                         printout.heading);
        painter.drawText(QRect(0, line, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                         printout.fileName);
        painter.drawText(QRect(0, line, width, line), Qt::AlignRight | Qt::AlignVCenter,
                         printout.date);

        QFont bold = font;
        bold.setBold(true);
        painter.setFont(bold);
        DrawRow(painter, printout.headers, edges, tableTop, rowHeight);
        painter.setFont(font);

        const int first = page * rowsPerPage;
        const int last = std::min(rowCount, first + rowsPerPage);
        int top = tableTop + rowHeight;
        for (int row = first; row < last; ++row, top += rowHeight)
            DrawRow(painter, printout.rows[row], edges, top, rowHeight);

        painter.drawText(QRect(0, device.height() - line, width, line), Qt::AlignCenter,
                         QStringLiteral("%1 / %2").arg(page + 1).arg(pages));
    }
    painter.end();
    return pages;
}

void RunPrintSetup(QPrinter& printer, QWidget* parent) {
    QPageSetupDialog dialog(&printer, parent);
    dialog.setProperty(kHelpIdProperty, CommandId::kFilePrintSetup);
    dialog.exec();
}

ChannelPrintout ChannelPrintoutOf(const ChannelTable& table, Language language,
                                  const QString& heading, const QString& fileName) {
    ChannelPrintout out;
    out.heading = heading;
    out.fileName = fileName;
    out.date = QDate::currentDate().toString(Qt::ISODate);
    for (int col = 0; col < kChannelColumns; ++col) {
        out.headers << ChannelColumnHeading(col, language);
        out.columnWeights.push_back(ColumnWidthFactor(col));
    }
    for (const ChannelRow& row : table) {
        if (!row[kColRxFrequency].isEmpty())
            out.rows << QStringList(row.begin(), row.end());
    }
    return out;
}
