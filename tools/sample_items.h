// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The hand-made items of the small sample: one person's organizer a few months into use.
// Dates are given in days from the day of generation, so the calendar always has something
// overdue, something today and something coming. Contents use CR LF between lines, as the
// program's content boxes write them. "{files}" and "{pictures}" stand for the directories
// written beside the database.

#include <climits>

namespace sample::items {

inline constexpr int no_day = INT_MIN;

struct When {
    int days = no_day; // from today; no_day: no date
    int hour = 0;
    int minute = 0;
};

struct Row {
    const char* collection;
    const char* cat;
    const char* title; // nullptr with title_day set: a Journal entry dated that day
    const char* content = nullptr;
    When expiry{};
    When remind{};
    bool notified = false; // the reminder was already shown
    const char* mark = nullptr;
    int title_day = no_day;
};

// Category order inside some collections (others sort by name).
struct CatOrder {
    const char* collection;
    const char* cat;
    int seq;
};

inline constexpr CatOrder cat_order[] = {
    {"Agenda", "Today", 1},
    {"Agenda", "This week", 2},
    {"Agenda", "Appointments", 3},
    {"Agenda", "Someday", 4},
    {"Books", "Novels", 1},
    {"Books", "Poetry", 2},
    {"Books", "Essays", 3},
    {"Books", "To read", 4},
    {"Books", "Favourites", 5},
    {"Money", "Bills", 1},
    {"Money", "Expenses", 2},
    {"Money", "Savings", 3},
    {"Journal", "Diary", 1},
    {"Journal", "Travel log", 2},
    {"World chrono", "Antiquity", 1},
    {"World chrono", "Modern age", 2},
    {"World chrono", "Twentieth century", 3},
};

// clang-format off
inline constexpr Row rows[] = {
    // ---- Agenda
    {"Agenda", "Today", "Call the plumber",
     "The kitchen tap is dripping again.\r\nAsk whether Tuesday morning is possible.", {0, 17, 0}, {0, 8, 30},
     true},
    {"Agenda", "Today", "Buy bread, milk and coffee"},
    {"Agenda", "Today", "Water the plants on the balcony", "The basil needs more water than the rosemary."},
    {"Agenda", "Today", "-"},
    {"Agenda", "Today", "> Agenda: Appointments"},
    {"Agenda", "This week", "Pay the electricity bill",
     "Reference number on the last letter from the supplier.", {3, 0, 0}, {2, 9, 0}},
    {"Agenda", "This week", "Return the library books",
     "> Books: To read\r\nTwo of them are already a week late.", {5, 0, 0}},
    {"Agenda", "This week", "Car service at Müller's garage", "Ask Mr Müller to check the brakes as well.",
     {4, 9, 30}, {3, 18, 0}},
    {"Agenda", "Appointments", "Dentist, Dr. Rossi",
     "Via Garibaldi 12, second floor.\r\nBring the X-rays from last year.", {9, 10, 15}, {8, 19, 0}},
    {"Agenda", "Appointments", "Parents' evening at school", "Maths and French teachers.", {-6, 18, 30},
     {-7, 9, 0}, true},
    {"Agenda", "Appointments", "Passport renewal",
     "Two photographs, the old passport and the receipt of the fee.", {40, 11, 0}, {33, 9, 0}},
    {"Agenda", "Appointments", "Annual check-up", "Fasting from midnight.", {-20, 8, 0}, {-21, 20, 0}, true},
    {"Agenda", "Appointments", "Dinner at Café d'Émile", "Table for four, booked under Laura's name.",
     {12, 20, 0}, {12, 17, 0}},
    {"Agenda", "Someday", "Learn to play the cello"},
    {"Agenda", "Someday", "Visit Lisbon in spring", "Tram 28, the Alfama, and a day trip to Sintra."},
    {"Agenda", "Someday", "Repaint the garden fence"},

    // ---- Contacts
    {"Contacts", "Family", "Anna Müller", "Sister.\r\nPhone: +49 30 1234 5678\r\nBirthday: 14 May"},
    {"Contacts", "Family", "Uncle Giorgio", "Phone: +39 055 123 456\r\nLives in Fiesole, near Florence."},
    {"Contacts", "Family", "Grandma Ruth", "Prefers letters to phone calls.\r\n12 Orchard Lane, Bath"},
    {"Contacts", "Friends", "Chloé Durand",
     "chloe.durand@example.org\r\nMet at the language course in Lyon."},
    {"Contacts", "Friends", "Tom O'Brien",
     "tom.obrien@example.org\r\nPlays the fiddle on Thursdays at the pub."},
    {"Contacts", "Friends", "Sam and Priya Patel",
     "Neighbours at number 7. They water the plants when we are away."},
    {"Contacts", "Work", "Helen Carter", "Team manager.\r\nExtension 2417"},
    {"Contacts", "Work", "Marco Bianchi", "Database administrator, knows everything about the old server."},
    {"Contacts", "Work", "IT help desk", "Extension 5000, or helpdesk@example.org"},
    {"Contacts", "Services", "Plumber: Fix-It Ltd", "Phone: 0161 496 0000\r\nAsk for Dave."},
    {"Contacts", "Services", "Vet: Dr. Nakamura",
     "Open Saturday mornings. The cat's vaccinations are due in autumn."},
    {"Contacts", "Services", "Taxi", "Phone: 0161 496 0999"},

    // ---- File links
    {"File links", "Documents", "Reading list", "LINK={files}/Reading list.txt"},
    {"File links", "Documents", "Family recipes (web page)", "LINK={files}/recipes.html"},
    {"File links", "Documents", "Holiday plans folder", "LINK={files}/Holiday plans"},
    {"File links", "Pictures", "Holiday pictures", "PICDIR={pictures}"},
    {"File links", "Pictures", "Sunset over the lake", "LINK={pictures}/Sunset over the lake.jpg"},
    {"File links", "Projects", "Garden project",
     "LINK={files}/Holiday plans/Checklist.txt\r\nThe checklist doubles as the garden plan."},

    // ---- Internet URLs
    {"Internet URLs", "Reference", "Example site", "LINK=https://www.example.org"},
    {"Internet URLs", "Reference", "Wikipedia", "https://en.wikipedia.org"},
    {"Internet URLs", "Reference", "Project Gutenberg",
     "https://www.gutenberg.org\r\nFree e-books of classic literature."},
    {"Internet URLs", "News", "BBC News", "https://www.bbc.co.uk/news"},
    {"Internet URLs", "News", "Le Monde", "https://www.lemonde.fr"},
    {"Internet URLs", "Tools", "Weather forecast", "www.metoffice.gov.uk"},
    {"Internet URLs", "Tools", "Debian mirror", "ftp://ftp.debian.org/debian/"},
    {"Internet URLs", "Tools", "Currency converter", "https://www.xe.com"},

    // ---- Money
    {"Money", "Bills", "Rent: 850 EUR", "Standing order; the landlord's bank details are in the contract.",
     {18, 0, 0}, {16, 9, 0}},
    {"Money", "Bills", "Electricity", "Quarterly bill. Meter reading due the week before.", {10, 0, 0},
     {7, 9, 0}},
    {"Money", "Bills", "Internet subscription", "Overdue: the direct debit failed.", {-3, 0, 0}, {-4, 9, 0},
     true, "!"},
    {"Money", "Bills", "Car insurance", "Compare at least three quotes before renewing.", {60, 0, 0},
     {50, 9, 0}},
    {"Money", "Savings", "Emergency fund", "Three months of expenses, in the savings account."},
    {"Money", "Savings", "Holiday fund: 1,200 EUR", "Saving 100 EUR a month since January."},
    {"Money", "Expenses", "New bicycle: 430 EUR",
     "Bought in March; the receipt is in the drawer with the warranty."},
    {"Money", "Expenses", "Books and music: 65 EUR"},

    // ---- Journal: titles are the days they were written
    {"Journal", "Diary", nullptr,
     "Long walk by the river after work.\r\nThe light on the water was beautiful.", {}, {}, false, nullptr,
     -1},
    {"Journal", "Diary", nullptr, "Finished L'Étranger. Short, strange and unforgettable.", {}, {}, false,
     nullptr, -2},
    {"Journal", "Diary", nullptr,
     "Rain all day. Sorted the old photographs and found the ones from Grandma's garden.", {}, {}, false,
     nullptr, -5},
    {"Journal", "Diary", nullptr, "Dinner with Chloé and Tom. We planned the summer trip.", {}, {}, false,
     nullptr, -9},
    {"Journal", "Diary", nullptr, "Started using this organizer. One map for each part of life.", {}, {},
     false, nullptr, -16},
    {"Journal", "Diary", nullptr,
     "Ideas to write about: the town market on Saturdays.\r\nWhy we keep lists.\r\nA year of walks.", {}, {},
     false, nullptr, -20},
    {"Journal", "Travel log", nullptr, "Arrived in Lisbon at noon. The light on the river is extraordinary.",
     {}, {}, false, nullptr, -45},
    {"Journal", "Travel log", nullptr, "Tram 28 through the Alfama, then pastéis de nata in Belém.", {}, {},
     false, nullptr, -44},
    {"Journal", "Travel log", nullptr, "Day trip to Sintra. Fog in the morning, sunshine at the palace.", {},
     {}, false, nullptr, -43},

    // ---- Books
    {"Books", "Novels", "L'Étranger: Albert Camus",
     "Read in French, with the dictionary at hand.\r\nAujourd'hui, maman est morte.", {}, {}, false, "*"},
    {"Books", "Novels,Favourites", "The Name of the Rose: Umberto Eco",
     "A murder mystery in a medieval abbey, and a book about books.", {}, {}, false, "*"},
    {"Books", "Novels", "Pride and Prejudice: Jane Austen", "It is a truth universally acknowledged..."},
    {"Books", "Novels", "Buddenbrooks: Thomas Mann",
     "The decline of a merchant family in Lübeck, over four generations."},
    {"Books", "Novels,Favourites", "One Hundred Years of Solitude: Gabriel García Márquez",
     "Macondo and the Buendía family."},
    {"Books", "Novels", "> Persons: Writers"},
    {"Books", "Poetry", "Leaves of Grass: Walt Whitman"},
    {"Books", "Poetry", "Les Fleurs du mal: Charles Baudelaire",
     "The 1857 edition, with the six condemned poems."},
    {"Books", "Poetry", "Selected poems: Emily Dickinson",
     "Hope is the thing with feathers\r\nThat perches in the soul"},
    {"Books", "Essays", "Essais: Michel de Montaigne", "Que sais-je?"},
    {"Books", "Essays", "A Room of One's Own: Virginia Woolf"},
    {"Books", "Essays", "Walden: Henry David Thoreau",
     "I went to the woods because I wished to live deliberately."},
    {"Books", "To read", "Middlemarch: George Eliot"},
    {"Books", "To read", "War and Peace: Leo Tolstoy",
     "Borrowed from Uncle Giorgio; give it back by the summer."},
    {"Books", "To read", "The Leopard: Giuseppe Tomasi di Lampedusa"},
    {"Books", "Favourites", "The Little Prince: Antoine de Saint-Exupéry",
     "On ne voit bien qu'avec le cœur."},
    {"Books", "Favourites", "> Media: Films"},

    // ---- Media
    {"Media", "Films,Classics", "Casablanca (1942)", "Here's looking at you, kid."},
    {"Media", "Films", "Amélie (2001)", "Montmartre, a garden gnome that travels, and crème brûlée."},
    {"Media", "Films,Classics", "Seven Samurai (1954)",
     "Kurosawa. Three and a half hours that pass like one."},
    {"Media", "Films", "Spirited Away (2001)"},
    {"Media", "Music", "Kind of Blue: Miles Davis"},
    {"Media", "Music", "Goldberg Variations: Glenn Gould",
     "The 1981 recording, slower and deeper than the 1955 one."},
    {"Media", "Music", "Abbey Road: The Beatles"},
    {"Media", "Podcasts", "In Our Time",
     "https://www.bbc.co.uk/programmes/b006qykl\r\nHistory of ideas, every Thursday."},
    {"Media", "Podcasts", "> Media: Radio plays",
     "The radio plays map was never created: this reference is broken."},

    // ---- Glossary
    {"Glossary", "Computing", "Cache",
     "A small, fast store that keeps copies of data likely to be needed again."},
    {"Glossary", "Computing", "Compiler", "A program that translates source code into machine code."},
    {"Glossary", "Computing", "Encryption",
     "Turning readable data into a form that only the holder of the key can read."},
    {"Glossary", "Cooking", "Al dente", "Pasta cooked until firm to the bite."},
    {"Glossary", "Cooking", "Roux", "Flour and butter cooked together, the base of many sauces."},
    {"Glossary", "Cooking", "Sauté", "To fry quickly in a little fat over high heat."},
    {"Glossary", "Music terms", "Adagio", "Slowly, at ease."},
    {"Glossary", "Music terms", "Crescendo", "Gradually louder."},
    {"Glossary", "Music terms", "Fermata",
     "A note held longer than its value, at the performer's discretion."},

    // ---- Encyclopaedia
    {"Encyclopaedia", "Astronomy", "Light year",
     "The distance light travels in a year: about 9.46 trillion kilometres."},
    {"Encyclopaedia", "Astronomy", "Andromeda galaxy",
     "The nearest large galaxy, 2.5 million light years away.\r\nVisible to the naked eye on dark nights."},
    {"Encyclopaedia", "Astronomy", "Jupiter",
     "The largest planet of the solar system, with at least 95 moons."},
    {"Encyclopaedia", "Geography", "Mont Blanc", "4,806 metres, the highest mountain of the Alps."},
    {"Encyclopaedia", "Geography", "Danube",
     "Flows through ten countries, from the Black Forest to the Black Sea."},
    {"Encyclopaedia", "Geography", "Lake Baikal",
     "The deepest lake in the world, holding a fifth of the Earth's fresh surface water."},
    {"Encyclopaedia", "History of science", "Galileo Galilei",
     "Turned a telescope to the sky in 1609 and saw the moons of Jupiter."},
    {"Encyclopaedia", "History of science", "Marie Curie",
     "Nobel prizes in physics (1903) and chemistry (1911)."},
    {"Encyclopaedia", "History of science", "Printing press",
     "Gutenberg's movable type, Mainz, around 1450."},

    // ---- World chrono: titles are years, sorted by their numeric value
    {"World chrono", "Antiquity", "-753", "Traditional date of the founding of Rome."},
    {"World chrono", "Antiquity", "-490", "Battle of Marathon."},
    {"World chrono", "Antiquity", "-44", "Julius Caesar is murdered on the Ides of March."},
    {"World chrono", "Antiquity", "476", "End of the Western Roman Empire."},
    {"World chrono", "Modern age", "1492", "Columbus reaches the Americas."},
    {"World chrono", "Modern age", "1789", "Storming of the Bastille."},
    {"World chrono", "Modern age", "1815", "Battle of Waterloo; the Congress of Vienna redraws Europe."},
    {"World chrono", "Twentieth century", "1914", "Beginning of the First World War."},
    {"World chrono", "Twentieth century", "1969", "First people on the Moon."},
    {"World chrono", "Twentieth century", "1989", "Fall of the Berlin Wall."},

    // ---- Myself
    {"Myself", "Health", "Blood pressure", "120/80 at the last check-up.\r\nMeasure again in three months."},
    {"Myself", "Health", "Vaccination record", "Tetanus booster done; next one in ten years."},
    {"Myself", "Health", "Running log", "Week 1: 3 x 3 km\r\nWeek 2: 3 x 4 km\r\nWeek 3: 2 x 5 km, 1 x 8 km"},
    {"Myself", "Goals", "Run a half marathon",
     "Sign up for the city half marathon.\r\nTraining plan: Myself, Health, Running log.", {120, 0, 0},
     {90, 9, 0}},
    {"Myself", "Goals", "Read 24 books this year", "> Books: To read"},
    {"Myself", "Documents", "Passport", "Number in the safe. Expires soon: see the agenda.", {45, 0, 0}},
    {"Myself", "Documents", "Driving licence", "Renewal every ten years.", {700, 0, 0}, {670, 9, 0}},

    // ---- Tessarin chrono: numbered milestones, sorted by their numeric value
    {"Tessarin chrono", "Milestones", "1", "First map created: Agenda, Today."},
    {"Tessarin chrono", "Milestones", "2", "Contacts moved in from the old address book."},
    {"Tessarin chrono", "Milestones", "10", "A hundred items. The journal is a habit now."},
    {"Tessarin chrono", "Milestones", "12.5", "Pictures of the Lisbon trip linked from File links."},
    {"Tessarin chrono", "Releases", "3", "Collections renamed to fit the way I think."},
    {"Tessarin chrono", "Releases", "20", "The database now has a password."},

    // ---- Persons
    {"Persons", "Writers", "Albert Camus", "1913-1960. L'Étranger, La Peste, Le Mythe de Sisyphe."},
    {"Persons", "Writers", "Jane Austen", "1775-1817. Six novels, all still read."},
    {"Persons", "Writers", "Gabriel García Márquez", "1927-2014. Nobel prize 1982."},
    {"Persons", "Scientists", "Marie Curie", "> Encyclopaedia: History of science.Marie Curie"},
    {"Persons", "Scientists", "Alan Turing",
     "1912-1954. Computable numbers, Bletchley Park, the Turing test."},
    {"Persons", "Scientists", "Émilie du Châtelet", "1706-1749. Translated Newton's Principia into French."},
    {"Persons", "Musicians", "Johann Sebastian Bach",
     "1685-1750. Leipzig, the cantatas, the Goldberg Variations."},
    {"Persons", "Musicians,Jazz", "Miles Davis", "> Media: Music"},
    {"Persons", "Musicians,Jazz", "Ella Fitzgerald", "The First Lady of Song."},

    // ---- Favorites
    {"Favorites", "Places", "Café d'Émile, Lyon", "The best hot chocolate in town, near the Saône."},
    {"Favorites", "Places", "Bodleian Library", "Oxford. The Radcliffe Camera on a winter afternoon."},
    {"Favorites", "Places", "Cinque Terre", "Walk from Monterosso to Vernazza early, before the crowds."},
    {"Favorites", "Grandma's recipes", "Apple cake", "LINK={files}/recipes.html"},
    {"Favorites", "Grandma's recipes", "Minestrone",
     "Whatever vegetables the season gives, and a crust of parmesan."},
    {"Favorites", "Quotes", "> Wisdom: Proverbs"},
    {"Favorites", "Quotes", "Be kind", "Be kind, for everyone you meet is fighting a hard battle."},

    // ---- Wisdom
    {"Wisdom", "Proverbs", "Rome wasn't built in a day."},
    {"Wisdom", "Proverbs", "Chi va piano va sano e va lontano.", "Who goes slowly goes safely and goes far."},
    {"Wisdom", "Proverbs", "L'habit ne fait pas le moine.", "The habit does not make the monk."},
    {"Wisdom", "Quotes", "The unexamined life is not worth living.", "Socrates, in Plato's Apology."},
    {"Wisdom", "Quotes", "Knowledge is power.", "Francis Bacon."},
    {"Wisdom", "Stoics", "Marcus Aurelius, Meditations",
     "You have power over your mind, not outside events.\r\nRealize this, and you will find strength."},
    {"Wisdom", "Stoics", "Seneca, Letters", "While we are postponing, life speeds by."},

    // ---- Improvement
    {"Improvement", "Habits", "Walk 30 minutes a day"},
    {"Improvement", "Habits", "No phone after 22:00", "Read instead. Sleep improved within a week."},
    {"Improvement", "Skills", "Spanish: 20 minutes a day", "Lesson 14 of the course. Irregular verbs.", {},
     {-1, 19, 0}},
    {"Improvement", "Skills", "Touch typing", "45 words a minute; aim for 60."},
    {"Improvement", "Reviews", "Weekly review",
     "Empty the inbox, look at the agenda, choose three priorities.", {2, 18, 0}, {2, 17, 30}},
    {"Improvement", "Reviews", "Monthly budget review", "> Money: Bills", {-2, 0, 0}, {-3, 9, 0}},

    // ---- Profession
    {"Profession", "Projects", "Migration to the new server",
     "Ask Marco about the database backups first.\r\nPlan a weekend for the switch.", {21, 0, 0}, {14, 9, 0}},
    {"Profession", "Projects", "Quarterly report", "Figures from finance by the 10th.", {14, 12, 0},
     {12, 9, 0}},
    {"Profession", "Projects", "Website redesign", "Draft of the new home page approved."},
    {"Profession", "Meetings", "Team meeting", "Room 3B. Agenda sent the evening before.", {1, 10, 0},
     {1, 9, 45}},
    {"Profession", "Meetings", "One-to-one with Helen", "Talk about the training budget.", {-7, 15, 0},
     {-7, 14, 45}, true},
    {"Profession", "Training", "Course: project management", "Six evenings, online."},
    {"Profession", "Training", "Conference in Vienna", "Book the hotel near the Ringstraße.", {75, 9, 0},
     {45, 9, 0}},

    // ---- Mix
    {"Mix", "Miscellanea", "> Top map"},
    {"Mix", "Miscellanea", "Wi-Fi password for guests", "Written on the card inside the kitchen cupboard."},
    {"Mix", "Miscellanea", "Shoe sizes", "Me 42, Laura 38, the children 31 and 34."},
    {"Mix", "Inbox", "Idea: a map for every trip"},
    {"Mix", "Inbox", "-"},
    {"Mix", "Inbox", "Things to sort out", "Old cables in the drawer.\r\nThe box of letters in the attic."},

    // ---- Apx
    {"Apx", "About this sample", "Welcome",
     "This database is a sample to explore.\r\nDouble-click a tag to open it; titles that begin with "
     "\"> \" open another map."},
    {"Apx", "About this sample", "> Books: Novels"},
    {"Apx", "About this sample", "> Glossary"},
    {"Apx", "Keyboard", "Rename a tag", "F2"},
    {"Apx", "Keyboard", "Show the content box", "F9"},
    {"Apx", "Keyboard", "Insert an item", "Ins"},

    // ---- the notepad's own item
    {"pad", "pad", "pad",
     "Notepad\r\n\r\nBack up the database on Fridays.\r\nAsk Anna for Grandma's minestrone recipe."},
};
// clang-format on

} // namespace sample::items
