#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kr6 {
class Tdex6Dataobject;
}

namespace kr6::test {

// At most this many lenses, coatings and rules. Beyond the first eight coatings, half get
// codes of their own, so that a lens may combine with dozens of coatings.
struct TRandomSize {
    int Lenses = 4;
    int Coatings = 8;
    int Rules = 16;
};

// Fills an empty root with a small random price list: a few lenses and coatings whose
// codes share a small pool (so that they collide, differ in letter case only, exceed six
// characters or hold a tab), and rules of every kind with patterns, blanks, wildcards and
// answers to earlier rules. The same seed gives the same model.
void BuildRandomModel(std::uint32_t Seed, Tdex6Dataobject& Root, const TRandomSize& Size = {});

// Adds to a built model the parts of its element form beside plain fields that the example
// list leaves empty: texts in several languages and of every kind, images, formula
// assignments, order options, special price codes, high price groups, delivery ranges,
// variables, formula groups with their ranges, protocol entries and notes. Texts hold markup
// characters, line breaks and bytes above 127.
void AddRandomParts(std::uint32_t Seed, Tdex6Dataobject& Root);

// Text with every byte outside printable ASCII escaped, in quotes.
std::string Visible(std::string_view Text);

// The model's lenses, coatings and rules as text, to find the cause of a difference.
std::string Describe(const Tdex6Dataobject& Root);

} // namespace kr6::test
