// The whole model in its element form, read into a fresh root and written again, gives the
// same bytes: for the example list and for random models that fill every part of the form
// that is more than a plain field.
#include "helpers/RandomModel.h"
#include "import/Kr6Import.h"
#include "model/ElementReader.h"
#include "model/Root.h"
#include "model/XmlWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>

namespace kr6 {
namespace {

std::string ElementForm(const Tdex6Dataobject& Root) {
    TXmlStream Stream;
    Root.WriteXml(Stream);
    return Stream;
}

void ExpectReadsBackEqual(const Tdex6Dataobject& Written, const std::string& Context) {
    const std::string Xml = ElementForm(Written);
    Tdex6Dataobject Read;
    TElementReader Reader;
    Reader.Read(Xml, Read);
    EXPECT_EQ(Read.LastOID(), Written.LastOID()) << Context;
    const std::string Again = ElementForm(Read);
    if (Again == Xml)
        return;
    const auto At = static_cast<std::size_t>(
        std::mismatch(Xml.begin(), Xml.end(), Again.begin(), Again.end()).first - Xml.begin());
    const std::size_t From = At < 120 ? 0 : At - 120;
    ADD_FAILURE() << Context << ": differs at byte " << At << "\nwritten " << Xml.substr(From, 240)
                  << "\nread    " << Again.substr(From, 240);
}

TEST(ModelRoundTrip, ExampleListAndRandomModels) {
    Tdex6Dataobject Example;
    LoadKr6File(Example, std::string(KR6_SOURCE_DIR) + "/examples/demo-kr6.zip");
    ExpectReadsBackEqual(Example, "example list");
    std::string Seen = ElementForm(Example);
    for (std::uint32_t Seed = 1; Seed <= 40; ++Seed) {
        Tdex6Dataobject Root;
        test::BuildRandomModel(Seed, Root);
        test::AddRandomParts(Seed, Root);
        ExpectReadsBackEqual(Root, "seed " + std::to_string(Seed) + "\n" + test::Describe(Root));
        Seen += ElementForm(Root);
    }
    // Every part beside the plain fields was written at least once, lists of codes with codes.
    for (const char* Tag :
         {"<GW>",     "<GG>",     "<GP>",   "<DFGL>", "<DFOC>", "<DFA>",      "<BP>",  "<DFBL>",
          "<DIM>",    "<MPG",     "<FZUE>", "<MUTE>", "<KADU>", "<MUDU>",     "<DPG>", "<DA>",
          "<COSUBG>", "<COSUBB>", "<DV>",   "<DFGG>", "<DFOB>", "<AZG",       "<AZB",  "<PE>",
          "<LBB>",    "<DPB>",    "<NOTE>", "<S50>",  "<C10>",  "&#13;&#10;", "&#228;"})
        EXPECT_NE(Seen.find(Tag), std::string::npos) << Tag;
    EXPECT_TRUE(std::regex_search(Seen, std::regex("<U?[A-Z]{3}9>")))
        << "info of the last language";
    for (const char* List : {"SOPR", "NLG", "NLB"})
        EXPECT_TRUE(std::regex_search(
            Seen, std::regex("<" + std::string(List) + "><ED></ED><OID>[0-9]+</OID><EDV>")))
            << List;
}

} // namespace
} // namespace kr6
