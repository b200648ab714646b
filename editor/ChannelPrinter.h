#pragma once
// Prints the channel table as the grid shows it: a heading with the product, the file
// name and the date, then the ten columns for every channel that has a frequency, on
// as many pages as it needs. Each page repeats the column headings and is numbered.

#include "radio/ChannelCodec.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

struct ChannelPrintout {
    QString heading;                   // the product, as in the window title
    QString fileName;                  // the document's file name (or its title)
    QString date;                      // the day of printing
    QStringList headers;               // the ten column headings
    std::vector<double> columnWeights; // relative column widths
    QList<QStringList> rows;           // one row of texts per programmed channel
};

// The printout of the channel table as the grid shows it (`table`, with the column
// headings of `language`): every channel that has a receive frequency, dated today.
ChannelPrintout ChannelPrintoutOf(const ChannelTable& table, Language language,
                                  const QString& heading, const QString& fileName);

// Paints the printout on `device` (a printer, a PDF writer); returns the page count.
int PrintChannelTable(QPagedPaintDevice& device, const ChannelPrintout& printout);

// File > Print Setup: the platform's page setup for `printer`.
void RunPrintSetup(QPrinter& printer, QWidget* parent);
