#!/usr/bin/python3
"""Proposes the world clock's city table from Debian's data packages.

    tools/seed_cities.py [OUT.csv]      (default: time/zonath/cities.csv)

An aid for keeping time/zonath/cities.csv, not a build step: the build reads
the committed CSV (time/zonath/gen_cities.py checks and compiles it).  The
cities themselves are chosen below, by hand, country by country with the
country's usual zone key; the script fills in what the packages know:

  tzdata (zone.tab)           coordinates of the zone cities (ISO 6709);
                              Python's zoneinfo tells a zone's 2003 offset,
                              which is checked against the chosen zone key
  iso-codes                   country names
  python3-phonenumbers        calling codes; area codes from its geocoder
  weather-util-data           US places (census centroids), airports and
                              the weather stations at them (coordinates of
                              cities that are no zone city, airport codes)

A city may carry overrides in braces: {key=N} zone key, {at=LON/LAT}
coordinates (where no package has them: read off a map), {near=TEXT} the
weather station whose description holds TEXT (local spellings), {air=XXX} airport, {area=N} area code (65535: none),
{tz=Area/City} the zone to check the key against.  Anything the packages
cannot answer is reported; the script then fails, so that the CSV is never
written with a hole.  Install the packages first:

    apt-get install tzdata iso-codes python3-phonenumbers weather-util-data
"""
import csv
import datetime
import gzip
import json
import math
import re
import sys
import zoneinfo

import phonenumbers
from phonenumbers import country_code_for_region
from phonenumbers.geodata import GEOCODE_DATA

ROOT = __file__.rsplit("/tools/", 1)[0]
OUT = sys.argv[1] if len(sys.argv) > 1 else ROOT + "/time/zonath/cities.csv"

