#include "tools/ZipMemberTimes.h"

#include <zip.h>

#include <ctime>
#include <stdexcept>

namespace kr6 {

void FixZipMemberTimes(const std::string& Archive) {
    std::tm Fixed{};
    Fixed.tm_year = 2025 - 1900;
    Fixed.tm_mon = 0;
    Fixed.tm_mday = 1;
    Fixed.tm_isdst = -1;
    const std::time_t Time = std::mktime(&Fixed);

    int Error = 0;
    zip_t* Zip = zip_open(Archive.c_str(), 0, &Error);
    if (Zip == nullptr)
        throw std::runtime_error("cannot open '" + Archive + "' to set member times");
    const auto Fail = [&] {
        const std::string Cause = zip_strerror(Zip);
        zip_discard(Zip);
        throw std::runtime_error("cannot set member times in '" + Archive + "': " + Cause);
    };
    const zip_int64_t Count = zip_get_num_entries(Zip, 0);
    for (zip_int64_t I = 0; I < Count; ++I)
        if (zip_file_set_mtime(Zip, static_cast<zip_uint64_t>(I), Time, 0) != 0)
            Fail();
    if (zip_close(Zip) != 0)
        Fail();
}

} // namespace kr6
