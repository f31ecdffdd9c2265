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
    // The graphs and the smoothed graphs: the quantity (the same picture in both panels).
    {QLatin1StringView("gb"), QLatin1StringView("skupiny")},
    {QLatin1StringView("fb"), QLatin1StringView("skvrny")},
    {QLatin1StringView("rb"), QLatin1StringView("relativni")},
    {QLatin1StringView("cvb"), QLatin1StringView("mcintosh")},
    {QLatin1StringView("snb"), QLatin1StringView("pettis")},
    {QLatin1StringView("rbb"), QLatin1StringView("beck")},
    {QLatin1StringView("plochb"), QLatin1StringView("plocha")},
    {QLatin1StringView("polob"), QLatin1StringView("plochapolokoule")},
    {QLatin1StringView("gv"), QLatin1StringView("skupiny")},
    {QLatin1StringView("fv"), QLatin1StringView("skvrny")},
    {QLatin1StringView("rv"), QLatin1StringView("relativni")},
    {QLatin1StringView("cvv"), QLatin1StringView("mcintosh")},
    {QLatin1StringView("snv"), QLatin1StringView("pettis")},
    {QLatin1StringView("rbv"), QLatin1StringView("beck")},
    {QLatin1StringView("plochv"), QLatin1StringView("plocha")},
    {QLatin1StringView("polokouv"), QLatin1StringView("plochapolokoule")},
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
    // The results: own and official, the measured and the smoothed statistics of the whole
    // disk, north and south, the observers and the group types.
    {QLatin1StringView("vlastniv"), QLatin1StringView("vlastni")},
    {QLatin1StringView("oficialv"), QLatin1StringView("oficialni")},
    {QLatin1StringView("namercelek"), QLatin1StringView("namerenecelek")},
    {QLatin1StringView("namersever"), QLatin1StringView("namerenesever")},
    {QLatin1StringView("namerjih"), QLatin1StringView("namerenejih")},
    {QLatin1StringView("vyhlcelek"), QLatin1StringView("vyhlazenecelek")},
    {QLatin1StringView("vyhlsever"), QLatin1StringView("vyhlazenesever")},
    {QLatin1StringView("vyhljih"), QLatin1StringView("vyhlazenejih")},
    {QLatin1StringView("pozorovatelv"), QLatin1StringView("pozorovatele")},
    {QLatin1StringView("vyvojskup"), QLatin1StringView("typyskupin")},
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
