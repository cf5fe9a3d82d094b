#pragma once
// The three jobs of the lzh tool over one archive. Each raises lha::Error with
// the member's name in front of the codec's message.

#include <ostream>
#include <string>

namespace lzh {

// Lists the members: size, packed size, method, CRC, time and path.
void List(const std::string& archive, std::ostream& out);

// Decodes every member and checks its CRC, writing nothing.
void Test(const std::string& archive);

// Extracts every member below `folder` (created when missing). An archive with
// any unsafe member name extracts nothing. A member that fails is removed.
void Extract(const std::string& archive, const std::string& folder);

}  // namespace lzh
