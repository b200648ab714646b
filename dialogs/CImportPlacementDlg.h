#pragma once
// Asked by File > Import Channels... when a channel list's Locations do not all name
// channels 1..16 (a longer list, often numbered from 0): which rows to import, by their
// Location, and the channel the first of them goes to. The rows then fill the channels
// in file order.

#include "document/ChannelImport.h"
#include "document/CommonCsvLayout.h"
#include "radio/Language.h"

#include <QDialog>

class QSpinBox;

class CImportPlacementDlg : public QDialog {
    Q_OBJECT
public:
    CImportPlacementDlg(const LocationSpan& span, Language language, QWidget* parent = nullptr);

    // The choice, as the import options --rows A-B and --first-channel N take it.
    LocationRange rows() const;
    int firstChannel() const;

    QSpinBox* fromBox() const { return m_from; }
    QSpinBox* toBox() const { return m_to; }
    QSpinBox* channelBox() const { return m_channel; }

private:
    QSpinBox* m_from;
    QSpinBox* m_to;
    QSpinBox* m_channel;
};
