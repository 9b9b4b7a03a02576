// Where generated contacts live: postal places, street names and name pools per country.
#pragma once

#include "wordlists.h"

#include <span>

namespace Gen::Countries {

struct Place
{
    const char *city;
    const char *region;
    const char *zip;
};

enum class StreetStyle
{
    NumberFirst, // 12 Maple Avenue
    NumberLast, // Hauptstraße 12
    NumberComma, // Calle Mayor, 12
    Japanese, // 丸の内1-2-3
};

struct Country
{
    const char *code;
    int weight;
    std::span<const char *const> names; // how people write the country; "" leaves it out
    std::span<const Place> places;
    std::span<const char *const> streets;
    StreetStyle style;
    std::span<const char *const> secondLines;
    std::span<const char *const> given;
    std::span<const char *const> family;
};

inline constexpr const char *UsNames[] = { "United States", "USA", "", "" };
inline constexpr Place UsPlaces[] = {
    { "Springfield", "IL", "62701" }, { "Portland", "OR", "97205" }, { "Austin", "TX", "78701" },
    { "Boston", "MA", "02108" },      { "Denver", "CO", "80202" },   { "Madison", "WI", "53703" },
    { "Savannah", "GA", "31401" },    { "Boise", "ID", "83702" },
};
inline constexpr const char *UsStreets[]
    = { "Maple Avenue", "Oak Street",   "Elm Court",       "Lakeview Drive",
        "Cedar Lane",   "Harbor Blvd.", "Pine Ridge Road", "Mill Creek Way" };
inline constexpr const char *UsSecond[] = { "Apt 4B", "Suite 200", "Unit 12", "PO Box 118" };

inline constexpr const char *CaNames[] = { "Canada", "" };
inline constexpr Place CaPlaces[] = {
    { "Toronto", "ON", "M5V 2T6" }, { "Montréal", "QC", "H2X 1Y4" }, { "Vancouver", "BC", "V6B 1A1" },
    { "Ottawa", "ON", "K1P 5J2" },  { "Calgary", "AB", "T2P 1J9" },  { "Halifax", "NS", "B3J 1S9" },
};
inline constexpr const char *CaStreets[]
    = { "King Street West", "rue Sainte-Catherine Ouest", "Granville Street", "Elgin Street",
        "Stephen Avenue",   "Barrington Street" };

inline constexpr const char *GbNames[] = { "United Kingdom", "UK", "England", "" };
inline constexpr Place GbPlaces[] = {
    { "London", "", "EC1A 1BB" },   { "London", "", "W1D 3QF" },    { "Manchester", "", "M1 1AE" },
    { "Birmingham", "", "B1 1HQ" }, { "Edinburgh", "", "EH1 1YZ" }, { "Oxford", "", "OX1 2JD" },
    { "Cambridge", "", "CB2 1TN" }, { "Bristol", "", "BS1 4DJ" },
};
inline constexpr const char *GbStreets[] = { "High Street", "Station Road", "Church Lane",  "Victoria Road",
                                             "Mill Lane",   "Queen's Road", "The Crescent", "Abbey Mews" };
inline constexpr const char *GbSecond[] = { "Flat 3", "Rose Cottage", "Unit 7, Riverside Park" };

inline constexpr const char *DeNames[] = { "Germany", "Deutschland", "" };
inline constexpr Place DePlaces[] = {
    { "Berlin", "", "10115" },
    { "München", "", "80331" },
    { "Hamburg", "", "20095" },
    { "Köln", "", "50667" },
    { "Frankfurt am Main", "", "60311" },
    { "Leipzig", "", "04109" },
    { "Düsseldorf", "", "40213" },
    { "Freiburg im Breisgau", "", "79098" },
};
inline constexpr const char *DeStreets[] = { "Hauptstraße", "Bahnhofstraße", "Gartenweg",  "Schillerstraße",
                                             "Lindenallee", "Am Mühlbach",   "Königsplatz" };
inline constexpr const char *DeSecond[] = { "Hinterhaus", "3. OG links", "c/o Weber" };

inline constexpr const char *FrNames[] = { "France", "" };
inline constexpr Place FrPlaces[] = {
    { "Paris", "", "75011" },    { "Lyon", "", "69002" },   { "Marseille", "", "13001" },
    { "Toulouse", "", "31000" }, { "Nantes", "", "44000" }, { "Strasbourg", "", "67000" },
    { "Bordeaux", "", "33000" }, { "Lille", "", "59000" },
};
inline constexpr const char *FrStreets[]
    = { "rue de la République", "avenue Victor-Hugo", "boulevard Saint-Michel",
        "place de l'Église",    "rue des Lilas",      "chemin du Moulin" };
inline constexpr const char *FrSecond[] = { "Bâtiment B", "3e étage", "BP 42" };

inline constexpr const char *AuNames[] = { "Australia", "" };
inline constexpr Place AuPlaces[] = {
    { "Sydney", "NSW", "2000" }, { "Melbourne", "VIC", "3000" }, { "Brisbane", "QLD", "4000" },
    { "Perth", "WA", "6000" },   { "Adelaide", "SA", "5000" },   { "Hobart", "TAS", "7000" },
};
inline constexpr const char *AuStreets[]
    = { "George Street", "Collins Street", "Queen Street", "Hay Street", "Rundle Mall", "Macquarie Street" };
inline constexpr const char *AuSecond[] = { "Level 4", "Unit 9" };

inline constexpr const char *ItNames[] = { "Italy", "Italia", "" };
inline constexpr Place ItPlaces[] = {
    { "Roma", "RM", "00184" },
    { "Milano", "MI", "20121" },
    { "Firenze", "FI", "50122" },
    { "Torino", "TO", "10121" },
};
inline constexpr const char *ItStreets[]
    = { "Via Roma", "Via Garibaldi", "Corso Vittorio Emanuele II", "Piazza della Signoria" };

inline constexpr const char *EsNames[] = { "Spain", "España", "" };
inline constexpr Place EsPlaces[] = {
    { "Madrid", "Madrid", "28013" },
    { "Barcelona", "Barcelona", "08002" },
    { "Sevilla", "Sevilla", "41001" },
    { "Valencia", "Valencia", "46002" },
};
inline constexpr const char *EsStreets[]
    = { "Calle Mayor", "Carrer de Balmes", "Avenida de la Constitución", "Plaza de España" };
inline constexpr const char *EsSecond[] = { "2º izquierda", "Bajo B" };

inline constexpr const char *NlNames[] = { "Netherlands", "Nederland", "" };
inline constexpr Place NlPlaces[] = {
    { "Amsterdam", "", "1012 AB" },
    { "Utrecht", "", "3511 AB" },
    { "Rotterdam", "", "3011 AD" },
};
inline constexpr const char *NlStreets[] = { "Keizersgracht", "Oudegracht", "Witte de Withstraat" };

inline constexpr const char *SeNames[] = { "Sweden", "Sverige", "" };
inline constexpr Place SePlaces[] = {
    { "Stockholm", "", "111 22" },
    { "Göteborg", "", "411 03" },
    { "Malmö", "", "211 22" },
};
inline constexpr const char *SeStreets[] = { "Drottninggatan", "Storgatan", "Kungsgatan" };

inline constexpr const char *ChNames[] = { "Switzerland", "Schweiz", "Suisse", "" };
inline constexpr Place ChPlaces[] = {
    { "Zürich", "ZH", "8001" },
    { "Genève", "GE", "1204" },
    { "Bern", "BE", "3011" },
};
inline constexpr const char *ChStreets[] = { "Bahnhofstrasse", "Rue du Rhône", "Marktgasse" };

inline constexpr const char *JpNames[] = { "日本", "Japan", "", "" };
inline constexpr Place JpPlaces[] = {
    { "千代田区", "東京都", "100-0005" },     { "渋谷区", "東京都", "150-0001" },
    { "大阪市北区", "大阪府", "530-0001" },   { "京都市中京区", "京都府", "604-8005" },
    { "横浜市西区", "神奈川県", "220-0012" }, { "名古屋市中区", "愛知県", "460-0008" },
    { "札幌市中央区", "北海道", "060-0042" }, { "福岡市博多区", "福岡県", "812-0011" },
};
inline constexpr const char *JpStreets[]
    = { "丸の内", "神宮前", "梅田", "河原町", "みなとみらい", "栄", "大通西", "博多駅前" };
inline constexpr const char *JpSecond[] = { "サンプルビル5階", "コーポ青葉 203号室", "第二ビル" };

inline constexpr const char *NoSecond[] = { "" };

using namespace Gen::Words;

inline constexpr Country All[] = {
    { "US", 24, UsNames, UsPlaces, UsStreets, StreetStyle::NumberFirst, UsSecond, EnglishGiven,
      EnglishFamily },
    { "JP", 20, JpNames, JpPlaces, JpStreets, StreetStyle::Japanese, JpSecond, {}, {} },
    { "GB", 10, GbNames, GbPlaces, GbStreets, StreetStyle::NumberFirst, GbSecond, EnglishGiven,
      EnglishFamily },
    { "DE", 10, DeNames, DePlaces, DeStreets, StreetStyle::NumberLast, DeSecond, GermanGiven, GermanFamily },
    { "FR", 8, FrNames, FrPlaces, FrStreets, StreetStyle::NumberFirst, FrSecond, FrenchGiven, FrenchFamily },
    { "CA", 6, CaNames, CaPlaces, CaStreets, StreetStyle::NumberFirst, UsSecond, EnglishGiven, FrenchFamily },
    { "AU", 5, AuNames, AuPlaces, AuStreets, StreetStyle::NumberFirst, AuSecond, EnglishGiven,
      EnglishFamily },
    { "IT", 4, ItNames, ItPlaces, ItStreets, StreetStyle::NumberLast, NoSecond, SouthernGiven,
      SouthernFamily },
    { "ES", 4, EsNames, EsPlaces, EsStreets, StreetStyle::NumberComma, EsSecond, SouthernGiven,
      SouthernFamily },
    { "NL", 3, NlNames, NlPlaces, NlStreets, StreetStyle::NumberLast, NoSecond, NordicGiven, NordicFamily },
    { "SE", 3, SeNames, SePlaces, SeStreets, StreetStyle::NumberLast, NoSecond, NordicGiven, NordicFamily },
    { "CH", 3, ChNames, ChPlaces, ChStreets, StreetStyle::NumberLast, NoSecond, GermanGiven, FrenchFamily },
};

} // namespace Gen::Countries
