// The zone table, the daylight-saving rules and the month lengths.
//
// The zone names are the ones the world clock has always shown, spelling
// included.  gen_cities.py reads the zone rows below (one per line, in this
// form) to check the city table's zone keys: keep the format.
#include "zonath.h"

// dst, key, offset (minutes), name  // position
const CTZInfo g_TZInfo[kTzCount] = {
    {0, 0, -720, L"G-12 Eniwetok, Kwajalein"},  // 0
    {0, 1, -660, L"G-11 Midway Island, Samoa"},  // 1
    {0, 2, -600, L"G-10 Hawaii"},  // 2
    {1, 3, -540, L"G-9 Alaska"},  // 3
    {1, 4, -480, L"G-8 Pacific TimeUS"},  // 4
    {1, 10, -420, L"G-7 Mountain TimeUS & Canada"},  // 5
    {0, 15, -420, L"G-7 Arizona"},  // 6
    {1, 20, -360, L"G-6 Central TimeUS & Canada"},  // 7
    {0, 25, -360, L"G-6 Saskatchewan"},  // 8
    {0, 28, -360, L"G-6 Central America"},  // 9
    {0, 30, -360, L"G-6 Mexico City"},  // 10
    {1, 35, -300, L"G-5 Eastern TimeUS & Canada"},  // 11
    {0, 40, -300, L"G-5 IndianaEast"},  // 12
    {0, 45, -300, L"G-5 Bogota, Lima,Quito"},  // 13
    {1, 50, -240, L"G-4 Atlantic TimeCanada"},  // 14
    {0, 55, -240, L"G-4 Caracas, La Paz"},  // 15
    {0, 56, -240, L"G-4 Santiago"},  // 16
    {1, 60, -210, L"G-3:30 Newfoundland"},  // 17
    {0, 63, -180, L"G-3 Greenland"},  // 18
    {1, 65, -180, L"G-3 Brasilia"},  // 19
    {0, 70, -180, L"G-3 Buenos Aires"},  // 20
    {1, 75, -120, L"G-2 Mid-Atlantic"},  // 21
    {0, 77, -60, L"G-1 Cape Verde Starndard Time"},  // 22
    {1, 80, -60, L"G-1 Azores Standard Time"},  // 23
    {1, 85, 0, L"GMT Greenwich Mean Time"},  // 24
    {0, 90, 0, L"GMT Monrovia, Casablanca"},  // 25
    {0, 93, 60, L"G+1 West Central Africa"},  // 26
    {1, 95, 60, L"G+1 Budapest, Prague"},  // 27
    {0, 100, 60, L"G+1 Sarajevo, Vilnius"},  // 28
    {1, 105, 60, L"G+1 Brussels, Paris"},  // 29
    {1, 110, 60, L"G+1 Amsterdam, Berlin"},  // 30
    {1, 115, 120, L"G+2 Estern Europe, Bucharest"},  // 31
    {1, 120, 120, L"G+2 Cairo"},  // 32
    {0, 125, 120, L"G+2 Helsinki, Riga"},  // 33
    {1, 130, 120, L"G+2 Athens, Istanbul"},  // 34
    {1, 135, 120, L"G+2 Jerusalem"},  // 35
    {0, 140, 120, L"G+2 Harare, Pretoria"},  // 36
    {1, 145, 180, L"G+3 Moscow, Volgograd"},  // 37
    {0, 150, 180, L"G+3 Kuwait, Riyadh"},  // 38
    {0, 153, 180, L"G+3 Baghdad"},  // 39
    {0, 155, 180, L"G+3 Nairobi"},  // 40
    {1, 160, 210, L"G+3:30 Tehran"},  // 41
    {0, 165, 240, L"G+4 Abu Dhabi, Muscat"},  // 42
    {0, 170, 240, L"G+4 Baku, Tbilisi"},  // 43
    {0, 175, 270, L"G+4:30 Kabul"},  // 44
    {0, 180, 300, L"G+4 Yekaterinburg"},  // 45
    {0, 185, 300, L"G+5 Islamabad, Karachi"},  // 46
    {0, 190, 330, L"G+5:30 Bombay, Calcutta"},  // 47
    {0, 193, 345, L"G+5:45 Kathmandu"},  // 48
    {0, 195, 360, L"G+6 Astana, Dhaka"},  // 49
    {0, 197, 360, L"G+6 Almaty, Novosibirsk"},  // 50
    {0, 200, 360, L"G+6 Sri Jayawardenepura"},  // 51
    {0, 203, 390, L"G+6:30 Yangoon"},  // 52
    {0, 205, 420, L"G+7 Bangkok, Hanoi"},  // 53
    {0, 207, 420, L"G+7 Krasnoyarsk"},  // 54
    {1, 210, 480, L"G+8 Beijing, Hong Kong"},  // 55
    {0, 215, 480, L"G+8 Singapore"},  // 56
    {0, 220, 480, L"G+8 Taipei"},  // 57
    {0, 225, 480, L"G+8 Perth"},  // 58
    {0, 227, 480, L"G+8 Irkutsk, Ulaanbatar"},  // 59
    {0, 230, 540, L"G+9 Seoul"},  // 60
    {0, 235, 540, L"G+9 Osaka, Sapporo, Tokyo"},  // 61
    {0, 240, 540, L"G+9 Yakutsk"},  // 62
    {0, 245, 570, L"G+9:30 Darwin"},  // 63
    {1, 250, 570, L"G+9:30 Adelaide"},  // 64
    {1, 255, 600, L"G+10 Sydney, Melbourne"},  // 65
    {0, 260, 600, L"G+10 Brisbane"},  // 66
    {1, 265, 600, L"G+10 Hobart"},  // 67
    {0, 270, 600, L"G+10 Vladivostok"},  // 68
    {0, 275, 600, L"G+10 Guam, Port Moresby"},  // 69
    {0, 280, 660, L"G+11 Magadan, Solomon Is."},  // 70
    {0, 285, 720, L"G+12 Fiji, Kamchatka"},  // 71
    {1, 290, 720, L"G+12 Auckland, Wellington"},  // 72
    {0, 300, 780, L"G+13 Nuku'alofa"},  // 73
};

