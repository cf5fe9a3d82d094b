#pragma once
// The jobs of Unlha over one archive. Each raises Failure or lha::Error whose
// message names the member concerned.

#include "unlha32/CommandLine.h"
#include "unlha32/ProgressWindow.h"

#include <cstdint>
#include <string>

namespace unlha32 {

struct Survey {
    int files = 0;
    uint64_t bytes = 0;  // original size of all files
};

// Reads every header and checks every name, writing nothing: an archive with
// one unsafe name is refused whole.
Survey SurveyArchive(const std::string& archive);

// Extracts into the folder (created with every level it needs); returns the
// number of files. A member that fails to decode or check is removed again.
int ExtractArchive(const Command& command, Progress& progress);

// Decodes every member and checks its CRC; returns the number of files.
int TestArchive(const Command& command, Progress& progress);

// One line per member: size, packed size, method, CRC, path.
std::string ListArchive(const Command& command);

}  // namespace unlha32