# The cities: "ISO2 KEY: City, City{overrides}, ..." (US: "City ST").
# Fixed rows (the seven the table is known by) carry all their fields.
SELECTION = """
GB 85: Aberdeen{at=-2.07/57.13,air=ABZ,area=1224}, Belfast, Birmingham, Cardiff, Edinburgh, Glasgow, Liverpool,
  London{at=-0.06/51.51,air=LHR,area=171}, Manchester, Bristol{area=117}, Leeds, Newcastle{area=191}
IE 85: Dublin, Cork
FR 105: Paris{air=CDG}, Lyon, Lille, Nantes, Marseille, Nice, Bordeaux, Toulouse, Strasbourg
DE 110: Berlin, Frankfurt{area=69}, Hamburg, Munich{near=Munchen}, Cologne{near=Koeln}, Stuttgart,
  Dusseldorf{near=Duesseldorf,area=211}, Dresden, Hanover{near=Hannover,area=511}
NL 110: Amsterdam, Rotterdam
BE 105: Brussels, Antwerp{near=Antwerpen}
LU 105: Luxembourg
CH 110: Bern, Geneva{near=Geneve}, Zurich
AT 110: Vienna, Salzburg
IT 110: Rome{air=FCO,area=6}, Milan{near=Milano / Linate,area=2}, Naples{near=Napoli / Capodichino,area=81},
  Palermo{area=91}, Bologna{area=51}, Venice{near=Venezia,area=41}, Florence{near=Firenze},
  Turin{near=Torino / Caselle,area=11}
ES 105: Madrid, Barcelona, Seville{near=Sevilla}, Valencia, Zaragoza, Malaga, Bilbao{area=94},
  Palma{area=971,near=Palma De Mallorca}
PT 85: Lisbon, Porto
DK 105: Copenhagen
NO 110: Oslo, Bergen
SE 110: Stockholm{air=ARN}, Gothenburg{near=Goteborg / Landvetter}
FI 125: Helsinki
IS 90: Reykjavik
PL 100: Warsaw{air=WAW}, Krakow
CZ 95: Prague
SK 95: Bratislava
HU 95: Budapest
SI 95: Ljubljana
HR 100: Zagreb
BA 100: Sarajevo
RS 95: Belgrade
MK 100: Skopje
AL 95: Tirana
GR 130: Athens{area=21}, Thessaloniki{area=231}
BG 125: Sofia
RO 115: Bucharest{air=OTP}
MD 115: Chisinau
UA 125: Kiev{at=30.52/50.45,air=KBP}, Odessa{at=30.73/46.48,air=ODS}
BY 115: Minsk
LT 125: Vilnius
LV 125: Riga
EE 125: Tallinn
RU 145: Moscow{air=SVO}, St. Petersburg{at=30.32/59.94,air=LED}, Samara{key=170}, Perm{key=180}, Omsk{key=197},
  Petropavlovsk-Kamchatsky{key=285,at=158.65/53.02,air=PKC}, Volgograd, Kaliningrad{key=115},
  Yekaterinburg{key=180}, Novosibirsk{key=197}, Krasnoyarsk{key=207}, Irkutsk{key=227}, Yakutsk{key=240},
  Vladivostok{key=270}, Magadan{key=280}
MT 110: Valletta{near=Luqa}
CY 130: Nicosia
TR 130: Ankara{near=Ankara / Esenboga}, Istanbul{air=IST}, Antalya, Izmir{near=Izmir / Adnan}
IL 135: Jerusalem, Tel Aviv{at=34.78/32.08,air=TLV}
JO 130: Amman{air=AMM}
LB 130: Beirut
SY 130: Damascus
IQ 153: Baghdad, Basra
IR 160: Tehran{air=THR}, Isfahan{near=Esfahan}
SA 150: Riyadh, Jeddah, Dhahran
KW 150: Kuwait City{near=Kuwait International}
BH 150: Manama{near=Bahrain International}
QA 150: Doha{air=DOH}
AE 165: Abu Dhabi{at=54.52/24.42,air=AUH,area=2}, Dubai
OM 165: Muscat
YE 150: Sanaa{at=44.21/15.35,air=SAH}
GE 170: Tbilisi
AM 170: Yerevan
AZ 170: Baku
KZ 195: Astana, Almaty{key=197}
UZ 185: Tashkent
TM 185: Ashgabat
KG 185: Bishkek
TJ 185: Dushanbe
AF 175: Kabul{air=KBL}
PK 185: Islamabad, Karachi, Lahore
IN 190: New Delhi{area=11}, Mumbai{area=22}, Kolkata{area=33}, Chennai{area=44}, Bangalore{area=80},
  Hyderabad{area=40}, Ahmedabad{at=72.58/23.03,air=AMD,area=79}, Pune{area=20}
NP 193: Kathmandu
BD 195: Dhaka
LK 200: Colombo{air=CMB}
BT 195: Thimphu
MV 185: Male
CN 210: Beijing{air=PEK}, Shanghai{air=PVG}, Tianjin, Nanjing{area=25}, Guangzhou{area=20}, Shenzhen{area=755},
  Chengdu{air=CTU,area=28}, Chongqing, Wuhan{area=27}, Harbin{area=451}, Urumqi, Lhasa{at=91.11/29.65,air=LXA}
HK 210: Hong Kong
MO 210: Macau
TW 220: Taipei{air=TPE}, Kaohsiung
MN 227: Ulaanbaatar
KP 230: Pyongyang{air=FNJ}
KR 230: Seoul{air=ICN}, Busan{near=Pusan}
JP 235: Tokyo{at=139.76/35.67,air=NRT,area=3}, Osaka{area=6}, Sapporo{air=CTS,area=11}, Nagoya{area=52},
  Fukuoka{area=92}, Hiroshima{area=82}, Sendai{area=22}, Kyoto{at=135.77/35.01,air=ITM,area=75}, Naha{area=98}
VN 205: Hanoi{at=105.85/21.03,air=HAN}, Ho Chi Minh City{near=Ho Chi Minh}
LA 205: Vientiane
KH 205: Phnom Penh
TH 205: Bangkok{area=2}, Chiang Mai
MM 203: Yangon
MY 215: Kuala Lumpur, Kota Kinabalu
SG 215: Singapore{air=SIN}
BN 215: Bandar Seri Begawan{near=Brunei Airport}
ID 205: Jakarta{air=CGK}, Surabaya, Medan, Denpasar{key=215}, Jayapura{key=235}
PH 215: Manila, Cebu{at=123.89/10.32,air=CEB}
TL 235: Dili{air=DIL}
AU 255: Adelaide{key=250}, Alice Springs{key=245}, Brisbane{key=260}, Cairns{key=260}, Canberra, Darwin{key=245},
  Hobart{key=265}, Melbourne, Perth{key=225}, Sydney{at=151.12/-33.96,air=SYD,area=2}
NZ 290: Auckland, Wellington, Christchurch
PG 275: Port Moresby
FJ 285: Suva{near=Nausori}
SB 280: Honiara
VU 280: Port Vila{near=Bauerfield}
NC 280: Noumea
PF 2: Papeete{near=Tahiti-Faaa}
WS 1: Apia
TO 300: Nuku'alofa{near=Fua'Amotu}
GU 275: Hagatna{near=Guam International,area=671}
EG 120: Cairo{area=2}, Alexandria, Luxor
LY 140: Tripoli
TN 93: Tunis
DZ 93: Algiers
MA 90: Rabat, Casablanca
MR 90: Nouakchott
SN 90: Dakar
GM 90: Banjul
GN 90: Conakry
SL 90: Freetown
LR 90: Monrovia
CI 90: Yamoussoukro
ML 90: Bamako
BF 90: Ouagadougou
NE 93: Niamey
GH 90: Accra
TG 90: Lome
BJ 93: Cotonou
NG 93: Abuja{key=113}, Lagos, Kano
CM 93: Yaounde, Douala
TD 93: N'Djamena{near=Ndjamena}
CF 93: Bangui
GA 93: Libreville
CG 93: Brazzaville
CD 93: Kinshasa, Lubumbashi{key=140}
AO 93: Luanda
ZM 140: Lusaka
ZW 140: Harare
MW 140: Lilongwe
MZ 140: Maputo
BW 140: Gaborone
NA 140: Windhoek{air=WDH}
ZA 140: Pretoria, Johannesburg, Cape Town, Durban, Port Elizabeth
LS 140: Maseru
SZ 140: Mbabane{air=MTS}
MG 155: Antananarivo
MU 165: Port Louis{near=Plaisance Mauritius}
SC 165: Victoria{near=Seychelles Inter}
TZ 155: Dar es Salaam, Dodoma
KE 155: Nairobi{air=NBO}, Mombasa
UG 155: Kampala
RW 140: Kigali
BI 140: Bujumbura
ET 155: Addis Ababa
ER 155: Asmara{air=ASM}
DJ 155: Djibouti
SO 155: Mogadishu
SD 155: Khartoum
CV 77: Praia
CA 35: Toronto{air=YYZ,area=416}, Montreal{area=514}, Ottawa{area=613}, Quebec{at=-71.21/46.81,air=YQB,area=418},
  Halifax{key=50,area=902}, St. John's{key=60,near=St. John'S,area=709}, Winnipeg{key=20,area=204},
  Regina{key=25,area=306}, Saskatoon{key=25,area=306}, Calgary{key=10,area=403}, Edmonton{key=10,area=780},
  Vancouver{key=4,area=604}, Whitehorse{key=4,area=867}
MX 30: Mexico City{area=55}, Guadalajara{near=Guadalaj,area=33}, Monterrey{air=MTY,area=81}, Merida,
  Cancun{area=998}, Chihuahua{key=10}, Tijuana{key=4}
GT 28: Guatemala City{near=Guatemala Aeropuerto}
BZ 28: Belize City{near=Belize / Phillip}
SV 28: San Salvador{air=SAL}
HN 28: Tegucigalpa
NI 28: Managua
CR 28: San Jose{near=Juan Santamaria,air=SJO}
PA 45: Panama City{near=Tocumen,air=PTY}
CU 35: Havana
JM 45: Kingston{area=876}
HT 35: Port-au-Prince
DO 55: Santo Domingo{air=SDQ,area=809}
PR 55: San Juan{area=787}
BS 35: Nassau{area=242}
BB 55: Bridgetown{near=Grantley Adams,area=246}
TT 55: Port of Spain{area=868}
CO 45: Bogota, Medellin{air=MDE}
VE 55: Caracas, Maracaibo
EC 45: Quito, Guayaquil
PE 45: Lima
BO 55: La Paz
CL 56: Santiago
AR 70: Buenos Aires{air=EZE,area=11}, Cordoba{area=351}, Mendoza{area=261}
UY 70: Montevideo
PY 55: Asuncion
BR 65: Brasilia{area=61}, Rio de Janeiro{near=Galeao,air=GIG}, Sao Paulo{air=GRU,area=11}, Porto Alegre{area=51},
  Salvador{key=70,area=71}, Recife{key=70,area=81}, Belem{key=70,area=91}, Fortaleza{key=70,area=85}, Curitiba,
  Manaus{key=55,air=MAO,area=92}
GY 55: Georgetown
SR 70: Paramaribo
GL 63: Nuuk
US 35: Birmingham AL{key=20}, Montgomery AL{key=20,air=MGM}, Mobile AL{key=20,air=MOB}, Huntsville AL{key=20},
  Anchorage AK{key=3}, Fairbanks AK{key=3}, Juneau AK{key=3}, Phoenix AZ{key=15}, Tucson AZ{key=15},
  Little Rock AR{key=20}, Los Angeles CA{key=4}, San Francisco CA{key=4}, San Diego CA{key=4}, San Jose CA{key=4},
  Sacramento CA{key=4}, Fresno CA{key=4}, Oakland CA{key=4}, Long Beach CA{key=4}, Denver CO{key=10},
  Colorado Springs CO{key=10}, Hartford CT{air=BDL}, New Haven CT, Wilmington DE, Washington DC{area=202}, Miami FL,
  Orlando FL, Tampa FL, Jacksonville FL, Tallahassee FL, Key West FL, Pensacola FL{key=20}, Atlanta GA{air=ATL},
  Savannah GA, Honolulu HI{key=2,at=-157.85/21.3,air=HNL,area=808}, Hilo HI{key=2}, Boise ID{key=10},
  Chicago IL{key=20}, Springfield IL{key=20}, Indianapolis IN{key=40}, Fort Wayne IN{key=40}, Des Moines IA{key=20},
  Wichita KS{key=20}, Topeka KS{key=20}, Louisville KY, Lexington KY, New Orleans LA{key=20},
  Baton Rouge LA{key=20}, Shreveport LA{key=20}, Portland ME, Bangor ME, Baltimore MD, Boston MA,
  Detroit MI{air=DTW}, Grand Rapids MI, Lansing MI, Minneapolis MN{key=20}, St. Paul MN{key=20,area=651},
  Duluth MN{key=20}, Jackson MS{key=20}, St. Louis MO{key=20}, Kansas City MO{key=20}, Billings MT{key=10},
  Helena MT{key=10}, Omaha NE{key=20}, Lincoln NE{key=20}, Las Vegas NV{key=4,air=LAS}, Reno NV{key=4},
  Manchester NH, Concord NH, Newark NJ, Trenton NJ, Atlantic City NJ, Albuquerque NM{key=10}, Santa Fe NM{key=10},
  New York NY{at=-73.99/40.74,air=JFK,area=212}, Buffalo NY, Albany NY, Rochester NY, Syracuse NY, Charlotte NC,
  Raleigh NC, Greensboro NC, Fargo ND{key=20}, Bismarck ND{key=20}, Columbus OH, Cleveland OH, Cincinnati OH,
  Toledo OH, Dayton OH, Akron OH{air=CAK}, Oklahoma City OK{key=20}, Tulsa OK{key=20}, Portland OR{key=4},
  Eugene OR{key=4}, Philadelphia PA, Pittsburgh PA, Harrisburg PA, Providence RI, Charleston SC, Columbia SC,
  Sioux Falls SD{key=20}, Rapid City SD{key=10}, Nashville TN{key=20}, Memphis TN{key=20}, Knoxville TN,
  Houston TX{key=20,air=IAH}, Dallas TX{key=20}, San Antonio TX{key=20}, Austin TX{key=20}, El Paso TX{key=10},
  Fort Worth TX{key=20}, Corpus Christi TX{key=20}, Amarillo TX{key=20}, Salt Lake City UT{key=10}, Burlington VT,
  Richmond VA, Norfolk VA, Seattle WA{key=4}, Spokane WA{key=4}, Charleston WV, Milwaukee WI{key=20,air=MKE},
  Madison WI{key=20}, Cheyenne WY{key=10,air=CYS}, Casper WY{key=10}
"""

