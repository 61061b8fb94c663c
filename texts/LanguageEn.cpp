#include "texts/Language.h"
#include "texts/TextTable.h"

namespace kr6 {

namespace {

// Trailing blanks in some entries belong to the texts.
constexpr TTextEntry Entries[] = {
    {146, "[Wildcard]"},
    {147, "[no coating]"},
    {148, "[all coatings]"},
    {211, "not available "},
    {212, "available "},
    {213, "only available"},
    {252, "not filled"},
    {253, "purchase price"},
    {254, "recommended retail price"},
    {255, "recommended retail price incl. insurance"},
    {258, "purchase bonus price"},
    {259, "calculated retail price"},
    {260, "calculated material price"},
    {261, "cost of production "},
    {264, "miscellaneous purchase price"},
    {265, "miscellaneous retail price"},
    {268, "added"},
    {269, "changed"},
    {270, "deleted"},
    {271, "loading addresses..."},
    {272, "loading price descriptions..."},
    {273, "loading lenses..."},
    {274, "loading coatings..."},
    {275, "loading combinations..."},
    {276, "loading variables..."},
    {277, "loading prisms and cylinders..."},
    {278, "loading formulas..."},
    {279, "loading range of deliveries ..."},
    {280, "loading journal..."},
    {285, "completed"},
    {299, "purchase list price of optician"},
    {300, "recommended retail price"},
    {301, "loading of "},
    {302, "writing of"},
    {303, "lens impact"},
    {308, "lens-price"},
    {309, "lens-geometry"},
    {311, "coatings"},
    {312, "colour"},
    {313, "price for coatings"},
    {318, "combination"},
    {319, "local formula lens"},
    {320, "formula"},
    {321, "price description"},
    {322, "lokal formula coating"},
    {328, "formula range"},
    {329, "variable"},
    {330, "value"},
    {331, "description of range of delivery"},
    {332, "standard range of delivery"},
    {333, "price group"},
    {334, "info for lens"},
    {335, "info for coating"},
    {336, "image"},
    {337, "prism/cylinder guidelines"},
    {338, "address"},
    {341, "formula assignment"},
    {361, "lens"},
    {376, "prisms up to"},
    {377, "prisms over"},
    {378, "cylinders up to"},
    {379, "cylinders over"},
};

} // namespace

std::string_view TextEn(std::uint16_t Number) {
    static const TTextTable Table(Entries);
    return Table.Text(Number);
}

} // namespace kr6
