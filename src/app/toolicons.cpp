#include "app/toolicons.h"

#include <QLatin1StringView>

namespace orvanek {

namespace {

// Button and picture (src/app/icons/<picture>.svg); a picture may serve several buttons.
struct ButtonPicture {
    QLatin1StringView button;
    QLatin1StringView picture;
};

constexpr ButtonPicture kPictures[] = {
    // The basic panel.
    {QLatin1StringView("novyzakres"), QLatin1StringView("novy")},
    {QLatin1StringView("zvlastnizakrrs"), QLatin1StringView("zvlastni")},
    {QLatin1StringView("opravazaz"), QLatin1StringView("oprava")},
    {QLatin1StringView("ulozit"), QLatin1StringView("ulozit")},
    {QLatin1StringView("poslednizaz"), QLatin1StringView("posledni")},
    {QLatin1StringView("motylekz"), QLatin1StringView("motylek")},
    {QLatin1StringView("grafyz"), QLatin1StringView("grafy")},
    {QLatin1StringView("vyhladitz"), QLatin1StringView("vyhlazene")},
    {QLatin1StringView("mapyz"), QLatin1StringView("mapy")},
    {QLatin1StringView("vysledekz"), QLatin1StringView("vysledky")},
    {QLatin1StringView("SpeedButton1"), QLatin1StringView("orientace")},
    // The butterfly diagram: rotations narrower and wider, latitudes taller and lower.
    {QLatin1StringView("vlevo"), QLatin1StringView("zuzit")},
    {QLatin1StringView("vpravo"), QLatin1StringView("rozsirit")},
    {QLatin1StringView("vetsi"), QLatin1StringView("zvysit")},
    {QLatin1StringView("mensi"), QLatin1StringView("snizit")},
    // The graphs: which curves, and the scale.
    {QLatin1StringView("vsechny"), QLatin1StringView("trikrivky")},
    {QLatin1StringView("celkovy"), QLatin1StringView("celkovy")},
    {QLatin1StringView("sevrni"), QLatin1StringView("severni")},
    {QLatin1StringView("jizni"), QLatin1StringView("jizni")},
    {QLatin1StringView("stupnice"), QLatin1StringView("stupnice")},
    {QLatin1StringView("stupnicevyhl"), QLatin1StringView("stupnice")},
    // The map.
    {QLatin1StringView("rotacem"), QLatin1StringView("rotace")},
    {QLatin1StringView("mapam"), QLatin1StringView("mapy")},
    // The results.
    {QLatin1StringView("pozorovatelv"), QLatin1StringView("pozorovatele")},
};

} // namespace

QIcon toolButtonIcon(const QString &buttonName) {
    for (const ButtonPicture &entry : kPictures)
        if (buttonName == entry.button)
            return QIcon(QStringLiteral(":/orvanek/icons/") + entry.picture +
                         QStringLiteral(".svg"));
    return {};
}

} // namespace orvanek