# Country names as the table shows them, where iso-codes' short name reads
# like an index entry ("Korea, Republic of") or the device's day had another.
COUNTRY_NAMES = {
    "US": "USA", "RU": "Russia", "KR": "South Korea", "KP": "North Korea", "IR": "Iran", "SY": "Syria",
    "TZ": "Tanzania", "VE": "Venezuela", "BO": "Bolivia", "LA": "Laos", "MD": "Moldova", "MK": "Macedonia",
    "TW": "Taiwan", "VN": "Vietnam", "CD": "Congo (DR)", "CG": "Congo", "CI": "Ivory Coast", "BN": "Brunei",
    "SZ": "Swaziland", "CZ": "Czech Republic", "FM": "Micronesia", "PS": "Palestine", "MO": "Macau",
    "HK": "Hong Kong", "TL": "East Timor", "CV": "Cape Verde", "RS": "Serbia", "TR": "Turkey",
}

# Weather-station descriptions name some countries their own way.
STATION_COUNTRY = {
    "CD": ["Democratic Republic Of The"], "CG": ["Republic Of The"], "CI": ["Cote D'Ivoire"], "GM": ["The"],
    "BS": ["The"], "RS": ["Serbia And Montenegro"], "SZ": ["Swaziland"], "CZ": ["Czech Republic"],
    "TR": ["Turkey"], "KR": ["South"], "MK": ["The Republic Of"],
}

