#pragma once

#include <string>
#include <vector>

namespace kr6 {

// The program's arguments in UTF-8. Windows hands main() the command line in the ANSI code
// page, where a path such as C:\Preise\Härtel\ may not even be expressible; this reads the
// UTF-16 command line instead. POSIX arguments are taken as they are.
class TUtf8Arguments {
public:
    TUtf8Arguments(int argc, char** argv);

    int Count() const { return static_cast<int>(FPointers.size()) - 1; }
    // argv-style: Count() texts and a null pointer.
    char** Values() { return FPointers.data(); }

private:
    std::vector<std::string> FTexts;
    std::vector<char*> FPointers;
};

} // namespace kr6
