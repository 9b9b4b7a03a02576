// Word lists the generator draws from (UTF-8). All people, companies and numbers are invented;
// domains are reserved example domains.
#pragma once

namespace Gen::Words {

// Latin-script names by language group, so that a card's names and address fit together.
struct NamePool
{
    const char *const *given;
    int givenCount;
    const char *const *family;
    int familyCount;
};

inline constexpr const char *EnglishGiven[] = {
    "Olivia",  "Liam", "Amelia", "Noah",  "Harper", "Ethan", "Evelyn", "Mason", "Abigail", "Lucas",
    "Grace",   "Owen", "Chloe",  "Caleb", "Nora",   "Isaac", "Hazel",  "Wyatt", "Aurora",  "Declan",
    "Siobhán", "Zoë",  "Rhys",   "Niamh", "Priya",  "Arjun", "Mei",    "Tomás", "Keira",   "Dominic",
};
inline constexpr const char *EnglishFamily[] = {
    "Whitfield",      "Hargreaves", "Caldwell",   "Pemberton",   "Ashworth",  "Bramley",
    "Okafor",         "Lindqvist",  "O'Sullivan", "MacAllister", "Fairbanks", "Thornton",
    "Delacroix-Hale", "Brennan",    "Castellano", "Nakagawa",    "Ramaswamy", "Goldberg",
    "Abernathy",      "Kowalczyk",  "St. John",   "Holloway",    "Quint",
};
inline constexpr const char *GermanGiven[] = {
    "Jürgen", "Anneliese", "Lukas", "Käthe",    "Maximilian", "Jördis", "Florian",    "Sönke",
    "Hannah", "Uwe",       "Dörte", "Matthias", "Lea",        "Björn",  "Friederike", "Tobias",
};
inline constexpr const char *GermanFamily[] = {
    "Müller", "Schäfer",   "Großmann", "Köhler",     "Weißenborn", "Brandstätter", "Vogt",
    "Hübner", "von Arnim", "Lührs",    "Oberländer", "Kießling",   "Drechsler",    "Fuß",
};
inline constexpr const char *FrenchGiven[] = {
    "Chloé",  "François", "Hélène", "Noémie", "Jérôme", "Amélie", "Benoît",
    "Gaëlle", "Loïc",     "Maëlys", "Théo",   "Cécile", "Anaïs",  "Raphaël",
};
inline constexpr const char *FrenchFamily[] = {
    "Lefèvre",  "Dubois",   "Girard",    "Beaulieu", "Rousseau", "de la Fontaine",
    "Lemaître", "Fournier", "Chevalier", "Mercier",  "Bénard",   "Lacroix",
};
inline constexpr const char *SouthernGiven[] = {
    "José",   "María",  "Iñaki",   "Lucía", "Sebastián", "Ximena", "Giulia",
    "Matteo", "Chiara", "Niccolò", "João",  "Inês",      "Álvaro", "Begoña",
};
inline constexpr const char *SouthernFamily[] = {
    "García",  "Muñoz",    "Fernández", "Ibáñez",    "de la Cruz",    "Rossi",
    "Bianchi", "Esposito", "Conti",     "Gonçalves", "Sánchez-Vidal", "Lombardi",
};
inline constexpr const char *NordicGiven[] = {
    "Søren", "Åsa", "Ingrid", "Mikkel", "Freja", "Lars", "Sanne", "Joost", "Femke", "Björk", "Eero", "Maarit",
};
inline constexpr const char *NordicFamily[] = {
    "Nørgaard", "Åström",  "Lindqvist",  "Halvorsen", "van der Berg", "de Vries",
    "Jansen",   "Sjöberg", "Østergaard", "Virtanen",  "Bakker",
};

// Japanese names with their katakana readings.
struct JapaneseName
{
    const char *kanji;
    const char *kana;
    const char *romaji; // for mail addresses and handles
};

inline constexpr JapaneseName JapaneseFamily[] = {
    { "佐々木", "ササキ", "sasaki" },    { "高橋", "タカハシ", "takahashi" },
    { "渡部", "ワタナベ", "watanabe" },  { "長谷川", "ハセガワ", "hasegawa" },
    { "小野寺", "オノデラ", "onodera" }, { "森田", "モリタ", "morita" },
    { "石井", "イシイ", "ishii" },       { "藤原", "フジワラ", "fujiwara" },
    { "村上", "ムラカミ", "murakami" },  { "青木", "アオキ", "aoki" },
    { "橋本", "ハシモト", "hashimoto" }, { "清水", "シミズ", "shimizu" },
    { "北川", "キタガワ", "kitagawa" },  { "松岡", "マツオカ", "matsuoka" },
};
inline constexpr JapaneseName JapaneseGiven[] = {
    { "陽翔", "ハルト", "haruto" },        { "結菜", "ユイナ", "yuina" },
    { "湊", "ミナト", "minato" },          { "芽依", "メイ", "mei" },
    { "悠真", "ユウマ", "yuma" },          { "さくら", "サクラ", "sakura" },
    { "健太郎", "ケンタロウ", "kentaro" }, { "千尋", "チヒロ", "chihiro" },
    { "大輔", "ダイスケ", "daisuke" },     { "彩花", "アヤカ", "ayaka" },
    { "修", "オサム", "osamu" },           { "由美子", "ユミコ", "yumiko" },
    { "航", "ワタル", "wataru" },          { "美月", "ミヅキ", "mizuki" },
};

inline constexpr const char *Prefixes[] = { "Dr.", "Mr.", "Ms.", "Mrs.", "Prof.", "Mx." };
inline constexpr const char *Suffixes[] = { "Jr.", "Sr.", "III", "PhD", "MD", "Esq." };
inline constexpr const char *Nicknames[]
    = { "Bo", "Sunny", "Doc", "Kiki", "Bear", "Tee", "Mack", "Juju", "Pip", "けんちゃん" };

struct Company
{
    const char *name;
    const char *domain; // reserved .example domain for its web site and mail
};

inline constexpr Company Companies[] = {
    { "Brightwater Analytics", "brightwater.example" },
    { "Copperleaf Studio", "copperleaf.example" },
    { "Northgate Logistics, Inc.", "northgate-logistics.example" },
    { "Halvard & Söhne GmbH", "halvard.example" },
    { "Maison Ravel SARL", "maison-ravel.example" },
    { "Tidewell Marine Supply", "tidewell.example" },
    { "Bluefern Software; Ltd", "bluefern.example" },
    { "Quillon Legal LLP", "quillon.example" },
    { "Orchard Lane Bakery", "orchardlane.example" },
    { "Saltmarsh Architects", "saltmarsh.example" },
    { "株式会社ほしぞら工房", "hoshizora-kobo.example" },
    { "みなと精機株式会社", "minato-seiki.example" },
    { "Larkspur Health Clinic", "larkspur.example" },
    { "Vireo Dental Care", "vireo-dental.example" },
    { "Kestrel Aviation Services", "kestrel-aviation.example" },
    { "Pinecrest Realty", "pinecrest.example" },
};
inline constexpr const char *Departments[] = {
    "Engineering",      "Sales",      "Marketing", "R&D",           "Legal",           "Finance",
    "Customer Success", "Facilities", "営業部",    "開発部 第二課", "Human Resources", "Procurement",
};
inline constexpr const char *JobTitles[] = {
    "Software Engineer",
    "Account Manager",
    "Managing Director",
    "Office Manager",
    "Consultant",
    "Product Owner",
    "Lead Designer",
    "Head of Operations, EMEA",
    "Paralegal",
    "Dentist",
    "課長",
    "主任",
    "エンジニア",
    "Sous-chef",
    "Dispatcher",
};

inline constexpr const char *Categories[] = {
    "Family", "Friends", "Work", "Clients", "同僚", "Suppliers", "Book Club", "Neighbours", "Golf", "VIP",
};

// Sentences notes are made of; some hold , ; \ and colons on purpose.
inline constexpr const char *NoteSentences[] = {
    "Met at the trade fair in Lyon; interested in the spring catalogue, not the autumn one.",
    "Prefers e-mail to phone calls.",
    "Allergic to nuts; likes green tea, oolong and jasmine.",
    "Invoices go to the shared folder \\\\files\\clients\\2023 (ask IT for access).",
    "Call after 10:00, never on Fridays.",
    "Gate code: 4711#; parking behind the bakery.",
    "Birthday card sent, reply pending.",
    "Daughter starts university in September, Edinburgh.",
    "Referred by the Caldwells; quote 20% discount, valid until March.",
    "Speaks Portuguese, Spanish and a little Japanese.",
    "Keys: spare set with the neighbour at no. 12; alarm PIN changes monthly.",
};

inline constexpr const char *JapaneseNoteSentences[] = {
    "年賀状: 毎年送る。",
    "打ち合わせは火曜日の午後が都合よいとのこと。",
    "お中元、お歳暮の送付先は会社宛て; 個人宅は不可。",
    "旧姓: 山口",
};

// Labels of the user's own, by field.
inline constexpr const char *PhoneLabels[] = { "Boat", "Summer house", "実家", "Studio" };
inline constexpr const char *EmailLabels[] = { "Private", "School", "Club" };
inline constexpr const char *AddressLabels[] = { "Summer house", "別荘", "Studio" };
inline constexpr const char *UrlLabels[] = { "Blog", "Portfolio", "Shop", "_$!<HomePage>!$_" };
inline constexpr const char *RelatedLabels[] = { "_$!<Spouse>!$_",    "_$!<Mother>!$_",  "_$!<Child>!$_",
                                                 "_$!<Assistant>!$_", "_$!<Manager>!$_", "Godfather" };
inline constexpr const char *DateLabels[] = { "_$!<Anniversary>!$_", "_$!<Other>!$_", "First met" };
inline constexpr const char *Favourites[]
    = { "Tea", "Espresso", "Chess", "Jazz", "Sailing", "Ramen", "Hiking" };
inline constexpr const char *Memberships[] = { "gold", "silver", "bronze" };
inline constexpr const char *TimeZones[] = { "-05:00", "+01:00", "+09:00", "-08:00", "+10:00", "+00:00" };

} // namespace Gen::Words