ZONE_KEYS = {  # key: (offset minutes, daylight saving) of the library's zone table
    0: (-720, 0), 1: (-660, 0), 2: (-600, 0), 3: (-540, 1), 4: (-480, 1), 10: (-420, 1), 15: (-420, 0),
    20: (-360, 1), 25: (-360, 0), 28: (-360, 0), 30: (-360, 0), 35: (-300, 1), 40: (-300, 0), 45: (-300, 0),
    50: (-240, 1), 55: (-240, 0), 56: (-240, 0), 60: (-210, 1), 63: (-180, 0), 65: (-180, 1), 70: (-180, 0),
    75: (-120, 1), 77: (-60, 0), 80: (-60, 1), 85: (0, 1), 90: (0, 0), 93: (60, 0), 95: (60, 1), 100: (60, 0),
    105: (60, 1), 110: (60, 1), 115: (120, 1), 120: (120, 1), 125: (120, 0), 130: (120, 1), 135: (120, 1),
    140: (120, 0), 145: (180, 1), 150: (180, 0), 153: (180, 0), 155: (180, 0), 160: (210, 1), 165: (240, 0),
    170: (240, 0), 175: (270, 0), 180: (300, 0), 185: (300, 0), 190: (330, 0), 193: (345, 0), 195: (360, 0),
    197: (360, 0), 200: (360, 0), 203: (390, 0), 205: (420, 0), 207: (420, 0), 210: (480, 1), 215: (480, 0),
    220: (480, 0), 225: (480, 0), 227: (480, 0), 230: (540, 0), 235: (540, 0), 240: (540, 0), 245: (570, 0),
    250: (570, 1), 255: (600, 1), 260: (600, 0), 265: (600, 1), 270: (600, 0), 275: (600, 0), 280: (660, 0),
    285: (720, 0), 290: (720, 1), 300: (780, 0),
}

