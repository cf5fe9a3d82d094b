#include "tools/lzh/Creator.h"

#include "tools/common/CodePage.h"
#include "tools/common/Files.h"
#include "tools/common/Packer.h"

#include "lha/ArchiveWriter.h"

namespace lzh {

namespace {

std::vector<std::string> MemberSteps(const tools::fs::path& input) {
    std::vector<std::string> steps;
    for (const tools::fs::path& part : input.relative_path()) {
        std::string step = tools::Utf8(part);
        if (step.empty() || step == ".") continue;
        if (step == "..") {
            steps.clear();
            continue;
        }
        steps.push_back(step);
    }
    return steps;
}

}  // namespace

void Create(const std::string& archive, const std::string& method, const std::vector<std::string>& inputs) {
    tools::fs::path path = tools::PathFromUtf8(archive);
    try {
        tools::OutputFile out(path);
        lha::ArchiveWriter writer(out, method);
        tools::Packer packer(writer, tools::kKoreanCodePage);
        for (const std::string& input : inputs) {
            tools::fs::path source = tools::PathFromUtf8(input);
            packer.Add(source, MemberSteps(source));
        }
        writer.Finish();
        out.Close();
    } catch (...) {
        std::error_code ignored;
        tools::fs::remove(path, ignored);
        throw;
    }
}

}  // namespace lzh
