// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The texts of the sample databases: the files the small sample links to, and the words the
// large one makes its titles and contents of.
namespace sample::texts {

inline constexpr char reading_list[] = "Reading list\n"
                                       "============\n\n"
                                       "- Middlemarch, George Eliot\n"
                                       "- War and Peace, Leo Tolstoy (Uncle Giorgio's copy)\n"
                                       "- The Leopard, Giuseppe Tomasi di Lampedusa\n"
                                       "- L'Étranger, Albert Camus (again, in French)\n"
                                       "- Buddenbrooks, Thomas Mann\n";

inline constexpr char recipes_page[] =
    "<!DOCTYPE html>\n"
    "<html lang=\"en\">\n"
    "<head><meta charset=\"utf-8\"><title>Family recipes</title></head>\n"
    "<body>\n"
    "<h1>Family recipes</h1>\n"
    "<h2>Grandma's apple cake</h2>\n"
    "<ul>\n"
    "  <li>4 apples, peeled and sliced</li>\n"
    "  <li>200 g flour, 150 g sugar, 3 eggs</li>\n"
    "  <li>100 g butter, melted</li>\n"
    "  <li>Zest of one lemon</li>\n"
    "</ul>\n"
    "<p>Beat the eggs with the sugar, add the butter, the flour and the zest, fold in the apples\n"
    "and bake for 45 minutes at 180 &deg;C. Serve with crème anglaise.</p>\n"
    "<h2>Minestrone</h2>\n"
    "<p>Whatever vegetables the season gives, a handful of beans, and a crust of parmesan in the pot.</p>\n"
    "</body>\n"
    "</html>\n";

inline constexpr char checklist[] = "Holiday checklist\n\n"
                                    "[x] Passports (check the expiry dates)\n"
                                    "[x] Book the train to the airport\n"
                                    "[ ] Ask Sam and Priya to water the plants\n"
                                    "[ ] Print the hotel confirmation\n"
                                    "[ ] Euros for the first day\n";

// Common English words, with a few accented and apostrophe forms so that quoting and case
// folding are exercised everywhere a title or category travels.
inline constexpr char word_text[] =
    "time year people way day man thing woman life child world school state family student group "
    "country problem hand part place case week company system program question work government number "
    "night point home water room mother area money story fact month lot right study book eye job word "
    "business issue side kind head house service friend father power hour game line end member law car "
    "city community name president team minute idea kid body information back parent face others level "
    "office door health person art war history party result change morning reason research girl guy "
    "moment air teacher force education foot boy age policy music market sense nation plan college "
    "interest death experience effect class control care field development role effort rate heart drug "
    "show leader light voice wife police mind price report decision son view relationship town road arm "
    "difference value building action model season society tax director position player record paper "
    "space ground form event official matter center couple site project activity star table need court "
    "oil situation cost industry figure street image phone data picture practice piece land product "
    "doctor wall patient worker news test movie north love support technology step baby computer type "
    "attention film tree source organization hair window evidence population site garden river bridge "
    "island mountain valley forest harbour castle village market letter journey winter summer autumn "
    "spring garden kitchen bread cheese coffee apple lemon pepper salt butter honey violin piano guitar "
    "poem novel chapter library museum theatre painting sculpture map compass lantern candle mirror "
    "clock o'clock rock'n'roll café crème naïve façade fiancée déjà piñata smörgåsbord über résumé "
    "green blue red yellow quiet bright ancient modern small large quick slow gentle brave early late "
    "open hidden silver golden wooden northern southern eastern western simple careful happy";

} // namespace sample::texts