NO_AREA = 65535
US_STATES_NO_CITY_WORD = ()


def parse_selection():
    text = re.sub(r",\s*\n\s+", ", ", SELECTION.strip())
    rows = []
    for line in text.splitlines():
        head, cities = line.split(":", 1)
        iso, key = head.split()
        for item in re.findall(r"[^,{]+(?:\{[^}]*\})?", cities):
            item = item.strip()
            if not item:
                continue
            match = re.fullmatch(r"([^{]+?)(?:\{([^}]*)\})?", item)
            name, extra = match.group(1).strip(), match.group(2) or ""
            options = dict(part.split("=", 1) for part in extra.split(",") if part)
            state = None
            if iso == "US":
                name, state = name.rsplit(" ", 1)
            rows.append({"iso": iso, "base": name, "state": state, "key": int(options.pop("key", key)),
                         "options": options})
    return rows


def iso6709(text):
    match = re.fullmatch(r"([+-]\d{2})(\d{2})(\d{2})?([+-]\d{3})(\d{2})(\d{2})?", text)
    lat = int(match.group(1)[1:]) + int(match.group(2)) / 60 + int(match.group(3) or 0) / 3600
    lon = int(match.group(4)[1:]) + int(match.group(5)) / 60 + int(match.group(6) or 0) / 3600
    return (-lon if match.group(4)[0] == "-" else lon), (-lat if match.group(1)[0] == "-" else lat)


def load_zone_cities():
    cities = {}
    with open("/usr/share/zoneinfo/zone.tab") as table:
        for line in table:
            if line.startswith("#"):
                continue
            iso, where, zone = line.split("\t")[:3]
            city = zone.strip().rsplit("/", 1)[1].replace("_", " ")
            cities[(iso, city.lower())] = (iso6709(where), zone.strip())
    return cities


