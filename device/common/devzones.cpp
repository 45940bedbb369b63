// The time zones of the device's clock page: the 74 a Pocket PC 2003 offers,
// with the daylight-saving rules it shipped with (from before 2007: a device
// of its day knows no later changes).  Transition rule fields: month,
// weekday (0 Sunday), week of the month (5 the last), hour.
#include "devclock.h"

namespace {

const DevZone kZones[] = {
    // key, offset (minutes), list text, standard name, daylight name,
    // standard time starts, daylight time starts
    {0, -720, L"GMT-12 Eniwetok, Kwajalein", L"Dateline Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {1, -660, L"GMT-11 Midway Island, Samoa", L"Samoa Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {2, -600, L"GMT-10 Hawaii", L"Hawaiian Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {3, -540, L"GMT-9 Alaska", L"Alaskan Standard Time", L"Alaskan Daylight Time", {10, 0, 5, 2}, {4, 0, 1, 2}},
    {4, -480, L"GMT-8 Pacific US & Canada", L"Pacific Standard Time", L"Pacific Daylight Time", {10, 0, 5, 2}, {4, 0, 1, 2}},
    {10, -420, L"GMT-7 Mountain US & Canada", L"Mountain Standard Time", L"Mountain Daylight Time", {10, 0, 5, 2}, {4, 0, 1, 2}},
    {15, -420, L"GMT-7 Arizona", L"US Mountain Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {20, -360, L"GMT-6 Central US & Canada", L"Central Standard Time", L"Central Daylight Time", {10, 0, 5, 2}, {4, 0, 1, 2}},
    {25, -360, L"GMT-6 Saskatchewan", L"Canada Central Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {28, -360, L"GMT-6 Central America", L"Central America Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {30, -360, L"GMT-6 Mexico City", L"Mexico Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {35, -300, L"GMT-5 Eastern US & Canada", L"Eastern Standard Time", L"Eastern Daylight Time", {10, 0, 5, 2}, {4, 0, 1, 2}},
    {40, -300, L"GMT-5 Indiana (East)", L"US Eastern Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {45, -300, L"GMT-5 Bogota, Lima, Quito", L"SA Pacific Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {50, -240, L"GMT-4 Atlantic Canada", L"Atlantic Standard Time", L"Atlantic Daylight Time", {10, 0, 5, 2}, {4, 0, 1, 2}},
    {55, -240, L"GMT-4 Caracas, La Paz", L"SA Western Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {56, -240, L"GMT-4 Santiago", L"Pacific SA Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {60, -210, L"GMT-3:30 Newfoundland", L"Newfoundland Standard Time", L"Newfoundland Daylight Time", {10, 0, 5, 2}, {4, 0, 1, 2}},
    {63, -180, L"GMT-3 Greenland", L"Greenland Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {65, -180, L"GMT-3 Brasilia", L"E. South America Standard Time", L"E. South America Daylight Time", {2, 0, 2, 2}, {10, 0, 3, 2}},
    {70, -180, L"GMT-3 Buenos Aires", L"SA Eastern Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {75, -120, L"GMT-2 Mid-Atlantic", L"Mid-Atlantic Standard Time", L"Mid-Atlantic Daylight Time", {9, 0, 5, 2}, {3, 0, 5, 2}},
    {77, -60, L"GMT-1 Cape Verde Is.", L"Cape Verde Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {80, -60, L"GMT-1 Azores", L"Azores Standard Time", L"Azores Daylight Time", {9, 0, 5, 2}, {3, 0, 5, 2}},
    {85, 0, L"GMT Greenwich Mean Time", L"GMT Standard Time", L"GMT Daylight Time", {10, 0, 5, 3}, {3, 0, 5, 2}},
    {90, 0, L"GMT Monrovia, Casablanca", L"Greenwich Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {93, 60, L"GMT+1 West Central Africa", L"W. Central Africa Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {95, 60, L"GMT+1 Budapest, Prague", L"Central Europe Standard Time", L"Central Europe Daylight Time", {10, 0, 5, 3}, {3, 0, 5, 2}},
    {100, 60, L"GMT+1 Sarajevo, Vilnius", L"Central European Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {105, 60, L"GMT+1 Brussels, Paris", L"Romance Standard Time", L"Romance Daylight Time", {10, 0, 5, 3}, {3, 0, 5, 2}},
    {110, 60, L"GMT+1 Amsterdam, Berlin", L"W. Europe Standard Time", L"W. Europe Daylight Time", {10, 0, 5, 3}, {3, 0, 5, 2}},
    {115, 120, L"GMT+2 Eastern Europe, Bucharest", L"E. Europe Standard Time", L"E. Europe Daylight Time", {9, 0, 5, 1}, {3, 0, 5, 0}},
    {120, 120, L"GMT+2 Cairo", L"Egypt Standard Time", L"Egypt Daylight Time", {9, 3, 5, 2}, {5, 5, 1, 2}},
    {125, 120, L"GMT+2 Helsinki, Riga", L"FLE Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {130, 120, L"GMT+2 Athens, Istanbul", L"GTB Standard Time", L"GTB Daylight Time", {10, 0, 5, 0}, {3, 0, 5, 0}},
    {135, 120, L"GMT+2 Jerusalem", L"Israel Standard Time", L"Israel Daylight Time", {9, 0, 1, 2}, {3, 0, 5, 2}},
    {140, 120, L"GMT+2 Harare, Pretoria", L"South Africa Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {145, 180, L"GMT+3 Moscow, Volgograd", L"Russian Standard Time", L"Russian Daylight Time", {10, 0, 5, 2}, {3, 0, 5, 2}},
    {150, 180, L"GMT+3 Kuwait, Riyadh", L"Arab Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {153, 180, L"GMT+3 Baghdad", L"Arabic Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {155, 180, L"GMT+3 Nairobi", L"E. Africa Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {160, 210, L"GMT+3:30 Tehran", L"Iran Standard Time", L"Iran Daylight Time", {9, 2, 4, 2}, {3, 0, 1, 2}},
    {165, 240, L"GMT+4 Abu Dhabi, Muscat", L"Arabian Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {170, 240, L"GMT+4 Baku, Tbilisi", L"Caucasus Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {175, 270, L"GMT+4:30 Kabul", L"Afghanistan Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {180, 300, L"GMT+5 Yekaterinburg", L"Ekaterinburg Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {185, 300, L"GMT+5 Islamabad, Karachi", L"West Asia Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {190, 330, L"GMT+5:30 Bombay, Calcutta", L"India Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {193, 345, L"GMT+5:45 Kathmandu", L"Nepal Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {195, 360, L"GMT+6 Astana, Dhaka", L"Central Asia Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {197, 360, L"GMT+6 Almaty, Novosibirsk", L"N. Central Asia Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {200, 360, L"GMT+6 Sri Jayawardenepura", L"Sri Lanka Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {203, 390, L"GMT+6:30 Yangon", L"Myanmar Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {205, 420, L"GMT+7 Bangkok, Hanoi", L"SE Asia Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {207, 420, L"GMT+7 Krasnoyarsk", L"North Asia Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {210, 480, L"GMT+8 Beijing, Hong Kong", L"China Standard Time", L"China Daylight Time", {9, 0, 2, 2}, {4, 0, 2, 2}},
    {215, 480, L"GMT+8 Singapore", L"Malay Peninsula Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {220, 480, L"GMT+8 Taipei", L"Taipei Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {225, 480, L"GMT+8 Perth", L"W. Australia Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {227, 480, L"GMT+8 Irkutsk, Ulaanbaatar", L"North Asia East Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {230, 540, L"GMT+9 Seoul", L"Korea Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {235, 540, L"GMT+9 Osaka, Sapporo, Tokyo", L"Tokyo Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {240, 540, L"GMT+9 Yakutsk", L"Yakutsk Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {245, 570, L"GMT+9:30 Darwin", L"AUS Central Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {250, 570, L"GMT+9:30 Adelaide", L"Cen. Australia Standard Time", L"Cen. Australia Daylight Time", {3, 0, 1, 2}, {10, 0, 5, 2}},
    {255, 600, L"GMT+10 Sydney, Melbourne", L"AUS Eastern Standard Time", L"AUS Eastern Daylight Time", {3, 0, 1, 2}, {10, 0, 5, 2}},
    {260, 600, L"GMT+10 Brisbane", L"E. Australia Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {265, 600, L"GMT+10 Hobart", L"Tasmania Standard Time", L"Tasmania Daylight Time", {3, 0, 5, 2}, {10, 0, 1, 2}},
    {270, 600, L"GMT+10 Vladivostok", L"Vladivostok Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {275, 600, L"GMT+10 Guam, Port Moresby", L"West Pacific Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {280, 660, L"GMT+11 Magadan, Solomon Is.", L"Central Pacific Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {285, 720, L"GMT+12 Fiji, Kamchatka", L"Fiji Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
    {290, 720, L"GMT+12 Auckland, Wellington", L"New Zealand Standard Time", L"New Zealand Daylight Time", {3, 0, 3, 2}, {10, 0, 1, 2}},
    {300, 780, L"GMT+13 Nuku'alofa", L"Tonga Standard Time", L"", {0, 0, 0, 0}, {0, 0, 0, 0}},
};

const int kZoneCount = (int)(sizeof(kZones) / sizeof(kZones[0]));

} // namespace

int DevZoneCount()
{
    return kZoneCount;
}

const DevZone* DevZoneAt(int position)
{
    return position >= 0 && position < kZoneCount ? &kZones[position] : nullptr;
}

const DevZone* DevZoneByKey(WORD key)
{
    for (const DevZone& zone : kZones)
        if (zone.key == key)
            return &zone;
    return nullptr;
}
