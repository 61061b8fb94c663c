#include "export/RowFormat.h"

#include "export/ListDigest.h"
#include "support/Cp1252.h"

#include <nlohmann/json.hpp>

#include <array>

namespace kr6 {
namespace {

constexpr std::array<std::string_view, 5> FieldNames = {"lens", "antireflection", "tint",
                                                        "further1", "further2"};

bool NeedsQuotes(std::string_view Field) {
    return Field.find_first_of(",\"\r\n") != std::string_view::npos ||
           (!Field.empty() && (Field.front() == ' ' || Field.back() == ' '));
}

std::string_view NameOf(const TCodeNames* Names, std::size_t Field, std::string_view Code) {
    if (Names == nullptr)
        return {};
    return Field == 0 ? Names->Lens(Code) : Names->Coating(Code);
}

} // namespace

std::string ColumnNames(const TRowLayout& Layout, std::string_view Separator) {
    std::string Text;
    const auto Add = [&](std::string_view Name) {
        if (!Text.empty())
            Text.append(Separator);
        Text.append(Name);
    };
    if (Layout.Change)
        Add("change");
    for (std::string_view Name : FieldNames) {
        Add(Name);
        if (Layout.Names)
            Add(std::string(Name) + "_name");
    }
    return Text;
}

TRowEncoder::TRowEncoder(TRowWriter& Output, const TRowLayout& Layout)
    : FOutput(Output), FLayout(Layout) {}

void TRowEncoder::WriteHeader() {
    if (!FLayout.Header || FLayout.Syntax == TRowSyntax::Jsonl)
        return;
    FOutput.WriteRow(ColumnNames(FLayout, FLayout.Syntax == TRowSyntax::Csv ? "," : "\t"));
}

void TRowEncoder::AppendField(std::string_view Field, bool First) {
    if (!First)
        FLine += FLayout.Syntax == TRowSyntax::Csv ? ',' : '\t';
    if (FLayout.Syntax != TRowSyntax::Csv || !NeedsQuotes(Field)) {
        FLine.append(Field);
        return;
    }
    FLine += '"';
    for (char C : Field) {
        if (C == '"')
            FLine += '"';
        FLine += C;
    }
    FLine += '"';
}

void TRowWriter::WriteTabbedRow(std::string_view Prefix, const TRow& Row) {
    std::string Line(Prefix);
    AppendRowText(Line, Row);
    WriteRow(Line);
}

void TRowEncoder::WriteRow(const TRow& Row, char Change, const TCodeNames* Names) {
    if (FLayout.Syntax == TRowSyntax::Tsv && !FLayout.Names) {
        const char Prefix[] = {Change, '\t'};
        FOutput.WriteTabbedRow(FLayout.Change ? std::string_view(Prefix, 2) : std::string_view(),
                               Row);
        return;
    }

    if (FLayout.Syntax == TRowSyntax::Jsonl) {
        nlohmann::ordered_json Object;
        if (FLayout.Change)
            Object["change"] = std::string(1, Change);
        for (std::size_t I = 0; I < Row.size(); ++I) {
            Object[std::string(FieldNames[I])] = Cp1252ToUtf8(Row[I]);
            if (FLayout.Names)
                Object[std::string(FieldNames[I]) + "_name"] =
                    Cp1252ToUtf8(NameOf(Names, I, Row[I]));
        }
        FOutput.WriteRow(Object.dump());
        return;
    }

    FLine.clear();
    if (FLayout.Change)
        AppendField(std::string_view(&Change, 1), true);
    for (std::size_t I = 0; I < Row.size(); ++I) {
        AppendField(Row[I], I == 0 && !FLayout.Change);
        if (FLayout.Names)
            AppendField(NameOf(Names, I, Row[I]), false);
    }
    FOutput.WriteRow(FLine);
}

} // namespace kr6
