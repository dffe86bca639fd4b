#include "program/BuildDate.h"

#include <cstdio>
#include <cstring>

int MonthFromAbbreviation(const char* text)
{
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    constexpr size_t kAbbreviation = 3;
    if (std::strlen(text) < kAbbreviation)
        return -1;
    for (int k = 0; k < 12; ++k) {
        if (std::strncmp(text, kMonths[k], kAbbreviation) == 0)
            return k + 1;
    }
    return -1;
}

QString FormatBuildDate(const char* stamp)
{
    char month[16] = {};
    int day = 0;
    int year = 0;
    std::sscanf(stamp, "%15s %d %d", month, &day, &year);
    return QString::asprintf("%04d/%02d/%02d", year, MonthFromAbbreviation(month), day);
}

QString GetBuildDate()
{
    return FormatBuildDate(__DATE__);
}