def read_sections(path):
    sections, name, fields = {}, None, {}
    with gzip.open(path, "rt", encoding="utf-8") as data:
        for line in data:
            line = line.rstrip("\n")
            if line.startswith("["):
                if name:
                    sections[name] = fields
                name, fields = line[1:-1], {}
            elif " = " in line and name:
                field, value = line.split(" = ", 1)
                fields[field] = value
    if name:
        sections[name] = fields
    return sections


def radians_pair(text):
    lat, lon = (float(x) for x in text.strip("()").split(","))
    return math.degrees(lon), math.degrees(lat)


def distance_km(a, b):
    lon1, lat1, lon2, lat2 = map(math.radians, (a[0], a[1], b[0], b[1]))
    h = math.sin((lat2 - lat1) / 2) ** 2 + math.cos(lat1) * math.cos(lat2) * math.sin((lon2 - lon1) / 2) ** 2
    return 6371 * 2 * math.asin(min(1, math.sqrt(h)))


def country_names():
    names, variants = {}, {}
    with open("/usr/share/iso-codes/json/iso_3166-1.json") as data:
        for entry in json.load(data)["3166-1"]:
            iso = entry["alpha_2"]
            names[iso] = COUNTRY_NAMES.get(iso, entry.get("common_name", entry["name"]))
            variants[iso] = {v.lower() for v in (entry["name"], entry.get("common_name"), entry.get("official_name"),
                                                 names[iso], iso) if v}
            variants[iso].update(v.lower() for v in STATION_COUNTRY.get(iso, []))
    return names, variants


def area_code(iso, calling, wanted):
    """The area code of the geocoder's shortest prefix named like the city;
    NO_AREA when it names none (or the country has no area codes)."""
    cc = str(calling)
    prefixes = sorted((p for p, d in GEOCODE_DATA.items()
                       if p.startswith(cc) and d.get("en", "").lower() in wanted), key=lambda p: (len(p), p))
    for prefix in prefixes:
        national = prefix[len(cc):]
        # A whole number that starts with the prefix tells the area code's length.
        for pad in range(0, 12):
            try:
                number = phonenumbers.parse("+" + prefix + "5" * pad)
            except phonenumbers.NumberParseException:
                continue
            if phonenumbers.is_valid_number_for_region(number, iso):
                length = phonenumbers.length_of_geographical_area_code(number)
                if 0 < length <= len(national) + pad:
                    code = str(number.national_number)[:length]
                    if code.startswith(national[:length]) or national.startswith(code):
                        return int(code) if int(code) < NO_AREA else NO_AREA
                elif length == 0 and 0 < len(national) <= 3:
                    # A plan without trunk prefix (Spain, Italy): the geocoder's digits.
                    return int(national)
                break
    return NO_AREA


