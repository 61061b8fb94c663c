#include "import/Kr6OptionRecords.h"

namespace kr6 {

void ParseKr6Options(TKr6Dataoptions& Rec, std::string_view L) {
    ParseKr6Columns<kr6_layouts::Options>(Rec, L);
}

void ParseKr6OptionsColor(TKr6DataoptionsColor& Rec, std::string_view L) {
    ParseKr6Columns<kr6_layouts::OptionsColor>(Rec, L);
}

void ParseKr6OptionsPrice(TKr6DataoptionsPrice& Rec, std::string_view L) {
    ParseKr6Columns<kr6_layouts::OptionsPrice>(Rec, L);
}

void ParseKr6Combination(TKr6DataCombination& Rec, std::string_view L) {
    ParseKr6Columns<kr6_layouts::Combination>(Rec, L);
}

void ParseKr6Information(TKr6DataInformation& Rec, std::string_view L) {
    ParseKr6Columns<kr6_layouts::Information>(Rec, L);
}

void ParseKr6OrderOptions(TKr6DataOrderOptions& Rec, std::string_view L) {
    ParseKr6Columns<kr6_layouts::OrderOptions>(Rec, L);
}

void ParseKr6Productgroup(TKr6DataProductgroup& Rec, std::string_view L) {
    ParseKr6Columns<kr6_layouts::Productgroup>(Rec, L);
}

void ParseKr6CodeSubst(TKr6DataCodeSubst& Rec, std::string_view L) {
    ParseKr6Columns<kr6_layouts::CodeSubst>(Rec, L);
}

} // namespace kr6
