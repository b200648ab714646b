#include "radio/AlignmentAccess.h"

bool IsAlignmentAccessCode(const QString& entry) {
    return entry == QLatin1String("470162");
}
