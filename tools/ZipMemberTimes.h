#pragma once

#include <string>

namespace kr6 {

// Gives every member of the archive the same modification time, 1 January 2025 00:00,
// so that an archive written twice from the same lines has the same bytes. ZIP keeps
// local time; the date is converted with the local time zone, so it reads the same in
// every zone. Throws std::runtime_error naming the archive.
void FixZipMemberTimes(const std::string& Archive);

} // namespace kr6
