#include "formats/spec_file_problems.h"

#include "services/prompts.h"
#include "text/format.h"
#include "translation/translator.h"

namespace {

using NString::NTranslator::Text;

const char* ReasonKey(ESpecFileError error) {
    switch (error) {
    case ESpecFileError::CannotOpen:
        return "Msg.FormatFileCannotOpen";
    case ESpecFileError::NotXml:
        return "Msg.FormatFileNotXML";
    case ESpecFileError::NotSpecification:
    case ESpecFileError::None:
        break;
    }
    return "Msg.FormatFileNotSpec";
}

} // namespace

void ReportSpecFileProblems(std::span<const SSpecFileProblem> problems) {
    if (problems.empty())
        return;
    NString::TStr<char16_t> message(Text("Msg.FormatFilesNotRead"));
    for (const SSpecFileProblem& problem : problems) {
        NString::TStr<char16_t> line;
        NString::Format(line, Text(ReasonKey(problem.error)).Text(), problem.path.Text());
        message.Append(line.Text());
    }
    NPrompts::CurrentPrompts().ShowMessage(nullptr, message.Text(), Text("Misc.AppName").Text(),
                                           NPrompts::EIcon::Warning, NPrompts::EButtons::Ok);
}