// The rules these devices shipped with (from before 2007).  Moments are
// month, weekday (0 Sunday), week (5 the last), hour.
const CDstRule g_DstRules[kDstRuleCount] = {
    // key, standard time starts, daylight time starts
    {3, {10, 0, 5, 2}, {4, 0, 1, 2}},
    {4, {10, 0, 5, 2}, {4, 0, 1, 2}},
    {10, {10, 0, 5, 2}, {4, 0, 1, 2}},
    {20, {10, 0, 5, 2}, {4, 0, 1, 2}},
    {35, {10, 0, 5, 2}, {4, 0, 1, 2}},
    {50, {10, 0, 5, 2}, {4, 0, 1, 2}},
    {60, {10, 0, 5, 2}, {4, 0, 1, 2}},
    {65, {2, 0, 2, 2}, {10, 0, 3, 2}},
    {75, {9, 0, 5, 2}, {3, 0, 5, 2}},
    {80, {9, 0, 5, 2}, {3, 0, 5, 2}},
    {85, {10, 0, 5, 3}, {3, 0, 5, 2}},
    {95, {10, 0, 5, 3}, {3, 0, 5, 2}},
    {105, {10, 0, 5, 3}, {3, 0, 5, 2}},
    {110, {10, 0, 5, 3}, {3, 0, 5, 2}},
    {115, {9, 0, 5, 1}, {3, 0, 5, 0}},
    {120, {9, 3, 5, 2}, {5, 5, 1, 2}},
    {130, {10, 0, 5, 0}, {3, 0, 5, 0}},
    {135, {9, 0, 1, 2}, {3, 0, 5, 2}},
    {145, {10, 0, 5, 2}, {3, 0, 5, 2}},
    {160, {9, 2, 4, 2}, {3, 0, 1, 2}},
    {210, {9, 0, 2, 2}, {4, 0, 2, 2}},
    {250, {3, 0, 1, 2}, {10, 0, 5, 2}},
    {255, {3, 0, 1, 2}, {10, 0, 5, 2}},
    {265, {3, 0, 5, 2}, {10, 0, 1, 2}},
    {290, {3, 0, 3, 2}, {10, 0, 1, 2}},
};

const WORD g_MonthDays[2][13] = {
    {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};

BOOL GetArrIndexByTzIndex(WORD tzIndex, WORD* arrIndex)
{
    for (WORD position = 0; position < kTzCount; ++position) {
        if (g_TZInfo[position].wTzIndex == tzIndex) {
            if (arrIndex)
                *arrIndex = position;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL GetTzInfoByArrIndex(WORD arrIndex, const CTZInfo** info)
{
    if (info)
        *info = nullptr;
    if (arrIndex >= kTzCount)
        return FALSE;
    if (info)
        *info = &g_TZInfo[arrIndex];
    return TRUE;
}

BOOL GetTzInfoByTzIndex(WORD tzIndex, const CTZInfo** info)
{
    WORD position = 0;
    if (!GetArrIndexByTzIndex(tzIndex, &position)) {
        if (info)
            *info = nullptr;
        return FALSE;
    }
    return GetTzInfoByArrIndex(position, info);
}
