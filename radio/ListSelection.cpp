#include "radio/ListSelection.h"

int IndexInList(int index, int count) {
    return index >= 0 && index < count ? index : kNoSelection;
}

int FindItemWithPrefix(const QStringList& items, const QString& prefix) {
    for (int i = 0; i < items.size(); ++i) {
        if (items[i].startsWith(prefix, Qt::CaseInsensitive))
            return i;
    }
    return kNoSelection;
}

QString ItemText(const QStringList& items, int index) {
    return IndexInList(index, items.size()) == kNoSelection ? QString() : items[index];
}
