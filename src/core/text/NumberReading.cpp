#include "core/text/NumberReading.h"

#include <QString>
#include <cmath>
#include <limits>

namespace {
bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// Scans a decimal number at the start of `s`; returns the characters used (0 when none).
qsizetype scanDecimal(QStringView s, double *value) {
    qsizetype i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        ++i;
    const qsizetype intStart = i;
    while (i < s.size() && s[i] >= u'0' && s[i] <= u'9')
        ++i;
    qsizetype digits = i - intStart;
    bool fraction = false;
    if (i < s.size() && s[i] == u'.') {
        const qsizetype fracStart = i + 1;
        qsizetype j = fracStart;
        while (j < s.size() && s[j] >= u'0' && s[j] <= u'9')
            ++j;
        if (digits > 0 || j > fracStart) {
            digits += j - fracStart;
            i = j;
            fraction = true;
        }
    }
    if (digits == 0)
        return 0;
    if (!value)
        return i;
    // Whole numbers of up to 15 digits are exact in a double: no need for the general parser,
    // which a project file with thousands of link lines would otherwise call for every one.
    if (!fraction && digits <= 15) {
        qint64 whole = 0;
        for (qsizetype k = intStart; k < i; ++k)
            whole = whole * 10 + (s[k].unicode() - u'0');
        *value = s[0] == u'-' ? -double(whole) : double(whole);
        return i;
    }
    bool ok = false;
    double v = s.first(i).toDouble(&ok);
    if (!ok) // only overflow gets here: the scan admits nothing else
        v = s.startsWith(u'-') ? -std::numeric_limits<double>::infinity()
                               : std::numeric_limits<double>::infinity();
    *value = v;
    return i;
}
} // namespace

double leadingDecimal(QStringView text) {
    QString compact;
    compact.reserve(text.size());
    for (QChar c : text)
        if (!isBlank(c))
            compact.append(c);
    double value = 0;
    if (scanDecimal(compact, &value) == 0)
        return 0;
    return value;
}

qint16 readBoxNumber(QStringView text) {
    const double value = std::nearbyint(leadingDecimal(text)); // default rounding: halves to even
    if (std::isnan(value))
        return 0;
    if (value <= std::numeric_limits<qint16>::min())
        return std::numeric_limits<qint16>::min();
    if (value >= std::numeric_limits<qint16>::max())
        return std::numeric_limits<qint16>::max();
    return static_cast<qint16>(value);
}

bool parseDecimal(QStringView text, double *value) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    const QStringView body = text.sliced(begin, end - begin);
    if (body.isEmpty())
        return false;
    double v = 0;
    if (scanDecimal(body, &v) != body.size())
        return false;
    if (value)
        *value = v;
    return true;
}