def zone_2003(zone):
    tz = zoneinfo.ZoneInfo(zone)
    jan = datetime.datetime(2003, 1, 15, 12, tzinfo=tz).utcoffset()
    jul = datetime.datetime(2003, 7, 15, 12, tzinfo=tz).utcoffset()
    return int(min(jan, jul).total_seconds() // 60), int(jan != jul)


def main():
    rows = parse_selection()
    names, variants = country_names()
    zone_cities = load_zone_cities()
    stations = read_sections("/usr/share/weather-util/stations.gz")
    airports = read_sections("/usr/share/weather-util/airports.gz")
    places = read_sections("/usr/share/weather-util/places.gz")

    station_at = {s: radians_pair(f["location"]) for s, f in stations.items()
                  if f.get("location", "None") != "None"}
    airports_at = {}  # station -> IATA codes of the airports it serves
    for code, fields in airports.items():
        station = fields.get("station")
        if station in station_at and re.fullmatch(r"[a-z]{3}", code):
            airports_at.setdefault(station, []).append(code.upper())

    problems, out = [], []
    for row in rows:
        iso, base, state, options = row["iso"], row["base"], row["state"], row["options"]
        name = f"{base}, {state}" if state else base
        if iso == "AU":
            state = {"Adelaide": "SA", "Brisbane": "QLD", "Cairns": "QLD", "Canberra": "ACT", "Darwin": "NT",
                     "Hobart": "TAS", "Alice Springs": "NT", "Melbourne": "VIC", "Perth": "WA", "Sydney": "NSW"}[base]
            name = f"{base}, {state}"

        # Coordinates: given, a zone city, a US place, a weather station.
        at, zone = None, options.get("tz")
        if "at" in options:
            at = tuple(float(v) for v in options["at"].split("/"))
        found = zone_cities.get((iso, base.lower()))
        if found:
            at = at or found[0]
            zone = zone or found[1]
        if not at and iso == "US":
            for fields in places.values():
                desc = fields.get("description", "")
                if re.match(re.escape(base) + r"( city| CDP| town| municipality)?( \(balance\))?, " + state + "$",
                            desc) or desc.startswith(base + "-") and desc.endswith(", " + state) \
                        or desc.startswith(base + "/") and desc.endswith(", " + state):
                    at = radians_pair(fields["centroid"])
                    break
        if not at:
            # The station named {near=...} (its description's own spelling),
            # else one whose description names the city and the country.
            near = options.get("near")
            best = None
            for station, fields in stations.items():
                desc = fields.get("description", "")
                if station not in station_at:
                    continue
                if near:
                    if near.lower() not in desc.lower():
                        continue
                elif not re.search(r"(^|[ ,/(-])" + re.escape(base) + r"\b", desc) or \
                        desc.rsplit(", ", 1)[-1].lower() not in variants[iso]:
                    continue
                rank = (0 if "international" in desc.lower() else 1, station)
                if best is None or rank < best[0]:
                    best = (rank, station_at[station])
            at = best and best[1]
        if not at:
            problems.append(f"{name} ({iso}): no coordinates; give {{at=LON/LAT}}")
            continue

        # Airport: a weather station of the country serving one, nearby;
        # one named after the city or international counts as nearer.
        air = options.get("air")
        if not air:
            best = None
            for station, codes in airports_at.items():
                d = distance_km(at, station_at[station])
                if d > 80:
                    continue
                desc = stations[station].get("description", "").lower()
                if desc.rsplit(", ", 1)[-1] not in variants[iso] | {"us", "united states", "united states of america"} \
                        and iso not in ("US", "PR", "GU"):
                    continue
                score = d - (30 if re.search(r"international|interntl|intl", desc) else 0) \
                    - (40 if base.lower() in desc else 0)
                preferred = sorted(codes, key=lambda c: (c.lower() != station[1:], c))
                if best is None or score < best[0]:
                    best = (score, preferred[0])
            air = best and best[1]
        if not air:
            problems.append(f"{name} ({iso}): no airport within 80 km; give {{air=XXX}}")
            continue

        calling = country_code_for_region(iso)
        area = options.get("area")
        if area is None:
            area = area_code(iso, calling, {name.lower(), base.lower()} if iso != "US" else {name.lower()})
        area = int(area)

        key = row["key"]
        if zone and key in ZONE_KEYS and key not in (2, 1):
            offset, daylight = zone_2003(zone)
            if offset != ZONE_KEYS[key][0]:
                print(f"note: {name}: zone {zone} was {offset} min in 2003, key {key} has {ZONE_KEYS[key][0]}",
                      file=sys.stderr)
        out.append([name, names[iso], f"{at[0]:.2f}", f"{at[1]:.2f}", air, calling, area, key])

    if problems:
        print("\n".join(problems), file=sys.stderr)
        sys.exit(1)
    out.sort(key=lambda r: r[0].lower())
    with open(OUT, "w", newline="") as target:
        target.write(HEADER)
        writer = csv.writer(target, lineterminator="\n")
        writer.writerow(["name", "country", "longitude", "latitude", "airport", "calling", "area", "zone"])
        writer.writerows(out)
    print(f"{len(out)} cities, {len({r[1] for r in out})} countries, "
          f"{sum(r[1] == 'USA' for r in out)} in the USA -> {OUT}")


HEADER = """\
# The world clock's cities: name, country, longitude (east +), latitude
# (north +), airport code, calling code, area code (65535: none), zone key
# (of the library's zone table).  Sorted by name, case aside.
#
# Proposed by tools/seed_cities.py from Debian's data packages, then kept by
# hand (the build checks the table: time/zonath/gen_cities.py); where the
# packages know nothing (a few coordinates, airports and area codes) the
# values were entered by hand, as the script's selection marks them:
#   tzdata (zone.tab: coordinates of zone cities)      public domain
#   iso-codes (country names)                           LGPL-2.1+
#   python3-phonenumbers (calling and area codes)       Apache-2.0
#   weather-util-data (US places from the US Census
#     gazetteer, airports and weather stations)         ISC
# Zone keys and the choice of cities are the table's own.
"""

if __name__ == "__main__":
    main()
