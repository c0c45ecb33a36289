#include "help/helptext.h"

#include "platform/codepage.h"

namespace HelpText {

namespace {

// Blanks inside and at the end of lines belong to the text.
constexpr const char *textLines[] = {
    " Kielotar - opiskeluohjelmalla voit oppia nopeasti ja helposti ammattisanastoa. Opiskelu "
    "tapahtuu tehokkaasti erilaisten kokeiden ja pelien kautta. Ohjelma opettaa väsymättömästi "
    "opiskelijaa pääsemään toivottuun lopputulokseen. ",
    "",
    " Sanaston opiskelu.    Valitse sanaston listasta (klikkaa hiirellä). ",
    "",
    " 1. Opettele sanat listasta.",
    " 2. Kun olet opetellut sanoja riittävästi, klikkaa hiirellä HARJOITUS näppäintä.",
    " 3. Yritä muistaa sanat.",
    "",
    " Sanoja tulee vaihtelevassa järjestyksessä ikkunaan automaattisesti aikaisemmin "
    "valitsemaltasi sanastolta. ",
    " Ohjelma  näyttää ensimmäiset kymmenen sanaa, jonka jälkeen se palaa edelliseen ikkunaan. ",
    "",
    " Testaus. ",
    "",
    " Klikkaa hiirellä TESTI painiketta. ",
    " Testivalikkoon tulee automaattisesti ja sattumanvaraisesti sana, joka sinun pitää tietää ja "
    "kirjoittaa se syöttövalikkoon. ",
    " Jos kirjoittamasi käännös on oikein, ohjelma antaa 5%. Jos käännös on oikein, ja "
    "reaktioaikasi on hyvä, ohjelma antaa 10%",
    " Kun olet kirjoittanut oikein kaikki kymmenen sanaa, ohjelma antaa ohjeet mitä tehdä "
    "seuraavaksi. ",
    " Jos sinun testituloksesi on 80% tai enemmän, ohjelma kysyy haluatko jatkaa opiskelua "
    "seuraavalla 10 sanan sarjalla. ",
    " Jos sinun testituloksesi on vähemmän kuin 80%, ohjelma toista samat sanat uudestaan.",
    "",
    " Koe. ",
    "",
    " Kun olet opiskellut koko valitsemasi sanaston, voit jatkaa siirtymällä koetehtävään.",
    " 1. Klikkaa hiirellä KOE painiketta. (ohjelma valitsee sanastosta satunnaisesti 100 sanaa)",
    " 2. Käy läpi sanojen lista ja kirjoita käännökset. (vaihtaessasi riviä paina ENTER)",
    " 3. Voit tehdä myös korjauksia tarpeen vaatiessa.",
    " 4. Kun olet käynyt läpi tämän opiskeluosion, klikkaa hiirellä TARKISTA näppäintä.",
    "",
    " Voit yrittää koetta niin useasti kuin haluat. Yli 80% tulos on hyvä.",
    "",
    " Ohjelma sisältää yhteensä 15 valmiita eri alojen sanastoja.",
};

} // namespace

QStringList lines()
{
    QStringList result;
    result.reserve(std::size(textLines));
    for (const char *line : textLines)
        result.append(QString::fromUtf8(line));
    return result;
}

QString text()
{
    QString result;
    const QString crlf = QString::fromLatin1(TextLines::crlf);
    for (const QString &line : lines())
        result += line + crlf;
    return result;
}

} // namespace HelpText
