#pragma once
// Selections of drop-down lists as the settings dialogs keep them: an item index, or
// no selection at all when the image holds a value that the list does not offer.

#include <QString>
#include <QStringList>

constexpr int kNoSelection = -1;

// `index` when it names an item of a list of `count` items, otherwise kNoSelection.
int IndexInList(int index, int count);

// The first item that begins with `prefix`, compared case-insensitively, the way a
// drop-down list looks up a text; kNoSelection when no item does.
int FindItemWithPrefix(const QStringList& items, const QString& prefix);

// The text of item `index`, or an empty text for no selection.
QString ItemText(const QStringList& items, int index);
