// kr6-example LIST.zip                 writes the deliverable rows as kr6csv evaluate does
// kr6-example LIST.zip LENS COATING... says whether the lens with these coatings is deliverable
// kr6-example --findings LIST.zip      lists what the import left out or read differently
#include <kr6/export/CombinationExplanation.h>
#include <kr6/export/DeliveryGaps.h>
#include <kr6/export/EvaluateCombinations.h>
#include <kr6/import/Kr6Findings.h>
#include <kr6/import/Kr6Import.h>
#include <kr6/model/Root.h>
#include <kr6/support/Version.h>

#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace {

int WriteRows(kr6::Tdex6Dataobject& Root) {
    // Windows-1252 rows, each ended by a carriage return and a line feed.
    std::string Line;
    kr6::EvaluateCombinations(Root, [&Line](const kr6::TRowBlock& Rows, bool) {
        for (const kr6::TRow& Row : Rows) {
            Line.clear();
            kr6::AppendRowText(Line, Row);
            Line += "\r\n";
            std::fwrite(Line.data(), 1, Line.size(), stdout);
        }
    });
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int WriteFindings(const char* Archive) {
    kr6::Tdex6Dataobject Root;
    kr6::TKr6Findings Findings;
    kr6::LoadKr6File(Root, Archive, {}, &Findings);
    // Lenses and coatings that no row holds are known only after an evaluation.
    const kr6::TDeliveryGaps Gaps = kr6::FindDeliveryGaps(Root);
    Findings.AddDeliveryNotes(Gaps.Lenses, Gaps.Coatings);
    for (const kr6::TKr6Finding& Finding : Findings.Items())
        std::printf("%s\n", kr6::FindingLine(Finding).c_str());
    std::fprintf(stderr, "kr6-example: %s\n", kr6::CountsText(Findings.Counts()).c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || (std::string_view(argv[1]) == "--findings" && argc != 3)) {
        std::fprintf(stderr, "usage: kr6-example LIST.zip [LENS COATING...] | "
                             "kr6-example --findings LIST.zip\n");
        return 2;
    }
    try {
        if (std::string_view(argv[1]) == "--findings")
            return WriteFindings(argv[2]);
        kr6::Tdex6Dataobject Root;
        kr6::LoadKr6File(Root, argv[1]);
        if (argc == 2)
            return WriteRows(Root);
        const std::vector<std::string> Coatings(argv + 3, argv + argc);
        const bool Deliverable = kr6::CheckKey(Root, argv[2], Coatings).Deliverable();
        std::printf("%s (kr6core %s)\n", Deliverable ? "deliverable" : "not deliverable",
                    std::string(kr6::Kr6Version()).c_str());
        return Deliverable ? 0 : 3;
    } catch (const std::exception& Error) {
        std::fprintf(stderr, "kr6-example: %s\n", Error.what());
        return 1;
    }
}
